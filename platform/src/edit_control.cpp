// The built-in "EDIT" class: a single-line edit control with a selection, one
// undo buffer (a second undo redoes), the modified flag and the clipboard
// messages. Every change of its text is reported to the parent as EN_CHANGE.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "window_registry.h"

namespace platform {
namespace {

constexpr int kDefaultLimit = 32767;

EditState* stateOf(HWND hwnd) {
  auto& edits = registry().edits;
  auto it = edits.find(hwnd);
  return it == edits.end() ? nullptr : &it->second;
}

int selStart(const EditState& s) { return std::min(s.anchor, s.caret); }
int selEnd(const EditState& s) { return std::max(s.anchor, s.caret); }
int textLength(const EditState& s) { return static_cast<int>(s.text.size()); }

// A single-line control holds one line: text stops at the first line break.
std::string_view firstLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n")); }

// Tells the parent (and a front end) that the text changed. Must be the last
// thing a handler does: the parent may send anything back, even destroy us.
void reportChange(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  notifyWindowChanged(hwnd);
  const HWND parent = w->parent;
  const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(w->id), EN_CHANGE);
  if (parent != nullptr) SendMessageA(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(hwnd));
}

void emptyUndo(EditState& s) {
  s.undoDeleted.clear();
  s.undoInserted = 0;
}

bool canUndo(const EditState& s) { return s.undoInserted != 0 || !s.undoDeleted.empty(); }

// Deleted text joins the buffer when it lies right after (Delete) or right
// before (Backspace) the text deleted last and nothing was inserted since;
// otherwise it starts a new buffer.
void recordDeletion(EditState& s, int from, int to) {
  const std::string deleted = s.text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
  const bool joins = s.undoInserted == 0 && !s.undoDeleted.empty();
  if (joins && from == s.undoPosition) {
    s.undoDeleted += deleted;
  } else if (joins && to == s.undoPosition) {
    s.undoDeleted.insert(0, deleted);
    s.undoPosition = from;
  } else {
    s.undoDeleted = deleted;
    s.undoPosition = from;
  }
  s.undoInserted = 0;
}

// Inserted text joins the step when it goes where the deletion was or where
// the last insertion ended; elsewhere it starts a step that deleted nothing.
void recordInsertion(EditState& s, int at, int count) {
  if (at == s.undoPosition || (s.undoInserted != 0 && at == s.undoPosition + s.undoInserted)) {
    s.undoInserted += count;
  } else {
    s.undoPosition = at;
    s.undoInserted = count;
    s.undoDeleted.clear();
  }
}

// Replaces characters [from, to) with insert, within the length limit, and
// leaves the caret after the inserted text. An edit that cannot be undone
// empties the undo buffer. Returns whether the text changed.
bool replaceRange(EditState& s, int from, int to, std::string_view insert, bool undoable) {
  const int kept = textLength(s) - (to - from);
  const int room = std::max(0, s.limit - kept);
  if (static_cast<int>(insert.size()) > room) insert = insert.substr(0, static_cast<std::size_t>(room));
  if (from == to && insert.empty()) return false;
  if (from != to) {
    if (undoable)
      recordDeletion(s, from, to);
    else
      emptyUndo(s);
  }
  if (!insert.empty()) {
    if (undoable)
      recordInsertion(s, from, static_cast<int>(insert.size()));
    else
      emptyUndo(s);
  }
  s.text.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), insert);
  s.anchor = s.caret = from + static_cast<int>(insert.size());
  s.modified = true;
  return true;
}

bool replaceSelection(EditState& s, std::string_view insert, bool undoable) {
  return replaceRange(s, selStart(s), selEnd(s), insert, undoable);
}

