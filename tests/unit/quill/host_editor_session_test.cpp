// Editors as the host makes them: open requests, failures and what is freed.
#include <cstring>
#include <filesystem>

#include "host_test_support.h"
#include "qst/host_context.h"
#include "qst/host_runtime.h"
#include "quill/library.h"

namespace hosttest {
namespace {

using HostEditorSession = HostTest;

TEST_F(HostEditorSession, StandAloneRequestNamesStructureAndLibraryAndTheModuleFreesIt) {
  quill::EditorSession* session = CreateStandAlone("s_address", "app.lib");
  ASSERT_NE(session, nullptr);
  // The test module frees the request; what it saw was the host's block.
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_NE(Module().request, nullptr);
  EXPECT_EQ(session->contextCode, kContextStandAlone);
  EXPECT_EQ(session->ownerObject, 0);
}

TEST_F(HostEditorSession, StandAloneRequestLayout) {
  // Looked at before the module frees it: a module that keeps its request.
  Module().failAfterWindow = false;
  struct Peek {
    static HWND Create(std::uint32_t r, std::int32_t c, std::int32_t k, void* request, HostContext* context) {
      auto* bytes = static_cast<const char*>(request);
      EXPECT_STREQ(bytes, std::string(40, 'n').c_str());  // a longer name is cut to the field
      EXPECT_STREQ(bytes + 41, "app.lib");
      return TestCreate(r, c, k, request, context);
    }
  };
  ASSERT_TRUE(host->useModule(Module().instance, Peek::Create));
  EXPECT_NE(host->createEditor(kContextStandAlone, 0, std::string(60, 'n'), "app.lib"), nullptr);
}

TEST_F(HostEditorSession, EmbeddedRequestHoldsTheOwnerAndTheHostFreesItWhenTheEditorGoes) {
  quill::EditorSession* session = host->createEditor(kContextEmbedded, kCallerWindow, std::nullopt, "", 0x00012345);
  ASSERT_NE(session, nullptr);
  ASSERT_NE(Module().request, nullptr);
  std::int32_t word = 0;
  std::memcpy(&word, Module().request, sizeof word);
  EXPECT_EQ(word, 0x00012345);
  EXPECT_EQ(session->ownerObject, 0x00012345);
  EXPECT_EQ(session->preparedMenu, 2001);
  EXPECT_EQ(host->livePoolBlocks(), 1);
  EXPECT_TRUE(host->closeFrame(session->frame));
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_EQ(host->runtime().liveHandles(), 0);  // the embedded editor never releases it itself
}

TEST_F(HostEditorSession, FailedCreateLeavesNoWindowNoBlockAndNoHandle) {
  Module().failAfterWindow = true;
  EXPECT_EQ(CreateStandAlone("s_address", "app.lib"), nullptr);
  ASSERT_NE(Module().editor, nullptr);
  EXPECT_FALSE(IsWindow(Module().editor));
  EXPECT_TRUE(host->editors().empty());
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_EQ(host->runtime().liveHandles(), 0);
  EXPECT_FALSE(host->error().empty());
}

TEST_F(HostEditorSession, EditorsAreListedOldestFirstAndFoundByTheirWindows) {
  quill::EditorSession* first = CreateStandAlone();
  quill::EditorSession* second = host->createEditor(kContextEmbedded, kCallerMenu, std::nullopt, "", 7);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first->context->pool, second->context->pool);
  auto editors = host->editors();
  ASSERT_EQ(editors.size(), 2u);
  EXPECT_EQ(editors[0], first);
  EXPECT_EQ(editors[1], second);
  EXPECT_EQ(host->sessionOfFrame(second->frame), second);
  EXPECT_EQ(host->sessionOfEditor(first->editor), first);
  EXPECT_EQ(host->sessionOfEditor(nullptr), nullptr);
}

TEST_F(HostEditorSession, NoModuleNoEditor) {
  quill::Host bare(frontEnd, quill::HostOptions{"/nonexistent/libqst.so", "", 16});
  EXPECT_FALSE(bare.loadModule());
  EXPECT_NE(bare.error().find("/nonexistent/libqst.so"), std::string::npos);
  EXPECT_EQ(bare.createEditor(kContextStandAlone, 0), nullptr);
}

TEST_F(HostEditorSession, ClosingTheHostClosesItsEditors) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  HWND frame = session->frame;
  host.reset();
  EXPECT_FALSE(IsWindow(frame));
}

TEST_F(HostEditorSession, QueryCommandsReturnsWhatTheEditorWrote) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(host->queryCommands(*session, 0), (std::vector<WORD>{1450, 0xFFFF, 2290}));
  EXPECT_TRUE(host->queryCommands(*session, 5).empty());
}

TEST_F(HostEditorSession, KeysGoThroughTheAcceleratorsWithTheirModifiers) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  UserInterface* before = PlatformUserInterface();
  Module().received.clear();
  EXPECT_TRUE(host->key(*session, 'N', true, false, false));
  EXPECT_FALSE(host->key(*session, 'N', false, false, false));  // plain N is no accelerator
  EXPECT_FALSE(host->key(*session, 'N', true, true, false));    // nor is Ctrl+Shift+N here
  EXPECT_EQ(PlatformUserInterface(), before);
  int commands = 0;
  for (const auto& r : Module().received) {
    if (r.message == WM_COMMAND) {
      ++commands;
      EXPECT_EQ(LOWORD(r.wParam), 1450);
      EXPECT_EQ(r.lParam, 0);
    }
  }
  EXPECT_EQ(commands, 1);
  // Undo is grayed in the menu: the key matches but no command is sent.
  Module().received.clear();
  EXPECT_TRUE(host->key(*session, 'Z', true, false, false));
  for (const auto& r : Module().received) EXPECT_NE(r.message, static_cast<UINT>(WM_COMMAND));
}

}  // namespace
}  // namespace hosttest

namespace hosttest {
namespace {

class HostEmbeddedClose : public HostLibraryTest {};

TEST_F(HostEmbeddedClose, OwnersStructuresReachTheLibraryWhenTheEditorCloses) {
  std::int32_t owner = host->addObject("window", "w_main", std::nullopt);
  ASSERT_NE(owner, 0);
  quill::EditorSession* session = host->createEditor(kContextEmbedded, kCallerWindow, std::nullopt, "", owner);
  ASSERT_NE(session, nullptr);
  const char* source = "type s_local from structure\r\n\tinteger\t\tqty\r\nend type";
  StoreLocalType(*session, owner, "s_local", source);
  EXPECT_TRUE(host->closeFrame(session->frame));
  EXPECT_TRUE(frontEnd.boxes.empty());
  std::string error;
  auto file = quill::Library::open(library_, false, &error);
  ASSERT_NE(file, nullptr) << error;
  auto types = file->localTypes(owner);
  ASSERT_EQ(types.size(), 1u);
  EXPECT_EQ(types[0].name, "s_local");
  EXPECT_EQ(types[0].source, source);
}

}  // namespace
}  // namespace hosttest
