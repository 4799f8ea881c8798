// The platform's single-line edit control.
#include <gtest/gtest.h>

#include "platform_test_support.h"

namespace {

using platform_test::logged;
using platform_test::makeWindow;
using platform_test::PlatformTest;

constexpr std::uintptr_t kEditId = 7;

class EditControl : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    parent = makeWindow();
    edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent, reinterpret_cast<HMENU>(kEditId),
                           nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
  }

  std::string text() {
    char buffer[256];
    GetWindowTextA(edit, buffer, sizeof buffer);
    return buffer;
  }
  std::pair<int, int> selection() {
    DWORD start = 99, end = 99;
    const LRESULT packed =
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(LOWORD(packed), start);
    EXPECT_EQ(HIWORD(packed), end);
    return {static_cast<int>(start), static_cast<int>(end)};
  }
  void setText(const char* t) { SetWindowTextA(edit, t); }
  void select(int start, int end) { SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), end); }
  void type(const char* chars) {
    for (const char* p = chars; *p; ++p) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*p), 0);
  }
  bool modified() { return SendMessageA(edit, EM_GETMODIFY, 0, 0) != 0; }
  int changes() {
    int n = 0;
    for (const auto& r : logged(WM_COMMAND))
      if (r.hwnd == parent && r.wParam == MAKEWPARAM(kEditId, EN_CHANGE) && r.lParam == reinterpret_cast<LPARAM>(edit))
        ++n;
    return n;
  }
  std::string clipboard() {
    std::string t;
    return PlatformClipboardText(&t) ? t : "<none>";
  }

  HWND parent = nullptr;
  HWND edit = nullptr;
};

TEST_F(EditControl, SetTextReportsChangeButLeavesItUnmodifiedAndUndoEmpty) {
  setText("abc");
  EXPECT_EQ(text(), "abc");
  EXPECT_EQ(changes(), 1);
  EXPECT_FALSE(modified());
  EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), FALSE);
  EXPECT_EQ(selection(), std::make_pair(0, 0));
  EXPECT_EQ(GetWindowTextLengthA(edit), 3);
}

TEST_F(EditControl, TypingReplacesTheSelectionAndBackspaceDeletes) {
  setText("abc");
  select(0, -1);
  EXPECT_EQ(selection(), std::make_pair(0, 3));
  type("xy");
  EXPECT_EQ(text(), "xy");
  EXPECT_EQ(selection(), std::make_pair(2, 2));
  EXPECT_TRUE(modified());
  EXPECT_EQ(changes(), 3);

  type("\b");
  EXPECT_EQ(text(), "x");
  select(0, 1);
  type("\b");
  EXPECT_EQ(text(), "");
  const int before = changes();
  type("\b\t\r");  // nothing to delete; control characters are not text here
  EXPECT_EQ(text(), "");
  EXPECT_EQ(changes(), before);
}

TEST_F(EditControl, SetSelFollowsTheStandardRules) {
  setText("abcdef");
  select(5, 1);  // reversed: reported in order
  EXPECT_EQ(selection(), std::make_pair(1, 5));
  type("-");
  EXPECT_EQ(text(), "a-f");
  select(1, 100);  // clamped to the text
  EXPECT_EQ(selection(), std::make_pair(1, 3));
  select(-1, 0);  // deselects; the caret stays at the end of the old selection
  EXPECT_EQ(selection(), std::make_pair(3, 3));
  select(2, -1);
  EXPECT_EQ(selection(), std::make_pair(2, 3));
}

