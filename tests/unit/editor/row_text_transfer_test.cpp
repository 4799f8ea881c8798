// Rows to clipboard text and back: CopySelectedRowsToText, InsertRowsFromText
// and DeleteSelectedRows on a live grid and pool.
#include <string>
#include <vector>

#include "editor/commands/row_delete.h"
#include "editor/commands/row_text_copy.h"
#include "editor/commands/row_text_parse.h"
#include "editor/commands/row_text_paste.h"
#include "quill/src/pool.h"
#include "row_text_fixture.h"

namespace row_text_test {
namespace {

std::string BlockText(HGLOBAL block) {
  const auto* text = static_cast<const char*>(GlobalLock(block));
  std::string out = text != nullptr ? text : "<unlockable>";
  GlobalUnlock(block);
  return out;
}

using RowTextTransfer = EditorRowsTest;

TEST_F(RowTextTransfer, CopyWritesVariableLinesAndRecordsEverySelectedRow) {
  MakeRows({"count:integer", ":", "amount:decimal:2", "total:Dec:3"});
  Select({1, 2, 3, 4});
  HGLOBAL block = CopySelectedRowsToText(ed_);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(BlockText(block), "\tinteger\t\tcount\r\n\tdecimal {2}\tamount\r\n\tdecimal {3}\ttotal\r\n");
  EXPECT_EQ(GlobalSize(block), 4u * kRowTextBytesPerRow);
  EXPECT_EQ(CutRowList(), (std::vector<std::uint32_t>{4, 1, 2, 3, 4}));
  // Reading the rows wrote their types back in normal form.
  EXPECT_EQ(sheet_->cellText(4, 2), "decimal");
  GlobalFree(block);
}

TEST_F(RowTextTransfer, CopyOfOneEmptyRowGivesEmptyText) {
  MakeRows({"a:integer", ":", "b:integer"});
  Select({2});
  HGLOBAL block = CopySelectedRowsToText(ed_);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(BlockText(block), "");
  EXPECT_EQ(CutRowList(), (std::vector<std::uint32_t>{1, 2}));
  GlobalFree(block);
}

TEST_F(RowTextTransfer, CopyWithoutSelectionKeepsTheRecordedRows) {
  MakeRows({"a:integer", "b:integer"});
  Select({2});
  GlobalFree(CopySelectedRowsToText(ed_));
  GridSelectRow(grid_, 2, false);
  EXPECT_EQ(CopySelectedRowsToText(ed_), nullptr);
  EXPECT_EQ(CutRowList(), (std::vector<std::uint32_t>{1, 2}));
}

TEST_F(RowTextTransfer, CopyWithExhaustedPoolDropsTheRecordedRows) {
  MakeRows({"a:integer", "b:integer"});
  Select({1});
  GlobalFree(CopySelectedRowsToText(ed_));
  ASSERT_NE(ed_->undo.cutRowList, nullptr);
  ed_->pool->setLimit(ed_->pool->liveBytes());
  Select({1, 2});
  EXPECT_EQ(CopySelectedRowsToText(ed_), nullptr);
  EXPECT_EQ(ed_->undo.cutRowList, nullptr);
  ed_->pool->setLimit(0);
}

TEST_F(RowTextTransfer, CopyOfLongestNamesStaysInsideTheLine) {
  const std::string name(60, 'n');
  const std::string type = "decimal" + std::string(50, 'x');
  MakeRows({"a:integer"});
  GridSetItemText(grid_, 1, 1, name.c_str());
  GridSetItemText(grid_, 1, 2, type.c_str());
  Select({1});
  HGLOBAL block = CopySelectedRowsToText(ed_);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(BlockText(block), "\t" + type.substr(0, 41) + "\t\t" + name.substr(0, 41) + "\r\n");
  GlobalFree(block);
}

TEST_F(RowTextTransfer, InsertConsecutiveWritesFieldsAndDecimalsOnlyForDecimal) {
  MakeRows({"a:integer", "b:integer"});
  HGLOBAL block = TextBlock("\tdecimal {2}\tamount\r\n\tDecimal {2} up\r\n\tlong\t\tn\r\n");
  EXPECT_EQ(InsertRowsFromText(ed_, block, 2, RowPlacement::Consecutive), 3u);
  EXPECT_EQ(Rows(), "a=integer amount=decimal/2 {2}=Decimal n=long b=integer .E");
  GlobalFree(block);
}

TEST_F(RowTextTransfer, InsertNeverReadsPastABlockWithoutNul) {
  MakeRows({});
  // The block ends inside the second line, with no NUL anywhere: that line
  // ends with the block.
  HGLOBAL block = RawBlock("\tinteger\t\ta\r\n\tinteger\t\tb");
  EXPECT_EQ(InsertRowsFromText(ed_, block, 1, RowPlacement::Consecutive), 2u);
  EXPECT_EQ(Rows(), "a=integer b=integer .E");
  GlobalFree(block);
}

TEST_F(RowTextTransfer, InsertSkipsLinesWithoutFields) {
  MakeRows({});
  HGLOBAL block = TextBlock("\tinteger\t\ta\r\n\r\n\tinteger\t\tb\r\n");
  EXPECT_EQ(InsertRowsFromText(ed_, block, 1, RowPlacement::Consecutive), 2u);
  GlobalFree(block);
  block = TextBlock("");
  EXPECT_EQ(InsertRowsFromText(ed_, block, 1, RowPlacement::Consecutive), 0u);
  GlobalFree(block);
  EXPECT_EQ(InsertRowsFromText(ed_, nullptr, 1, RowPlacement::Consecutive), 0u);
  EXPECT_EQ(Rows(), "a=integer b=integer .E");
}

TEST_F(RowTextTransfer, RestorePairsLinesWithRecordedRowsAndSelectsThem) {
  // Rows 2 (a variable), 3 (empty) and 4 (a variable) were cut: two lines, three rows.
  MakeRows({"v1:integer", "v2:integer", ":", "v3:integer", "v4:integer"});
  Select({2, 3, 4});
  HGLOBAL block = CopySelectedRowsToText(ed_);
  ASSERT_NE(block, nullptr);
  while (GridNextSelectedRow(grid_, 0) != 0) GridDeleteRow(grid_, GridNextSelectedRow(grid_, 0));
  EXPECT_EQ(InsertRowsFromText(ed_, block, 99, RowPlacement::Restore), 2u);
  EXPECT_EQ(Rows(), "v1=integer v2=integer* v3=integer* v4=integer .E");
  GlobalFree(block);
}

TEST_F(RowTextTransfer, RestoreInsertsNoMoreLinesThanRowsRecorded) {
  MakeRows({"a:integer", "b:integer"});
  HGLOBAL block = TextBlock("\tinteger\t\tx\r\n\tinteger\t\ty\r\n");
  EXPECT_EQ(InsertRowsFromText(ed_, block, 1, RowPlacement::Restore), 0u);  // nothing recorded yet
  Select({2});
  GlobalFree(CopySelectedRowsToText(ed_));
  GridSelectRow(grid_, 2, false);
  EXPECT_EQ(InsertRowsFromText(ed_, block, 1, RowPlacement::Restore), 1u);
  EXPECT_EQ(Rows(), "a=integer x=integer* b=integer .E");
  GlobalFree(block);
}

TEST_F(RowTextTransfer, RestoreAtARowTheGridLacksWritesNothing) {
  MakeRows({"a:integer"});
  Select({1});
  GlobalFree(CopySelectedRowsToText(ed_));
  ed_->undo.cutRowList[1] = 50;
  HGLOBAL block = TextBlock("\tinteger\t\tx\r\n");
  EXPECT_EQ(InsertRowsFromText(ed_, block, 0, RowPlacement::Restore), 0u);
  EXPECT_EQ(GridRowCount(grid_), 2u);
  GlobalFree(block);
}

TEST_F(RowTextTransfer, InsertWithExhaustedPoolInsertsNothingAndLeaksNothing) {
  MakeRows({"a:integer"});
  const int blocks = ed_->pool->liveBlocks();
  ed_->pool->setLimit(ed_->pool->liveBytes() + 4);
  HGLOBAL block = TextBlock("\tinteger\t\tx\r\n");
  EXPECT_EQ(InsertRowsFromText(ed_, block, 1, RowPlacement::Consecutive), 0u);
  ed_->pool->setLimit(0);
  EXPECT_EQ(Rows(), "a=integer .E");
  EXPECT_EQ(ed_->pool->liveBlocks(), blocks);
  GlobalFree(block);
}

TEST_F(RowTextTransfer, OverlongWordsAreCutToWhatACellLengthCanReport) {
  MakeRows({});
  std::string text = "\tinteger\t\t" + std::string(40000, 'w') + "\r\n";
  HGLOBAL block = RawBlock(text);
  EXPECT_EQ(InsertRowsFromText(ed_, block, 1, RowPlacement::Consecutive), 1u);
  EXPECT_EQ(sheet_->cellText(1, 1).size(), kPastedWordMax);
  GlobalFree(block);
}

TEST_F(RowTextTransfer, DeleteSelectedCountsOnlyRowsAboveTheEntryRow) {
  MakeRows({"v1:integer", "v2:integer", "v3:integer", "v4:integer"});  // entry row 5
  GridInsertRow(grid_, 0);
  GridSetItemText(grid_, 6, 1, "v6");
  Select({1, 2, 6});
  EXPECT_EQ(DeleteSelectedRows(ed_), 2u);
  EXPECT_EQ(ed_->document.entryRow, 5);  // left to the caller
  EXPECT_EQ(Rows(), "v3=integer v4=integer .E");
}

// Scattered rows, runs of neighbours and runs reaching past the entry row
// are all deleted, and only those above the entry row are counted.
TEST_F(RowTextTransfer, DeleteSelectedTakesEveryShapeOfSelection) {
  struct Case {
    std::vector<std::uint32_t> selected;
    std::uint32_t above;
    const char* rows;
  };
  const Case cases[] = {
      {{1, 3, 5}, 3, "v2=integer v4=integer .E ."},
      {{2, 3, 4}, 3, "v1=integer v5=integer .E ."},
      {{1, 2, 4, 5}, 4, "v3=integer .E ."},
      {{4, 5, 6, 7}, 2, "v1=integer v2=integer v3=integer"},
      {{5, 7}, 1, "v1=integer v2=integer v3=integer v4=integer .E"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.selected));
    MakeRows({"v1:integer", "v2:integer", "v3:integer", "v4:integer", "v5:integer"});  // entry row 6
    GridInsertRow(grid_, 0);                                                           // an empty row 7 below it
    for (const std::uint32_t row : c.selected) GridSelectRow(grid_, row, true);
    EXPECT_EQ(DeleteSelectedRows(ed_), c.above);
    EXPECT_EQ(Rows(), c.rows);
    EXPECT_EQ(GridNextSelectedRow(grid_, 0), 0u);
  }
}

TEST_F(RowTextTransfer, DeleteSelectedWithTheEntryRowSelected) {
  MakeRows({"a:integer", "b:integer"});  // entry row 3
  GridInsertRow(grid_, 0);
  Select({2, 3, 4});
  EXPECT_EQ(DeleteSelectedRows(ed_), 1u);
  EXPECT_EQ(Rows(), "a=integer");
}

}  // namespace
}  // namespace row_text_test
