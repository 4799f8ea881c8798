// Which command ids the editor handles, and what the file commands leave behind.
#include <vector>

#include "editor/commands/command_dispatch.h"
#include "persistence_fixture.h"
#include "qst/command_ids.h"
#include "qst_editor/undo_action.h"

namespace {

using persistence_test::EditorFixture;

class Commands : public EditorFixture {
 protected:
  void Run(WORD id) { OnCommand(instance_, id, 0, session_->editor); }
  // Queued messages of that kind for window.
  int Queued(HWND window, UINT message) {
    std::vector<MSG> queue(64);
    int count = PlatformPeekQueue(queue.data(), static_cast<int>(queue.size()));
    int found = 0;
    for (int i = 0; i < count; ++i) found += queue[i].hwnd == window && queue[i].message == message;
    return found;
  }
  std::string MenuText(UINT id) {
    char text[128] = {};
    GetMenuStringA(instance_->editMenu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
};

TEST_F(Commands, UnknownIdsLeaveNoTraceNotEvenARefresh) {
  instance_->document.changed = 1;
  int pending = PlatformPendingMessages();
  for (WORD id : {0, 101, 103, 1016, 1259, 1261, 1263, 1265, 1453, 9999}) Run(id);
  EXPECT_EQ(frontEnd_.refreshes, 0);
  EXPECT_EQ(PlatformPendingMessages(), pending);
  EXPECT_EQ(frontEnd_.dialogs, 0);
  EXPECT_TRUE(frontEnd_.messages.empty());
}

TEST_F(Commands, EveryHandledCommandRefreshesOnceEvenWhenItDoesNothing) {
  Run(CmdSave);  // unchanged: nothing to save
  EXPECT_EQ(frontEnd_.refreshes, 1);
  EXPECT_EQ(frontEnd_.dialogs, 0);
  Run(CmdClose);
  EXPECT_EQ(frontEnd_.refreshes, 2);
  EXPECT_EQ(Queued(session_->frame, WM_CLOSE), 1);
}

TEST_F(Commands, ReturnClosesOnlyWhenNothingIsLeftUnsaved) {
  SetRow(1, "a", "integer");
  instance_->document.changed = 1;
  Run(CmdReturn);  // the save dialog is cancelled
  EXPECT_EQ(frontEnd_.dialogs, 1);
  EXPECT_EQ(instance_->document.changed, 1);
  EXPECT_EQ(Queued(session_->frame, WM_CLOSE), 0);

  instance_->document.changed = 0;
  Run(CmdReturn);
  EXPECT_EQ(frontEnd_.dialogs, 1);
  EXPECT_EQ(Queued(session_->frame, WM_CLOSE), 1);
}

TEST_F(Commands, NewForgetsTheLastEditAndLeavesOneMarkedEntryRow) {
  SetRow(1, "a", "integer");
  instance_->document.changed = 1;
  instance_->undo.lastAction = UndoType;
  ModifyMenuA(instance_->editMenu, CmdUndo, MF_BYCOMMAND | MF_STRING, CmdUndo, "&Undo Type\tCtrl+Z");
  EnableMenuItem(instance_->editMenu, CmdUndo, MF_BYCOMMAND | MF_ENABLED);
  frontEnd_.messageAnswers = {IDNO};
  Run(CmdNew);
  EXPECT_EQ(GridRowCount(grid_), 1u);
  EXPECT_EQ(instance_->document.entryRow, 1);
  char marker[4] = {};
  GridGetItemText(grid_, 1, 4, marker, 3);
  EXPECT_STREQ(marker, "\xAE");
  EXPECT_EQ(instance_->document.untitled, 1);
  EXPECT_EQ(instance_->document.changed, 0);
  EXPECT_EQ(instance_->undo.lastAction, UndoNone);
  EXPECT_EQ(MenuText(CmdUndo), "Can't Undo\tCtrl+Z");
  EXPECT_TRUE(GetMenuState(instance_->editMenu, CmdUndo, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(frontEnd_.refreshes, 1);
}

TEST_F(Commands, NewAnsweredCancelChangesNothing) {
  SetRow(1, "a", "integer");
  instance_->document.changed = 1;
  instance_->undo.lastAction = UndoType;
  frontEnd_.messageAnswers = {IDCANCEL};
  Run(CmdNew);
  EXPECT_EQ(GridRowCount(grid_), 12u);
  EXPECT_EQ(instance_->document.changed, 1);
  EXPECT_EQ(instance_->undo.lastAction, UndoType);
}

TEST_F(Commands, PrintOfAnUnnamedStructureAsksAndPrintsNothingWhenItStaysUnnamed) {
  SetRow(1, "a", "integer");
  frontEnd_.messageAnswers = {IDOK};  // then the save dialog is cancelled
  Run(CmdPrint);
  ASSERT_EQ(frontEnd_.messages.size(), 1u);
  EXPECT_EQ(frontEnd_.messages[0], "The structure must be saved prior to printing.\nDo you want to save it now?");
  EXPECT_EQ(frontEnd_.dialogs, 1);
  EXPECT_EQ(instance_->document.structureName, nullptr);
}

}  // namespace

namespace {

TEST_F(Commands, SaveAsAsksEvenForAnUnchangedStructure) {
  SetRow(1, "a", "integer");
  instance_->document.changed = 0;
  Run(CmdSaveAs);  // the save dialog is cancelled
  EXPECT_EQ(frontEnd_.dialogs, 1);
  EXPECT_EQ(frontEnd_.refreshes, 1);
  EXPECT_EQ(instance_->document.structureName, nullptr);
}

TEST_F(Commands, OnlyTheFirstOpenDialogCancelledCloses) {
  Run(CmdOpen);  // the open dialog is cancelled
  EXPECT_EQ(instance_->document.firstOpen, 0);
  EXPECT_EQ(Queued(session_->frame, WM_CLOSE), 1);
  EXPECT_EQ(frontEnd_.refreshes, 1);

  Run(CmdOpen);
  EXPECT_EQ(Queued(session_->frame, WM_CLOSE), 1);  // still only the first one
}

}  // namespace
