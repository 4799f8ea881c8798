// The host's memory pools: allocation, free and the live-block count.
#include "quill/src/pool.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/platform.h"

HostPool::~HostPool() {
  for (auto& [block, size] : blocks_) std::free(block);
}

void* HostPool::allocate(std::uint32_t size) {
  if (refusing_ || size > kMaxBlockSize || PlatformAllocationRefused()) return nullptr;
  if (limit_ != 0 && liveBytes_ + size > limit_) return nullptr;
  // calloc(1, 0) may give null; a block of size 0 still needs its own address.
  void* block = std::calloc(1, size == 0 ? 1 : size);
  if (block == nullptr) return nullptr;
  // Recording the block allocates too; a pool that cannot is as full as one
  // that has no room.
  try {
    blocks_.emplace(block, size);
  } catch (const std::bad_alloc&) {
    std::free(block);
    return nullptr;
  }
  liveBytes_ += size;
  return block;
}

bool HostPool::release(void* block) {
  if (block == nullptr) return true;
  auto it = blocks_.find(block);
  if (it == blocks_.end()) {
    fault();
    return false;
  }
  liveBytes_ -= it->second;
  blocks_.erase(it);
  std::free(block);
  return true;
}

bool HostPool::owns(const void* block) const { return blocks_.count(const_cast<void*>(block)) != 0; }

void HostPool::fault() {
  ++faults_;
  assert(!assertOnFault_ && "pool block freed twice or into the wrong pool");
}

extern "C" {

void* PoolAlloc(HostPool* pool, std::uint32_t size, std::uint32_t /*flags*/) {
  return pool == nullptr ? nullptr : pool->allocate(size);
}

void PoolFree(HostPool* pool, void* block) {
  // Without a pool there is nothing to check the block against: leave it alone.
  if (pool != nullptr) pool->release(block);
}

char* PoolStrDup(HostPool* pool, const char* text, std::uint32_t /*flags*/) {
  if (pool == nullptr || text == nullptr) return nullptr;
  std::size_t length = std::strlen(text);
  if (length >= HostPool::kMaxBlockSize) return nullptr;
  auto* copy = static_cast<char*>(pool->allocate(static_cast<std::uint32_t>(length + 1)));
  if (copy != nullptr) std::memcpy(copy, text, length + 1);
  return copy;
}

}  // extern "C"
