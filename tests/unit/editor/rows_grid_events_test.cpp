// Grid notifications on a live editor: cell changes, typing, drags.
#include <string>
#include <vector>

#include "editor/rows/pointer_text.h"
#include "qst_editor/undo_action.h"
#include "quill/src/pool.h"
#include "rows_editor_fixture.h"

namespace rows_test {
namespace {

TEST(PointerTextTest, SplitsObjectAndRowAtAnyNonTokenByte) {
  struct Case {
    const char* text;
    const char* object;
    std::uint32_t row;
  };
  const Case cases[] = {
      {"var_row\t5", "var_row", 5},
      {"var_name 12", "var_name", 12},
      {"var_row~7", "var_row", 7},  // '~' lies past the token range
      {"a}b|c\t4", "a}b|c", 4},     // '}' and '|' are token characters
      {"var_row\xAE"
       "3",
       "var_row", 3},                 // high bytes separate
      {"var_row\t-5", "var_row", 5},  // '-' separates, it is no sign
      {"\t\t var_dec \t 9 \t", "var_dec", 9},
      {"var_row", "var_row", 0},  // no second token: no row
      {"var_row\t0", "var_row", 0},
      {"var_row\trow", "var_row", 0},
      {"", "", 0},
  };
  for (const Case& c : cases) {
    char object[32];
    EXPECT_EQ(ParsePointerText(c.text, object, sizeof object), c.row) << c.text;
    EXPECT_STREQ(object, c.object) << c.text;
  }
}

TEST(PointerTextTest, KeepsTheObjectWithinItsBuffer) {
  const std::string longName(100, 'x');
  const std::string text = longName + "\t8";
  char object[8];
  EXPECT_EQ(ParsePointerText(text.c_str(), object, sizeof object), 8u);
  EXPECT_STREQ(object, "xxxxxxx");
  EXPECT_EQ(ParsePointerText(nullptr, object, sizeof object), 0u);
  EXPECT_EQ(ParsePointerText("var_row\t2", nullptr, 0), 2u);
}

class GridEventsTest : public RowsEditorTest {
 protected:
  void Type(std::uint32_t row, int column, const std::string& text) {
    sheet_->userSetCurrentCell(row, column);
    for (char c : text) sheet_->userTypeChar(c);
  }
  void Press(std::uint32_t row, bool shift = false, bool ctrl = false) {
    frontEnd_.shift = shift;
    frontEnd_.ctrl = ctrl;
    sheet_->userMousePress("var_row", row);
    frontEnd_.shift = frontEnd_.ctrl = false;
  }
  void Drag(std::uint32_t from, std::uint32_t to) {
    Press(from);
    sheet_->userMouseMove("var_row", to);
    sheet_->userMouseRelease("var_row", to);
  }
};

TEST_F(GridEventsTest, TypingANameOpensTheNextEntryRowOnce) {
  ASSERT_EQ(sheet_->rowCount(), 12u);
  Type(1, 1, "ab");
  EXPECT_EQ(sheet_->rowCount(), 13u);
  EXPECT_EQ(ed_->document.entryRow, 2);
  EXPECT_EQ(RowsEditorTest::Type(1), "string");
  EXPECT_EQ(sheet_->cellText(2, 4), kEntryRowMarker);
  EXPECT_EQ(ed_->undo.lastAction, UndoType);
  EXPECT_EQ(ed_->document.changed, 1);
}

TEST_F(GridEventsTest, NewVariableTakesTypeAndDecimalsFromTheRowAbove) {
  MakeRows({"1", "2", "3"});
  GridSetItemText(grid_, 3, 2, "dec");
  SetDecimals(3, 2);
  Type(4, 1, "x");
  EXPECT_EQ(RowsEditorTest::Type(3), "decimal");
  EXPECT_EQ(RowsEditorTest::Type(4), "decimal");
  EXPECT_EQ(sheet_->cellNumber(4, 3).value_or(-1), 2);
  EXPECT_EQ(ed_->document.entryRow, 5);
  sheet_->userSetCurrentCell(5, 1);  // commits the typed name
  EXPECT_EQ(Rows(), "1 2 3 x .E");
}

TEST_F(GridEventsTest, ATypeTypedFirstIsKept) {
  MakeRows({"1"});
  Type(2, 2, "long");
  EXPECT_EQ(sheet_->rowCount(), 2u);
  Type(2, 1, "n");
  EXPECT_EQ(sheet_->rowCount(), 3u);
  EXPECT_EQ(RowsEditorTest::Type(2), "long");
  EXPECT_EQ(ed_->document.entryRow, 3);
}

TEST_F(GridEventsTest, LeavingATypeCellNormalisesItAndClearsStrayDecimals) {
  MakeRows({"a", "b"});
  GridSetItemText(grid_, 1, 2, "double");
  SetDecimals(1, 5);
  GridSetItemText(grid_, 2, 2, "Dec");
  SetDecimals(2, 4);
  sheet_->userSetCurrentCell(1, 2);
  sheet_->userSetCurrentCell(2, 2);
  EXPECT_FALSE(sheet_->cellNumber(1, 3).has_value());
  sheet_->userSetCurrentCell(2, 1);
  EXPECT_EQ(RowsEditorTest::Type(2), "decimal");
  EXPECT_EQ(sheet_->cellNumber(2, 3).value_or(-1), 4);
}

TEST_F(GridEventsTest, ShiftRangesOnlyGrowTheTrackedBounds) {
  MakeRows({"1", "2", "3", "4", "5", "6", "7", "8", "9"});
  Press(5);
  Press(8, true);
  EXPECT_EQ(Rows(), "1 2 3 4 5* 6* 7* 8* 9 .E");
  EXPECT_EQ(ed_->selection.selFirst, 5);
  EXPECT_EQ(ed_->selection.selLast, 8);
  Press(6, true);
  EXPECT_EQ(Rows(), "1 2 3 4 5* 6* 7 8 9 .E");
  EXPECT_EQ(ed_->selection.selLast, 8);
  // A drop strictly inside the tracked bounds is ignored.
  Drag(5, 7);
  EXPECT_EQ(Rows(), "1 2 3 4 5* 6* 7 8 9 .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);
}

TEST_F(GridEventsTest, CtrlTogglesRowsAndShiftNeedsAnAnchor) {
  MakeRows({"1", "2", "3", "4"});
  sheet_->userMousePress("var_name", 1);  // a press on a data cell forgets the anchor
  Press(3, true);
  EXPECT_EQ(Rows(), "1 2 3 4 .E");
  Press(2, false, true);
  Press(4, false, true);
  EXPECT_EQ(Rows(), "1 2* 3 4* .E");
  Press(4, false, true);
  EXPECT_EQ(Rows(), "1 2* 3 4 .E");
  EXPECT_EQ(ed_->selection.selFirst, 2);
  EXPECT_EQ(ed_->selection.selLast, 0);
  sheet_->userMousePress("var_name", 1);
  EXPECT_EQ(Rows(), "1 2 3 4 .E");
  EXPECT_EQ(ed_->selection.dragState, DragPressed);
  EXPECT_EQ(ed_->selection.pressRow, 0);
}

TEST_F(GridEventsTest, DraggingABlockDownMovesItAndMarksTheStructureChanged) {
  MakeRows({"1", "2", "3", "4", "5"});
  Press(2);
  Press(3, true);
  Drag(3, 6);
  EXPECT_EQ(Rows(), "1 4 5 2 3 .E");
  EXPECT_EQ(ed_->document.entryRow, 6);
  EXPECT_EQ(ed_->document.changed, 1);
  EXPECT_EQ(ed_->undo.lastAction, UndoDragDrop);
  EXPECT_EQ(sheet_->currentRow(), 6u);
  EXPECT_EQ(ed_->selection.dragState, DragIdle);
}

TEST_F(GridEventsTest, TheDropLineFollowsThePointer) {
  MakeRows({"1", "2", "3", "4"});
  Press(1);
  sheet_->takeAssignments();
  sheet_->userMouseMove("var_row", 2);  // starts the drag, no line yet
  sheet_->userMouseMove("var_row", 4);
  const std::vector<std::string> expected = {"dragline.visible=FALSE", "dragline.y1=84", "dragline.y2=84",
                                             "dragline.visible=TRUE"};
  EXPECT_EQ(sheet_->takeAssignments(), expected);
}

TEST_F(GridEventsTest, ARowDroppedOntoItselfIsNoChange) {
  MakeRows({"1", "2", "3"});
  Press(2);
  sheet_->userMouseRelease("var_row", 2);
  Press(2);  // the only selected row: the drag starts at once
  sheet_->userMouseRelease("var_row", 2);
  EXPECT_EQ(Rows(), "1 2 3 .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoDragDrop);
  EXPECT_EQ(ed_->document.changed, 0);
}

TEST_F(GridEventsTest, ADropOverNoRowBeforeAnyDragMovesNothing) {
  MakeRows({"1", "2", "3"});
  ASSERT_EQ(ed_->selection.dropRow, 0);
  Press(2);
  Press(2);
  sheet_->userMouseRelease("", 0);
  EXPECT_EQ(Rows(), "1 2* 3 .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);
  EXPECT_EQ(ed_->document.changed, 0);
  EXPECT_EQ(ed_->selection.dragState, DragIdle);
}

TEST_F(GridEventsTest, ADropWithoutMemoryForItsSnapshotKeepsTheRowsAndTheMarker) {
  MakeRows({"1", "2", "3"});
  Press(2);
  ed_->pool->setLimit(ed_->pool->liveBytes() + 1);  // 0 would mean no limit
  Drag(2, 4);
  ed_->pool->setLimit(0);
  EXPECT_EQ(Rows(), "1 2* 3 .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);
  EXPECT_EQ(ed_->document.changed, 0);
  EXPECT_EQ(sheet_->currentRow(), 4u);
  EXPECT_TRUE(sheet_->redrawEnabled());
}

TEST_F(GridEventsTest, DraggingTheEntryRowTakesItsMarkerAlong) {
  MakeRows({"1", "2", "3"});
  Drag(4, 1);
  EXPECT_EQ(Rows(), ".E 1 2 3");
  EXPECT_EQ(ed_->document.entryRow, 1);
}

}  // namespace
}  // namespace rows_test
