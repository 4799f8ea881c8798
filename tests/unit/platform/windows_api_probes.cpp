// The probes: each makes its own windows, menus and blocks and removes them.
#include "windows_api_probes.h"

#include <cstdio>
#include <cstring>

namespace api_probes {
namespace {

// Messages named in the logs; others appear as numbers and are left out
// where a probe only follows the named ones.
constexpr UINT kNcCreate = 0x0081;
constexpr UINT kNcDestroy = 0x0082;

const char* MessageName(UINT message) {
  switch (message) {
    case WM_CREATE: return "CREATE";
    case WM_DESTROY: return "DESTROY";
    case kNcCreate: return "NCCREATE";
    case kNcDestroy: return "NCDESTROY";
    case WM_COMMAND: return "COMMAND";
    case WM_INITMENU: return "INITMENU";
    case WM_INITMENUPOPUP: return "INITMENUPOPUP";
    default: return nullptr;
  }
}

// The named messages each window got, as "NAME:MESSAGE" words.
std::string& Log() {
  static std::string log;
  return log;
}
const char*& RefusedMessage() {
  static const char* refused = nullptr;
  return refused;
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const char* name = MessageName(message)) {
    char who[64] = {};
    GetWindowTextA(window, who, sizeof who);
    if (!Log().empty()) Log() += ' ';
    Log() += std::string(who[0] != '\0' ? who : "?") + ":" + name;
    if (RefusedMessage() != nullptr && std::strcmp(RefusedMessage(), name) == 0) return message == WM_CREATE ? -1 : 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr const char* kProbeClass = "ApiProbeWindow";

HWND Make(const char* name, HWND parent) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ProbeProc;
  wc.lpszClassName = kProbeClass;
  RegisterClassA(&wc);  // fails harmlessly the second time
  return CreateWindowExA(0, kProbeClass, name, parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 100, 50, parent, nullptr,
                         nullptr, nullptr);
}

std::string Number(long long value) { return std::to_string(value); }

// ---- Windows ------------------------------------------------------------------

std::string CreationOrder() {
  Log().clear();
  HWND window = Make("w", nullptr);
  std::string log = Log();
  DestroyWindow(window);
  return log;
}

std::string RefusedNcCreate() {
  Log().clear();
  RefusedMessage() = "NCCREATE";
  HWND window = Make("w", nullptr);
  RefusedMessage() = nullptr;
  std::string result = std::string(window == nullptr ? "null" : "window") + " " + Log();
  if (window != nullptr) DestroyWindow(window);
  return result;
}

std::string RefusedCreate() {
  Log().clear();
  RefusedMessage() = "CREATE";
  HWND window = Make("w", nullptr);
  RefusedMessage() = nullptr;
  return std::string(window == nullptr ? "null" : "window") + " " + Log();
}

std::string DestructionOrder() {
  HWND parent = Make("p", nullptr);
  Make("c", parent);
  Log().clear();
  DestroyWindow(parent);
  return Log();
}

int& SizeMessages() {
  static int count = 0;
  return count;
}

LRESULT CALLBACK SizeCountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) ++SizeMessages();
  return DefWindowProcA(window, message, wParam, lParam);
}

// WM_SIZE messages: during creation, after a move to the same size, after a resize.
std::string SizeMessageCounts() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = SizeCountingProc;
  wc.lpszClassName = "ApiProbeSizes";
  RegisterClassA(&wc);
  HWND parent = Make("p", nullptr);
  SizeMessages() = 0;
  HWND child = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 100, 50, parent, nullptr, nullptr, nullptr);
  std::string counts = Number(SizeMessages());
  SizeMessages() = 0;
  MoveWindow(child, 5, 5, 100, 50, FALSE);
  counts += " " + Number(SizeMessages());
  SizeMessages() = 0;
  MoveWindow(child, 5, 5, 120, 50, FALSE);
  counts += " " + Number(SizeMessages());
  DestroyWindow(parent);
  return counts;
}

HWND MakeSizeCounting(DWORD style, HWND parent, int width, int height) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = SizeCountingProc;
  wc.lpszClassName = "ApiProbeSizes";
  RegisterClassA(&wc);
  return CreateWindowExA(0, wc.lpszClassName, "", style, 0, 0, width, height, parent, nullptr, nullptr, nullptr);
}

std::string HasArea(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r.right > r.left && r.bottom > r.top ? "sized" : "empty";
}