// Puts the selected text on the clipboard as CF_TEXT, the edit window as
// owner. False when the clipboard cannot be opened or memory runs out.
bool copySelection(HWND hwnd, const EditState& s) {
  const std::string selected =
      s.text.substr(static_cast<std::size_t>(selStart(s)), static_cast<std::size_t>(selEnd(s) - selStart(s)));
  if (!OpenClipboard(hwnd)) return false;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, selected.size() + 1);
  auto* p = static_cast<char*>(GlobalLock(mem));
  if (p == nullptr) {
    GlobalFree(mem);
    CloseClipboard();
    return false;
  }
  std::memcpy(p, selected.c_str(), selected.size() + 1);
  GlobalUnlock(mem);
  EmptyClipboard();
  const bool handed = SetClipboardData(CF_TEXT, mem) != nullptr;
  if (!handed) GlobalFree(mem);
  CloseClipboard();
  return handed;
}

// The clipboard's text up to its first line break. False when the clipboard
// cannot be opened or holds no text.
bool readClipboardLine(HWND hwnd, std::string* line) {
  if (!OpenClipboard(hwnd)) return false;
  HGLOBAL mem = GetClipboardData(CF_TEXT);
  const auto* p = static_cast<const char*>(GlobalLock(mem));
  if (p == nullptr) {
    CloseClipboard();
    return false;
  }
  *line = std::string(firstLine(std::string_view(p, strnlen(p, GlobalSize(mem)))));
  GlobalUnlock(mem);
  CloseClipboard();
  return true;
}

void selectRange(EditState& s, int from, int to) {
  s.anchor = std::clamp(from, 0, textLength(s));
  s.caret = std::clamp(to, 0, textLength(s));
}

// Puts the deleted text back in place of what was inserted since, records
// that as the next step to undo, and selects what came back.
bool undo(EditState& s) {
  const std::string restore = s.undoDeleted;
  selectRange(s, s.undoPosition, s.undoPosition + s.undoInserted);
  emptyUndo(s);
  const bool changed = replaceSelection(s, restore, true);
  selectRange(s, s.undoPosition, s.undoPosition + s.undoInserted);
  return changed;
}

void setSelection(EditState& s, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<std::uint32_t>(wParam);
  const auto end = static_cast<std::uint32_t>(lParam);
  const auto length = static_cast<std::uint32_t>(textLength(s));
  if (start == 0xFFFFFFFFu) {  // -1: no selection, the caret stays
    s.anchor = s.caret;
    return;
  }
  // Unsigned comparison: -1 and any other negative end mean the end of text.
  s.anchor = static_cast<int>(std::min(start, length));
  s.caret = static_cast<int>(std::min(end, length));
}

LRESULT getSelection(const EditState& s, WPARAM wParam, LPARAM lParam) {
  const auto start = static_cast<DWORD>(selStart(s));
  const auto end = static_cast<DWORD>(selEnd(s));
  if (auto* p = reinterpret_cast<DWORD*>(wParam)) *p = start;
  if (auto* p = reinterpret_cast<DWORD*>(lParam)) *p = end;
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return MAKELONG(start, end);
}

// Typed characters: printable ones replace the selection, backspace deletes the
// selection or the character before the caret; other control characters are
// not text for a single-line control.
bool typeChar(EditState& s, WPARAM ch) {
  if (ch == VK_BACK) {
    if (s.anchor != s.caret) return replaceSelection(s, "", true);
    if (s.caret == 0) return false;
    return replaceRange(s, s.caret - 1, s.caret, "", true);
  }
  if (ch < 0x20 || ch == 0x7F || ch > 0xFF) return false;
  const char c = static_cast<char>(static_cast<unsigned char>(ch));
  return replaceSelection(s, std::string_view(&c, 1), true);
}

// Keys that edit or move without producing a character.
bool keyDown(EditState& s, WPARAM key) {
  const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  int caret = s.caret;
  switch (key) {
    case VK_DELETE:
      if (s.anchor != s.caret) return replaceSelection(s, "", true);
      if (s.caret >= textLength(s)) return false;
      return replaceRange(s, s.caret, s.caret + 1, "", true);
    case VK_LEFT: caret = std::max(0, caret - 1); break;
    case VK_RIGHT: caret = std::min(textLength(s), caret + 1); break;
    case VK_HOME: caret = 0; break;
    case VK_END: caret = textLength(s); break;
    default: return false;
  }
  s.caret = caret;
  if (!shift) s.anchor = caret;
  return false;
}

