// The row editing commands on a live editor: what they leave in the grid, the
// clipboard and the instance, including the cases with no current cell and a
// clipboard that another program holds.
#include "editor/commands/row_commands.h"

#include "qst_editor/undo_action.h"
#include "row_text_fixture.h"

namespace row_text_test {
namespace {

using RowCommands = EditorRowsTest;

TEST_F(RowCommands, CutOfRowsMarksTheStructureChanged) {
  MakeRows({"a:integer", "b:integer", "c:integer"});
  Select({2});
  CutOrCopyCommand(ed_, true);
  EXPECT_EQ(Rows(), "a=integer c=integer .E");
  EXPECT_EQ(Clipboard(), "\tinteger\t\tb\r\n");
  EXPECT_EQ(ed_->document.entryRow, 3);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsCut);
  EXPECT_EQ(ed_->document.changed, 1);
  EXPECT_EQ(sheet_->currentRow(), 3u);
  EXPECT_TRUE(sheet_->redrawEnabled());
}

TEST_F(RowCommands, CopyLeavesRowsAndChangedAlone) {
  MakeRows({"a:integer", "b:integer"});
  Select({1, 2});
  CutOrCopyCommand(ed_, false);
  EXPECT_EQ(Rows(), "a=integer b=integer .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsCopy);
  EXPECT_EQ(ed_->document.changed, 0);
}

TEST_F(RowCommands, BusyClipboardStillClearsAndFreesTheText) {
  MakeRows({"a:integer", "b:integer"});
  PlatformClipboardFromOutside("before");
  PlatformClipboardSetBusy(true);
  const int blocks = PlatformLiveGlobalBlocks();
  Select({1});
  ClearCommand(ed_);
  PlatformClipboardSetBusy(false);
  EXPECT_EQ(Rows(), "b=integer .E");
  EXPECT_EQ(PlatformLiveGlobalBlocks(), blocks);
  EXPECT_EQ(Clipboard(), "before");
}

TEST_F(RowCommands, PasteWithoutCurrentCellGoesAboveTheEntryRow) {
  MakeRows({"a:integer"});
  ASSERT_EQ(sheet_->currentRow(), 0u);
  PlatformClipboardFromOutside("\tinteger\t\tx\r\n\tinteger\t\ty\r\n");
  PasteCommand(ed_);
  EXPECT_EQ(Rows(), "a=integer x=integer y=integer .E");
  EXPECT_EQ(ed_->undo.undoRow, 2);
  EXPECT_EQ(ed_->undo.pastedCount, 2);
  EXPECT_EQ(ed_->document.entryRow, 4);
  EXPECT_EQ(ed_->document.changed, 1);
}

TEST_F(RowCommands, PasteThatInsertsNothingLeavesChangedAlone) {
  MakeRows({"a:integer"});
  ed_->undo.lastAction = UndoRowsCopy;
  PlatformClipboardFromOutside("\r\n\n");
  PasteCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsPaste);
  EXPECT_EQ(ed_->undo.pastedCount, 0);
  EXPECT_EQ(ed_->document.changed, 0);
}

TEST_F(RowCommands, PasteModeFromABlockWithoutNul) {
  MakeRows({"a:integer"});
  PutRawBlockOnClipboard("\tinteger\t\tx\r\n\tinteger\t\ty");
  PasteCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsPaste);
  EXPECT_EQ(Rows(), "a=integer x=integer y=integer .E");
}

TEST_F(RowCommands, PasteFromAnUnreadableClipboardChangesNothing) {
  MakeRows({"a:integer"});
  ed_->undo.lastAction = UndoDragDrop;
  PlatformClipboardFromOutside("\tinteger\t\tx\r\n");
  PlatformClipboardSetBusy(true);
  PasteCommand(ed_);
  PlatformClipboardSetBusy(false);
  EXPECT_EQ(ed_->undo.lastAction, UndoDragDrop);
  PlatformClipboardFromOutside(nullptr);
  PasteCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoDragDrop);
  EXPECT_EQ(Rows(), "a=integer .E");
}

