// The row text target's generated inputs, impractical to keep as files: a
// million short lines, one very long line, and long runs of odd bytes.
#include <string>

int FuzzReplayGenerated(void (*run)(const std::string& input)) {
  std::string lines;
  lines.reserve(3u * 1000000u);
  for (int i = 0; i < 1000000; ++i) lines += "\ta\n";
  run(lines);
  run("\tinteger\t\t" + std::string(1u << 20, 'n') + "\r\n");
  run(std::string(1u << 16, '\x80'));
  run(std::string(1u << 16, '\n'));
  return 4;
}