LRESULT getText(const EditState& s, WPARAM max, LPARAM lParam) {
  auto* buffer = reinterpret_cast<char*>(lParam);
  if (buffer == nullptr || max == 0) return 0;
  const std::size_t n = std::min<std::size_t>(s.text.size(), max - 1);
  std::memcpy(buffer, s.text.data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT setText(EditState& s, LPARAM lParam) {
  s.text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
  s.anchor = s.caret = 0;
  s.modified = false;
  emptyUndo(s);
  return TRUE;
}

// The messages that may change the text; returns whether they did through
// *changed, and the message's result.
LRESULT editMessage(HWND hwnd, EditState& s, UINT msg, WPARAM wParam, LPARAM lParam, bool* changed) {
  switch (msg) {
    case WM_SETTEXT: *changed = true; return setText(s, lParam);
    case WM_CHAR: *changed = typeChar(s, wParam); return 0;
    case WM_KEYDOWN: *changed = keyDown(s, wParam); return 0;
    case EM_REPLACESEL: {
      const char* text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      *changed = replaceSelection(s, firstLine(text), wParam != 0);
      return 0;
    }
    case WM_CUT:
      // The text goes only when it reached the clipboard: a busy clipboard
      // must not make a cut lose it.
      if (s.anchor != s.caret && copySelection(hwnd, s)) *changed = replaceSelection(s, "", true);
      return 0;
    case WM_COPY:
      if (s.anchor != s.caret) copySelection(hwnd, s);
      return 0;
    case WM_CLEAR:
      if (s.anchor != s.caret) *changed = replaceSelection(s, "", true);
      return 0;
    case WM_PASTE: {
      std::string line;
      if (readClipboardLine(hwnd, &line)) *changed = replaceSelection(s, line, true);
      return 0;
    }
    case WM_UNDO:
    case EM_UNDO:
      // Even with nothing to undo the selection moves to where the last step
      // was, the parent hears of a change, and the answer is TRUE.
      undo(s);
      *changed = true;
      return TRUE;
    default: return 0;
  }
}

LRESULT editProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    EditState state;
    state.limit = kDefaultLimit;
    if (cs != nullptr && cs->lpszName != nullptr) state.text = cs->lpszName;
    registry().edits[hwnd] = std::move(state);
    return 0;
  }
  EditState* s = stateOf(hwnd);
  if (s == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_GETTEXT: return getText(*s, wParam, lParam);
    case WM_GETTEXTLENGTH: return textLength(*s);
    case EM_GETSEL: return getSelection(*s, wParam, lParam);
    case EM_SETSEL:
      setSelection(*s, wParam, lParam);
      notifyWindowChanged(hwnd);
      return 0;
    case EM_GETMODIFY: return s->modified ? TRUE : FALSE;
    case EM_SETMODIFY: s->modified = wParam != 0; return 0;
    case EM_CANUNDO: return canUndo(*s) ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER: emptyUndo(*s); return 0;
    case EM_SETLIMITTEXT:
      s->limit = wParam == 0 || wParam > 0x7FFFFFFE ? 0x7FFFFFFE : static_cast<int>(wParam);
      return 0;
    case WM_SETTEXT:
    case WM_CHAR:
    case WM_KEYDOWN:
    case EM_REPLACESEL:
    case WM_CUT:
    case WM_COPY:
    case WM_CLEAR:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO: {
      bool changed = false;
      const LRESULT result = editMessage(hwnd, *s, msg, wParam, lParam, &changed);
      if (changed)
        reportChange(hwnd);
      else if (msg == WM_KEYDOWN)
        notifyWindowChanged(hwnd);  // the caret or selection may have moved
      return result;
    }
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

void registerEditClass(WindowRegistry& d) {
  WindowClass cls{"EDIT", editProc, nullptr, d.nextAtom++};
  d.classes.emplace("edit", cls);
}

}  // namespace platform
