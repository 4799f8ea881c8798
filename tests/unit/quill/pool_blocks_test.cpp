// Pools: blocks, strings, numbers from text, and what a pool does with frees
// it cannot honour.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "quill/src/pool.h"

namespace {

TEST(PoolBlocks, BlocksAreZeroFilledCountedAndGivenBack) {
  HostPool pool;
  auto* a = static_cast<unsigned char*>(PoolAlloc(&pool, 64, 0));
  auto* b = PoolAlloc(&pool, 0, 0);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(static_cast<void*>(a), b);  // even an empty block has its own address
  for (int i = 0; i < 64; ++i) EXPECT_EQ(a[i], 0) << "byte " << i;
  EXPECT_EQ(pool.liveBlocks(), 2);
  PoolFree(&pool, a);
  PoolFree(&pool, b);
  PoolFree(&pool, nullptr);
  EXPECT_EQ(pool.liveBlocks(), 0);
  EXPECT_EQ(pool.liveBytes(), 0u);
  EXPECT_EQ(pool.faults(), 0);
}

TEST(PoolBlocks, StrDupCopiesIntoThePool) {
  HostPool pool;
  char text[] = "s_address";
  char* copy = PoolStrDup(&pool, text, 0);
  ASSERT_NE(copy, nullptr);
  text[0] = 'X';  // the copy does not share the caller's bytes
  EXPECT_STREQ(copy, "s_address");
  EXPECT_EQ(pool.liveBlocks(), 1);
  EXPECT_EQ(PoolStrDup(&pool, nullptr, 0), nullptr);
  EXPECT_EQ(PoolStrDup(nullptr, "x", 0), nullptr);
  char* empty = PoolStrDup(&pool, "", 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  PoolFree(&pool, copy);
  PoolFree(&pool, empty);
  EXPECT_EQ(pool.liveBlocks(), 0);
}

TEST(PoolBlocks, DoubleAndForeignFreesAreIgnoredAndCounted) {
  HostPool pool;
  HostPool other;
  pool.setAssertOnFault(false);
  void* kept = PoolAlloc(&pool, 16, 0);
  void* freed = PoolAlloc(&pool, 16, 0);
  void* foreign = PoolAlloc(&other, 16, 0);
  PoolFree(&pool, freed);
  PoolFree(&pool, freed);    // twice
  PoolFree(&pool, foreign);  // belongs to the other pool
  EXPECT_EQ(pool.faults(), 2);
  EXPECT_EQ(pool.liveBlocks(), 1);
  EXPECT_TRUE(pool.owns(kept));
  // The foreign block is untouched and still the other pool's.
  EXPECT_TRUE(other.owns(foreign));
  std::memset(foreign, 0x5A, 16);
  PoolFree(&other, foreign);
  EXPECT_EQ(other.faults(), 0);
  PoolFree(&pool, kept);
}

TEST(PoolBlocks, DoubleFreeStopsDebugBuilds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEBUG_DEATH(
      {
        HostPool pool;
        void* block = PoolAlloc(&pool, 8, 0);
        PoolFree(&pool, block);
        PoolFree(&pool, block);
      },
      "freed twice");
}

TEST(PoolBlocks, LimitMakesAllocationsFailUntilBlocksComeBack) {
  HostPool pool;
  pool.setLimit(100);
  void* a = PoolAlloc(&pool, 60, 0);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(PoolAlloc(&pool, 41, 0), nullptr);
  EXPECT_EQ(PoolStrDup(&pool, std::string(40, 'x').c_str(), 0), nullptr);  // 41 bytes with its NUL
  EXPECT_EQ(pool.liveBlocks(), 1);
  void* b = PoolAlloc(&pool, 40, 0);
  EXPECT_NE(b, nullptr);
  PoolFree(&pool, a);
  EXPECT_NE(PoolAlloc(&pool, 60, 0), nullptr);
  // Absurd sizes fail without a limit too.
  HostPool unlimited;
  EXPECT_EQ(PoolAlloc(&unlimited, 0xFFFFFFFFu, 0), nullptr);
  EXPECT_EQ(PoolAlloc(nullptr, 8, 0), nullptr);
}

struct TextToIntCase {
  const char* text;
  std::int32_t value;
};

TEST(PoolTextToInt, ReadsDecimalTextWithSignsBlanksAndLimits) {
  const TextToIntCase cases[] = {
      {"0", 0},
      {"18", 18},
      {"  42", 42},
      {"\t7", 7},
      {"-5", -5},
      {"+12", 12},
      {"12abc", 12},
      {"3.75", 3},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"+-3", 0},
      {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},
      {"99999999999999999999999", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"-2147483649", INT32_MIN},
      {"-99999999999999999999999", INT32_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(PoolTextToInt(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(PoolTextToInt(nullptr), 0);
}

}  // namespace
