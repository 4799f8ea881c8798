// A fresh start for each scenario file on Windows. Each file runs in a process
// of its own, so windows and memory are new; what the system keeps beyond a
// process, the clipboard, is emptied, and nothing posted earlier is left.
#include "platform/platform.h"
#include "windows_services.h"

void PlatformReset() {
  script::AnswerMessageBoxesOfThisThread();
  PlatformClipboardSetBusy(false);
  PlatformClipboardFromOutside(nullptr);
  ReleaseCapture();
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE)) {
  }
}
