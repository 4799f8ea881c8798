// The host with the real editor module, loaded as a program loads it: the
// contract between the two holds end to end and closing leaves nothing behind.
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "host_test_support.h"
#include "qst_editor/editor_fields.h"
#include "quill/grid_sheet.h"
#include "quill/library.h"
#include "tests/unit/quill/library_test_support.h"

namespace hosttest {
namespace {

// Also notes the cursor shown and the status line at each message box.
class SaveWatchingFrontEnd : public RecordingFrontEnd {
 public:
  int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) override {
    cursorAtBox = cursor;
    statusAtBox = status;
    return RecordingFrontEnd::messageBox(owner, text, caption, style);
  }
  void cursorChanged(HCURSOR shown) override { cursor = shown; }

  HCURSOR cursor = nullptr, cursorAtBox = nullptr;
  std::string statusAtBox;
};

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

  SaveWatchingFrontEnd frontEnd;
  std::unique_ptr<quill::Host> host;
};

TEST_F(HostRealModule, StandAloneEditorStartsInItsFrameAndClosesClean) {
  quill::EditorSession* session = host->createEditor(kContextStandAlone, 0);
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
  quill::EditorSession* session = host->createEditor(kContextEmbedded, kCallerWindow, std::nullopt, "", owner);
  ASSERT_NE(session, nullptr);
  EXPECT_EQ(session->preparedMenu, 2001);
  EXPECT_TRUE(host->closeFrame(session->frame, WM_QUERYENDSESSION));
  EXPECT_EQ(host->livePoolBlocks(), 0);
  EXPECT_EQ(host->runtime().liveHandles(), 0);
  EXPECT_EQ(host->objectId("w_main"), owner);
  host.reset();
  std::filesystem::remove_all(dir);
}

// A new structure saved with no default library configured and the dialog's
// empty library kept: the save runs to the library write under the wait
// cursor and its status text, fails there with "Save of structure failed.",
// and leaves the structure new and changed with nothing written anywhere.
TEST_F(HostRealModule, NewStructureSavedIntoNoLibraryFailsWithTheSaveMessage) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / "quill-real-module-no-library";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  quill::testing::WorkingDirectory inside(dir.string());
  ASSERT_TRUE(host->setCurrentLibrary("app.lib")) << host->error();
  frontEnd.openChoice.action = kOpenActionNew;
  quill::EditorSession* session = host->createEditor(kContextStandAlone, 0);
  ASSERT_NE(session, nullptr);
  host->pump();
  quill::GridSheet* grid = quill::GridSheet::fromWindow(session->grid);
  ASSERT_NE(grid, nullptr);
  grid->userSetCurrentCell(1, 1);
  for (char c : std::string("id")) grid->userTypeChar(c);
  grid->userSetCurrentCell(2, 1);
  host->pump();
  std::strcpy(frontEnd.saveChoice.name, "s_new");
  frontEnd.answer = IDOK;
  HCURSOR before = GetCursor();

  host->command(*session, 1452);
  host->pump();
  EXPECT_EQ(frontEnd.offeredLibrary, "");
  ASSERT_EQ(frontEnd.boxes.size(), 1u);
  EXPECT_EQ(frontEnd.boxes[0].text, "Save of structure failed.");
  EXPECT_EQ(frontEnd.boxes[0].style, UINT{MB_OK | MB_ICONEXCLAMATION});
  EXPECT_EQ(frontEnd.cursorAtBox, LoadCursorA(nullptr, IDC_WAIT));
  EXPECT_EQ(frontEnd.statusAtBox, "Saving Structure . . .");
  EXPECT_EQ(frontEnd.errorReports, 0);
  EXPECT_EQ(GetCursor(), before);
  EXPECT_NE(before, LoadCursorA(nullptr, IDC_WAIT));
  EXPECT_EQ(session->statusId, 150);
  auto read = reinterpret_cast<QST_ReadEditorFieldsFn>(GetProcAddress(host->module(), kReadEditorFieldsExport));
  ASSERT_NE(read, nullptr);
  EditorFields instance{};
  ASSERT_EQ(read(session->editor, &instance), 1);
  EXPECT_EQ(instance.changed, 1);
  EXPECT_EQ(instance.untitled, 1);
  EXPECT_EQ(instance.libraryName, nullptr);
  EXPECT_FALSE(quill::Library::open("app.lib", false, nullptr)->entrySource("s_new").has_value());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()), 1);

  DestroyWindow(session->frame);
  host->pump();
  EXPECT_EQ(host->livePoolBlocks(), 0);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace hosttest
