// Window classes and windows: creation and destruction, the message send,
// the default procedure, text, placement, visibility, painting and focus.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>

#include "platform/platform.h"
#include "window_registry.h"

namespace platform {
namespace {

// Deeper re-entry than this is a runaway loop between procedures; failing the
// send is kinder than overflowing the stack.
constexpr int kMaxSendDepth = 512;

std::string lowerName(const char* name) {
  std::string s(name);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const WindowClass* findClass(LPCSTR name) {
  auto& classes = registry().classes;
  if (IS_INTRESOURCE(name)) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
    for (const auto& entry : classes)
      if (entry.second.atom == atom && atom != 0) return &entry.second;
    return nullptr;
  }
  auto it = classes.find(lowerName(name));
  return it == classes.end() ? nullptr : &it->second;
}

// The window and all its descendants, parent before children.
void collectTree(HWND hwnd, std::vector<HWND>& out) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  out.push_back(hwnd);
  const std::vector<HWND> children = w->children;
  for (HWND child : children) collectTree(child, out);
}

// The window's tree into out. A destruction half done cannot be undone, so an
// allocation that fails here is tried again a few times before giving up.
bool TreeOf(HWND hwnd, std::vector<HWND>& out) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    try {
      out.clear();
      collectTree(hwnd, out);
      return true;
    } catch (const std::bad_alloc&) {
    }
  }
  return false;
}

// Forgets everything the registry keeps about a window that is being freed.
void releaseWindow(HWND hwnd) {
  auto& d = registry();
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  if (Window* parent = findWindow(w->parent)) {
    auto& siblings = parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
  }
  if (d.focus == hwnd) d.focus = nullptr;
  if (d.capture == hwnd) {
    d.capture = nullptr;
    if (d.userInterface) d.userInterface->captureChanged(nullptr);
  }
  if (w->menu != nullptr) destroyMenuTree(w->menu);
  clipboardWindowDestroyed(hwnd);
  purgeQueuedMessages(hwnd);
  d.edits.erase(hwnd);
  forgetWindow(hwnd);
  if (d.userInterface) d.userInterface->windowDestroyed(hwnd);
}

// A window whose creation failed: the children it made go the usual way, the
// window itself hears only WM_NCDESTROY.
void abandonCreation(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return;
  w->destroying = true;
  const std::vector<HWND> children = w->children;
  for (HWND child : children) DestroyWindow(child);
  if (findWindow(hwnd) != nullptr) SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
  releaseWindow(hwnd);
}

// The smallest size the system lets a top-level overlapped or resizable
// window have, as Windows clamps it at creation and at every resize.
constexpr int kMinTrackWidth = 116;
constexpr int kMinTrackHeight = 27;
// The width of a vertical and the height of a horizontal scroll bar.
constexpr int kScrollBarSize = 17;

bool isOverlapped(DWORD style) { return (style & (WS_CHILD | WS_POPUP)) == 0; }

void fitTrackingSize(DWORD style, int& width, int& height) {
  if (!isOverlapped(style) && !(style & WS_THICKFRAME)) return;
  width = std::max(width, kMinTrackWidth);
  height = std::max(height, kMinTrackHeight);
}

// The client area: the window less the scroll bars it shows.
RECT clientRect(const Window& w) {
  const int width = w.width - ((w.style & WS_VSCROLL) ? kScrollBarSize : 0);
  const int height = w.height - ((w.style & WS_HSCROLL) ? kScrollBarSize : 0);
  return RECT{0, 0, std::max(0, width), std::max(0, height)};
}

LPARAM clientSizeParam(const Window& w) {
  const RECT client = clientRect(w);
  return MAKELPARAM(client.right, client.bottom);
}

// WM_SIZE with the client size, then WM_MOVE; false when a procedure
// destroyed the window meanwhile.
bool tellSizeAndPlace(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return false;
  SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, clientSizeParam(*w));
  w = findWindow(hwnd);
  if (w == nullptr) return false;
  SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(w->x, w->y));
  return findWindow(hwnd) != nullptr;
}

}  // namespace
}  // namespace platform

using namespace platform;

