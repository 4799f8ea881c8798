// The print hand-over: one entry "NAME.srs" in the instance's own library,
// under the wait cursor, and nothing of it left in the pool afterwards.
#include "editor/window/print_structure.h"

#include "qst/host_pool.h"
#include "qst/host_print.h"
#include "quill/src/pool.h"
#include "row_text_fixture.h"

namespace row_text_test {
namespace {

using PrintStructureTest = EditorRowsTest;

TEST_F(PrintStructureTest, HandsOverTheStoredEntryAndFreesEverything) {
  ed_->document.libraryName = PoolStrDup(ed_->pool, "app.lib", 0);
  ed_->document.structureName = PoolStrDup(ed_->pool, "s_address", 0);
  const char* library = ed_->document.libraryName;
  const int blocks = ed_->pool->liveBlocks();
  HCURSOR before = GetCursor();

  PrintStructure(ed_, 1);

  ASSERT_EQ(frontEnd_.printCalls, 1);
  ASSERT_EQ(frontEnd_.printed.size(), 1u);
  EXPECT_EQ(frontEnd_.printed[0].library, "app.lib");
  EXPECT_EQ(frontEnd_.printed[0].entry, "s_address.srs");
  EXPECT_EQ(frontEnd_.printed[0].flag, 1);
  EXPECT_TRUE(frontEnd_.waitCursorWhilePrinting);
  EXPECT_EQ(GetCursor(), before);
  EXPECT_EQ(ed_->pool->liveBlocks(), blocks);
  EXPECT_EQ(ed_->document.libraryName, library);
  EXPECT_STREQ(ed_->document.libraryName, "app.lib");
}

TEST_F(PrintStructureTest, EntryWithoutLibraryInAnEmbeddedEditor) {
  ed_->document.structureName = PoolStrDup(ed_->pool, "s_local", 0);
  PrintStructure(ed_, 1);
  ASSERT_EQ(frontEnd_.printed.size(), 1u);
  EXPECT_EQ(frontEnd_.printed[0].library, "");
  EXPECT_EQ(frontEnd_.printed[0].entry, "s_local.srs");
}

TEST_F(PrintStructureTest, UntitledStructurePrintsNothing) {
  ed_->document.libraryName = PoolStrDup(ed_->pool, "app.lib", 0);
  const int blocks = ed_->pool->liveBlocks();
  PrintStructure(ed_, 1);
  EXPECT_EQ(frontEnd_.printCalls, 0);
  EXPECT_EQ(ed_->pool->liveBlocks(), blocks);
}

TEST_F(PrintStructureTest, ExhaustedPoolPrintsNothingAndLeaksNothing) {
  ed_->document.structureName = PoolStrDup(ed_->pool, "s_address", 0);
  const int blocks = ed_->pool->liveBlocks();
  HCURSOR before = GetCursor();
  // Room for the list alone; for the list and the entry but not its name; for
  // all but the list node.
  for (std::size_t room : {sizeof(PoolList), sizeof(PoolList) + sizeof(PrintEntry),
                           sizeof(PoolList) + sizeof(PrintEntry) + sizeof("s_address.srs")}) {
    ed_->pool->setLimit(ed_->pool->liveBytes() + room);
    PrintStructure(ed_, 1);
    ed_->pool->setLimit(0);
    EXPECT_EQ(frontEnd_.printCalls, 0);
    EXPECT_EQ(ed_->pool->liveBlocks(), blocks);
    EXPECT_EQ(GetCursor(), before);
  }
}

}  // namespace
}  // namespace row_text_test
