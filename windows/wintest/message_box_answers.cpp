// Answering message boxes through a WH_CBT hook.
#include "message_box_answers.h"

#include <cstring>

namespace wintest {

MessageBoxAnswers* MessageBoxAnswers::active_ = nullptr;

MessageBoxAnswers::MessageBoxAnswers() {
  active_ = this;
  hook_ = SetWindowsHookExA(WH_CBT, &MessageBoxAnswers::Hook, nullptr, GetCurrentThreadId());
}

MessageBoxAnswers::~MessageBoxAnswers() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  active_ = nullptr;
}

LRESULT CALLBACK MessageBoxAnswers::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && active_ != nullptr) active_->onActivate(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswers::onActivate(HWND box) {
  char className[32] = {};
  GetClassNameA(box, className, sizeof className);
  if (std::strcmp(className, "#32770") != 0) return;  // not a dialog box
  // The box's text is its static control's; the id of that control is 0xFFFF.
  char text[1024] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  shown_.push_back(text);
  int button = IDCANCEL;
  if (!answers_.empty()) {
    button = answers_.front();
    answers_.pop_front();
  }
  // Posted: the box's own loop takes the click once it runs.
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
}

}  // namespace wintest
