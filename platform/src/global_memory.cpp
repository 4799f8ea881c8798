// Global memory blocks: the only memory that changes hands (via the clipboard).
#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "platform/platform.h"
#include "window_registry.h"

namespace platform {
namespace {

// Larger requests fail as an exhausted heap would, instead of aborting.
constexpr SIZE_T kMaxBlockSize = SIZE_T{1} << 30;
// Blocks from this size up get pages of their own.
constexpr SIZE_T kMappedBlockSize = SIZE_T{1} << 20;

// The allocation that is to fail (0: none) and the allocations counted so far.
struct AllocationFailure {
  long failing = 0;
  long counted = 0;
};

AllocationFailure& allocationFailure() {
  static AllocationFailure failure;
  return failure;
}

}  // namespace

void BlockBytes::operator()(char* bytes) const {
  if (mapped != 0) {
    munmap(bytes, mapped);
  } else {
    std::free(bytes);
  }
}

}  // namespace platform

using namespace platform;

// A new block of the requested size, always zero-filled (GMEM_ZEROINIT or not:
// stale heap bytes must never reach the clipboard). A moveable block gets a
// handle of its own; a fixed block's handle is its address. Null on failure.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (bytes > kMaxBlockSize || PlatformAllocationRefused()) return nullptr;
  GlobalBlock block;
  // A large block is a mapping of its own: its pages are zero until written,
  // so a block sized for the longest text costs only the pages the text
  // fills, every time (calloc clears a block it takes from the heap).
  if (bytes + 1 >= kMappedBlockSize) {
    void* mapped = mmap(nullptr, bytes + 1, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return nullptr;
    // Text is written into such a block from its start on, a page at a time:
    // large pages take one fault where small ones take hundreds. Advice only;
    // the block works the same without it.
    madvise(mapped, bytes + 1, MADV_HUGEPAGE);
    block.data = std::unique_ptr<char, BlockBytes>(static_cast<char*>(mapped), BlockBytes{bytes + 1});
  } else {
    block.data.reset(static_cast<char*>(std::calloc(bytes + 1, 1)));
  }
  if (!block.data) return nullptr;
  block.size = bytes;
  block.moveable = (flags & GMEM_MOVEABLE) != 0;
  auto& d = registry();
  HGLOBAL handle = block.moveable ? d.newHandle<HGLOBAL>() : static_cast<HGLOBAL>(block.data.get());
  // Recording the block allocates as well; when that fails, so does the call
  // (the block's bytes go with it).
  try {
    d.blocks.emplace(handle, std::move(block));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return handle;
}

// The block's address; a moveable block counts the lock. Null for a bad
// handle or an empty moveable block (which has no memory to point at).
LPVOID GlobalLock(HGLOBAL mem) {
  GlobalBlock* b = findBlock(mem);
  if (b == nullptr) return nullptr;
  if (!b->moveable) return b->data.get();
  if (b->size == 0) return nullptr;
  ++b->locks;
  return b->data.get();
}

// Nonzero while the block stays locked after this unlock; FALSE once it is
// unlocked, and for a block that was not locked at all.
BOOL GlobalUnlock(HGLOBAL mem) {
  GlobalBlock* b = findBlock(mem);
  if (b == nullptr || !b->moveable || b->locks == 0) return FALSE;
  --b->locks;
  return b->locks > 0 ? TRUE : FALSE;
}

SIZE_T GlobalSize(HGLOBAL mem) {
  GlobalBlock* b = findBlock(mem);
  return b != nullptr ? b->size : 0;
}

// Null on success; the handle itself when it names no block or the block
// belongs to the clipboard, which frees it when its data is replaced.
HGLOBAL GlobalFree(HGLOBAL mem) {
  if (mem == nullptr) return nullptr;
  GlobalBlock* b = findBlock(mem);
  if (b == nullptr || b->clipboardOwned) return mem;
  registry().blocks.erase(mem);
  return nullptr;
}

int PlatformLiveGlobalBlocks() { return static_cast<int>(registry().blocks.size()); }

void PlatformFailAllocation(long n) { allocationFailure() = AllocationFailure{n, 0}; }

bool PlatformAllocationRefused() {
  AllocationFailure& failure = allocationFailure();
  if (failure.failing == 0) return false;
  return ++failure.counted == failure.failing;
}

long PlatformAllocationsCounted() { return allocationFailure().counted; }
