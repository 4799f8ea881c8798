// The one process-wide window registry: every object the user-interface and memory
// services hand out a handle for, as user32 and kernel32 keep them.
//
// Handles come from one counter that never goes back, so a handle of a freed
// object (or of another kind) finds nothing and the call fails safely.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/resources.h"
#include "platform/user_interface.h"
#include "platform/win.h"

namespace platform {

struct WindowClass {
  std::string name;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  ATOM atom = 0;
};

struct Window {
  HWND handle = nullptr;
  std::string className;
  WNDPROC proc = nullptr;
  HWND parent = nullptr;
  std::vector<HWND> children;  // in creation order
  std::string text;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0, y = 0, width = 0, height = 0;
  LONG_PTR userData = 0;
  std::uintptr_t id = 0;  // the child id a child window was created with
  HMENU menu = nullptr;   // the menu of a top-level window
  HINSTANCE instance = nullptr;
  bool invalid = false;
  bool erase = false;
  bool destroying = false;
  // A top-level overlapped window hears its size at its first showing, not
  // at its creation.
  bool sizeAtShow = false;
};

// The single-line edit control's own state, kept beside its window.
struct EditState {
  std::string text;
  int anchor = 0;  // where the selection started
  int caret = 0;   // where it ends; the caret stands here
  bool modified = false;
  int limit = 32767;  // characters the user may enter
  // The undo buffer, kept as Windows keeps it: the text that the undoable
  // edits since the last undo deleted, where they did, and how many characters
  // they have inserted there since. A deletion next to the one before, or an
  // insertion where the last one ended, joins the same step; undoing puts the
  // deleted text back in place of the inserted, which is itself an undoable
  // edit, so a second undo redoes.
  std::string undoDeleted;
  int undoPosition = 0;
  int undoInserted = 0;
};

struct MenuItem {
  UINT id = 0;
  std::string text;
  UINT flags = 0;  // MF_GRAYED, MF_DISABLED, MF_SEPARATOR, MF_POPUP
  HMENU popup = nullptr;
};

struct Menu {
  bool popup = false;
  std::vector<MenuItem> items;
};

// Frees a global block's bytes: a mapping of its own (mapped bytes long) or,
// for a small block, calloc's.
struct BlockBytes {
  std::size_t mapped = 0;
  void operator()(char* bytes) const;
};

struct GlobalBlock {
  std::unique_ptr<char, BlockBytes> data;
  SIZE_T size = 0;
  bool moveable = false;
  int locks = 0;
  bool clipboardOwned = false;
};

struct Clipboard {
  bool open = false;
  HWND opener = nullptr;
  HWND owner = nullptr;
  bool busy = false;     // another program holds it open
  bool dataSet = false;  // SetClipboardData ran since it was opened
  std::map<UINT, HGLOBAL> data;
  // Text another program put on it while one of our windows held it open:
  // it lands when the clipboard closes, so no block in use is freed.
  bool outsidePending = false;
  bool outsideHasText = false;
  std::string outsideText;
};

struct Module {
  void* library = nullptr;  // dlopen handle; null for a statically linked module
  const ModuleResources* resources = nullptr;
  int references = 1;
};

struct IconRef {
  HINSTANCE instance = nullptr;
  const ResourceIcon* icon = nullptr;
};

struct DeviceContext {
  HWND window = nullptr;
  HGDIOBJ font = nullptr;
};

struct WindowRegistry {
  WindowRegistry();
  ~WindowRegistry();
  WindowRegistry(const WindowRegistry&) = delete;
  WindowRegistry& operator=(const WindowRegistry&) = delete;

  // A fresh handle of type H, never handed out before.
  template <class H>
  H newHandle() {
    nextHandle += 4;
    return reinterpret_cast<H>(nextHandle);
  }

  std::uintptr_t nextHandle = 0x10000;
  UserInterface* userInterface = nullptr;
  std::string messageDetail;  // for the next MessageBoxA

  std::map<std::string, WindowClass> classes;  // by lower-case name
  ATOM nextAtom = 0xC000;
  std::unordered_map<HWND, std::unique_ptr<Window>> windows;
  // The window the latest lookup found. Row operations make millions of calls
  // on one grid; each call looks its window up two or three times. Cleared
  // whenever a window is freed, so it never names a dead window.
  HWND lastFound = nullptr;
  Window* lastFoundWindow = nullptr;
  std::unordered_map<HWND, EditState> edits;
  HWND focus = nullptr;
  HWND capture = nullptr;
  int sendDepth = 0;  // procedures running inside SendMessageA

  std::deque<MSG> queue;
  DWORD tick = 0;

  std::unordered_map<HMENU, std::unique_ptr<Menu>> menus;
  std::unordered_map<HACCEL, std::vector<ACCEL>> accelerators;

  std::unordered_map<HGLOBAL, GlobalBlock> blocks;
  Clipboard clipboard;

  HCURSOR arrowCursor = nullptr;
  HCURSOR ibeamCursor = nullptr;
  HCURSOR waitCursor = nullptr;
  HCURSOR cursor = nullptr;
  std::unordered_map<HICON, IconRef> icons;

  std::unordered_map<HINSTANCE, Module> modules;

  std::unordered_map<HGDIOBJ, int> fonts;  // font handle -> character height
  HGDIOBJ systemFont = nullptr;
  std::unordered_map<HDC, DeviceContext> dcs;
};

// The registry once it exists, else null: lets SendMessageA's common case
// read the registry without the first-use check, which costs a message more
// than its own work.
inline WindowRegistry* liveRegistry = nullptr;

// Inline, as is the lookup below: every call the grid and the editor make goes
// through them, several times.
inline WindowRegistry& registry() {
  static WindowRegistry instance;
  return instance;
}

// findWindow for a window other than the one found last.
Window* lookUpWindow(HWND hwnd);

// The live window a handle names, or null.
inline Window* findWindow(HWND hwnd) {
  WindowRegistry& d = registry();
  if (hwnd != nullptr && hwnd == d.lastFound) return d.lastFoundWindow;
  return lookUpWindow(hwnd);
}
// Frees the window record a handle names (the one way windows leave the registry).
void forgetWindow(HWND hwnd);
// The live menu a handle names, or null.
Menu* findMenu(HMENU menu);
// The live global block a handle names, or null.
GlobalBlock* findBlock(HGLOBAL mem);

// Front-end notifications; each does nothing without a front end.
void notifyWindowChanged(HWND hwnd);
void notifyMenuChanged(HMENU menu);

// Internal pieces other files of the layer call.
void registerEditClass(WindowRegistry& d);
void destroyMenuTree(HMENU menu);
void clipboardWindowDestroyed(HWND hwnd);
void clipboardReset();
void purgeQueuedMessages(HWND hwnd);
// The item a menu holds for a command, searching nested pop-ups depth first.
// On success *holder is the menu that directly holds it and *index its position.
bool findMenuCommand(HMENU menu, UINT command, HMENU* holder, int* index);

}  // namespace platform
