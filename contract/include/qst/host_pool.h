// HostPool: the memory pools of the host. Every block an editor allocates comes
// from its own pool and is freed into it.
#pragma once

#include <cstdint>

#include "qst/host_api.h"

// List layouts: frozen by the binary interface (the module walks them).
struct PoolListNode {
  PoolListNode* next;
  PoolListNode* prev;
  void* item;  // a node's third word: the item it holds
};

struct PoolList {
  HostPool* pool;
  PoolListNode* first;    // the list's second word
  PoolListNode* current;  // the list's third word
  PoolListNode* last;
  std::uint32_t count;
};

extern "C" {
// A block of size bytes (zero-filled), or null when the pool is exhausted.
HOST_API void* PoolAlloc(HostPool* pool, std::uint32_t size, std::uint32_t flags);
// Frees a block of this pool; null is ignored.
HOST_API void PoolFree(HostPool* pool, void* block);
// A pool copy of text, or null.
HOST_API char* PoolStrDup(HostPool* pool, const char* text, std::uint32_t flags);
// The value of a text of decimal digits (optional sign, leading blanks); 0 for null or no digits.
HOST_API std::int32_t PoolTextToInt(const char* text);
HOST_API PoolList* PoolListCreate(HostPool* pool, std::uint32_t flags);
HOST_API int PoolListAppend(PoolList* list, void* item);
// Removes every node; the items are not freed.
HOST_API void PoolListClear(PoolList* list);
HOST_API void PoolListDestroy(PoolList* list);
}
