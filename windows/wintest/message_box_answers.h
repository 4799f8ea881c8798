// Answers the system's message boxes of this thread, as a person would: a
// computer-based-training hook sees each box as it is activated, notes its
// text and clicks the button the test chose beforehand.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <windows.h>

namespace wintest {

class MessageBoxAnswers {
 public:
  MessageBoxAnswers();
  ~MessageBoxAnswers();
  MessageBoxAnswers(const MessageBoxAnswers&) = delete;
  MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

  bool installed() const { return hook_ != nullptr; }
  // The button (IDYES, IDNO, IDOK, IDCANCEL) the next box gets; a box with
  // no answer queued is cancelled.
  void answerNext(int button) { answers_.push_back(button); }
  // The texts of the boxes shown so far, oldest first.
  const std::vector<std::string>& shown() const { return shown_; }
  std::size_t unusedAnswers() const { return answers_.size(); }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void onActivate(HWND box);

  HHOOK hook_ = nullptr;
  std::deque<int> answers_;
  std::vector<std::string> shown_;
  static MessageBoxAnswers* active_;
};

}  // namespace wintest
