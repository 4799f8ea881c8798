// The host's memory pools. Each editor gets one pool; every block it allocates
// comes from there and goes back there. A pool knows each block it handed out,
// so a free of a block of another pool, or of one already freed, is detected and
// ignored instead of corrupting memory, and a closing editor can be checked for
// blocks it never gave back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "qst/host_pool.h"

struct HOST_API HostPool {
  HostPool() = default;
  ~HostPool();
  HostPool(const HostPool&) = delete;
  HostPool& operator=(const HostPool&) = delete;

  // A zero-filled block of size bytes, or null when the pool's limit (or the
  // largest block a pool hands out) would be exceeded or memory is short.
  void* allocate(std::uint32_t size);
  // Gives a block back. False, counted as a fault and nothing freed, when the
  // block is not a live block of this pool; null is ignored and returns true.
  bool release(void* block);
  bool owns(const void* block) const;

  int liveBlocks() const { return static_cast<int>(blocks_.size()); }
  std::size_t liveBytes() const { return liveBytes_; }
  // Live bytes allowed at once; 0 removes the limit. For tests of exhausted memory.
  void setLimit(std::size_t maxLiveBytes) { limit_ = maxLiveBytes; }
  // While refusing, every allocation fails as in a pool that is full; frees go on.
  void setRefusing(bool on) { refusing_ = on; }
  // Frees of foreign or dead blocks seen so far.
  int faults() const { return faults_; }
  // Debug builds stop at a fault so the faulty caller is found; tests of the
  // recovery path switch that off.
  void setAssertOnFault(bool on) { assertOnFault_ = on; }

  // The largest single block: anything bigger is a corrupt size, not a need.
  static constexpr std::uint32_t kMaxBlockSize = 1u << 30;

 private:
  void fault();

  std::unordered_map<void*, std::uint32_t> blocks_;
  std::size_t liveBytes_ = 0;
  std::size_t limit_ = 0;
  bool refusing_ = false;
  int faults_ = 0;
  bool assertOnFault_ = true;
};
