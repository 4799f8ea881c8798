// Undo and redo of row edits: what comes back, where the entry row ends, and
// that every undo or redo that changes rows marks the structure changed.
#include "editor/rows/undo.h"

#include "editor/commands/row_commands.h"
#include "qst_editor/undo_action.h"
#include "row_text_fixture.h"

namespace row_text_test {
namespace {

using UndoRows = EditorRowsTest;

TEST_F(UndoRows, CutUndoneAtTheRecordedRowsThenCutAgain) {
  MakeRows({"v1:integer", "v2:integer", "v3:integer", "v4:integer"});
  Select({1, 3});
  CutOrCopyCommand(ed_, true);
  ASSERT_EQ(Rows(), "v2=integer v4=integer .E");
  ed_->document.changed = 0;

  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "v1=integer* v2=integer v3=integer* v4=integer .E");
  EXPECT_EQ(ed_->document.entryRow, 5);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsCutUndone);
  EXPECT_EQ(ed_->document.changed, 1);

  ed_->document.changed = 0;
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "v2=integer v4=integer .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsCut);
  EXPECT_EQ(ed_->document.changed, 1);
}

// Without the restored rows selected, a repeated Cut or Clear would fall back
// to the cell's text and record it as a row edit: it does nothing instead.
TEST_F(UndoRows, RepeatNeedsTheRestoredRowsSelected) {
  for (const bool cut : {true, false}) {
    MakeRows({"a:integer", "b:integer"});
    Select({1});
    if (cut) {
      CutOrCopyCommand(ed_, true);
    } else {
      ClearCommand(ed_);
    }
    UndoLastAction(ed_, ed_->editorWindow);
    const std::int32_t undone = ed_->undo.lastAction;
    ASSERT_EQ(undone, cut ? UndoRowsCutUndone : UndoRowsClearUndone);
    GridSelectRow(grid_, 1, false);
    GridSetCurrentCell(grid_, 2, 1);  // "b", all of it selected in the edit control
    UndoLastAction(ed_, ed_->editorWindow);
    EXPECT_EQ(ed_->undo.lastAction, undone);
    EXPECT_EQ(Rows(), "a=integer b=integer .E");
    EXPECT_EQ(Clipboard(), "\tinteger\t\ta\r\n");
    char text[8] = {};
    GetWindowTextA(GridEditControl(grid_), text, sizeof text);
    EXPECT_STREQ(text, "b");
  }
}

TEST_F(UndoRows, ClearedEntryRowComesBackWithItsRows) {
  MakeRows({"a:integer", "b:integer"});  // entry row 3
  Select({2, 3});
  ClearCommand(ed_);
  ASSERT_EQ(Rows(), "a=integer .E");
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "a=integer b=integer* .E");
  EXPECT_EQ(ed_->document.entryRow, 3);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsClearUndone);
}

TEST_F(UndoRows, RestoreWithoutMarkedRowGetsANewEntryRow) {
  MakeRows({"a:integer", "b:integer"});
  Select({1});
  CutOrCopyCommand(ed_, true);
  GridSetItemText(grid_, static_cast<std::uint32_t>(ed_->document.entryRow), 4, "");
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "a=integer* b=integer . .E");
  EXPECT_EQ(ed_->document.entryRow, 4);
}

TEST_F(UndoRows, PasteUndoneAndRedoneAboveTheEntryRow) {
  MakeRows({"v1:integer", "v2:integer", "v3:integer", "v4:integer", "v5:integer", "v6:integer", "v7:integer",
            "v8:integer"});  // entry row 9
  GridSetCurrentCell(grid_, 4, 1);
  PlatformClipboardFromOutside("\tstring\t\tp1\r\n\tstring\t\tp2\r\n\tstring\t\tp3\r\n");
  PasteCommand(ed_);
  ASSERT_EQ(ed_->document.entryRow, 12);
  ed_->document.changed = 0;

  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(GridRowCount(grid_), 9u);
  EXPECT_EQ(ed_->document.entryRow, 9);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsPasteUndone);
  EXPECT_EQ(ed_->document.changed, 1);

  ed_->document.changed = 0;
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(sheet_->cellText(9, 1), "p1");
  EXPECT_EQ(sheet_->cellText(11, 1), "p3");
  EXPECT_EQ(ed_->document.entryRow, 12);
  EXPECT_EQ(ed_->undo.undoRow, 9);
  EXPECT_EQ(ed_->undo.pastedCount, 3);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsPaste);
  EXPECT_EQ(ed_->document.changed, 1);

  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(GridRowCount(grid_), 9u);
  EXPECT_EQ(ed_->document.entryRow, 9);
}

