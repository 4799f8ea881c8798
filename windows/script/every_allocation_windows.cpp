// The counting allocators of the Linux runs have nothing to count here: the
// Windows build keeps its libraries in memory, without SQLite, and its
// allocation-failure runs fail the pools and global memory through the host
// (allocation_failures_windows.cpp). So the runner's calls pass through.
#include "every_allocation.h"

namespace allocation_failure {

bool CountSqliteAllocations() { return true; }
void FailAllocation(long) {}
Uncounted::Uncounted() : wasArmed_(false) {}
Uncounted::~Uncounted() = default;
bool Reached() { return false; }
long Counted() { return 0; }
bool RefuseNew() { return false; }

}  // namespace allocation_failure
