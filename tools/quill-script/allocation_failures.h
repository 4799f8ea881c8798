// Allocation failure, tested the way embedded databases test it: a scenario
// runs with the n-th allocation of the host's pools and of global memory
// failing, and is judged only on what no failure may ever cause (a crash, a
// sanitizer report, a block never given back, a library file changed without
// a write that completed). The scenario's own expectations may well fail then.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "library_watch.h"
#include "step.h"

namespace script {

class Scenario;

// Judges one run with a failing allocation; RunScenarioText calls it around
// each step and at the end.
class AllocationJudge {
 public:
  // Arms the failure of the n-th allocation from now on.
  // everyKind: SQLite's allocations and C++ new count too.
  AllocationJudge(long n, bool everyKind);
  ~AllocationJudge();
  AllocationJudge(const AllocationJudge&) = delete;
  AllocationJudge& operator=(const AllocationJudge&) = delete;

  void beforeStep(Scenario& scenario, std::string_view word);
  void afterStep(Scenario& scenario, std::string_view word, int line);
  // Closes the editors still open, empties the clipboard and checks that no
  // pool or global memory block is left. Returns the faults of the whole run.
  std::vector<std::string> finish(Scenario& scenario);
  // Whether the run got as far as the failing allocation.
  bool reached() const;
  // Whether SQLite's allocations and C++ new count during a step: not during
  // the runner's own setup, answers and checks, only where the host works.
  static bool countsDuring(std::string_view word);

 private:
  long failing_;
  bool watching_ = false;
  LibraryWatch watch_;
  std::vector<std::string> faults_;
};

// Exit codes of one run with a failing allocation (quill-script --fail-allocation N).
constexpr int kAllocationFailed = 0;      // the allocation failed; nothing was hurt
constexpr int kAllocationNotReached = 10;  // the run ended before allocation N; nothing was hurt
constexpr int kAllocationFaults = 20;      // a block left live or a library file hurt (printed)

// Runs one file with allocation n failing; prints the faults. One of the codes above.
int RunWithFailingAllocation(const std::string& file, long n, const RunOptions& options, std::ostream& out);

// For each file, runs n = 1, 2, 3, ... each in a child process until a run
// ends before its n-th allocation. A crash, a sanitizer report (on the
// child's standard error) or a fault of any run is printed with its n.
// Returns 0 when no run found a fault, else 1.
int RunAllocationLoop(const std::vector<std::string>& files, const RunOptions& options, std::ostream& out);

}  // namespace script
