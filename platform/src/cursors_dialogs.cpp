// Cursors, icons, message boxes, sound, key state and mouse capture: the
// services that need a person or a screen, answered through the front end.
#include "platform/platform.h"
#include "window_registry.h"

namespace platform {
namespace {

constexpr std::uintptr_t kArrowId = 32512;
constexpr std::uintptr_t kIbeamId = 32513;
constexpr std::uintptr_t kWaitId = 32514;

// What a person who declines would answer, for a box nobody can see: Cancel
// where there is one, otherwise No, Abort or OK.
int decliningAnswer(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
  }
}

}  // namespace
}  // namespace platform

using namespace platform;

// The system cursors, for a null instance; the same handle on every call.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance != nullptr || !IS_INTRESOURCE(name)) return nullptr;
  auto& d = registry();
  switch (reinterpret_cast<std::uintptr_t>(name)) {
    case kArrowId: return d.arrowCursor;
    case kIbeamId: return d.ibeamCursor;
    case kWaitId: return d.waitCursor;
    default: return nullptr;
  }
}

// Shows the cursor (null hides it) and returns the one shown before.
HCURSOR SetCursor(HCURSOR cursor) {
  auto& d = registry();
  const HCURSOR previous = d.cursor;
  if (cursor != nullptr && cursor != d.arrowCursor && cursor != d.ibeamCursor && cursor != d.waitCursor)
    return previous;  // not a cursor: nothing changes
  d.cursor = cursor;
  if (cursor != previous && d.userInterface != nullptr) d.userInterface->cursorChanged(cursor);
  return previous;
}

HCURSOR GetCursor() { return registry().cursor; }

// The module's icon resource; the same handle for every load of one icon.
HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  auto& d = registry();
  auto mod = d.modules.find(instance);
  if (mod == d.modules.end() || mod->second.resources == nullptr) return nullptr;
  const ModuleResources& res = *mod->second.resources;
  const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
  if (res.icons == nullptr) return nullptr;
  for (int i = 0; i < res.iconCount; ++i) {
    const ResourceIcon* icon = &res.icons[i];
    if (icon->id != id) continue;
    for (const auto& entry : d.icons)
      if (entry.second.icon == icon && entry.second.instance == instance) return entry.first;
    const HICON h = d.newHandle<HICON>();
    d.icons.emplace(h, IconRef{instance, icon});
    return h;
  }
  return nullptr;
}

const ResourceIcon* PlatformIconPixels(HICON icon) {
  auto& icons = registry().icons;
  auto it = icons.find(icon);
  return it == icons.end() ? nullptr : it->second.icon;
}

void PlatformSetMessageDetail(const char* detail) { registry().messageDetail = detail != nullptr ? detail : ""; }

namespace {

// A message box runs a message loop of its own while it waits: the messages
// posted before it appeared reach their windows before the click that answers
// it, which comes once the person has seen the box. A quit message ends that
// loop and stays for the program's own.
void dispatchPostedBeforeAnswer(int posted) {
  for (; posted > 0; --posted) {
    MSG m{};
    if (!PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) return;
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      return;
    }
    DispatchMessageA(&m);
  }
}

int askFrontEnd(UserInterface* fe, HWND owner, LPCSTR text, LPCSTR caption, UINT type, const std::string& detail) {
  if (fe == nullptr) return decliningAnswer(type);
  const std::string shown = text != nullptr ? text : "";
  const std::string title = caption != nullptr ? caption : "Error";
  if (detail.empty()) return fe->messageBox(owner, shown, title, type);
  return fe->detailedMessageBox(owner, shown, detail, title, type);
}

}  // namespace

// Asks the front end; without one the box is declined. A detail set for this
// box goes with it; a box without one is asked as it always was.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  auto& d = registry();
  const std::string detail = std::move(d.messageDetail);
  d.messageDetail.clear();
  const int posted = PlatformPendingMessages();
  const int answer = askFrontEnd(d.userInterface, owner, text, caption, type, detail);
  dispatchPostedBeforeAnswer(posted);
  return answer;
}

BOOL MessageBeep(UINT type) {
  if (UserInterface* fe = registry().userInterface) fe->beep(type);
  return TRUE;
}

SHORT GetAsyncKeyState(int vkey) {
  UserInterface* fe = registry().userInterface;
  return fe != nullptr ? fe->asyncKeyState(vkey) : 0;
}

SHORT GetKeyState(int vkey) { return GetAsyncKeyState(vkey); }

// Returns the window that had the capture; null (and no change) for a bad handle.
HWND SetCapture(HWND hwnd) {
  auto& d = registry();
  if (findWindow(hwnd) == nullptr) return nullptr;
  const HWND previous = d.capture;
  d.capture = hwnd;
  if (previous != hwnd && d.userInterface != nullptr) d.userInterface->captureChanged(hwnd);
  return previous;
}

BOOL ReleaseCapture() {
  auto& d = registry();
  const HWND previous = d.capture;
  d.capture = nullptr;
  if (previous != nullptr && d.userInterface != nullptr) d.userInterface->captureChanged(nullptr);
  return TRUE;
}

HWND GetCapture() { return registry().capture; }
