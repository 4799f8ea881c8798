// Windows-style user-interface and memory services.
//
// Each function behaves as its Windows namesake does for the arguments this
// program uses. Handles are opaque pointers; a handle that does not name a live
// object makes a call fail the way Windows fails it (0, FALSE or no effect).
// Everything runs on one user-interface thread.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#if defined(__GNUC__)
#define PLATFORM_API __attribute__((visibility("default")))
#else
#define PLATFORM_API
#endif

// ---- Basic types -----------------------------------------------------------
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using INT = int;
using LONG = std::int32_t;
using BOOL = int;
using SHORT = std::int16_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using SIZE_T = std::size_t;
using ATOM = WORD;
using COLORREF = DWORD;

#define PLATFORM_DECLARE_HANDLE(name) \
  struct name##__;                    \
  using name = name##__*
PLATFORM_DECLARE_HANDLE(HWND);
PLATFORM_DECLARE_HANDLE(HMENU);
PLATFORM_DECLARE_HANDLE(HINSTANCE);
PLATFORM_DECLARE_HANDLE(HCURSOR);
PLATFORM_DECLARE_HANDLE(HICON);
PLATFORM_DECLARE_HANDLE(HDC);
PLATFORM_DECLARE_HANDLE(HFONT);
PLATFORM_DECLARE_HANDLE(HACCEL);
PLATFORM_DECLARE_HANDLE(HGDIOBJ);
PLATFORM_DECLARE_HANDLE(HBRUSH);
#undef PLATFORM_DECLARE_HANDLE
using HGLOBAL = void*;
using HANDLE = void*;
using HMODULE = HINSTANCE;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Window procedures use the standard calling convention on Windows; here there is one.
#define CALLBACK
using WNDPROC = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
  LONG left, top, right, bottom;
};
struct POINT {
  LONG x, y;
};
struct PAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
};
struct TEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
};
using TEXTMETRIC = TEXTMETRICA;

struct CREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
};

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};

// ---- Helper macros -----------------------------------------------------------
#define LOWORD(l) (static_cast<WORD>(static_cast<std::uintptr_t>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<std::uintptr_t>(l) >> 16) & 0xffff))
#define MAKELONG(a, b) \
  (static_cast<LONG>((static_cast<DWORD>(static_cast<WORD>(a))) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<std::uintptr_t>(p) >> 16) == 0)

// ---- Window messages ---------------------------------------------------------
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_MOVE = 0x0003;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_ACTIVATE = 0x0006;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_SETREDRAW = 0x000B;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYENDSESSION = 0x0011;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_INITMENU = 0x0116;
constexpr UINT WM_INITMENUPOPUP = 0x0117;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;
constexpr UINT WM_USER = 0x0400;

// PeekMessageA removal flags.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Edit control messages and notifications.
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_SETLIMITTEXT = 0x00C5;
constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;

// ---- Styles and flags --------------------------------------------------------
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr DWORD ES_AUTOHSCROLL = 0x00000080;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000);

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_BOTH = 3;

#define HWND_TOP (static_cast<HWND>(nullptr))
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;

constexpr int GWLP_USERDATA = -21;
constexpr int GWLP_WNDPROC = -4;

constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;

// Message boxes.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
constexpr UINT MB_YESNOCANCEL = 0x00000003;
constexpr UINT MB_YESNO = 0x00000004;
constexpr UINT MB_RETRYCANCEL = 0x00000005;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x00000040;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_DEFBUTTON1 = 0x00000000;
constexpr UINT MB_DEFBUTTON2 = 0x00000100;
constexpr UINT MB_DEFBUTTON3 = 0x00000200;
constexpr UINT MB_TYPEMASK = 0x0000000F;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_DEFMASK = 0x00000F00;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Clipboard and global memory.
constexpr UINT CF_TEXT = 1;
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Cursors (system cursor ids, passed with a null instance).
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)

// Virtual keys.
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_END = 0x23;
constexpr int VK_HOME = 0x24;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_DELETE = 0x2E;

// Accelerator flags.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FNOINVERT = 0x02;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

// Menu flags.
constexpr UINT MF_BYCOMMAND = 0x00000000;
constexpr UINT MF_BYPOSITION = 0x00000400;
constexpr UINT MF_STRING = 0x00000000;
constexpr UINT MF_ENABLED = 0x00000000;
constexpr UINT MF_GRAYED = 0x00000001;
constexpr UINT MF_DISABLED = 0x00000002;
constexpr UINT MF_POPUP = 0x00000010;
constexpr UINT MF_SEPARATOR = 0x00000800;
constexpr UINT MF_SYSMENU = 0x00002000;
constexpr UINT MF_END = 0x00000080;

constexpr UINT MB_OKBEEP = 0;