// Registers a class under its name. Registering the same name again with the
// same procedure and instance answers the existing atom, so that code which
// registers on every use keeps working; a different procedure fails with 0.
ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (wc == nullptr || wc->lpszClassName == nullptr || IS_INTRESOURCE(wc->lpszClassName) ||
      wc->lpfnWndProc == nullptr || wc->lpszClassName[0] == '\0')
    return 0;
  auto& d = registry();
  const std::string key = lowerName(wc->lpszClassName);
  auto it = d.classes.find(key);
  // A name already registered is refused, as Windows refuses it
  // (ERROR_CLASS_ALREADY_EXISTS), whatever the procedure.
  if (it != d.classes.end()) return 0;
  if (d.nextAtom == 0xFFFF) return 0;
  WindowClass cls{wc->lpszClassName, wc->lpfnWndProc, wc->hInstance, d.nextAtom++};
  d.classes.emplace(key, cls);
  return cls.atom;
}

// Creates a window and delivers WM_NCCREATE, WM_CREATE and, except to a hidden
// top-level overlapped window, WM_SIZE and WM_MOVE before returning. A
// top-level overlapped or resizable window is at least the smallest tracking size.
// Fails (null) for an unknown class, a dead parent, a child without a parent,
// or when WM_NCCREATE answers FALSE or WM_CREATE -1. As on Windows, the window
// takes its text in the default WM_NCCREATE handling, and a window whose
// creation failed hears only WM_NCDESTROY, never WM_DESTROY.
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  if (className == nullptr) return nullptr;
  const WindowClass* cls = findClass(className);
  if (cls == nullptr) return nullptr;
  Window* parentWindow = nullptr;
  if (parent != nullptr) {
    parentWindow = findWindow(parent);
    if (parentWindow == nullptr || parentWindow->destroying) return nullptr;
  }
  const bool child = (style & WS_CHILD) != 0;
  if (child && parentWindow == nullptr) return nullptr;
  if (!child && menu != nullptr && findMenu(menu) == nullptr) return nullptr;

  auto& d = registry();
  auto w = std::make_unique<Window>();
  w->className = cls->name;
  w->proc = cls->proc;
  w->parent = parent;
  w->style = style;
  w->exStyle = exStyle;
  w->x = x == CW_USEDEFAULT ? 0 : x;
  w->y = y == CW_USEDEFAULT ? 0 : y;
  const bool defaultSize = width == CW_USEDEFAULT;
  w->width = defaultSize ? (child ? 0 : 640) : std::max(0, width);
  w->height = defaultSize ? (child ? 0 : 480) : std::max(0, height);
  fitTrackingSize(style, w->width, w->height);
  w->sizeAtShow = isOverlapped(style) && !(style & WS_VISIBLE);
  const bool sizeNow = !w->sizeAtShow;
  if (child)
    w->id = reinterpret_cast<std::uintptr_t>(menu);
  else
    w->menu = menu;
  w->instance = instance;
  w->invalid = (style & WS_VISIBLE) != 0;
  w->erase = w->invalid;

  const HWND hwnd = d.newHandle<HWND>();
  w->handle = hwnd;
  const int cx = w->width, cy = w->height, px = w->x, py = w->y;
  d.windows.emplace(hwnd, std::move(w));
  if (parentWindow != nullptr) parentWindow->children.push_back(hwnd);

  CREATESTRUCTA cs{};
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parent;
  cs.cx = cx;
  cs.cy = cy;
  cs.x = px;
  cs.y = py;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;
  if (SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == FALSE) {
    abandonCreation(hwnd);
    return nullptr;
  }
  const LRESULT result = SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs));
  if (findWindow(hwnd) == nullptr) return nullptr;
  if (result == -1) {
    abandonCreation(hwnd);
    return nullptr;
  }
  // A child or pop-up hears its size and place once it exists; a top-level
  // overlapped window when it is first shown, which for one made visible is now.
  if (sizeNow && !tellSizeAndPlace(hwnd)) return nullptr;
  if (style & WS_VISIBLE) notifyWindowChanged(hwnd);
  return hwnd;
}

