// Pool lists: the field layout readers rely on, order, and their blocks.
#include <gtest/gtest.h>

#include "quill/src/pool.h"

namespace {

// Words of a record as a reader that knows only the layout sees them.
void* Word(const void* record, int index) { return static_cast<void* const*>(record)[index]; }

TEST(PoolList, FirstCurrentAndItemSitInTheirWords) {
  HostPool pool;
  PoolList* list = PoolListCreate(&pool, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(Word(list, 1), nullptr);
  EXPECT_EQ(Word(list, 2), nullptr);
  int first = 1, second = 2;
  ASSERT_EQ(PoolListAppend(list, &first), 1);
  ASSERT_EQ(PoolListAppend(list, &second), 1);
  void* firstNode = Word(list, 1);
  ASSERT_NE(firstNode, nullptr);
  EXPECT_EQ(Word(firstNode, 2), &first);
  // A reader sets the current node to the first one and takes its item.
  list->current = list->first;
  EXPECT_EQ(Word(list, 2), firstNode);
  ASSERT_NE(list->first->next, nullptr);
  EXPECT_EQ(list->first->next->item, &second);
  EXPECT_EQ(list->first->next->next, nullptr);
  EXPECT_EQ(list->count, 2u);
  PoolListDestroy(list);
}

TEST(PoolList, ClearAndDestroyGiveEveryNodeBackButNoItem) {
  HostPool pool;
  PoolList* list = PoolListCreate(&pool, 0);
  void* item = PoolAlloc(&pool, 8, 0);
  for (int i = 0; i < 3; ++i) PoolListAppend(list, item);
  EXPECT_EQ(pool.liveBlocks(), 5);  // list, item and three nodes
  PoolListClear(list);
  EXPECT_EQ(pool.liveBlocks(), 2);
  EXPECT_EQ(list->first, nullptr);
  EXPECT_EQ(list->current, nullptr);
  EXPECT_EQ(list->count, 0u);
  ASSERT_EQ(PoolListAppend(list, item), 1);  // a cleared list is usable again
  PoolListDestroy(list);
  EXPECT_EQ(pool.liveBlocks(), 1);
  PoolFree(&pool, item);
  EXPECT_EQ(pool.faults(), 0);
}

TEST(PoolList, ExhaustedPoolLeavesTheListAsItWas) {
  HostPool pool;
  PoolList* list = PoolListCreate(&pool, 0);
  int item = 0;
  ASSERT_EQ(PoolListAppend(list, &item), 1);
  pool.setLimit(pool.liveBytes());
  EXPECT_EQ(PoolListAppend(list, &item), 0);
  EXPECT_EQ(list->count, 1u);
  EXPECT_EQ(list->first, list->last);
  pool.setLimit(0);
  PoolListDestroy(list);
  EXPECT_EQ(pool.liveBlocks(), 0);
  HostPool full;
  full.setLimit(1);
  EXPECT_EQ(PoolListCreate(&full, 0), nullptr);
  EXPECT_EQ(PoolListAppend(nullptr, &item), 0);
  PoolListClear(nullptr);
  PoolListDestroy(nullptr);
}

}  // namespace
