// The services of the project's platform layer that Windows has no namesake
// for, over the real API: the front end the host talks to, the message pump,
// the grid font and the clipboard's text. On Windows message boxes, keys and
// the cursor are the system's own, so the front end is only remembered.
#include <string>

#include "platform/platform.h"

namespace {

// The one front end of the process, as the Linux layer keeps it too.
UserInterface* g_userInterface = nullptr;

}  // namespace

void PlatformSetUserInterface(UserInterface* userInterface) { g_userInterface = userInterface; }

UserInterface* PlatformUserInterface() { return g_userInterface; }

// Windows shows no detail under a message box's text; the host's own boxes
// carry their reason in the text where it matters.
void PlatformSetMessageDetail(const char*) {}

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

int PlatformPendingMessages() {
  MSG message;
  return PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) ? 1 : 0;
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
  // A negative height asks for that character height, as the layer's fonts have.
  return CreateFontA(-charHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
}

// Failing the N-th allocation is a mode of the Linux test runner; on Windows
// the system's own allocators decide.
bool PlatformAllocationRefused() { return false; }