// Sends WM_DESTROY to the window and then to its descendants (parent first),
// then frees them all, children before parents. A window already being
// destroyed is left to the destruction under way.
BOOL DestroyWindow(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || w->destroying) return FALSE;
  std::vector<HWND> tree;
  for (;;) {
    // Procedures may create children while they are told of the destruction;
    // those are destroyed in the same way.
    if (!TreeOf(hwnd, tree)) return FALSE;
    std::erase_if(tree, [](HWND h) {
      Window* tw = findWindow(h);
      return tw == nullptr || tw->destroying;
    });
    if (tree.empty()) break;
    for (HWND h : tree) findWindow(h)->destroying = true;
    for (HWND h : tree)
      if (findWindow(h) != nullptr) SendMessageA(h, WM_DESTROY, 0, 0);
  }
  // WM_NCDESTROY is each window's last message, children before parents.
  if (!TreeOf(hwnd, tree)) return FALSE;
  for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
    if (findWindow(*it) != nullptr) SendMessageA(*it, WM_NCDESTROY, 0, 0);
    releaseWindow(*it);
  }
  return TRUE;
}

BOOL IsWindow(HWND hwnd) { return findWindow(hwnd) != nullptr ? TRUE : FALSE; }

HWND GetParent(HWND hwnd) {
  Window* w = findWindow(hwnd);
  return w != nullptr ? w->parent : nullptr;
}

namespace {

// A procedure whose allocation failed answers 0, as a message nobody handled:
// no exception unwinds through the code that sent it (the module's, often).
LRESULT CallProcedure(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    return proc(hwnd, msg, wParam, lParam);
  } catch (const std::bad_alloc&) {
    return msg == WM_CREATE ? -1 : 0;
  }
}

// Calls the procedure one send deeper. The depth is put back as it was rather
// than counted down: a store that waits for no load, which the next message's
// count would wait for.
LRESULT SendAtDepth(WindowRegistry& d, WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const int depth = d.sendDepth;
  d.sendDepth = depth + 1;
  const LRESULT result = CallProcedure(proc, hwnd, msg, wParam, lParam);
  d.sendDepth = depth;
  return result;
}

// SendMessageA for any window.
[[gnu::noinline]] LRESULT SendToAnyWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = findWindow(hwnd);
  auto& d = registry();
  if (w == nullptr || w->proc == nullptr || d.sendDepth >= kMaxSendDepth) return 0;
  return SendAtDepth(d, w->proc, hwnd, msg, wParam, lParam);
}

}  // namespace

// Calls the window's procedure at once; procedures may send again (re-entry).
// 0 for a handle that names no window.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // A row operation sends a few messages a row to one grid: for the window
  // found last, nothing but the procedure's own call, so that a message costs
  // little more than a function call.
  WindowRegistry* d = liveRegistry;
  if (d == nullptr || hwnd == nullptr || hwnd != d->lastFound || d->sendDepth >= kMaxSendDepth) {
    return SendToAnyWindow(hwnd, msg, wParam, lParam);
  }
  const WNDPROC proc = d->lastFoundWindow->proc;
  return proc != nullptr ? SendAtDepth(*d, proc, hwnd, msg, wParam, lParam) : 0;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc != nullptr ? CallProcedure(proc, hwnd, msg, wParam, lParam) : 0;
}

// The default handling: the window's text, validation on paint, destruction on
// close; everything else answers 0.
LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      // The window takes its text here, as on Windows.
      const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      w->text = cs != nullptr && cs->lpszName != nullptr ? cs->lpszName : "";
      return TRUE;
    }
    case WM_QUERYENDSESSION: return TRUE;
    case WM_SETTEXT:
      w->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      notifyWindowChanged(hwnd);
      return TRUE;
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<char*>(lParam);
      if (buffer == nullptr || wParam == 0) return 0;
      const std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
      std::memcpy(buffer, w->text.data(), n);
      buffer[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    default: return 0;
  }
}

BOOL SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (findWindow(hwnd) == nullptr) return FALSE;
  return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