TEST_F(RowCommands, ClearKeepsTheEntryRowOnBothSides) {
  MakeRows({"a:integer", "b:integer", "c:integer"});  // entry row 4
  GridInsertRow(grid_, 0);
  GridSetItemText(grid_, 5, 1, "below");
  GridSetItemText(grid_, 5, 2, "integer");
  Select({1, 5});
  ClearCommand(ed_);
  EXPECT_EQ(Rows(), "b=integer c=integer .E");
  EXPECT_EQ(ed_->document.entryRow, 3);
  EXPECT_EQ(Clipboard(), "\tinteger\t\ta\r\n\tinteger\t\tbelow\r\n");
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsClear);
  EXPECT_EQ(ed_->document.changed, 1);

  Select({2, 3});
  ClearCommand(ed_);
  EXPECT_EQ(Rows(), "b=integer .E");
  EXPECT_EQ(ed_->document.entryRow, 2);
}

TEST_F(RowCommands, DeleteRowNeedsAFocusRowOtherThanTheEntryRow) {
  MakeRows({"a:integer", "b:integer"});
  DeleteRowCommand(ed_);  // no current cell, nothing selected
  EXPECT_EQ(Rows(), "a=integer b=integer .E");
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);
  EXPECT_EQ(ed_->document.changed, 0);

  GridSetCurrentCell(grid_, 3, 1);
  DeleteRowCommand(ed_);
  EXPECT_EQ(Rows(), "a=integer b=integer .E");

  GridSetCurrentCell(grid_, 1, 1);
  DeleteRowCommand(ed_);
  EXPECT_EQ(Rows(), "b=integer .E");
  EXPECT_EQ(Clipboard(), "\tinteger\t\ta\r\n");
  EXPECT_EQ(ed_->undo.lastAction, UndoRowsClear);
  EXPECT_EQ(ed_->document.changed, 1);
}

TEST_F(RowCommands, InsertRowMovesTheEntryRowAboveTheTarget) {
  MakeRows({"a:integer", "b:integer", "c:integer", "d:integer"});  // entry row 5
  InsertRowCommand(ed_);                                           // no target at all
  EXPECT_EQ(Rows(), "a=integer b=integer c=integer d=integer .E");

  GridSetCurrentCell(grid_, 2, 1);
  InsertRowCommand(ed_);
  EXPECT_EQ(Rows(), "a=integer .E b=integer c=integer d=integer");
  EXPECT_EQ(ed_->document.entryRow, 2);

  GridSetCurrentCell(grid_, 3, 1);  // just below the entry row
  InsertRowCommand(ed_);
  EXPECT_EQ(ed_->document.entryRow, 2);
  EXPECT_EQ(sheet_->currentRow(), 2u);

  Select({5});
  InsertRowCommand(ed_);
  EXPECT_EQ(Rows(), "a=integer b=integer c=integer .E d=integer");
  EXPECT_EQ(ed_->document.entryRow, 4);
  EXPECT_EQ(ed_->undo.lastAction, UndoNone);
  EXPECT_EQ(ed_->document.changed, 0);
}

TEST_F(RowCommands, TextModeCommandsWorkOnTheCellEditControl) {
  MakeRows({"alpha:integer"});
  GridSetCurrentCell(grid_, 1, 1);
  HWND edit = GridEditControl(grid_);
  ASSERT_NE(edit, nullptr);
  SendMessageA(edit, EM_SETSEL, 0, 2);
  CutOrCopyCommand(ed_, false);
  EXPECT_EQ(ed_->undo.lastAction, UndoTextCopy);
  EXPECT_EQ(Clipboard(), "al");
  CutOrCopyCommand(ed_, true);
  EXPECT_EQ(ed_->undo.lastAction, UndoTextCut);
  SendMessageA(edit, EM_SETSEL, 0, 1);
  ClearCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoTextClear);
  EXPECT_EQ(ed_->document.changed, 1);
  PasteCommand(ed_);
  EXPECT_EQ(ed_->undo.lastAction, UndoTextPaste);
  char text[32] = {};
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "alha");
  EXPECT_EQ(Rows(), "alpha=integer .E");
}

}  // namespace
}  // namespace row_text_test
