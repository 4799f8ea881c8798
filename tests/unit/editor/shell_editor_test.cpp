// The editor window: creation, title, menus and toolbar commands.
#include <cstring>
#include <string>
#include <vector>

#include "editor/rows/row_moves.h"
#include "editor/window/window_title.h"
#include "qst/command_ids.h"
#include "qst_editor/undo_action.h"
#include "rows_editor_fixture.h"

namespace rows_test {
namespace {

class ShellTest : public RowsEditorTest {
 protected:
  std::vector<std::string> Layout(int width, int height = 400) {
    sheet_->takeAssignments();
    SendMessageA(session_->editor, WM_SIZE, 0, MAKELPARAM(width, height));
    return sheet_->takeAssignments();
  }
  std::string Title() const {
    char text[256] = {};
    GetWindowTextA(session_->frame, text, sizeof text);
    return text;
  }
  std::string Label(UINT id) const {
    char text[128] = {};
    GetMenuStringA(session_->menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  bool Grayed(UINT id) const { return (GetMenuState(session_->menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
  void OpenEditMenu() { host_->openPopup(*session_, 1); }
  std::vector<WORD> Commands(WPARAM selector) {
    WORD entries[32] = {};
    const auto n = SendMessageA(session_->editor, HM_QUERYCOMMANDS, selector, reinterpret_cast<LPARAM>(entries));
    return std::vector<WORD>(entries, entries + n);
  }
};

TEST_F(ShellTest, NewStandAloneEditorStartsUntitledWithTwelveRowsAndAnOpenQueued) {
  EXPECT_EQ(sheet_->rowCount(), 12u);
  EXPECT_EQ(Title(), "Structure - (Untitled)");
  EXPECT_EQ(ed_->document.firstOpen, 1);
  EXPECT_EQ(ed_->document.entryRow, 1);
  EXPECT_EQ(ed_->undo.undoRow, 1);
  EXPECT_EQ(ed_->document.autoAppendArmed, 1);
  EXPECT_EQ(ed_->document.contextCode, kContextStandAlone);
  EXPECT_EQ(ed_->headerHeight, quill::kGridHeaderHeight);
  EXPECT_EQ(ed_->detailHeight, quill::kGridDetailHeight);
  EXPECT_FALSE(IsWindowVisible(grid_));
  MSG queued[8];
  const int n = PlatformPeekQueue(queued, 8);
  ASSERT_GE(n, 1);
  EXPECT_EQ(queued[n - 1].hwnd, session_->frame);
  EXPECT_EQ(queued[n - 1].message, WM_COMMAND);
  EXPECT_EQ(queued[n - 1].wParam, static_cast<WPARAM>(CmdOpen));
  EXPECT_EQ(queued[n - 1].lParam, 0);
}

TEST_F(ShellTest, EmbeddedAndUnknownContextsUseTheSecondMenuAndEndWithReturn) {
  Restart(kContextEmbedded, kCallerMenu, 0x00012345);
  EXPECT_EQ(ed_->document.ownerId, 0x00012345);
  EXPECT_EQ(ed_->document.groupId, 0x2345);
  EXPECT_EQ(Label(CmdReturn), "R&eturn");
  EXPECT_EQ(Commands(17), std::vector<WORD>{1284});
  Restart(999, 1019, 0x77);
  EXPECT_EQ(ed_->document.ownerId, 0);
  EXPECT_EQ(Label(CmdReturn), "R&eturn");
  EXPECT_EQ(Commands(16).back(), CmdReturn);
  EXPECT_EQ(Commands(17), std::vector<WORD>{CmdClose});
}

TEST_F(ShellTest, CommandListsForTheHost) {
  const std::vector<WORD> toolbar = {1450, 2300, 1452,   0xFFFF, 1258, 1260,   1262,
                                     1264, 1266, 0xFFFF, 1546,   1934, 0xFFFF, 2290};
  EXPECT_EQ(Commands(0), toolbar);
  const std::vector<WORD> commands = {1450, 2300, 1452, 1258, 1260, 1262, 1264, 1266, 1438, 1546, 1934, 2290};
  EXPECT_EQ(Commands(16), commands);
  EXPECT_TRUE(Commands(5).empty());
  EXPECT_EQ(Label(CmdReturn), "");  // the stand-alone menu has no Return
}

TEST_F(ShellTest, ColumnWidthsShareTheExtraWidth) {
  EXPECT_EQ(Layout(600), (std::vector<std::string>{"var_row.width=29", "var_name.width=327", "var_type.width=171",
                                                   "var_dec.width=64"}));
  EXPECT_EQ(Layout(300), (std::vector<std::string>{"var_row.width=29", "var_name.width=189", "var_type.width=125",
                                                   "var_dec.width=64"}));
  EXPECT_EQ(Layout(26 * 16 + 3), (std::vector<std::string>{"var_row.width=29", "var_name.width=192",
                                                           "var_type.width=125", "var_dec.width=64"}));
  EXPECT_TRUE(Layout(0).empty());
  EXPECT_TRUE(sheet_->redrawEnabled());
  RECT r{};
  GetClientRect(grid_, &r);
  EXPECT_EQ(r.right - r.left, 26 * 16 + 3);  // a minimised window leaves the grid alone
}

TEST_F(ShellTest, ColumnWidthsFollowTheFontHeight) {
  Restart(kContextStandAlone, 0, std::nullopt, 13);
  EXPECT_EQ(Layout(200), (std::vector<std::string>{"var_row.width=23", "var_name.width=153", "var_type.width=101",
                                                   "var_dec.width=52"}));
}

TEST_F(ShellTest, TitleNamesTheStructureAndStaysBounded) {
  SetEditorTitle(ed_, "s_address");
  EXPECT_EQ(Title(), "Structure - s_address");
  const std::string huge(2000, 'n');
  SetEditorTitle(ed_, huge.c_str());
  EXPECT_EQ(Title(), "Structure - " + std::string(123 - 12, 'n'));
}

TEST_F(ShellTest, TheLongestEmbeddedTitleFitsWhole) {
  const std::string owner(40, 'o');
  const std::string name(40, 'n');
  Restart(kContextEmbedded, kCallerWindow, std::nullopt, 16, owner);
  SetEditorTitle(ed_, name.c_str());
  EXPECT_EQ(Title(), "Structure - " + name + " for " + owner);
}

TEST_F(ShellTest, TheFirstPaintShowsTheGridAndTheFocusGoesToIt) {
  EXPECT_FALSE(IsWindowVisible(grid_));
  RECT r{};
  GetWindowRect(grid_, &r);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.bottom - r.top, 2 * 16);
  EXPECT_EQ(SendMessageA(session_->editor, WM_PAINT, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(grid_));
  EXPECT_EQ(SendMessageA(session_->editor, WM_PAINT, 0, 0), 0);
  EXPECT_TRUE(IsWindowVisible(grid_));
  EXPECT_EQ(SendMessageA(session_->editor, WM_SETFOCUS, 0, 0), 0);
  EXPECT_EQ(GetFocus(), grid_);
}

TEST_F(ShellTest, EmbeddedTitleNamesTheOwnerUnlessItIsAPlaceholder) {
  struct Case {
    const char* owner;
    const char* shown;
  };
  const Case cases[] = {{"w_main", "w_main"}, {"w1", "(Untitled)"}, {"m7", "(Untitled)"},
                        {"u0", "(Untitled)"}, {"w12", "w12"},       {"x1", "x1"}};
  for (const Case& c : cases) {
    Restart(kContextEmbedded, kCallerWindow, std::nullopt, 16, c.owner);
    EXPECT_EQ(Title(), std::string("Structure - (Untitled) for ") + c.shown);
    SetEditorTitle(ed_, "s_line");
    EXPECT_EQ(Title(), std::string("Structure - s_line for ") + c.shown);
  }
}

TEST_F(ShellTest, UndoItemFollowsTheLastAction) {
  OpenEditMenu();
  EXPECT_EQ(Label(CmdUndo), "Can't Undo\tCtrl+Z");
  EXPECT_TRUE(Grayed(CmdUndo));
  struct Case {
    std::int32_t last;
    std::int32_t undone;
    const char* label;
    bool grayed;
  };
  // Each case follows the one before it: values without a label of their own
  // must leave whatever the previous case showed.
  const Case cases[] = {
      {UndoTextUndone, UndoTextRedone, "Can't Undo\tCtrl+Z", true},
      {UndoTextUndone, UndoTextCut, "&Redo\tCtrl+Z", false},
      {UndoTextUndone, UndoType, "&Redo\tCtrl+Z", false},
      {UndoTextUndone, UndoTextPaste, "&Redo\tCtrl+Z", false},
      {UndoTextUndone, UndoTextClear, "&Redo\tCtrl+Z", false},
      {UndoTextUndone, UndoRowsCut, "Can't Undo\tCtrl+Z", true},
      {UndoTextRedone, 0, "&Undo\tCtrl+Z", false},
      {UndoType, 0, "&Undo Type\tCtrl+Z", false},
      {UndoTextCut, 0, "&Undo Cut\tCtrl+Z", false},
      {UndoTextCopy, 0, "&Undo Cut\tCtrl+Z", false},
      {UndoTextPaste, 0, "&Undo Paste\tCtrl+Z", false},
      {UndoTextClear, 0, "&Undo Clear\tCtrl+Z", false},
      {UndoRowsCut, 0, "&Undo Cut\tCtrl+Z", false},
      {UndoRowsCutUndone, 0, "Can't Undo\tCtrl+Z", true},
      {UndoNone, 0, "Can't Undo\tCtrl+Z", true},
      {UndoDragDrop, 0, "&Undo Drag and Drop\tCtrl+Z", false},
      {UndoRowsCopy, 0, "&Undo Drag and Drop\tCtrl+Z", false},  // copies keep the label
      {UndoNone, 0, "&Undo Drag and Drop\tCtrl+Z", false},
      {1, 0, "&Undo Drag and Drop\tCtrl+Z", false},
      {14, 0, "&Undo Drag and Drop\tCtrl+Z", false},
      {-1, 0, "&Undo Drag and Drop\tCtrl+Z", false},
      {UndoDragDropUndone, 0, "&Redo\tCtrl+Z", false},
      {UndoRowsPaste, 0, "&Undo Paste\tCtrl+Z", false},
      {UndoRowsPasteUndone, 0, "&Redo\tCtrl+Z", false},
      {UndoRowsClearUndone, 0, "Can't Undo\tCtrl+Z", true},
      {21, 0, "Can't Undo\tCtrl+Z", true},
      {UndoRowsClear, 0, "&Undo Clear\tCtrl+Z", false},
  };
  for (const Case& c : cases) {
    ed_->undo.lastAction = c.last;
    ed_->undo.undoneAction = c.undone;
    OpenEditMenu();
    EXPECT_EQ(Label(CmdUndo), c.label) << c.last;
    EXPECT_EQ(Grayed(CmdUndo), c.grayed) << c.last;
  }
  // The File pop-up leaves the Edit items and the remembered menu alone.
  HMENU before = ed_->editMenu;
  ed_->undo.lastAction = UndoType;
  host_->openPopup(*session_, 0);
  EXPECT_EQ(Label(CmdUndo), "&Undo Clear\tCtrl+Z");
  EXPECT_EQ(ed_->editMenu, before);
  // Neither does the Edit pop-up of a system menu (index 1, system flag set).
  HMENU other = CreatePopupMenu();
  SendMessageA(session_->editor, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(other), MAKELPARAM(1, TRUE));
  EXPECT_EQ(Label(CmdUndo), "&Undo Clear\tCtrl+Z");
  EXPECT_EQ(ed_->editMenu, before);
  DestroyMenu(other);
}

TEST_F(ShellTest, PasteNeedsClipboardTextAndNoPendingRowClear) {
  PlatformClipboardFromOutside(nullptr);
  OpenEditMenu();
  EXPECT_TRUE(Grayed(CmdPaste));
  PlatformClipboardFromOutside("x");
  ed_->undo.lastAction = UndoRowsPaste;
  OpenEditMenu();
  EXPECT_FALSE(Grayed(CmdPaste));
  ed_->undo.lastAction = UndoRowsClear;
  OpenEditMenu();
  EXPECT_TRUE(Grayed(CmdPaste));
}

TEST_F(ShellTest, CutCopyClearNeedASelectedRowOrSelectedText) {
  OpenEditMenu();
  EXPECT_TRUE(Grayed(CmdCut));
  sheet_->userSetCurrentCell(1, 1);
  for (char c : std::string("abcd")) sheet_->userTypeChar(c);
  sheet_->userSelectText(4, 4);
  OpenEditMenu();
  EXPECT_TRUE(Grayed(CmdCut));
  EXPECT_TRUE(Grayed(CmdCopy));
  EXPECT_TRUE(Grayed(CmdClear));
  sheet_->userSelectText(1, 2);
  OpenEditMenu();
  EXPECT_FALSE(Grayed(CmdCut));
  EXPECT_FALSE(Grayed(CmdCopy));
  EXPECT_FALSE(Grayed(CmdClear));
  sheet_->userSelectText(0, 0);
  GridSelectRow(grid_, 3, true);
  OpenEditMenu();
  EXPECT_FALSE(Grayed(CmdClear));
}

// A new editor's grid has no current cell and so no cell edit control: the
// three items then follow the row selection alone.
TEST_F(ShellTest, WithoutACellEditControlTheRowSelectionDecides) {
  ASSERT_EQ(GridEditControl(grid_), nullptr);
  OpenEditMenu();
  EXPECT_TRUE(Grayed(CmdCut));
  EXPECT_TRUE(Grayed(CmdCopy));
  EXPECT_TRUE(Grayed(CmdClear));
  GridSelectRow(grid_, 3, true);
  OpenEditMenu();
  EXPECT_FALSE(Grayed(CmdCut));
  EXPECT_FALSE(Grayed(CmdCopy));
  EXPECT_FALSE(Grayed(CmdClear));
}

// Counts HM_EDITORCLOSED.
int gClosedNotices = 0;
WPARAM gClosedFrame = 0;
LRESULT CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == HM_EDITORCLOSED) {
    ++gClosedNotices;
    gClosedFrame = wParam;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeNotifyWindow() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountingProc;
  wc.lpszClassName = "ShellTestNotify";
  RegisterClassA(&wc);
  return CreateWindowExA(0, "ShellTestNotify", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

TEST_F(ShellTest, ClosingTellsTheNotifyWindowOnce) {
  gClosedNotices = 0;
  SendMessageA(session_->editor, HM_SETNOTIFY, reinterpret_cast<WPARAM>(MakeNotifyWindow()), 0);
  HWND frame = session_->frame;
  EXPECT_TRUE(host_->closeFrame(frame));
  EXPECT_EQ(gClosedNotices, 1);
  EXPECT_EQ(gClosedFrame, reinterpret_cast<WPARAM>(frame));  // the editor's parent

  Restart(kContextStandAlone, 0);
  gClosedNotices = 0;
  SendMessageA(session_->editor, HM_SETNOTIFY, reinterpret_cast<WPARAM>(MakeNotifyWindow()), 0);
  DestroyWindow(session_->frame);
  EXPECT_EQ(gClosedNotices, 1);
}

TEST_F(ShellTest, ACancelledCloseKeepsTheEditorAndItsNotifyWindow) {
  gClosedNotices = 0;
  HWND notify = MakeNotifyWindow();
  SendMessageA(session_->editor, HM_SETNOTIFY, reinterpret_cast<WPARAM>(notify), 0);
  ed_->document.changed = 1;
  frontEnd_.messageAnswer = IDCANCEL;
  EXPECT_EQ(SendMessageA(session_->editor, WM_CLOSE, 0, 0), 1);
  EXPECT_EQ(gClosedNotices, 0);
  EXPECT_EQ(ed_->notifyWindow, notify);
  SendMessageA(session_->editor, HM_SETNOTIFY, 0, 0);
  ed_->document.changed = 0;
  EXPECT_EQ(SendMessageA(session_->editor, WM_QUERYENDSESSION, 0, 0), 0);
  EXPECT_EQ(gClosedNotices, 0);
}

TEST_F(ShellTest, NoPoolBlockOutlivesTheEditor) {
  MakeRows({"a", "b", "c"});
  GridSelectRow(grid_, 2, true);
  ASSERT_EQ(MoveSelectedRows(ed_, 1, MoveMode::Move), 1);
  EXPECT_GT(host_->livePoolBlocks(), 0);
  DestroyWindow(session_->frame);
  EXPECT_EQ(host_->livePoolBlocks(), 0);
}

}  // namespace
}  // namespace rows_test