TEST_F(EditControl, OneLevelOfUndoWhereASecondUndoRedoes) {
  setText("ab");
  select(2, 2);
  type("qty");  // one run of typing is one step
  ASSERT_EQ(text(), "abqty");
  EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), TRUE);
  EXPECT_EQ(SendMessageA(edit, WM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(text(), "ab");
  EXPECT_EQ(SendMessageA(edit, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(text(), "abqty");
  SendMessageA(edit, WM_UNDO, 0, 0);
  EXPECT_EQ(text(), "ab");
  EXPECT_TRUE(modified());

  setText("abc");
  select(0, -1);
  type("q");
  SendMessageA(edit, WM_UNDO, 0, 0);
  EXPECT_EQ(text(), "abc");
  EXPECT_EQ(selection(), std::make_pair(0, 3));  // what came back is selected

  setText("fresh");
  EXPECT_EQ(SendMessageA(edit, WM_UNDO, 0, 0), TRUE);  // a single-line control always answers TRUE
  EXPECT_EQ(text(), "fresh");
}

TEST_F(EditControl, CutCopyPasteAndClearGoThroughTheClipboard) {
  setText("hello world");
  select(0, 5);
  SendMessageA(edit, WM_COPY, 0, 0);
  EXPECT_EQ(clipboard(), "hello");
  EXPECT_EQ(text(), "hello world");
  EXPECT_FALSE(modified());

  SendMessageA(edit, WM_CUT, 0, 0);
  EXPECT_EQ(text(), " world");
  EXPECT_EQ(selection(), std::make_pair(0, 0));  // caret at the selection's start
  EXPECT_EQ(GetClipboardOwner(), edit);
  EXPECT_TRUE(modified());
  SendMessageA(edit, WM_UNDO, 0, 0);
  EXPECT_EQ(text(), "hello world");

  PlatformClipboardFromOutside("big\r\nsecond line");
  select(6, 11);
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(text(), "hello big");  // a single line takes the first line only
  EXPECT_EQ(selection(), std::make_pair(9, 9));
  SendMessageA(edit, WM_UNDO, 0, 0);
  EXPECT_EQ(text(), "hello world");

  select(5, 11);
  SendMessageA(edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(text(), "hello");
  EXPECT_EQ(selection(), std::make_pair(5, 5));
  EXPECT_EQ(clipboard(), "big\r\nsecond line");  // clear leaves the clipboard alone
}

TEST_F(EditControl, EditsWithNothingToActOnChangeNothing) {
  setText("abc");
  select(1, 1);
  const int before = changes();
  SendMessageA(edit, WM_CUT, 0, 0);
  SendMessageA(edit, WM_CLEAR, 0, 0);
  PlatformClipboardFromOutside(nullptr);
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(text(), "abc");
  EXPECT_EQ(changes(), before);
  EXPECT_FALSE(modified());
}

TEST_F(EditControl, CutKeepsTheTextWhenTheClipboardIsBusy) {
  setText("keep me");
  select(0, 4);
  PlatformClipboardFromOutside("theirs");
  PlatformClipboardSetBusy(true);
  const int before = changes();
  SendMessageA(edit, WM_CUT, 0, 0);
  EXPECT_EQ(text(), "keep me");
  EXPECT_EQ(changes(), before);
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(text(), "keep me");
  PlatformClipboardSetBusy(false);
  EXPECT_EQ(clipboard(), "theirs");
}

TEST_F(EditControl, ModifiedFlagAndReplaceSel) {
  setText("name");
  SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
  EXPECT_TRUE(modified());
  SendMessageA(edit, EM_SETMODIFY, FALSE, 0);
  select(4, 4);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("_id\nrest"));
  EXPECT_EQ(text(), "name_id");
  EXPECT_TRUE(modified());
  EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), TRUE);
  SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
  EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), FALSE);  // not undoable empties the buffer
}

TEST_F(EditControl, DeleteAndCaretKeys) {
  setText("abcd");
  select(1, 1);
  SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(text(), "acd");
  SendMessageA(edit, WM_KEYDOWN, VK_END, 0);
  frontEnd.down[VK_SHIFT] = true;
  SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 0);
  SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(selection(), std::make_pair(1, 3));
  frontEnd.down[VK_SHIFT] = false;
  SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(text(), "a");
  SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);  // at the end: nothing
  EXPECT_EQ(text(), "a");
}

TEST_F(EditControl, LimitStopsTypingAndPasting) {
  SendMessageA(edit, EM_SETLIMITTEXT, 3, 0);
  type("abcd");
  EXPECT_EQ(text(), "abc");
  PlatformClipboardFromOutside("xyz");
  select(1, 2);
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(text(), "axc");
}

// A parent that destroys the control when told of a change: nothing may touch
// the control afterwards.
LRESULT DestroyingParent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) DestroyWindow(reinterpret_cast<HWND>(lParam));
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(EditControl, ParentMayDestroyTheControlWhileBeingNotified) {
  SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroyingParent));
  type("a");
  EXPECT_FALSE(IsWindow(edit));
  EXPECT_EQ(SendMessageA(edit, WM_CHAR, 'b', 0), 0);
}

}  // namespace
