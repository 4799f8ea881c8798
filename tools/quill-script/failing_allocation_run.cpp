// One run of a scenario file with its n-th allocation failing, judged the same
// way by the runner on every system; how the loop starts such runs differs.
#include <ostream>
#include <string>

#include "allocation_failures.h"
#include "scenario_runner.h"

namespace script {

int RunWithFailingAllocation(const std::string& file, long n, const RunOptions& options, std::ostream& out) {
  RunOptions failing = options;
  failing.failAllocation = n;
  FileResult result = RunScenarioFile(file, failing, out);
  for (const std::string& fault : result.faults) out << file << ": allocation " << n << ": " << fault << "\n";
  if (!result.faults.empty()) return kAllocationFaults;
  if (!result.skipped.empty()) return kAllocationNotReached;
  return result.allocationReached ? kAllocationFailed : kAllocationNotReached;
}

}  // namespace script
