// Shared pieces of the platform tests: a recording window class, a scripted
// front end and a fixture that starts each test on a fresh desktop.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/resources.h"

namespace platform_test {

struct Recorded {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

inline std::vector<Recorded>& messageLog() {
  static std::vector<Recorded> log;
  return log;
}

// The messages of one kind in the log, in order.
inline std::vector<Recorded> logged(UINT msg) {
  std::vector<Recorded> out;
  for (const Recorded& r : messageLog())
    if (r.msg == msg) out.push_back(r);
  return out;
}

inline LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  messageLog().push_back(Recorded{hwnd, msg, wParam, lParam});
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline constexpr const char* kRecordingClass = "PlatformTestRecorder";

inline HWND makeWindow(HWND parent = nullptr, DWORD style = 0, std::uintptr_t id = 0) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = kRecordingClass;
  RegisterClassA(&wc);
  if (parent != nullptr) style |= WS_CHILD;
  return CreateWindowExA(0, kRecordingClass, "", style, 0, 0, 100, 50, parent, reinterpret_cast<HMENU>(id), nullptr,
                         nullptr);
}

class TestUserInterface : public UserInterface {
 public:
  int messageBox(HWND, const std::string& text, const std::string& caption, UINT) override {
    boxes.push_back(caption + ": " + text);
    return answer;
  }
  int detailedMessageBox(HWND, const std::string& text, const std::string& detail, const std::string& caption,
                         UINT) override {
    boxes.push_back(caption + ": " + text + " [" + detail + "]");
    return answer;
  }
  void beep(UINT) override { ++beeps; }
  SHORT asyncKeyState(int vkey) override { return down[vkey] ? static_cast<SHORT>(0x8000) : 0; }
  void cursorChanged(HCURSOR cursor) override { cursors.push_back(cursor); }
  void windowDestroyed(HWND hwnd) override { destroyed.push_back(hwnd); }
  void menuChanged(HMENU menu) override { menus.push_back(menu); }
  void clipboardChanged(std::string_view text) override { clipboard.emplace_back(text); }
  void messagesPosted() override { ++posted; }

  int answer = IDOK;
  std::vector<std::string> boxes;
  int beeps = 0;
  std::map<int, bool> down;
  std::vector<HCURSOR> cursors;
  std::vector<HWND> destroyed;
  std::vector<HMENU> menus;
  std::vector<std::string> clipboard;
  int posted = 0;
};

class PlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    PlatformReset();
    messageLog().clear();
    PlatformSetUserInterface(&frontEnd);
  }
  void TearDown() override { PlatformReset(); }

  TestUserInterface frontEnd;
};

}  // namespace platform_test
