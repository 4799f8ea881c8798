// quill-script [--verbose] [--module PATH] [--fail-allocation N | --allocation-loop [--stride S]]
//              [--every-allocation] FILE...
// quill-script --version
// Runs scenario files against the editor module and the host, headless.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "allocation_failures.h"
#include "every_allocation.h"
#include "scenario_runner.h"

namespace {

constexpr int kSkippedExit = 77;

// An installed runner finds the module relative to itself, so that it runs under
// any prefix; one run from the build folder uses the module built with it.
std::string DefaultModule() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path installed = self.parent_path() / QUILL_LIBRARIES_FROM_PROGRAM / "libqst.so";
  if (!error && std::filesystem::exists(installed, error)) return installed.lexically_normal().string();
  return QUILL_MODULE_PATH;
}

int Usage() {
  std::cerr
      << "usage: quill-script [--verbose] [--module PATH] [--fail-allocation N | --allocation-loop [--stride S]]\n"
         "                    [--every-allocation] FILE...\n"
         "  --verbose            print each step as it runs\n"
         "  --module PATH        the editor module to load (default: $QST_MODULE, else the installed one,\n"
         "                       else the one built with this program)\n"
         "  --fail-allocation N  the N-th allocation of the host's pools and global memory fails; the run is\n"
         "                       judged only on blocks left live and library files hurt (exit 0: it failed,\n"
         "                       10: the run ended before it, 20: faults, printed)\n"
         "  --allocation-loop    each file with N = 1, 2, 3, ... failing, each run in a child process, until a\n"
         "                       run ends before its N-th allocation; crashes, sanitizer reports and faults\n"
         "                       are printed and make the exit status 1\n"
         "  --stride S           the loop tries N = 1, 1+S, 1+2S, ... (default 1: every N)\n"
         "  --every-allocation   SQLite's own allocations and C++ new count and fail too\n"
         "  --version            print the version and exit\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  script::RunOptions options;
  options.modulePath = DefaultModule();
  // Before anything opens a library: SQLite takes its allocator only then.
  if (!allocation_failure::CountSqliteAllocations()) std::cerr << "quill-script: SQLite's allocations cannot be counted\n";
  if (const char* fromEnvironment = std::getenv("QST_MODULE"); fromEnvironment && *fromEnvironment)
    options.modulePath = fromEnvironment;
  std::vector<std::string> files;
  long failAllocation = 0;
  bool allocationLoop = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--verbose" || argument == "-v") {
      options.verbose = true;
    } else if (argument == "--module" && i + 1 < argc) {
      options.modulePath = argv[++i];
    } else if (argument.rfind("--module=", 0) == 0) {
      options.modulePath = argument.substr(std::strlen("--module="));
    } else if (argument == "--fail-allocation" && i + 1 < argc) {
      char* end = nullptr;
      failAllocation = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || failAllocation <= 0) return Usage();
    } else if (argument == "--allocation-loop") {
      allocationLoop = true;
    } else if (argument == "--version") {
      std::cout << "quill-script " << QUILL_VERSION << "\n";
      return 0;
    } else if (argument == "--every-allocation") {
      options.everyAllocation = true;
    } else if (argument == "--stride" && i + 1 < argc) {
      char* end = nullptr;
      options.allocationStride = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || options.allocationStride <= 0) return Usage();
    } else if (argument == "--help" || argument == "-h") {
      Usage();
      return 0;
    } else if (!argument.empty() && argument[0] == '-') {
      return Usage();
    } else {
      files.push_back(argument);
    }
  }
  if (files.empty() || (allocationLoop && failAllocation > 0)) return Usage();
  if (allocationLoop) return script::RunAllocationLoop(files, options, std::cout);
  if (failAllocation > 0) {
    int worst = script::kAllocationFailed;
    for (const std::string& file : files) {
      int code = script::RunWithFailingAllocation(file, failAllocation, options, std::cout);
      std::cout << file << ": allocation " << failAllocation << ": "
                << (code == script::kAllocationFailed      ? "failed, nothing hurt"
                    : code == script::kAllocationNotReached ? "not reached, nothing hurt"
                                                            : "faults")
                << "\n";
      worst = std::max(worst, code);
    }
    return worst;
  }

  int passed = 0;
  int failed = 0;
  int skipped = 0;
  for (const std::string& file : files) {
    script::FileResult result = script::RunScenarioFile(file, options, std::cout);
    if (!result.skipped.empty()) {
      ++skipped;
      std::cout << file << ": skipped (" << result.skipped << ")\n";
    } else if (result.passed) {
      ++passed;
      std::cout << file << ": passed (" << result.steps << " steps)\n";
    } else {
      ++failed;
      std::cout << result.failure << "\n";
    }
  }
  std::cout << passed << " passed, " << failed << " failed";
  if (skipped > 0) std::cout << ", " << skipped << " skipped";
  std::cout << "\n";
  // 77 tells a test driver that nothing ran here and why was printed.
  if (failed > 0) return 1;
  return skipped > 0 && passed == 0 ? kSkippedExit : 0;
}