// A top-level window made with no size: its size, then its WM_SIZE messages
// at creation, at its first showing and at a later one, then its size after
// a resize to nothing. A pop-up made with no size, and its WM_SIZE messages.
std::string TopLevelSizes() {
  SizeMessages() = 0;
  HWND top = MakeSizeCounting(WS_OVERLAPPEDWINDOW, nullptr, 0, 0);
  std::string result = HasArea(top) + " " + Number(SizeMessages());
  SizeMessages() = 0;
  ShowWindow(top, SW_SHOW);
  result += " " + Number(SizeMessages());
  SizeMessages() = 0;
  ShowWindow(top, SW_HIDE);
  ShowWindow(top, SW_SHOW);
  result += " " + Number(SizeMessages());
  SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  result += " " + HasArea(top);
  DestroyWindow(top);
  SizeMessages() = 0;
  HWND popup = MakeSizeCounting(WS_POPUP, nullptr, 0, 0);
  result += "; popup " + HasArea(popup) + " " + Number(SizeMessages());
  DestroyWindow(popup);
  return result;
}

// Whether the client area is narrower and shorter than the window ("11"),
// with both scroll bars, then each hidden in turn with the WM_SIZE it brings.
std::string ScrollBarRoom() {
  HWND parent = Make("p", nullptr);
  HWND child = MakeSizeCounting(WS_CHILD | WS_VSCROLL | WS_HSCROLL, parent, 100, 50);
  auto room = [child] {
    RECT client{};
    GetClientRect(child, &client);
    return Number(client.right < 100) + Number(client.bottom < 50);
  };
  std::string result = room();
  SizeMessages() = 0;
  ShowScrollBar(child, SB_VERT, FALSE);
  result += " " + room() + ":" + Number(SizeMessages());
  SizeMessages() = 0;
  ShowScrollBar(child, SB_HORZ, FALSE);
  result += " " + room() + ":" + Number(SizeMessages());
  DestroyWindow(parent);
  return result;
}

std::string WindowTextCut() {
  HWND window = Make("abcdef", nullptr);
  char text[4] = "xyz";
  const int copied = GetWindowTextA(window, text, sizeof text);
  DestroyWindow(window);
  return Number(copied) + " " + text;
}

std::string PostToDestroyed() {
  HWND window = Make("w", nullptr);
  DestroyWindow(window);
  return Number(PostMessageA(window, WM_USER, 0, 0)) + " " + Number(IsWindow(window));
}

// A message box's own loop: a message posted before the box reaches its window
// while the box is up; that window ends the box with a quit message, which the
// box leaves in the queue for the program's loop.
bool& PostedSeen() {
  static bool seen = false;
  return seen;
}

LRESULT CALLBACK QuittingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    PostedSeen() = true;
    PostQuitMessage(7);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::string MessageBoxLoop() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = QuittingProc;
  wc.lpszClassName = "ApiProbeBoxLoop";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr, nullptr,
                                nullptr);
  PostedSeen() = false;
  PostMessageA(window, WM_USER, 0, 0);
  MessageBoxA(window, "probe", "probe", MB_OKCANCEL);
  const bool seen = PostedSeen();
  MSG quit{};
  const bool quitLeft = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  DestroyWindow(window);
  return std::string(seen ? "dispatched" : "kept") + " " + (quitLeft ? "quit " + Number(quit.wParam) : "no quit");
}

std::string ClassRegisteredTwice() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = ProbeProc;
  wc.lpszClassName = "ApiProbeTwice";
  const bool first = RegisterClassA(&wc) != 0;
  return std::string(first ? "atom" : "0") + " " + Number(RegisterClassA(&wc));
}

// ---- Clipboard ------------------------------------------------------------------

std::string ClipboardReopenedByOtherWindow() {
  HWND a = Make("a", nullptr);
  HWND b = Make("b", nullptr);
  const BOOL first = OpenClipboard(a);
  const BOOL second = OpenClipboard(b);
  HWND open = GetOpenClipboardWindow();
  CloseClipboard();
  std::string result = Number(first) + " " + Number(second) + " " + (open == b ? "b" : open == a ? "a" : "none");
  DestroyWindow(a);
  DestroyWindow(b);
  return result;
}

std::string ClipboardClosedCalls() {
  return Number(CloseClipboard()) + " " + Number(EmptyClipboard()) + " " +
         (GetClipboardData(CF_TEXT) == nullptr ? "null" : "data");
}

