// The counting allocators: SQLite's through its configurable allocator, C++'s
// through the replaceable global operator new. Both ask the platform's counter,
// so that one n names one allocation whatever allocated it.
#include "every_allocation.h"

#include <sqlite3.h>

#include <cstdlib>
#include <new>

#include "platform/platform.h"

namespace allocation_failure {
namespace {

bool armed = false;  // counts only between FailAllocation(n) and FailAllocation(0)
long failing = 0;
sqlite3_mem_methods real{};

bool Refused() { return armed && PlatformAllocationRefused(); }

void* SqliteMalloc(int size) { return Refused() ? nullptr : real.xMalloc(size); }
void* SqliteRealloc(void* block, int size) { return Refused() ? nullptr : real.xRealloc(block, size); }

}  // namespace

bool CountSqliteAllocations() {
  if (sqlite3_config(SQLITE_CONFIG_GETMALLOC, &real) != SQLITE_OK) return false;
  sqlite3_mem_methods counting = real;
  counting.xMalloc = SqliteMalloc;
  counting.xRealloc = SqliteRealloc;
  return sqlite3_config(SQLITE_CONFIG_MALLOC, &counting) == SQLITE_OK;
}

void FailAllocation(long n) {
  failing = n;
  armed = n > 0;
  PlatformFailAllocation(n);
}

Uncounted::Uncounted() : wasArmed_(armed) { armed = false; }
Uncounted::~Uncounted() { armed = wasArmed_; }

bool Reached() { return failing > 0 && PlatformAllocationsCounted() >= failing; }

long Counted() { return PlatformAllocationsCounted(); }

// For operator new below, which lives outside the namespace.
bool RefuseNew() { return Refused(); }

}  // namespace allocation_failure

namespace {

void* Allocate(std::size_t size) {
  if (allocation_failure::RefuseNew()) throw std::bad_alloc();
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

void* AllocateNoThrow(std::size_t size) noexcept {
  if (allocation_failure::RefuseNew()) return nullptr;
  return std::malloc(size ? size : 1);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
