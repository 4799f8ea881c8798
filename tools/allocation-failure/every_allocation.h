// Allocation failure beyond the host's pools and global memory, for the test
// runner and quill-lib: SQLite's own allocations and C++ new count with them,
// the way embedded databases test themselves. Linked into a program, it
// replaces the global operator new; until armed it only passes through.
#pragma once

namespace allocation_failure {

// Makes SQLite allocate through the counting allocator. Must run before
// SQLite is first used; false when SQLite refused (it was in use already).
bool CountSqliteAllocations();

// From now on the n-th allocation of any kind fails (0 stops failing): a pool
// or global memory block, an SQLite allocation (a null result) or a C++ new
// (std::bad_alloc).
void FailAllocation(long n);

// While one lives, SQLite's allocations and C++ new neither count nor fail:
// for a test's own bookkeeping around the code under test.
class Uncounted {
 public:
  Uncounted();
  ~Uncounted();
  Uncounted(const Uncounted&) = delete;
  Uncounted& operator=(const Uncounted&) = delete;

 private:
  bool wasArmed_;
};

// Whether the armed allocation was reached, and how many were counted.
bool Reached();
long Counted();

// Whether a C++ new is the allocation that fails (for the replaced operator new).
bool RefuseNew();

}  // namespace allocation_failure