// Copies at most maxCount - 1 characters and always terminates; returns the
// number copied, 0 for a bad window or buffer.
int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount) {
  if (buffer == nullptr || maxCount <= 0) return 0;
  buffer[0] = '\0';
  if (findWindow(hwnd) == nullptr) return 0;
  const LRESULT n = SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(buffer));
  const int copied = static_cast<int>(std::clamp<LRESULT>(n, 0, maxCount - 1));
  buffer[copied] = '\0';
  return copied;
}

int GetWindowTextLengthA(HWND hwnd) {
  if (findWindow(hwnd) == nullptr) return 0;
  return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

// Moves and sizes a window; WM_SIZE follows only when the size changed. A
// top-level overlapped or resizable window keeps the smallest tracking size.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  (void)insertAfter;  // windows here do not overlap in a way anyone can see
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  const int nx = (flags & SWP_NOMOVE) ? w->x : x;
  const int ny = (flags & SWP_NOMOVE) ? w->y : y;
  int ncx = (flags & SWP_NOSIZE) ? w->width : std::max(0, cx);
  int ncy = (flags & SWP_NOSIZE) ? w->height : std::max(0, cy);
  if (!(flags & SWP_NOSIZE)) fitTrackingSize(w->style, ncx, ncy);
  const bool sized = ncx != w->width || ncy != w->height;
  const bool moved = nx != w->x || ny != w->y;
  w->x = nx;
  w->y = ny;
  w->width = ncx;
  w->height = ncy;
  if (!sized && !moved) return TRUE;
  if (!(flags & SWP_NOREDRAW)) {
    w->invalid = true;
    w->erase = true;
  }
  notifyWindowChanged(hwnd);
  if (sized) SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, clientSizeParam(*w));
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  *rect = clientRect(*w);
  return TRUE;
}

// The window's rectangle in screen coordinates: a child's position is relative
// to its parent's client area, and client areas have no border here.
BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || rect == nullptr) return FALSE;
  LONG left = w->x, top = w->y;
  for (Window* p = findWindow(w->parent); p != nullptr; p = findWindow(p->parent)) {
    left += p->x;
    top += p->y;
  }
  *rect = RECT{left, top, left + w->width, top + w->height};
  return TRUE;
}

// Shows or hides; returns whether the window was visible before. A change of
// visibility is announced with WM_SHOWWINDOW first.
BOOL ShowWindow(HWND hwnd, int cmdShow) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  const bool wasVisible = (w->style & WS_VISIBLE) != 0;
  const bool show = cmdShow != SW_HIDE;
  if (show == wasVisible) return wasVisible ? TRUE : FALSE;
  SendMessageA(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  w = findWindow(hwnd);
  if (w == nullptr) return wasVisible ? TRUE : FALSE;
  if (show) {
    w->style |= WS_VISIBLE;
    w->invalid = true;
    w->erase = true;
  } else {
    w->style &= ~WS_VISIBLE;
  }
  notifyWindowChanged(hwnd);
  // Whatever it was sized to meanwhile, a top-level window hears its size at
  // its first showing.
  if (show && w->sizeAtShow) {
    w->sizeAtShow = false;
    tellSizeAndPlace(hwnd);
  }
  return wasVisible ? TRUE : FALSE;
}

// Shows or hides a window's standard scroll bars, which take their room from
// the client area; WM_SIZE tells the window of the new client size.
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || bar < SB_HORZ || bar > SB_BOTH || bar == 2) return FALSE;
  DWORD bits = 0;
  if (bar == SB_VERT || bar == SB_BOTH) bits |= WS_VSCROLL;
  if (bar == SB_HORZ || bar == SB_BOTH) bits |= WS_HSCROLL;
  const LPARAM before = clientSizeParam(*w);
  w->style = show ? (w->style | bits) : (w->style & ~bits);
  const LPARAM after = clientSizeParam(*w);
  if (after != before) {
    w->invalid = true;
    w->erase = true;
    notifyWindowChanged(hwnd);
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, after);
  }
  return TRUE;
}

