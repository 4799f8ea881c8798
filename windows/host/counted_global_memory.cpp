// Global memory as the module's test build takes it: every allocation is
// counted (the n-th may be made to fail), and the blocks it holds are known,
// so that a test can tell a block never given back. A block handed to the
// clipboard is the clipboard's from then on; the clipboard's text counts as
// one live block while it is there, as on the Linux layer.
#include <mutex>
#include <set>

#include "platform/platform.h"

namespace {

struct Counting {
  std::mutex mutex;
  long failing = 0;  // the allocation to refuse, 0: none
  long counted = 0;
  std::set<HGLOBAL> live;  // blocks the module holds
};

Counting& counting() {
  static Counting state;
  return state;
}

}  // namespace

void PlatformFailAllocation(long n) {
  Counting& c = counting();
  std::lock_guard<std::mutex> lock(c.mutex);
  c.failing = n;
  c.counted = 0;
}

bool PlatformAllocationRefused() {
  Counting& c = counting();
  std::lock_guard<std::mutex> lock(c.mutex);
  if (c.failing <= 0) return false;
  return ++c.counted == c.failing;
}

long PlatformAllocationsCounted() {
  Counting& c = counting();
  std::lock_guard<std::mutex> lock(c.mutex);
  return c.counted;
}

int PlatformLiveGlobalBlocks() {
  Counting& c = counting();
  int live = 0;
  {
    std::lock_guard<std::mutex> lock(c.mutex);
    live = static_cast<int>(c.live.size());
  }
  return live + (IsClipboardFormatAvailable(CF_TEXT) ? 1 : 0);
}

HGLOBAL CountedGlobalAlloc(UINT flags, SIZE_T bytes) {
  if (PlatformAllocationRefused()) return nullptr;
  HGLOBAL block = GlobalAlloc(flags, bytes);
  if (block != nullptr) {
    std::lock_guard<std::mutex> lock(counting().mutex);
    counting().live.insert(block);
  }
  return block;
}

HGLOBAL CountedGlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags) {
  if (PlatformAllocationRefused()) return nullptr;
  HGLOBAL moved = GlobalReAlloc(block, bytes, flags);
  if (moved != nullptr && moved != block) {
    std::lock_guard<std::mutex> lock(counting().mutex);
    if (counting().live.erase(block) != 0) counting().live.insert(moved);
  }
  return moved;
}

HGLOBAL CountedGlobalFree(HGLOBAL block) {
  HGLOBAL left = GlobalFree(block);
  if (left == nullptr) {
    std::lock_guard<std::mutex> lock(counting().mutex);
    counting().live.erase(block);
  }
  return left;
}

HANDLE CountedSetClipboardData(UINT format, HANDLE block) {
  HANDLE set = SetClipboardData(format, block);
  if (set != nullptr) {
    std::lock_guard<std::mutex> lock(counting().mutex);
    counting().live.erase(block);
  }
  return set;
}
