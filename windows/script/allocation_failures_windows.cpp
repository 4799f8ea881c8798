// Allocation failure on Windows: the module's test build takes its global
// memory through the host's counting functions, so a run can make the n-th
// allocation of the pools and of global memory fail and count the blocks
// left. Libraries live in memory here: no library file can be hurt, so the
// judge looks at blocks only. Each run of the loop is a child process.
#include <ostream>

#include "allocation_failures.h"
#include "platform/platform.h"
#include "quill/host.h"
#include "scenario.h"
#include "scenario_runner.h"

namespace script {
namespace {

// How long one child run may take before it counts as hung.
constexpr DWORD kChildMilliseconds = 60000;
constexpr int kFaultyRunsInARow = 3;

std::string ThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// Runs this program with --fail-allocation n on one file; its exit code, or
// -1 when it could not start, -2 when it hung.
int RunChild(const std::string& file, long n, const RunOptions& options) {
  std::string command = "\"" + ThisProgram() + "\" --module \"" + options.modulePath + "\" --fail-allocation " +
                        std::to_string(n) + " \"" + file + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  int code = -2;
  if (WaitForSingleObject(process.hProcess, kChildMilliseconds) == WAIT_OBJECT_0) {
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    code = static_cast<int>(exitCode);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

std::string Verdict(int code) {
  switch (code) {
    case kAllocationFailed:
    case kAllocationNotReached: return "";
    case kAllocationFaults: return "faults";
    case -1: return "could not start";
    case -2: return "hung (no end within " + std::to_string(kChildMilliseconds / 1000) + " s)";
  }
  return "crashed or ended with exit code " + std::to_string(code);
}

}  // namespace

// Only the pools and global memory count here: there is no SQLite, and C++ new
// is left to the C runtime, so a run asking for every kind gets these.
AllocationJudge::AllocationJudge(long n, bool) : failing_(n) { PlatformFailAllocation(n); }

AllocationJudge::~AllocationJudge() { PlatformFailAllocation(0); }

void AllocationJudge::beforeStep(Scenario&, std::string_view) {}

void AllocationJudge::afterStep(Scenario&, std::string_view, int) {}

bool AllocationJudge::countsDuring(std::string_view) { return true; }

std::vector<std::string> AllocationJudge::finish(Scenario& scenario) {
  scenario.closeEditors();
  if (quill::Host* host = scenario.startedHost(); host && host->livePoolBlocks() != 0)
    faults_.push_back(std::to_string(host->livePoolBlocks()) + " pool blocks live once the editors closed");
  PlatformClipboardSetBusy(false);
  PlatformClipboardFromOutside(nullptr);
  if (int live = PlatformLiveGlobalBlocks(); live != 0)
    faults_.push_back(std::to_string(live) + " global memory blocks live at the end");
  return faults_;
}

bool AllocationJudge::reached() const { return PlatformAllocationsCounted() >= failing_; }

int RunAllocationLoop(const std::vector<std::string>& files, const RunOptions& options, std::ostream& out) {
  long runs = 0, injected = 0, faulty = 0;
  for (const std::string& file : files) {
    long fileRuns = 0, fileInjected = 0, fileFaults = 0;
    int inARow = 0;
    for (long n = 1;; n += options.allocationStride) {
      const int code = RunChild(file, n, options);
      const std::string verdict = Verdict(code);
      const bool reached = code == kAllocationFailed;
      ++fileRuns;
      if (reached) ++fileInjected;
      if (!verdict.empty()) {
        ++fileFaults;
        out << file << ": allocation " << n << ": " << verdict << "\n";
        if (++inARow == kFaultyRunsInARow) {
          out << file << ": stopped after " << inARow << " faulty runs in a row\n";
          break;
        }
      } else {
        inARow = 0;
      }
      if (!reached && (verdict.empty() || code == kAllocationFaults || code == -1)) break;
    }
    out << file << ": " << fileRuns << " runs, " << fileInjected << " allocations failed, " << fileFaults
        << " faulty\n";
    runs += fileRuns;
    injected += fileInjected;
    faulty += fileFaults;
  }
  out << "allocation loop: " << files.size() << " files, " << runs << " runs, " << injected
      << " allocations failed, " << faulty << " faulty runs\n";
  return faulty == 0 ? 0 : 1;
}

}  // namespace script
