// The system's message boxes answered by the runner's front end: a
// computer-based-training hook on the runner's thread sees each box as it is
// activated, reads its text, caption and buttons, asks the front end for the
// answer a person would give and clicks that button.
#include <string>

#include "platform/platform.h"
#include "windows_services.h"

namespace {

// The message box style its buttons stand for.
UINT StyleOfButtons(HWND box) {
  auto has = [box](int id) {
    HWND button = GetDlgItem(box, id);
    return button != nullptr && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) != 0;
  };
  if (has(IDABORT)) return MB_ABORTRETRYIGNORE;
  if (has(IDYES)) return has(IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
  if (has(IDRETRY)) return MB_RETRYCANCEL;
  if (has(IDCANCEL)) return MB_OKCANCEL;
  return MB_OK;
}

std::string TextOf(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void Answer(HWND box) {
  // The box's text is its static control's, whose id is 0xFFFF.
  const std::string text = TextOf(GetDlgItem(box, 0xFFFF));
  const std::string caption = TextOf(box);
  const std::string detail = PlatformTakeMessageDetail();
  const UINT style = StyleOfButtons(box);
  int button = IDCANCEL;
  if (UserInterface* ui = PlatformUserInterface()) {
    HWND owner = GetWindow(box, GW_OWNER);
    button = detail.empty() ? ui->messageBox(owner, text, caption, style)
                            : ui->detailedMessageBox(owner, text, detail, caption, style);
  }
  // Posted: the box's own loop takes the click once it runs.
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770") Answer(window);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

namespace script {

void AnswerMessageBoxesOfThisThread() {
  static HHOOK hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  (void)hook;
}

}  // namespace script
