// Runs the row text fuzz target over files and folders of inputs, in builds
// without libFuzzer. With --generated it first runs the large inputs that are
// impractical to keep as files: a million short lines and one very long line.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Run(const std::string& input) {
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

void RunGenerated() {
  std::string lines;
  lines.reserve(3u * 1000000u);
  for (int i = 0; i < 1000000; ++i) lines += "\ta\n";
  Run(lines);
  Run("\tinteger\t\t" + std::string(1u << 20, 'n') + "\r\n");
  Run(std::string(1u << 16, '\x80'));
  Run(std::string(1u << 16, '\n'));
}

bool RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  Run(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int inputs = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--generated") {
      RunGenerated();
      inputs += 4;
      continue;
    }
    const std::filesystem::path path(arg);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        if (!entry.is_regular_file()) continue;
        ok = RunFile(entry.path()) && ok;
        ++inputs;
      }
    } else {
      ok = RunFile(path) && ok;
      ++inputs;
    }
  }
  std::printf("%d inputs replayed\n", inputs);
  return ok && inputs > 0 ? 0 : 1;
}
