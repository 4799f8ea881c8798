// The pool's list operations given to the editor.
#include "qst/host_pool.h"

// Lists live in their pool like any other block, so a list that is never
// destroyed shows up in the pool's live count.
extern "C" {

PoolList* PoolListCreate(HostPool* pool, std::uint32_t /*flags*/) {
  auto* list = static_cast<PoolList*>(PoolAlloc(pool, sizeof(PoolList), 0));
  if (list != nullptr) list->pool = pool;
  return list;
}

int PoolListAppend(PoolList* list, void* item) {
  if (list == nullptr) return 0;
  auto* node = static_cast<PoolListNode*>(PoolAlloc(list->pool, sizeof(PoolListNode), 0));
  if (node == nullptr) return 0;
  node->item = item;
  node->prev = list->last;
  if (list->last != nullptr) {
    list->last->next = node;
  } else {
    list->first = node;
  }
  list->last = node;
  list->current = node;
  ++list->count;
  return 1;
}

void PoolListClear(PoolList* list) {
  if (list == nullptr) return;
  PoolListNode* node = list->first;
  while (node != nullptr) {
    PoolListNode* next = node->next;
    PoolFree(list->pool, node);
    node = next;
  }
  list->first = list->current = list->last = nullptr;
  list->count = 0;
}

void PoolListDestroy(PoolList* list) {
  if (list == nullptr) return;
  PoolListClear(list);
  PoolFree(list->pool, list);
}

}  // extern "C"