std::string ClipboardOwner() {
  HWND a = Make("a", nullptr);
  std::string result;
  if (OpenClipboard(a)) {
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 3);
    std::memcpy(GlobalLock(block), "hi", 3);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    result = GetClipboardOwner() == a ? "a" : "other";
  }
  DestroyWindow(a);
  // The owner's window is gone; the text stays on the clipboard.
  result += GetClipboardOwner() == nullptr ? " none" : " kept";
  result += IsClipboardFormatAvailable(CF_TEXT) ? " text" : " empty";
  return result;
}

// ---- The EDIT control --------------------------------------------------------------

// The text, selection, modified flag and undo state of an edit control: "text [from,to] m1 u0".
std::string EditState(HWND edit) {
  char text[64] = {};
  GetWindowTextA(edit, text, sizeof text);
  DWORD from = 0, to = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  return std::string(text) + " [" + Number(from) + "," + Number(to) + "] m" +
         Number(SendMessageA(edit, EM_GETMODIFY, 0, 0) != 0) + " u" + Number(SendMessageA(edit, EM_CANUNDO, 0, 0) != 0);
}

HWND MakeEdit(HWND parent) {
  return CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 200, 20, parent, nullptr, nullptr, nullptr);
}

std::string EditTyping() {
  HWND parent = Make("p", nullptr);
  HWND edit = MakeEdit(parent);
  std::string states = EditState(edit);
  SetWindowTextA(edit, "hello");
  states += "; " + EditState(edit);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_CHAR, 'x', 0);
  SendMessageA(edit, WM_CHAR, 'y', 0);
  states += "; " + EditState(edit);
  SendMessageA(edit, EM_UNDO, 0, 0);
  states += "; " + EditState(edit);
  DestroyWindow(parent);
  return states;
}

std::string EditClipboardMessages() {
  HWND parent = Make("p", nullptr);
  HWND edit = MakeEdit(parent);
  SetWindowTextA(edit, "hello");
  SendMessageA(edit, EM_SETSEL, 1, 3);
  SendMessageA(edit, WM_CUT, 0, 0);
  std::string states = EditState(edit);
  SendMessageA(edit, EM_SETSEL, 0, 0);
  SendMessageA(edit, WM_PASTE, 0, 0);
  states += "; " + EditState(edit);
  SendMessageA(edit, EM_SETSEL, 4, 5);
  SendMessageA(edit, WM_CLEAR, 0, 0);
  states += "; " + EditState(edit);
  SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("!"));
  states += "; " + EditState(edit);
  DestroyWindow(parent);
  return states;
}

// The undo buffer joins a paste to the cut it follows when the paste goes
// where the cut was, even across an undo and redo of that cut; an undo with
// nothing to undo still answers TRUE.
std::string EditUndoAfterUndoneCut() {
  HWND parent = Make("p", nullptr);
  HWND edit = MakeEdit(parent);
  SetWindowTextA(edit, "fresh");
  std::string states = Number(SendMessageA(edit, WM_UNDO, 0, 0)) + " " + EditState(edit);
  SetWindowTextA(edit, "alpha");
  SendMessageA(edit, EM_SETSEL, 2, 5);
  SendMessageA(edit, WM_CUT, 0, 0);
  for (UINT message : {WM_UNDO, WM_UNDO, WM_PASTE, WM_UNDO}) {
    SendMessageA(edit, message, 0, 0);
    states += "; " + EditState(edit);
  }
  DestroyWindow(parent);
  return states;
}

// ---- Menus -----------------------------------------------------------------------

std::string MenuItemStates() {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 10, "&Enabled");
  AppendMenuA(menu, MF_STRING | MF_GRAYED, 11, "&Grayed");
  const int wasEnabled = static_cast<int>(EnableMenuItem(menu, 10, MF_BYCOMMAND | MF_GRAYED));
  const int wasGrayed = static_cast<int>(EnableMenuItem(menu, 11, MF_BYCOMMAND | MF_ENABLED));
  const int missing = static_cast<int>(EnableMenuItem(menu, 12, MF_BYCOMMAND | MF_GRAYED));
  const int missingState = static_cast<int>(GetMenuState(menu, 12, MF_BYCOMMAND));
  ModifyMenuA(menu, 10, MF_BYCOMMAND | MF_STRING, 10, "Relabelled");
  const int afterModify = static_cast<int>(GetMenuState(menu, 10, MF_BYCOMMAND));
  DestroyMenu(menu);
  return Number(wasEnabled) + " " + Number(wasGrayed) + " " + Number(missing) + " " + Number(missingState) + " " +
         Number(afterModify);
}

// ---- Memory and strings -------------------------------------------------------------

