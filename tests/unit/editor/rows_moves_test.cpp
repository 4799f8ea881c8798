// Row moves and finding marked rows on a live editor.
#include "editor/rows/row_moves.h"
#include "qst_editor/undo_action.h"
#include "quill/src/pool.h"
#include "rows_editor_fixture.h"

namespace rows_test {
namespace {

class RowMovesTest : public RowsEditorTest {
 protected:
  // A move as the drop makes it, then its undo as the Undo command makes it.
  void Move(std::uint32_t target) {
    ed_->selection.dropRow = static_cast<std::int32_t>(target);
    ASSERT_EQ(MoveSelectedRows(ed_, target, MoveMode::Move), 1);
    GridSetRedraw(grid_, true);
  }
  void Undo() {
    GridSetItemText(grid_, static_cast<std::uint32_t>(ed_->document.entryRow), 4, "");
    ASSERT_EQ(MoveSelectedRows(ed_, 0, MoveMode::Undo), 1);
    GridSetItemText(grid_, static_cast<std::uint32_t>(ed_->document.entryRow), 4, kEntryRowMarker);
  }
};

TEST_F(RowMovesTest, BlockMovesUpAndItsUndoRestoresEveryRow) {
  MakeRows({"1", "2", "3", "4", "5", "6", "7"});  // entry row 8
  Select({5, 6});
  ed_->selection.anchorRow = 5;
  Move(2);
  EXPECT_EQ(Rows(), "1 5 6 2 3 4 7 .E");
  EXPECT_EQ(ed_->document.entryRow, 8);
  EXPECT_EQ(ed_->undo.undoRow, 8);
  EXPECT_EQ(ed_->undo.lastAction, UndoDragDrop);
  Undo();
  EXPECT_EQ(Rows(), "1 2 3 4 5* 6* 7 .E");
  EXPECT_EQ(ed_->document.entryRow, 8);
}

TEST_F(RowMovesTest, BlockMovesDownPastTheRowsItLeaves) {
  MakeRows({"1", "2", "3", "4", "5"});  // entry row 6
  Select({2, 3});
  ed_->selection.anchorRow = 2;
  Move(6);
  EXPECT_EQ(Rows(), "1 4 5 2 3 .E");
  EXPECT_EQ(MovedBlockFirstRow(ed_), 4u);
  Undo();
  EXPECT_EQ(Rows(), "1 2* 3* 4 5 .E");
}

TEST_F(RowMovesTest, TheEntryRowMovesWithItsMarkerAndComesBack) {
  MakeRows({"1", "2", "3"});  // entry row 4
  GridInsertRow(grid_, 0);    // an ordinary empty row 5 below it
  Select({4});
  ed_->selection.anchorRow = 4;
  GridSetItemText(grid_, 4, 4, "");
  Move(2);
  GridSetItemText(grid_, static_cast<std::uint32_t>(ed_->document.entryRow), 4, kEntryRowMarker);
  EXPECT_EQ(ed_->document.entryRow, 2);
  EXPECT_EQ(Rows(), "1 .E 2 3 .");
  Undo();
  EXPECT_EQ(ed_->document.entryRow, 4);
  EXPECT_EQ(Rows(), "1 2 3 .E* .");
}

TEST_F(RowMovesTest, ARowMovedOntoItselfStaysAndStillCounts) {
  MakeRows({"1", "2", "3"});
  Select({2});
  ed_->undo.lastAction = UndoNone;
  Move(2);
  EXPECT_EQ(Rows(), "1 2 3 .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoDragDrop);
}

// A range chosen with a plain press on its last row and a Ctrl-press above,
// then dropped onto that last row: the anchor is the drop row itself, yet the
// undo must remove the inserted block and no other row.
TEST_F(RowMovesTest, UndoRemovesTheInsertedBlockWhateverTheAnchor) {
  MakeRows({"1", "2", "3", "4", "5", "6", "7"});  // entry row 8
  Select({2, 6});
  ed_->selection.anchorRow = 6;
  Move(6);
  EXPECT_EQ(Rows(), "1 3 4 5 2 6 7 .E");
  Undo();
  EXPECT_EQ(Rows(), "1 2* 3 4 5 6* 7 .E");
  EXPECT_EQ(ed_->document.entryRow, 8);
}

TEST_F(RowMovesTest, SnapshotKeepsTypesAndDecimalsAndReplacesTheLastOne) {
  MakeRows({"a", "b"});
  GridSetItemText(grid_, 2, 2, "dec");
  SetDecimals(2, 3);
  Select({2});
  Move(1);
  EXPECT_EQ(Rows(), "b a .E");
  EXPECT_EQ(Type(1), "decimal");
  EXPECT_EQ(sheet_->cellNumber(1, 3).value_or(-1), 3);
  EXPECT_FALSE(sheet_->cellNumber(2, 3).has_value());
  Select({2});
  Move(1);
  EXPECT_EQ(ed_->undo.moveCount, 1);
  EXPECT_STREQ(ed_->undo.moveSnapshot[0].record.name, "a");
}

TEST_F(RowMovesTest, MovesToNoRowOrPastTheEndLoseNothing) {
  MakeRows({"1", "2", "3"});
  Select({1});
  EXPECT_EQ(MoveSelectedRows(ed_, 0, MoveMode::Move), 0);
  EXPECT_EQ(Rows(), "1* 2 3 .E");
  GridSetItemText(grid_, 4, 4, "");
  ASSERT_EQ(MoveSelectedRows(ed_, 40, MoveMode::Move), 1);
  EXPECT_EQ(Rows(), "2 3 . 1");
  EXPECT_EQ(MovedBlockFirstRow(ed_), 4u);
}

TEST_F(RowMovesTest, WithoutMemoryForASnapshotNothingMoves) {
  MakeRows({"1", "2", "3", "4"});  // entry row 5
  Select({3});
  Move(1);
  ASSERT_EQ(Rows(), "3 1 2 4 .E");
  const MovedRow* previous = ed_->undo.moveSnapshot;
  ed_->undo.lastAction = UndoType;
  Select({2, 3});
  ed_->pool->setLimit(ed_->pool->liveBytes() + 1);  // 0 would mean no limit
  EXPECT_EQ(MoveSelectedRows(ed_, 5, MoveMode::Move), 0);
  ed_->pool->setLimit(0);
  EXPECT_EQ(Rows(), "3 1* 2* 4 .E");
  EXPECT_EQ(ed_->document.entryRow, 5);
  EXPECT_EQ(ed_->undo.lastAction, UndoType);
  EXPECT_EQ(ed_->undo.moveSnapshot, previous);
  EXPECT_EQ(ed_->undo.moveCount, 1);
  EXPECT_TRUE(sheet_->redrawEnabled());
}

// A marked row not found makes callers append another entry row: finding it
// must not depend on pool memory.
TEST_F(RowMovesTest, FindMarkedRowNeedsNoPoolMemory) {
  MakeRows({"1", "2"});
  ed_->pool->setLimit(ed_->pool->liveBytes() + 1);  // 0 would mean no limit
  EXPECT_EQ(FindMarkedRow(ed_, 4, kEntryRowMarker), 3u);
  ed_->pool->setLimit(0);
}

TEST_F(RowMovesTest, UndoWithoutAMoveChangesNothing) {
  MakeRows({"1", "2"});
  EXPECT_EQ(MoveSelectedRows(ed_, 0, MoveMode::Undo), 0);
  EXPECT_EQ(Rows(), "1 2 .E");
}

TEST_F(RowMovesTest, FindMarkedRowFindsTheFirstCellStartingWithTheText) {
  MakeRows({"1", "2", "3"});
  EXPECT_EQ(FindMarkedRow(ed_, 4, kEntryRowMarker), 4u);
  GridSetItemText(grid_, 4, 4, "");
  EXPECT_EQ(FindMarkedRow(ed_, 4, kEntryRowMarker), 0u);
  GridSetItemText(grid_, 2, 1, "abcdef");
  EXPECT_EQ(FindMarkedRow(ed_, 1, "abc"), 2u);
  EXPECT_EQ(FindMarkedRow(ed_, 1, "abd"), 0u);
}

}  // namespace
}  // namespace rows_test