// ---- Functions ---------------------------------------------------------------
extern "C" {
// Window classes and windows.
PLATFORM_API ATOM RegisterClassA(const WNDCLASSA* wc);
PLATFORM_API HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                  int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
PLATFORM_API BOOL DestroyWindow(HWND hwnd);
PLATFORM_API BOOL IsWindow(HWND hwnd);
PLATFORM_API HWND GetParent(HWND hwnd);
// The next child of parent after childAfter (null: the first) whose class and
// text match; a null className or windowName matches any. Direct children only.
PLATFORM_API HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName);
PLATFORM_API LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
PLATFORM_API BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
PLATFORM_API LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
PLATFORM_API LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
PLATFORM_API BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove);
PLATFORM_API LRESULT DispatchMessageA(const MSG* msg);
PLATFORM_API void PostQuitMessage(int exitCode);
PLATFORM_API BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
PLATFORM_API int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount);
PLATFORM_API int GetWindowTextLengthA(HWND hwnd);
PLATFORM_API BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
PLATFORM_API BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
PLATFORM_API BOOL GetClientRect(HWND hwnd, RECT* rect);
PLATFORM_API BOOL GetWindowRect(HWND hwnd, RECT* rect);
PLATFORM_API BOOL ShowWindow(HWND hwnd, int cmdShow);
PLATFORM_API BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
PLATFORM_API BOOL IsWindowVisible(HWND hwnd);
PLATFORM_API BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
PLATFORM_API BOOL UpdateWindow(HWND hwnd);
PLATFORM_API HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
PLATFORM_API BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
PLATFORM_API HWND SetFocus(HWND hwnd);
PLATFORM_API HWND GetFocus();
PLATFORM_API LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);
PLATFORM_API LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
PLATFORM_API HMENU GetMenu(HWND hwnd);
PLATFORM_API BOOL SetMenu(HWND hwnd, HMENU menu);

// Menus and accelerators.
PLATFORM_API HMENU LoadMenuA(HINSTANCE instance, LPCSTR name);
PLATFORM_API HMENU CreateMenu();
PLATFORM_API HMENU CreatePopupMenu();
PLATFORM_API BOOL DestroyMenu(HMENU menu);
PLATFORM_API BOOL AppendMenuA(HMENU menu, UINT flags, std::uintptr_t idNewItem, LPCSTR text);
PLATFORM_API HMENU GetSubMenu(HMENU menu, int pos);
PLATFORM_API int GetMenuItemCount(HMENU menu);
PLATFORM_API UINT GetMenuItemID(HMENU menu, int pos);
PLATFORM_API UINT GetMenuState(HMENU menu, UINT item, UINT flags);
PLATFORM_API int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags);
PLATFORM_API BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, std::uintptr_t idNewItem, LPCSTR text);
PLATFORM_API BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable);  // previous state or -1
PLATFORM_API HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name);
PLATFORM_API int CopyAcceleratorTableA(HACCEL accel, ACCEL* entries, int count);
PLATFORM_API BOOL DestroyAcceleratorTable(HACCEL accel);
PLATFORM_API int TranslateAcceleratorA(HWND hwnd, HACCEL accel, MSG* msg);

// Global memory.
PLATFORM_API HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
PLATFORM_API LPVOID GlobalLock(HGLOBAL mem);
PLATFORM_API BOOL GlobalUnlock(HGLOBAL mem);
PLATFORM_API SIZE_T GlobalSize(HGLOBAL mem);
PLATFORM_API HGLOBAL GlobalFree(HGLOBAL mem);

// Clipboard.
PLATFORM_API BOOL OpenClipboard(HWND owner);
PLATFORM_API BOOL CloseClipboard();
PLATFORM_API BOOL EmptyClipboard();
PLATFORM_API HANDLE SetClipboardData(UINT format, HANDLE mem);
PLATFORM_API HANDLE GetClipboardData(UINT format);
PLATFORM_API BOOL IsClipboardFormatAvailable(UINT format);
PLATFORM_API HWND GetClipboardOwner();
PLATFORM_API HWND GetOpenClipboardWindow();

// Cursors, icons, message boxes, sound, keyboard, capture.
PLATFORM_API HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
PLATFORM_API HCURSOR SetCursor(HCURSOR cursor);
PLATFORM_API HCURSOR GetCursor();
PLATFORM_API HICON LoadIconA(HINSTANCE instance, LPCSTR name);
PLATFORM_API int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
PLATFORM_API BOOL MessageBeep(UINT type);
PLATFORM_API SHORT GetAsyncKeyState(int vkey);
PLATFORM_API SHORT GetKeyState(int vkey);
PLATFORM_API HWND SetCapture(HWND hwnd);
PLATFORM_API BOOL ReleaseCapture();
PLATFORM_API HWND GetCapture();

// Device contexts and fonts (text metrics only; nothing is drawn here).
PLATFORM_API HDC GetDC(HWND hwnd);
PLATFORM_API int ReleaseDC(HWND hwnd, HDC dc);
PLATFORM_API HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
PLATFORM_API BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);

// Modules and resources.
PLATFORM_API HMODULE LoadLibraryA(LPCSTR fileName);
PLATFORM_API void* GetProcAddress(HMODULE module, LPCSTR name);
PLATFORM_API BOOL FreeLibrary(HMODULE module);
PLATFORM_API int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);

// Strings.
PLATFORM_API int wsprintfA(LPSTR buffer, LPCSTR format, ...);
PLATFORM_API int wvsprintfA(LPSTR buffer, LPCSTR format, std::va_list args);
PLATFORM_API int lstrlenA(LPCSTR text);
PLATFORM_API int lstrcmpiA(LPCSTR a, LPCSTR b);
}

// C runtime string functions the module relies on.
extern "C" {
PLATFORM_API int _stricmp(const char* a, const char* b);
PLATFORM_API char* _strlwr(char* text);
}