std::string GlobalLockCounts() {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 8);
  GlobalLock(block);
  GlobalLock(block);
  const BOOL first = GlobalUnlock(block);
  const BOOL second = GlobalUnlock(block);
  const bool freed = GlobalFree(block) == nullptr;
  return Number(first) + " " + Number(second) + " " + (freed ? "freed" : "kept");
}

std::string Formatted() {
  char text[256] = {};
  const int length = wsprintfA(text, "[%5s|%-4d|%04x|%lu|%c|%%|%ld]", "ab", 7, 0xbeef, 4000000000ul, 'z', -5l);
  return Number(length) + " " + text;
}

std::string FormattedEdges() {
  char text[256] = {};
  const char* none = nullptr;
  const int length = wsprintfA(text, "[%s|%.3s|%08lX|%u|%-3c|%5.1s]", none, "abcdef", 0xBEEFul, 7u, 'q', "xyz");
  return Number(length) + " " + text;
}

std::string CaseInsensitiveOrder() {
  auto sign = [](int value) { return value < 0 ? "<" : value > 0 ? ">" : "="; };
  return std::string(sign(lstrcmpiA("apple", "Banana"))) + sign(lstrcmpiA("ABC", "abc")) +
         sign(lstrcmpiA("abc", "ab")) + sign(lstrlenA(nullptr));
}

}  // namespace

const std::vector<ApiProbe>& Probes() {
  static const std::vector<ApiProbe> probes = {
      // The window has no text before the default WM_NCCREATE handling sets it.
      {"a window's creation messages", CreationOrder, "?:NCCREATE w:CREATE"},
      {"WM_NCCREATE answered FALSE fails the creation", RefusedNcCreate, "null ?:NCCREATE ?:NCDESTROY"},
      {"WM_CREATE answered -1 fails the creation", RefusedCreate, "null ?:NCCREATE w:CREATE w:NCDESTROY"},
      {"destruction: WM_DESTROY parent first, WM_NCDESTROY child first", DestructionOrder,
       "p:DESTROY c:DESTROY c:NCDESTROY p:NCDESTROY"},
      {"RegisterClassA refuses a name already registered", ClassRegisteredTwice, "atom 0"},
      {"WM_SIZE at creation, not for a move, once for a resize", SizeMessageCounts, "1 0 1"},
      {"a top-level window's smallest size, and its WM_SIZE at its first showing", TopLevelSizes,
       "sized 0 1 0 sized; popup empty 1"},
      {"scroll bars take their room from the client area until hidden", ScrollBarRoom, "11 01:1 00:1"},
      {"GetWindowTextA cuts to the buffer", WindowTextCut, "3 abc"},
      {"PostMessageA to a destroyed window", PostToDestroyed, "0 0"},
      {"MessageBoxA's loop dispatches what was posted before it", MessageBoxLoop, "dispatched quit 7"},
      {"an edit control's typing, selection, modified flag and undo", EditTyping,
       " [0,0] m0 u0; hello [0,0] m0 u0; xy [2,2] m1 u1; hello [0,5] m1 u1"},
      {"an edit control's cut, paste, clear and replace", EditClipboardMessages,
       "hlo [1,1] m1 u1; elhlo [2,2] m1 u1; elhl [4,4] m1 u1; elhl! [5,5] m1 u1"},
      {"an edit control's undo of a paste where an undone cut was", EditUndoAfterUndoneCut,
       "1 fresh [0,0] m0 u0; alpha [2,5] m1 u1; al [2,2] m1 u1; alpha [5,5] m1 u1; alpha [2,5] m1 u1"},
      {"another window cannot open the open clipboard", ClipboardReopenedByOtherWindow, "1 0 a"},
      {"clipboard calls while it is closed", ClipboardClosedCalls, "0 0 null"},
      {"the clipboard's owner and its destruction", ClipboardOwner, "a none text"},
      {"EnableMenuItem's previous states, ModifyMenuA's new state", MenuItemStates, "0 1 -1 -1 0"},
      {"GlobalUnlock counts the locks; GlobalFree returns null", GlobalLockCounts, "1 0 freed"},
      {"wsprintfA's formats", Formatted, "35 [   ab|7   |beef|4000000000|z|%|-5]"},
      {"wsprintfA's null string, precision, width and fill", FormattedEdges, "33 [(null)|abc|0000BEEF|7|q  |    x]"},
      {"lstrcmpiA ignores case; lstrlenA of null", CaseInsensitiveOrder, "<=>="},
  };
  return probes;
}

}  // namespace api_probes
