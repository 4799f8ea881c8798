// The services of the project's platform layer that Windows has no namesake
// for, over the real API: the front end the host talks to, the message pump,
// the grid font and the clipboard's text. On Windows message boxes, keys and
// the cursor are the system's own, so the front end is only remembered.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace {

// The one front end of the process, as the Linux layer keeps it too.
UserInterface* g_userInterface = nullptr;

}  // namespace

void PlatformSetUserInterface(UserInterface* userInterface) { g_userInterface = userInterface; }

UserInterface* PlatformUserInterface() { return g_userInterface; }

// Windows shows no detail under a message box's text; the host's own boxes
// carry their reason in the text where it matters. The detail is kept for the
// next box only, for a test host that answers boxes to read it.
namespace {
std::string g_messageDetail;
}  // namespace

void PlatformSetMessageDetail(const char* detail) { g_messageDetail = detail != nullptr ? detail : ""; }

std::string PlatformTakeMessageDetail() { return std::exchange(g_messageDetail, std::string()); }

int PlatformPumpMessages() {
  int dispatched = 0;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit for the program's own loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    ++dispatched;
  }
  return dispatched;
}

namespace {

// Windows peeks at the first posted message only: the queue is read by taking
// every posted message and posting them again in the same order. Timer
// messages are made by the system when asked for, never posted.
std::vector<MSG> TakePostedAndRepost() {
  std::vector<MSG> posted;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
    if (message.message == WM_TIMER) continue;
    posted.push_back(message);
  }
  for (const MSG& m : posted) {
    if (m.message == WM_QUIT)
      PostQuitMessage(static_cast<int>(m.wParam));
    else if (m.hwnd != nullptr)
      PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
    else
      PostThreadMessageA(GetCurrentThreadId(), m.message, m.wParam, m.lParam);
  }
  return posted;
}

}  // namespace

int PlatformPendingMessages() { return static_cast<int>(TakePostedAndRepost().size()); }

int PlatformPeekQueue(MSG* out, int max) {
  std::vector<MSG> posted = TakePostedAndRepost();
  int count = std::min(max, static_cast<int>(posted.size()));
  std::copy_n(posted.begin(), count, out);
  return count;
}

bool PlatformClipboardText(std::string* text) {
  if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(nullptr)) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      *text = bytes;
      found = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return found;
}

HFONT PlatformCreateFont(int charHeight) {
  // A positive height asks for that cell height, the text metrics' tmHeight
  // (a negative one would ask for the height without the internal leading).
  return CreateFontA(charHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
}

// Windows has no single call for this; the two reads are what the system
// gives, and a handle that names no window has no procedure.
LONG_PTR PlatformWindowDataOf(HWND hwnd, WNDPROC procedure) {
  if (hwnd == nullptr) return 0;
  if (GetWindowLongPtrA(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(procedure)) return 0;
  return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
}
