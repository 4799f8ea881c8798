// The platform's windows and message sending and posting.
#include <gtest/gtest.h>

#include "platform_test_support.h"

namespace {

using platform_test::logged;
using platform_test::makeWindow;
using platform_test::messageLog;
using platform_test::PlatformTest;
using platform_test::RecordingProc;

class Windows : public PlatformTest {};

std::vector<UINT> messagesTo(HWND hwnd) {
  std::vector<UINT> out;
  for (const auto& r : messageLog())
    if (r.hwnd == hwnd) out.push_back(r.msg);
  return out;
}

LRESULT CreateProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  RecordingProc(hwnd, msg, wParam, lParam);
  if (msg == WM_CREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    return cs->lpCreateParams == nullptr ? -1 : 0;  // no parameter: refuse
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(Windows, CreateDeliversParamAndFailsWhenCreateRefuses) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = CreateProc;
  wc.lpszClassName = "CreateTest";
  const ATOM atom = RegisterClassA(&wc);
  ASSERT_NE(atom, 0);
  EXPECT_EQ(RegisterClassA(&wc), 0);  // a taken name, even for the same class
  wc.lpfnWndProc = RecordingProc;
  EXPECT_EQ(RegisterClassA(&wc), 0);

  int payload = 5;
  const HWND hwnd = CreateWindowExA(0, "createtest", "title", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, &payload);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), reinterpret_cast<LONG_PTR>(&payload));
  char title[8];
  EXPECT_EQ(GetWindowTextA(hwnd, title, sizeof title), 5);
  EXPECT_STREQ(title, "title");

  // A refused creation ends with WM_NCDESTROY alone, never WM_DESTROY.
  messageLog().clear();
  EXPECT_EQ(CreateWindowExA(0, "CreateTest", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  ASSERT_EQ(messageLog().size(), 3u);
  EXPECT_EQ(messageLog()[0].msg, WM_NCCREATE);
  EXPECT_EQ(messageLog()[1].msg, WM_CREATE);
  EXPECT_EQ(messageLog()[2].msg, WM_NCDESTROY);
  EXPECT_FALSE(IsWindow(messageLog()[2].hwnd));

  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(CreateWindowExA(0, "CreateTest", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, &payload), nullptr);
}

TEST_F(Windows, DestroyTellsParentBeforeChildrenAndLeavesNothingBehind) {
  const HWND top = makeWindow();
  const HWND child = makeWindow(top);
  const HWND grandchild = makeWindow(child);
  const HWND sibling = makeWindow(top);
  SetFocus(grandchild);
  SetCapture(child);
  PostMessageA(grandchild, WM_USER, 0, 0);
  messageLog().clear();

  EXPECT_TRUE(DestroyWindow(top));
  std::vector<HWND> order;
  for (const auto& r : logged(WM_DESTROY)) order.push_back(r.hwnd);
  EXPECT_EQ(order, (std::vector<HWND>{top, child, grandchild, sibling}));
  for (HWND h : {top, child, grandchild, sibling}) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(frontEnd.destroyed.size(), 4u);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(PlatformPendingMessages(), 0);

  // Stale handles fail safely and are never handed out again.
  EXPECT_FALSE(DestroyWindow(top));
  EXPECT_EQ(SendMessageA(child, WM_USER, 0, 0), 0);
  EXPECT_FALSE(SetWindowTextA(child, "x"));
  EXPECT_FALSE(PostMessageA(child, WM_USER, 0, 0));
  const HWND fresh = makeWindow();
  for (HWND h : {top, child, grandchild, sibling}) EXPECT_NE(fresh, h);
}

TEST_F(Windows, PostedMessagesRunInOrderIncludingThosePostedWhilePumping) {
  const HWND a = makeWindow();
  const HWND b = makeWindow();
  PostMessageA(a, WM_USER + 1, 1, 0);
  PostMessageA(b, WM_USER + 2, 2, 0);
  PostMessageA(a, WM_USER + 3, 3, 0);
  EXPECT_EQ(PlatformPendingMessages(), 3);
  EXPECT_EQ(frontEnd.posted, 3);
  MSG queued[4];
  ASSERT_EQ(PlatformPeekQueue(queued, 4), 3);
  EXPECT_EQ(queued[1].hwnd, b);
  EXPECT_EQ(queued[1].message, WM_USER + 2);

  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, a, WM_USER + 3, WM_USER + 3, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(PlatformPendingMessages(), 3);
  EXPECT_FALSE(PeekMessageA(&msg, b, WM_USER + 3, WM_USER + 3, PM_REMOVE));

  messageLog().clear();
  EXPECT_EQ(PlatformPumpMessages(), 3);
  std::vector<WPARAM> seen;
  for (const auto& r : messageLog()) seen.push_back(r.wParam);
  EXPECT_EQ(seen, (std::vector<WPARAM>{1, 2, 3}));
  EXPECT_EQ(PlatformPendingMessages(), 0);
}

LRESULT ChainingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  RecordingProc(hwnd, msg, wParam, lParam);
  if (msg == WM_USER && wParam < 3) PostMessageA(hwnd, WM_USER, wParam + 1, 0);
  if (msg == WM_USER + 10) {
    // A send inside a send runs before this one returns.
    const LRESULT inner = SendMessageA(hwnd, WM_USER + 11, 0, 0);
    return inner + 1;
  }
  if (msg == WM_USER + 11) return 41;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST_F(Windows, PumpDrainsRepostsAndSendsReenter) {
  const HWND hwnd = makeWindow();
  SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainingProc));
  PostMessageA(hwnd, WM_USER, 0, 0);
  messageLog().clear();
  EXPECT_EQ(PlatformPumpMessages(), 4);
  EXPECT_EQ(logged(WM_USER).size(), 4u);

  messageLog().clear();
  EXPECT_EQ(SendMessageA(hwnd, WM_USER + 10, 0, 0), 42);
  EXPECT_EQ(messagesTo(hwnd), (std::vector<UINT>{WM_USER + 10, WM_USER + 11}));
}

