// quillmaker-bench: the desktop program with a large structure open, timed as a
// user feels it. For each row count it makes a library holding one entry of that
// many rows, then runs the measuring session in a fresh process (so the peak
// memory is that of a session that did only this) and prints one table.
//   quillmaker-bench [ROWS...]                 default 100000 1000000
//   quillmaker-bench --make-library ROWS FILE  (child) the library with entry s_bench
//   quillmaker-bench --measure ROWS FILE       (child) prints "name value" lines
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "desktop_bench.h"

namespace {

using Figures = std::map<std::string, double>;

std::string SelfPath() {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0) return {};
  self[length] = '\0';
  return self;
}

// Runs this program as a child and reads its "name value" lines; false when it failed.
bool RunChild(const std::string& mode, std::uint32_t rows, const std::string& library, Figures* figures) {
  std::string command = SelfPath();
  command.insert(0, 1, '\'');
  command += "' " + mode + " " + std::to_string(rows) + " '" + library + "'";
  std::FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return false;
  char name[64];
  double value = 0;
  while (std::fscanf(child, "%63s %lf", name, &value) == 2) (*figures)[name] = value;
  return pclose(child) == 0;
}

struct Row {
  const char* label;
  const char* figure;   // the measuring child's name for it
  double goal;          // at 1,000,000 rows; 0 for none
  const char* unit;
};

constexpr Row kRows[] = {
    {"open to first paint", "open_ms", 1000, "ms"},
    {"keystroke in a cell to repaint, median", "key_ms_median", 16, "ms"},
    {"keystroke in a cell to repaint, worst", "key_ms_max", 16, "ms"},
    {"Page Down to repaint, median", "page_ms_median", 16, "ms"},
    {"Page Down to repaint, worst", "page_ms_max", 16, "ms"},
    {"Shift+press row header, all rows", "shift_ms", 200, "ms"},
    {"Copy all rows", "copy_ms", 200, "ms"},
    {"Save", "save_ms", 1000, "ms"},
    {"longest event-loop stall, idle check", "idle_stall_ms", 16, "ms"},
    {"  the same in main-thread CPU time", "idle_stall_cpu_ms", 16, "ms"},
    {"peak memory per row", "peak_b_row", 0, "B"},
    {"peak memory above start per row", "peak_above_start_b_row", 0, "B"},
};

void PrintTable(const std::vector<std::uint32_t>& counts, const std::map<std::uint32_t, Figures>& results) {
  std::printf("\n%-40s", "measure");
  for (std::uint32_t n : counts) std::printf(" %12u", n);
  std::printf(" %10s %5s\n", "goal(1M)", "met");
  for (const Row& row : kRows) {
    std::printf("%-40s", row.label);
    double last = -1;
    for (std::uint32_t n : counts) {
      const auto& figures = results.at(n);
      const auto found = figures.find(row.figure);
      last = found == figures.end() ? -1 : found->second;
      if (last < 0)
        std::printf(" %12s", "-");
      else
        std::printf(" %9.1f %-2s", last, row.unit);
    }
    if (row.goal > 0 && !counts.empty() && counts.back() == 1'000'000 && last >= 0)
      std::printf(" %7.0f %-2s %5s\n", row.goal, row.unit, last < row.goal ? "met" : "NOT");
    else
      std::printf("\n");
  }
}

int RunAll(const std::vector<std::uint32_t>& counts) {
  // The session runs on Qt's offscreen platform and keeps its settings to itself.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const auto directory = std::filesystem::temp_directory_path() / ("quillmaker-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  std::map<std::uint32_t, Figures> results;
  int status = 0;
  for (std::uint32_t rows : counts) {
    const std::string library = (directory / ("rows" + std::to_string(rows) + ".lib")).string();
    Figures made;
    std::fprintf(stderr, "quillmaker-bench: %u rows: making the library\n", rows);
    if (!RunChild("--make-library", rows, library, &made)) {
      std::fprintf(stderr, "quillmaker-bench: the library of %u rows could not be made\n", rows);
      status = 1;
      continue;
    }
    std::fprintf(stderr, "quillmaker-bench: %u rows: measuring\n", rows);
    if (!RunChild("--measure", rows, library, &results[rows])) {
      std::fprintf(stderr, "quillmaker-bench: the session with %u rows failed\n", rows);
      status = 1;
    }
    std::filesystem::remove(library);
  }
  std::filesystem::remove_all(directory);
  PrintTable(counts, results);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--make-library") == 0)
    return desktopbench::MakeLibrary(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)), argv[3]);
  if (argc == 4 && std::strcmp(argv[1], "--measure") == 0)
    return desktopbench::MeasureSession(static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)), argv[3]);
  std::vector<std::uint32_t> counts;
  for (int i = 1; i < argc; ++i) {
    const unsigned long rows = std::strtoul(argv[i], nullptr, 10);
    if (rows == 0 || rows > 10'000'000) {
      std::fprintf(stderr, "usage: quillmaker-bench [ROWS...]  (each 1 to 10000000)\n");
      return 2;
    }
    counts.push_back(static_cast<std::uint32_t>(rows));
  }
  if (counts.empty()) counts = {100'000, 1'000'000};
  return RunAll(counts);
}