// Visible only when the window and all its ancestors have WS_VISIBLE.
BOOL IsWindowVisible(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  for (; w != nullptr; w = findWindow(w->parent))
    if (!(w->style & WS_VISIBLE)) return FALSE;
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  (void)rect;  // the whole client area is repainted either way
  if (hwnd == nullptr) {
    std::vector<HWND> all;
    for (auto& entry : registry().windows) {
      entry.second->invalid = true;
      entry.second->erase = entry.second->erase || erase;
      all.push_back(entry.first);
    }
    for (HWND h : all) notifyWindowChanged(h);
    return TRUE;
  }
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  w->invalid = true;
  w->erase = w->erase || erase;
  notifyWindowChanged(hwnd);
  return TRUE;
}

// Sends WM_PAINT when the window has something to repaint and can be seen;
// hidden windows are not painted.
BOOL UpdateWindow(HWND hwnd) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return FALSE;
  if (w->invalid && IsWindowVisible(hwnd)) SendMessageA(hwnd, WM_PAINT, 0, 0);
  return TRUE;
}

// Validates the window and hands out a device context for the paint.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return nullptr;
  HDC dc = GetDC(hwnd);
  if (ps != nullptr) {
    *ps = PAINTSTRUCT{};
    ps->hdc = dc;
    ps->fErase = w->erase ? TRUE : FALSE;
    ps->rcPaint = RECT{0, 0, w->width, w->height};
  }
  w->invalid = false;
  w->erase = false;
  return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (ps != nullptr) ReleaseDC(hwnd, ps->hdc);
  return TRUE;
}

// Moves the focus: WM_KILLFOCUS to the window losing it, then WM_SETFOCUS to
// the one gaining it. Returns the window that had it, or null on a bad handle.
HWND SetFocus(HWND hwnd) {
  auto& d = registry();
  if (hwnd != nullptr && findWindow(hwnd) == nullptr) return nullptr;
  const HWND old = d.focus;
  if (old == hwnd) return old;
  if (old != nullptr && findWindow(old) != nullptr) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd != nullptr && findWindow(hwnd) == nullptr) {
    d.focus = nullptr;
    return old;
  }
  d.focus = hwnd;
  if (hwnd != nullptr) SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() { return registry().focus; }

namespace {
constexpr int kIndexId = -12;
constexpr int kIndexStyle = -16;
constexpr int kIndexExStyle = -20;
}  // namespace

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWLP_USERDATA:
      old = w->userData;
      w->userData = value;
      return old;
    case GWLP_WNDPROC:
      if (value == 0) return 0;  // a window without a procedure could not answer anything
      old = reinterpret_cast<LONG_PTR>(w->proc);
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    default: return 0;
  }
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  Window* w = findWindow(hwnd);
  if (w == nullptr) return 0;
  // The two a control asks for on every call it serves, alternately: plain
  // tests predict better than the switch's jump table.
  if (index == GWLP_USERDATA) return w->userData;
  if (index == GWLP_WNDPROC) return reinterpret_cast<LONG_PTR>(w->proc);
  switch (index) {
    case kIndexId: return static_cast<LONG_PTR>(w->id);
    case kIndexStyle: return static_cast<LONG_PTR>(w->style);
    case kIndexExStyle: return static_cast<LONG_PTR>(w->exStyle);
    default: return 0;
  }
}

LONG_PTR PlatformWindowDataOf(HWND hwnd, WNDPROC procedure) {
  Window* w = findWindow(hwnd);
  return w != nullptr && w->proc == procedure ? w->userData : 0;
}

HMENU GetMenu(HWND hwnd) {
  Window* w = findWindow(hwnd);
  return w != nullptr ? w->menu : nullptr;
}

// Child windows cannot carry a menu bar. The old menu is not destroyed.
BOOL SetMenu(HWND hwnd, HMENU menu) {
  Window* w = findWindow(hwnd);
  if (w == nullptr || (w->style & WS_CHILD)) return FALSE;
  if (menu != nullptr && findMenu(menu) == nullptr) return FALSE;
  w->menu = menu;
  notifyWindowChanged(hwnd);
  if (menu != nullptr) notifyMenuChanged(menu);
  return TRUE;
}