TEST_F(Windows, MessagesForWindowsDestroyedMeanwhileAreDropped) {
  const HWND keep = makeWindow();
  const HWND gone = makeWindow();
  PostMessageA(gone, WM_USER, 0, 0);
  PostMessageA(keep, WM_USER, 0, 0);
  DestroyWindow(gone);
  messageLog().clear();
  EXPECT_EQ(PlatformPumpMessages(), 1);
  EXPECT_EQ(messagesTo(keep), std::vector<UINT>{WM_USER});
}

TEST_F(Windows, SizeChangesSendWmSizeOnce) {
  const HWND hwnd = makeWindow();
  messageLog().clear();
  SetWindowPos(hwnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(hwnd, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);  // same size: nothing
  SetWindowPos(hwnd, nullptr, 5, 5, 1, 1, SWP_NOSIZE);
  MoveWindow(hwnd, 0, 0, 120, 80, TRUE);
  const auto sizes = logged(WM_SIZE);
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(sizes[0].wParam, SIZE_RESTORED);
  EXPECT_EQ(sizes[0].lParam, MAKELPARAM(300, 200));
  EXPECT_EQ(sizes[1].lParam, MAKELPARAM(120, 80));
  RECT rc;
  ASSERT_TRUE(GetClientRect(hwnd, &rc));
  EXPECT_EQ(rc.right, 120);
  EXPECT_EQ(rc.bottom, 80);
}

TEST_F(Windows, VisibilityNeedsEveryAncestorAndPaintValidates) {
  const HWND top = makeWindow();
  const HWND child = makeWindow(top, WS_VISIBLE);
  EXPECT_FALSE(IsWindowVisible(child));
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));

  messageLog().clear();
  InvalidateRect(child, nullptr, TRUE);
  UpdateWindow(child);
  UpdateWindow(child);  // the default procedure validated it
  EXPECT_EQ(logged(WM_PAINT).size(), 1u);

  ShowWindow(top, SW_HIDE);
  InvalidateRect(child, nullptr, TRUE);
  UpdateWindow(child);  // hidden windows are not painted
  EXPECT_EQ(logged(WM_PAINT).size(), 1u);
}

TEST_F(Windows, FocusMovesWithKillThenSet) {
  const HWND a = makeWindow();
  const HWND b = makeWindow();
  SetFocus(a);
  messageLog().clear();
  EXPECT_EQ(SetFocus(b), a);
  ASSERT_EQ(messageLog().size(), 2u);
  EXPECT_EQ(messageLog()[0].hwnd, a);
  EXPECT_EQ(messageLog()[0].msg, WM_KILLFOCUS);
  EXPECT_EQ(messageLog()[0].wParam, reinterpret_cast<WPARAM>(b));
  EXPECT_EQ(messageLog()[1].hwnd, b);
  EXPECT_EQ(messageLog()[1].msg, WM_SETFOCUS);
  EXPECT_EQ(messageLog()[1].wParam, reinterpret_cast<WPARAM>(a));
  EXPECT_EQ(GetFocus(), b);
}

TEST_F(Windows, GetWindowTextTruncatesAndTerminates) {
  const HWND hwnd = makeWindow();
  SetWindowTextA(hwnd, "Structure - orders");
  char buffer[10];
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 9);
  EXPECT_STREQ(buffer, "Structure");
  EXPECT_EQ(GetWindowTextLengthA(hwnd), 18);
  EXPECT_EQ(GetWindowTextA(hwnd, buffer, 0), 0);
}

TEST_F(Windows, ResetLeavesAFreshDesktop) {
  const HWND hwnd = makeWindow();
  SetFocus(hwnd);
  PostMessageA(hwnd, WM_USER, 0, 0);
  PlatformClipboardFromOutside("text");
  GlobalAlloc(GMEM_MOVEABLE, 4);
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  messageLog().clear();
  PlatformReset();
  EXPECT_TRUE(messageLog().empty());  // no procedure is called
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(PlatformPendingMessages(), 0);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(PlatformLiveGlobalBlocks(), 0);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_EQ(PlatformUserInterface(), nullptr);
  EXPECT_NE(makeWindow(), nullptr);  // classes stay registered
}

// The platform remembers the window it found last; a window that has gone
// must not be found through that memory, whichever way it went.
TEST_F(Windows, AWindowJustUsedIsGoneOnceDestroyedOrReset) {
  struct Ending {
    const char* how;
    void (*end)(HWND);
  };
  const Ending endings[] = {
      {"destroyed", [](HWND hwnd) { DestroyWindow(hwnd); }},
      {"reset", [](HWND) { PlatformReset(); }},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.how);
    const HWND hwnd = makeWindow();
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 7);
    ASSERT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 7);
    ending.end(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
  }
}

TEST_F(Windows, CaptureIsReportedAndReleased) {
  const HWND a = makeWindow();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(GetCapture(), a);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
