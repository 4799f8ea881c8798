// quillmaker-bench: the desktop program with a large structure open, timed as a
// user feels it. For each row count it makes a library holding one entry of that
// many rows, then runs the measuring session three times, each in a fresh process
// (so the peak memory is that of a session that did only this), and prints the
// fastest of each figure.
//   quillmaker-bench [ROWS...]                 default 100000 1000000
//   quillmaker-bench --make-library ROWS FILE  (child) the library with entry s_bench
//   quillmaker-bench --measure ROWS FILE       (child) prints "name value" lines
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "desktop_bench.h"

namespace {

using Figures = std::map<std::string, double>;

// Each row count is measured in this many fresh sessions.
constexpr int kSessions = 3;

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
  const char* figure;  // the measuring child's name for it; "<figure>_cpu" is its CPU time
  double goal;         // at 1,000,000 rows; 0 for none
};

constexpr Row kTimes[] = {
    {"open to first paint", "open_ms", 1000},
    {"keystroke in a cell to repaint, median", "key_ms_median", 16},
    {"keystroke in a cell to repaint, worst", "key_ms_max", 16},
    {"Page Down to repaint, median", "page_ms_median", 16},
    {"Page Down to repaint, worst", "page_ms_max", 16},
    {"Shift+press row header, all rows", "shift_ms", 200},
    {"Copy all rows", "copy_ms", 150},
    {"Save", "save_ms", 600},
    {"longest event-loop stall, idle check", "idle_stall_ms", 16},
};

// Peak resident memory in bytes a row: the session's, and each step's own above
// the start, with what stays resident after the step.
constexpr Row kMemory[] = {
    {"session peak", "peak_b_row", 250},
    {"session peak above the start", "peak_above_start_b_row", 0},
};
constexpr std::pair<const char*, const char*> kSteps[] = {
    {"open", "open"},
    {"idle check", "check"},
    {"keystrokes, Page Down (with a check)", "keys"},
    {"Copy all rows", "copy"},
    {"Save", "save"},
    {"idle check after Save", "check_again"},
};

double Figure(const Figures& figures, const std::string& name) {
  const auto found = figures.find(name);
  return found == figures.end() ? -1 : found->second;
}

const char* Verdict(double value, double goal) { return value < goal ? "met" : "NOT"; }

// Real time is what the user waits; the main thread's CPU time is the work, less
// disturbed by other processes on a shared machine. The goal is judged on each.
void PrintTimes(const std::vector<std::uint32_t>& counts, const std::map<std::uint32_t, Figures>& results) {
  std::printf("\n%-40s", "measure (ms: real / main-thread CPU)");
  for (std::uint32_t n : counts) std::printf(" %19u", n);
  std::printf(" %8s %5s %5s\n", "goal(1M)", "real", "cpu");
  for (const Row& row : kTimes) {
    std::printf("%-40s", row.label);
    double real = -1, cpu = -1;
    for (std::uint32_t n : counts) {
      const Figures& figures = results.at(n);
      real = Figure(figures, row.figure);
      cpu = Figure(figures, std::string(row.figure) + "_cpu");
      if (real < 0)
        std::printf(" %19s", "-");
      else
        std::printf(" %9.1f / %7.1f", real, cpu);
    }
    if (counts.back() == 1'000'000 && real >= 0)
      std::printf(" %8.0f %5s %5s\n", row.goal, Verdict(real, row.goal), Verdict(cpu, row.goal));
    else
      std::printf("\n");
  }
}

void PrintMemory(const std::vector<std::uint32_t>& counts, const std::map<std::uint32_t, Figures>& results) {
  std::printf("\n%-40s", "peak resident memory (bytes a row)");
  for (std::uint32_t n : counts) std::printf(" %19u", n);
  std::printf(" %8s %5s\n", "goal(1M)", "met");
  for (const Row& row : kMemory) {
    std::printf("%-40s", row.label);
    double last = -1;
    for (std::uint32_t n : counts) {
      last = Figure(results.at(n), row.figure);
      std::printf(" %19.1f", last);
    }
    if (row.goal > 0 && counts.back() == 1'000'000 && last >= 0)
      std::printf(" %8.0f %5s\n", row.goal, Verdict(last, row.goal));
    else
      std::printf("\n");
  }
  std::printf("%-40s\n", "each step above the start: peak / after");
  for (const auto& [label, step] : kSteps) {
    std::printf("  %-38s", label);
    for (std::uint32_t n : counts)
      std::printf(" %9.1f / %7.1f", Figure(results.at(n), std::string("peak_") + step + "_b_row"),
                  Figure(results.at(n), std::string("held_after_") + step + "_b_row"));
    std::printf("\n");
  }
  std::printf("%-40s", "MB at the start, before the open");
  for (std::uint32_t n : counts) std::printf(" %19.1f", Figure(results.at(n), "start_mb"));
  std::printf("\n");
}

// Keeps the least of each figure over the sessions: on a shared machine the
// slower sessions measure the other processes as well.
void KeepFastest(const Figures& session, Figures* fastest) {
  for (const auto& [name, value] : session) {
    auto [kept, first] = fastest->try_emplace(name, value);
    if (!first) kept->second = std::min(kept->second, value);
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
    results[rows];  // a row count that fails shows as missing figures
    Figures made;
    std::fprintf(stderr, "quillmaker-bench: %u rows: making the library\n", rows);
    if (!RunChild("--make-library", rows, library, &made)) {
      std::fprintf(stderr, "quillmaker-bench: the library of %u rows could not be made\n", rows);
      status = 1;
      continue;
    }
    for (int session = 1; session <= kSessions; ++session) {
      std::fprintf(stderr, "quillmaker-bench: %u rows: session %d of %d\n", rows, session, kSessions);
      Figures figures;
      if (!RunChild("--measure", rows, library, &figures)) {
        std::fprintf(stderr, "quillmaker-bench: the session with %u rows failed\n", rows);
        status = 1;
        break;
      }
      KeepFastest(figures, &results[rows]);
    }
    std::filesystem::remove(library);
  }
  std::filesystem::remove_all(directory);
  std::printf("\nfastest of %d sessions each\n", kSessions);
  PrintTimes(counts, results);
  PrintMemory(counts, results);
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
