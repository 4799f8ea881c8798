// The host with the real editor module, loaded as a program loads it: the
// contract between the two holds end to end and closing leaves nothing behind.
#include <cstdlib>
#include <filesystem>

#include "host_test_support.h"

namespace hosttest {
namespace {

class HostRealModule : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* path = std::getenv("QST_MODULE");
    if (path == nullptr) GTEST_SKIP() << "QST_MODULE names no editor module";
    PlatformReset();
    host = std::make_unique<quill::Host>(frontEnd, quill::HostOptions{path, "", 16});
    if (!host->loadModule()) GTEST_SKIP() << host->error();
  }
  void TearDown() override {
    host.reset();
    PlatformReset();
  }

  RecordingFrontEnd frontEnd;
  std::unique_ptr<quill::Host> host;
};

TEST_F(HostRealModule, StandAloneEditorStartsInItsFrameAndClosesClean) {
  quill::EditorSession* session = host->createEditor(1022, 0);
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(GetParent(session->editor), session->frame);
  EXPECT_NE(session->grid, nullptr);
  EXPECT_EQ(session->preparedMenu, 2000);
  // The module asks its frame to show the open dialog first.
  MSG queued[8];
  int count = PlatformPeekQueue(queued, 8);
  bool openQueued = false;
  for (int i = 0; i < count; ++i) {
    if (queued[i].hwnd == session->frame && queued[i].message == WM_COMMAND && queued[i].wParam == 2300) {
      openQueued = true;
    }
  }
  EXPECT_TRUE(openQueued);
  std::vector<WORD> toolbar = host->queryCommands(*session, 0);
  ASSERT_EQ(toolbar.size(), 14u);
  EXPECT_EQ(toolbar.back(), 2290);
  EXPECT_TRUE(host->closeFrame(session->frame));
  EXPECT_TRUE(host->editors().empty());
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_EQ(host->runtime().liveHandles(), 0);
}

TEST_F(HostRealModule, EmbeddedEditorClosesCleanAndLeavesItsOwnerStored) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "quill-real-module-embedded";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  ASSERT_TRUE(host->setCurrentLibrary((dir / "app.lib").string())) << host->error();
  std::int32_t owner = host->addObject("window", "w_main", std::nullopt);
  ASSERT_NE(owner, 0);
  quill::EditorSession* session = host->createEditor(1023, 1013, std::nullopt, "", owner);
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(session->preparedMenu, 2001);
  EXPECT_TRUE(host->closeFrame(session->frame, WM_QUERYENDSESSION));
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_EQ(host->runtime().liveHandles(), 0);
  EXPECT_EQ(host->objectId("w_main"), owner);
  host.reset();
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace hosttest