TEST_F(UndoRows, InsertRowEndsAnUndoThatWouldDeleteRowsByPosition) {
  MakeRows({"v1:integer", "v2:integer", "v3:integer", "v4:integer"});  // entry row 5
  GridSetCurrentCell(grid_, 4, 1);
  PlatformClipboardFromOutside("\tstring\t\tp1\r\n\tstring\t\tp2\r\n");
  PasteCommand(ed_);
  ASSERT_EQ(Rows(), "v1=integer v2=integer v3=integer p1=string p2=string v4=integer .E");

  // The entry row moves above row 2: the pasted rows now stand one lower.
  GridSetCurrentCell(grid_, 2, 1);
  InsertRowCommand(ed_);
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "v1=integer .E v2=integer v3=integer p1=string p2=string v4=integer");
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);

  // An Insert Row that moves nothing keeps the undo, and so does one after a
  // clear, whose undo puts rows back rather than deleting them.
  ed_->undo.lastAction = UndoDragDrop;
  GridSetCurrentCell(grid_, 3, 1);
  InsertRowCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoDragDrop);
  ed_->undo.lastAction = UndoRowsClear;
  GridSetCurrentCell(grid_, 5, 1);
  InsertRowCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsClear);
  ed_->undo.lastAction = UndoDragDrop;
  GridSetCurrentCell(grid_, 1, 1);
  InsertRowCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);
}

// The entry row moving below or above the pasted rows without crossing them
// leaves their numbers as they were, so their undo still removes exactly them.
TEST_F(UndoRows, InsertRowOnOneSideOfThePastedRowsKeepsTheirUndo) {
  MakeRows({"v1:integer", "v2:integer", "v3:integer", "v4:integer", "v5:integer"});  // entry row 6
  GridSetCurrentCell(grid_, 2, 1);
  PlatformClipboardFromOutside("\tstring\t\tp1\r\n\tstring\t\tp2\r\n");
  PasteCommand(ed_);
  ASSERT_EQ(ed_->document.entryRow, 8);
  GridSetCurrentCell(grid_, 6, 1);
  InsertRowCommand(ed_);
  ASSERT_EQ(Rows(), "v1=integer p1=string p2=string v2=integer v3=integer .E v4=integer v5=integer");
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsPaste);
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "v1=integer v2=integer v3=integer .E v4=integer v5=integer");
  EXPECT_EQ(ed_->document.entryRow, 4);

  // Entry row above the pasted rows, moved down but still above them.
  MakeRows({"v1:integer", "v2:integer", "v3:integer", "v4:integer"});
  GridSetCurrentCell(grid_, 1, 1);
  InsertRowCommand(ed_);  // entry row 1
  GridSetCurrentCell(grid_, 4, 1);
  PasteCommand(ed_);
  ASSERT_EQ(Rows(), ".E v1=integer v2=integer p1=string p2=string v3=integer v4=integer");
  GridSetCurrentCell(grid_, 3, 1);
  InsertRowCommand(ed_);
  ASSERT_EQ(Rows(), "v1=integer .E v2=integer p1=string p2=string v3=integer v4=integer");
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsPaste);
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "v1=integer .E v2=integer v3=integer v4=integer");
  EXPECT_EQ(ed_->document.entryRow, 2);

  // Into the pasted rows: the undo ends.
  ed_->undo.lastAction = UndoRowsPaste;
  ed_->undo.undoRow = 3;
  ed_->undo.pastedCount = 2;
  GridSetCurrentCell(grid_, 4, 1);
  InsertRowCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);
}

TEST_F(UndoRows, RemovingAnEmptyPasteChangesNothing) {
  MakeRows({"a:integer"});
  ed_->undo.lastAction = UndoRowsCopy;
  PlatformClipboardFromOutside("\r\n");
  PasteCommand(ed_);
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(Rows(), "a=integer .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsPasteUndone);
  EXPECT_EQ(ed_->document.changed, 0);
}

TEST_F(UndoRows, CopiesAndUnknownValuesUndoNothing) {
  MakeRows({"a:integer", "b:integer"});
  for (std::int32_t value : {0, 1, 4, 5, 8, 13, 14, 21, -1}) {
    ed_->undo.lastAction = value;
    UndoLastAction(ed_, ed_->editorWindow);
    EXPECT_EQ(ed_->undo.lastAction, value);
    EXPECT_EQ(Rows(), "a=integer b=integer .E");
  }
}

TEST_F(UndoRows, TextUndoAlternatesAndRecordsWhatItUndid) {
  MakeRows({"a:integer"});
  GridSetCurrentCell(grid_, 1, 1);
  ed_->undo.lastAction = UndoType;
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(ed_->undo.lastAction, UndoTextUndone);
  EXPECT_EQ(ed_->undo.undoneAction, UndoType);
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(ed_->undo.lastAction, UndoTextRedone);
  EXPECT_EQ(ed_->undo.undoneAction, UndoTextUndone);
  UndoLastAction(ed_, ed_->editorWindow);
  EXPECT_EQ(ed_->undo.lastAction, UndoTextUndone);
  EXPECT_EQ(ed_->undo.undoneAction, UndoTextRedone);
}

}  // namespace
}  // namespace row_text_test
