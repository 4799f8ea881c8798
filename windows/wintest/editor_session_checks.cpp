// A stand-alone editor of the loaded DLL driven as a user would drive it:
// real windows, messages, clipboard and message boxes.
#include <cstring>
#include <memory>
#include <vector>

#include "message_box_answers.h"
#include "module_checks.h"
#include "qst/command_ids.h"
#include "qst/context_codes.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"
#include "quill/library.h"
#include "scripted_front_end.h"

namespace wintest {
namespace {

constexpr int kName = 1;
constexpr int kType = 2;

// The rows as "name type" lines; the empty entry row and rows after it end it.
std::string Rows(quill::GridSheet& grid) {
  std::string rows;
  for (std::uint32_t row = 1; row <= grid.rowCount(); ++row) {
    const std::string name = grid.cellText(row, kName);
    if (name.empty()) break;
    rows += name + " " + grid.cellText(row, kType) + (grid.isSelected(row) ? " S" : "") + ";";
  }
  return rows;
}

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// The text on the system clipboard, or "<none>".
std::string ClipboardText() {
  if (!OpenClipboard(nullptr)) return "<busy>";
  std::string text = "<none>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Puts text on the clipboard as another program would: no window of ours owns it.
void ClipboardFromOtherProgram(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (block != nullptr) {
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
  }
  CloseClipboard();
}

// Presses or lets go of a key through the system's input, so that
// GetAsyncKeyState sees it as the editor asks.
void PressKey(WORD vkey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vkey;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

class EditorDriver {
 public:
  EditorDriver(quill::Host& host, quill::EditorSession& session) : host_(host), session_(session) {}
  quill::GridSheet& grid() { return *quill::GridSheet::fromWindow(session_.grid); }
  void type(std::uint32_t row, int column, const std::string& text) {
    grid().userSetCurrentCell(row, column);
    host_.pump();
    for (char c : text) {
      grid().userTypeChar(c);
      host_.pump();
    }
  }
  void leaveCell(std::uint32_t row, int column) {
    grid().userSetCurrentCell(row, column);
    host_.pump();
  }
  void clickRow(std::uint32_t row) {
    grid().userMousePress("var_row", row);
    host_.pump();
    grid().userMouseRelease("var_row", row);
    host_.pump();
  }
  void shiftClickRow(std::uint32_t row) {
    PressKey(VK_SHIFT, true);
    host_.pump();
    clickRow(row);
    PressKey(VK_SHIFT, false);
    host_.pump();
  }
  void drag(std::uint32_t from, std::uint32_t to) {
    grid().userMousePress("var_row", from);
    host_.pump();
    grid().userMouseMove("var_row", to);
    host_.pump();
    grid().userMouseRelease("var_row", to);
    host_.pump();
  }
  void command(WORD id) {
    host_.command(session_, id);
    host_.pump();
  }

 private:
  quill::Host& host_;
  quill::EditorSession& session_;
};

void EditAndSave(CheckList& checks, quill::Host& host, ScriptedFrontEnd& frontEnd, MessageBoxAnswers& boxes,
                 const std::string& library) {
  frontEnd.answerOpen({true, "", ""});
  quill::EditorSession* session = host.createEditor(kContextStandAlone, 0);
  if (!checks.expect(session != nullptr && IsWindow(session->frame), "QST_Create makes a frame window")) return;
  checks.expect(quill::GridSheet::fromWindow(session->grid) != nullptr, "the editor window holds the grid control");
  checks.expectText(WindowText(session->frame), "Structure - (Untitled)", "the frame's title");
  host.pump();
  checks.expect(frontEnd.openDialogs() == 1, "the posted Open command shows the open dialog once");
  // The toolbar layout comes back through a real SendMessageA with a buffer.
  const std::vector<WORD> toolbar = host.queryCommands(*session, 0);
  const std::vector<WORD> expectedToolbar = {1450, 2300, 1452,   0xFFFF, 1258, 1260,   1262,
                                             1264, 1266, 0xFFFF, 1546,   1934, 0xFFFF, 2290};
  checks.expect(toolbar == expectedToolbar, "HM_QUERYCOMMANDS 0 gives the stand-alone toolbar layout");
  EditorDriver editor(host, *session);
  checks.expect(editor.grid().rowCount() == 1, "New leaves one empty entry row",
                "found " + std::to_string(editor.grid().rowCount()));

  editor.type(1, kName, "qty");
  editor.type(2, kName, "price");
  editor.type(2, kType, "INT");
  editor.type(3, kName, "label");
  editor.leaveCell(4, kName);
  checks.expectText(Rows(editor.grid()), "qty string;price integer;label integer;",
                    "three variables typed, the type abbreviation expanded");

  editor.clickRow(1);
  editor.shiftClickRow(2);
  checks.expectText(Rows(editor.grid()), "qty string S;price integer S;label integer;",
                    "a click and a Shift+click select two rows");
  editor.command(CmdCopy);
  checks.expectText(ClipboardText(), "\tstring\t\tqty\r\n\tinteger\t\tprice\r\n",
                    "Copy puts the rows on the system clipboard as text");

  editor.clickRow(1);
  editor.shiftClickRow(2);
  editor.command(CmdCut);
  checks.expectText(Rows(editor.grid()), "label integer;", "Cut removes the two rows");
  checks.expectText(ClipboardText(), "\tstring\t\tqty\r\n\tinteger\t\tprice\r\n", "Cut leaves them on the clipboard");
  editor.command(CmdUndo);
  checks.expectText(Rows(editor.grid()), "qty string S;price integer S;label integer;", "Undo brings them back");

  editor.clickRow(3);
  editor.drag(3, 1);
  checks.expectText(Rows(editor.grid()), "label integer;qty string;price integer;",
                    "a row dragged onto row 1 moves before it");

  frontEnd.answerSave({"s_wine", library});
  editor.command(CmdSave);
  checks.expect(frontEnd.saveDialogs() == 1, "Save asks for a name once");
  checks.expectText(WindowText(session->frame), "Structure - s_wine", "the saved structure names the frame");
  checks.expect(!host.hasUnsavedChanges(*session), "HM_QUERYCHANGED: nothing unsaved after the save");

  // A change, then Close: the system's message box asks, the hook says No.
  editor.type(4, kName, "extra");
  checks.expect(host.hasUnsavedChanges(*session), "HM_QUERYCHANGED: a typed name is unsaved");
  boxes.answerNext(IDNO);
  const std::size_t boxesBefore = boxes.shown().size();
  editor.command(CmdClose);
  host.pump();
  checks.expect(boxes.shown().size() == boxesBefore + 1, "closing a changed structure shows one message box");
  if (boxes.shown().size() > boxesBefore)
    checks.expectText(boxes.shown().back(), "Save changes to \n" + library + "(s_wine)?",
                      "the message box asks to save, naming library and structure");
  checks.expect(!IsWindow(session->frame) || host.editors().empty(), "No closes the editor without saving");
}

void Reopen(CheckList& checks, quill::Host& host, MessageBoxAnswers& boxes, const std::string& library) {
  std::string error;
  auto file = quill::Library::open(library, false, &error);
  if (checks.expect(file != nullptr, "the library is there after the save", error)) {
    checks.expectText(file->entrySource("s_wine").value_or("<missing>"),
                      "global type s_wine from structure\r\n\tinteger\t\tlabel\r\n\tstring\t\tqty\r\n"
                      "\tinteger\t\tprice\r\nend type",
                      "the stored source holds the rows in their order");
  }
  quill::EditorSession* session = host.createEditor(kContextStandAlone, 0, std::string("s_wine"), library);
  if (!checks.expect(session != nullptr, "an editor opens s_wine by name")) return;
  host.pump();
  auto* grid = quill::GridSheet::fromWindow(session->grid);
  if (!checks.expect(grid != nullptr, "the reopened editor has its grid")) return;
  checks.expectText(Rows(*grid), "label integer;qty string;price integer;", "the reopened rows are the saved ones");
  checks.expectText(WindowText(session->frame), "Structure - s_wine", "the reopened frame's title");

  // Row text another program put on the clipboard pastes above the current row.
  ClipboardFromOtherProgram("\tdecimal {2}\tamount\r\n");
  EditorDriver editor(host, *session);
  editor.leaveCell(2, kName);
  editor.command(CmdPaste);
  checks.expectText(Rows(*grid), "label integer;amount decimal;qty string;price integer;",
                    "text from another program pastes as a row");
  checks.expect(grid->cellNumber(2, 3) == 2.0, "the pasted row keeps its decimal positions");
  editor.command(CmdUndo);
  checks.expectText(Rows(*grid), "label integer;qty string;price integer;", "Undo takes the pasted row out");
  boxes.answerNext(IDNO);
  host.closeFrame(session->frame);
  host.pump();
  checks.expect(host.editors().empty(), "the reopened editor closes");
}

// An editor embedded in an owning object's workbench: the other menu and title.
void Embedded(CheckList& checks, quill::Host& host) {
  const std::int32_t owner = host.addObject("window", "w_main");
  quill::EditorSession* session = host.createEditor(kContextEmbedded, kCallerWindow, std::nullopt, "", owner);
  if (!checks.expect(session != nullptr, "an embedded editor opens")) return;
  checks.expectText(WindowText(session->frame), "Structure - (Untitled) for w_main", "the embedded editor's title");
  char label[64] = {};
  GetMenuStringA(GetMenu(session->frame), CmdReturn, label, sizeof label, MF_BYCOMMAND);
  checks.expectText(label, "R&eturn", "the embedded editor's File menu has Return");
  const std::vector<WORD> last = host.queryCommands(*session, 17);
  checks.expect(last == std::vector<WORD>{1282}, "HM_QUERYCOMMANDS 17 names the window workbench");
  // The queued Open shows the local-structure dialog, which the test cancels:
  // a first open cancelled closes the editor.
  host.pump();
  checks.expect(host.editors().empty(), "cancelling the first open closes the embedded editor");
}

}  // namespace

void CheckEditorSession(CheckList& checks, const std::string& modulePath, const std::string& scratchFolder) {
  ScriptedFrontEnd frontEnd;
  MessageBoxAnswers boxes;
  if (!checks.expect(boxes.installed(), "the message-box hook is installed")) return;
  const std::string library = scratchFolder + "\\wintest.lib";
  DeleteFileA(library.c_str());
  quill::HostOptions options;
  options.modulePath = modulePath;
  quill::Host host(frontEnd, options);
  if (!checks.expect(host.loadModule(), "the host loads the module", host.error())) return;
  checks.expect(host.setCurrentLibrary(library), "the host makes the library", host.error());
  EditAndSave(checks, host, frontEnd, boxes, library);
  Reopen(checks, host, boxes, library);
  Embedded(checks, host);
  checks.expect(boxes.unusedAnswers() == 0, "every prepared message-box answer was used");
  checks.expect(host.livePoolBlocks() == 0, "the closed editors left no pool block",
                std::to_string(host.livePoolBlocks()) + " left");
}

}  // namespace wintest
