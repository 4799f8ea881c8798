// A grid control inside a window that records the grid's notifications, on a
// fresh platform with a front end that counts beeps and repaint requests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "qst/grid_engine.h"
#include "quill/grid_sheet.h"

namespace grid_test {

constexpr const char* kNotifyClass = "GridTestNotify";

struct CountingUserInterface : UserInterface {
  int beeps = 0;
  int repaints = 0;
  int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDCANCEL; }
  void beep(UINT) override { ++beeps; }
  SHORT asyncKeyState(int) override { return 0; }
  void windowChanged(HWND) override { ++repaints; }
};

// What the notify window received.
struct NotifyLog {
  std::vector<WORD> codes;
  std::vector<HWND> senders;
  // Runs inside each notification, after it was recorded.
  std::function<void(WORD)> onNotify;
};

inline LRESULT NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    auto* log = reinterpret_cast<NotifyLog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (log != nullptr) {
      log->codes.push_back(HIWORD(wParam));
      log->senders.push_back(reinterpret_cast<HWND>(lParam));
      if (log->onNotify) log->onNotify(HIWORD(wParam));
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformReset();
    PlatformSetUserInterface(&frontEnd);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &NotifyProc;
    windowClass.lpszClassName = kNotifyClass;
    RegisterClassA(&windowClass);
    parent =
        CreateWindowExA(0, kNotifyClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    SetWindowLongPtrA(parent, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
    GridLayout* layout = GridLoadLayout(nullptr, 0, "structure_body", nullptr);
    ASSERT_NE(layout, nullptr);
    grid = GridCreateControl(kGridControlClass, nullptr, WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, 0, 600, 400, parent,
                             nullptr, parent, layout);
    ASSERT_NE(grid, nullptr);
    sheet = quill::GridSheet::fromWindow(grid);
    ASSERT_NE(sheet, nullptr);
  }

  void TearDown() override {
    if (IsWindow(parent)) DestroyWindow(parent);
    PlatformSetUserInterface(nullptr);
    PlatformReset();
  }

  // Appends n empty rows.
  void addRows(int n) {
    for (int i = 0; i < n; ++i) ASSERT_NE(GridInsertRow(grid, 0), 0u);
  }
  std::string text(std::uint32_t row, std::uint16_t column) const {
    char buffer[256];
    int n = GridGetItemText(grid, row, column, buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(n));
  }
  void setText(std::uint32_t row, std::uint16_t column, const char* value) {
    GridSetItemText(grid, row, column, value);
  }
  std::string editText() const {
    char buffer[256];
    int n = GetWindowTextA(sheet->editControl(), buffer, sizeof buffer);
    return std::string(buffer, static_cast<std::size_t>(n > 0 ? n : 0));
  }
  // The edit control's selection as (start, end).
  std::pair<int, int> editSelection() const {
    LRESULT sel = SendMessageA(sheet->editControl(), EM_GETSEL, 0, 0);
    return {LOWORD(sel), HIWORD(sel)};
  }
  bool editModified() const { return SendMessageA(sheet->editControl(), EM_GETMODIFY, 0, 0) != 0; }
  void type(const std::string& characters) {
    for (char c : characters) ASSERT_TRUE(sheet->userTypeChar(c));
  }
  std::vector<WORD> takeCodes() {
    std::vector<WORD> codes;
    codes.swap(log.codes);
    log.senders.clear();
    return codes;
  }

  CountingUserInterface frontEnd;
  NotifyLog log;
  HWND parent = nullptr;
  HWND grid = nullptr;
  quill::GridSheet* sheet = nullptr;
};

}  // namespace grid_test
