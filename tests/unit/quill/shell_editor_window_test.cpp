// The editor window and its frame: creation, forwarding and closing.
#include <algorithm>
#include <cstring>

#include "host_test_support.h"
#include "qst/host_context.h"

namespace hosttest {
namespace {

using ShellEditorWindow = HostTest;

bool Contains(const std::vector<UINT>& messages, UINT message) {
  return std::find(messages.begin(), messages.end(), message) != messages.end();
}

TEST_F(ShellEditorWindow, DeliversCreateWithTheContextAndAZeroedRecordBeforeReturning) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  TestModuleState& m = Module();
  // As on Windows, WM_NCCREATE comes first; the module answers it with 0 and
  // the host's default handling lets the creation go on.
  ASSERT_GE(m.received.size(), 2u);
  EXPECT_EQ(m.received[0].message, static_cast<UINT>(WM_NCCREATE));
  EXPECT_EQ(m.received[1].message, static_cast<UINT>(WM_CREATE));
  EXPECT_FALSE(m.windowReturnedBeforeCreate);
  EXPECT_EQ(m.createParam, session->context);
  EXPECT_TRUE(m.instanceZeroedAtCreate);
  EXPECT_EQ(m.instanceAtCreate, ShellInstanceOf(0, session->editor));
  // The frame holds the editor, knows the module's menu, and is in the context.
  EXPECT_EQ(GetParent(session->editor), session->frame);
  EXPECT_EQ(session->context->frameWindow, session->frame);
  EXPECT_EQ(GetMenu(session->frame), session->menu);
  EXPECT_NE(session->menu, nullptr);
  EXPECT_NE(session->accelerators, nullptr);
  EXPECT_NE(session->icon, nullptr);
  EXPECT_EQ(session->preparedMenu, 2000);
  EXPECT_NE(session->context->pool, nullptr);
  EXPECT_NE(session->context->runtime, nullptr);
  EXPECT_NE(session->context->compiler, nullptr);
  EXPECT_EQ(session->context->host, host.get());
  // The only size the editor has heard is its empty one at creation: none
  // reaches it before a front end sizes the frame.
  for (const Received& r : m.received) {
    if (r.window == session->editor && r.message == WM_SIZE) {
      EXPECT_EQ(r.lParam, 0);
    }
  }
  EXPECT_EQ(ShellEditMenuOf(session->context, session->editor), GetSubMenu(session->menu, 1));
}

TEST_F(ShellEditorWindow, FrameForwardsCommandsPopUpsAndSize) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  HWND editor = session->editor;
  Module().received.clear();

  PostMessageA(session->frame, WM_COMMAND, 2300, 0);  // as the editor queues Open
  host->pump();
  SendMessageA(session->frame, WM_COMMAND, MAKEWPARAM(1450, 1), 0);
  HMENU edit = GetSubMenu(session->menu, 1);
  SendMessageA(session->frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  SetWindowPos(session->frame, HWND_TOP, 0, 0, 300, 200, SWP_NOZORDER);

  std::vector<Received> seen;
  for (const auto& r : Module().received) {
    if (r.window == editor && r.message != WM_PAINT) seen.push_back(r);
  }
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(LOWORD(seen[0].wParam), 2300);
  EXPECT_EQ(seen[0].lParam, 0);
  EXPECT_EQ(LOWORD(seen[1].wParam), 1450);
  EXPECT_EQ(seen[2].message, static_cast<UINT>(WM_INITMENUPOPUP));
  EXPECT_EQ(seen[2].wParam, reinterpret_cast<WPARAM>(edit));
  EXPECT_EQ(seen[2].lParam, 1);
  EXPECT_EQ(seen[3].message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(LOWORD(seen[3].lParam), 300);
  EXPECT_EQ(HIWORD(seen[3].lParam), 200);
  RECT client{};
  GetClientRect(editor, &client);
  EXPECT_EQ(client.right - client.left, 300);
  EXPECT_EQ(client.bottom - client.top, 200);
}

TEST_F(ShellEditorWindow, OpenPopupSendsThePopUpAndItsIndex) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  Module().received.clear();
  host->openPopup(*session, 1);
  ASSERT_EQ(Module().received.size(), 1u);
  const Received& r = Module().received.front();
  EXPECT_EQ(r.message, static_cast<UINT>(WM_INITMENUPOPUP));
  EXPECT_EQ(r.wParam, reinterpret_cast<WPARAM>(GetSubMenu(session->menu, 1)));
  EXPECT_EQ(LOWORD(r.lParam), 1);
}

TEST_F(ShellEditorWindow, RefusedCloseKeepsTheEditorAllowedCloseEndsIt) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  HWND frame = session->frame;
  HWND editor = session->editor;
  Module().closeAnswer = 1;
  EXPECT_FALSE(host->closeFrame(frame));
  EXPECT_TRUE(IsWindow(frame));
  EXPECT_EQ(host->editors().size(), 1u);
  EXPECT_TRUE(Contains(MessagesTo(editor), WM_CLOSE));

  Module().closeAnswer = 0;
  EXPECT_TRUE(host->closeFrame(frame, WM_QUERYENDSESSION));
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_TRUE(Contains(MessagesTo(editor), WM_QUERYENDSESSION));
  EXPECT_TRUE(Contains(MessagesTo(editor), WM_DESTROY));
  EXPECT_TRUE(host->editors().empty());
  EXPECT_EQ(host->sessionOfFrame(frame), nullptr);
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_EQ(host->runtime().liveHandles(), 0);
}

TEST_F(ShellEditorWindow, CloseQueuedOnTheFrameRunsWhenPumped) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  HWND frame = session->frame;
  PostMessageA(frame, WM_CLOSE, 0, 0);  // as an editor asks to be closed
  EXPECT_EQ(host->editors().size(), 1u);
  host->pump();
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_TRUE(host->editors().empty());
}

TEST_F(ShellEditorWindow, EditorStillUsesItsRecordAndPoolWhileBeingDestroyed) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  HWND editor = session->editor;
  void* record = ShellInstanceOf(0, editor);
  DestroyWindow(session->frame);  // as a front end may do directly
  // The editor heard of its destruction with its record still attached.
  EXPECT_TRUE(Contains(MessagesTo(editor), WM_DESTROY));
  EXPECT_NE(record, nullptr);
  EXPECT_TRUE(host->editors().empty());
  EXPECT_EQ(host->livePoolBlocks(), 0);
}

TEST_F(ShellEditorWindow, BlocksAnEditorNeverFreedAreCountedAfterItCloses) {
  Module().leakBlockAtCreate = true;
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(host->livePoolBlocks(), 1);
  EXPECT_TRUE(host->closeFrame(session->frame));
  EXPECT_EQ(host->livePoolBlocks(), 1);
}

TEST_F(ShellEditorWindow, RecordOfSizeZeroMakesNoWindowAndLeavesNothing) {
  Module().instanceSize = 0;
  EXPECT_EQ(CreateStandAlone(), nullptr);
  EXPECT_EQ(Module().editor, nullptr);
  EXPECT_TRUE(host->editors().empty());
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_EQ(host->runtime().liveHandles(), 0);
}

}  // namespace
}  // namespace hosttest
