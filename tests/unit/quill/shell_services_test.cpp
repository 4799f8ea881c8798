// HostShell's services: message boxes, status line, profile, font and the
// calls passed on to the front end.
#include <filesystem>
#include <fstream>

#include "host_test_support.h"
#include "qst/host_context.h"

namespace hosttest {
namespace {

using ShellServices = HostTest;

TEST_F(ShellServices, MessageBoxFillsTheModulesTextAndRecordsIt) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  frontEnd.answer = IDNO;
  int answer = ShellMessageBox(session->context, session->editor, "Save Structure", MB_YESNO | MB_ICONQUESTION,
                               Module().instance, 4100, "s_address", 12);
  EXPECT_EQ(answer, IDNO);
  ASSERT_EQ(frontEnd.boxes.size(), 1u);
  EXPECT_EQ(frontEnd.boxes[0].text, "s_address has 12 rows.");
  EXPECT_EQ(frontEnd.boxes[0].caption, "Save Structure");
  EXPECT_EQ(frontEnd.boxes[0].style, MB_YESNO | MB_ICONQUESTION);
  const quill::ShellMessage* last = host->lastMessage();
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->stringId, 4100);
  EXPECT_EQ(last->text, "s_address has 12 rows.");
  EXPECT_EQ(last->answer, IDNO);
}

TEST_F(ShellServices, MessageBoxTextIsBoundedAndAMissingStringShowsNothing) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  std::string longName(3000, 'x');
  ShellMessageBox(session->context, session->editor, nullptr, MB_OK, Module().instance, 4101, longName.c_str());
  ASSERT_NE(host->lastMessage(), nullptr);
  EXPECT_EQ(host->lastMessage()->text, std::string(1024, 'x'));
  EXPECT_EQ(host->lastMessage()->caption, "");
  ShellMessageBox(session->context, session->editor, "c", MB_OK, Module().instance, 9999);
  EXPECT_EQ(host->lastMessage()->stringId, 9999);
  EXPECT_EQ(host->lastMessage()->text, "");
  EXPECT_EQ(frontEnd.boxes.size(), 2u);
}

TEST_F(ShellServices, StatusShowsTheModulesStringOrReady) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  ShellSetStatus(session->context, Module().instance, 4035, 0);
  EXPECT_EQ(session->status, "Opening Structure . . .");
  EXPECT_EQ(session->statusId, 4035);
  EXPECT_EQ(frontEnd.status, "Opening Structure . . .");
  EXPECT_EQ(frontEnd.statusEditor, session->editor);
  ShellSetStatus(session->context, Module().instance, 150, 0);
  EXPECT_EQ(session->status, "Ready");
  EXPECT_EQ(session->statusId, 150);
  EXPECT_EQ(frontEnd.status, "Ready");
}

TEST_F(ShellServices, CallsPassedOnToTheFrontEndAndTheSession) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  ShellRefreshCommands(session->context, session->editor);
  ASSERT_EQ(frontEnd.refreshed.size(), 1u);
  EXPECT_EQ(frontEnd.refreshed[0], session->editor);
  ShellSetNotifyWindow(session->context, session->frame);
  EXPECT_EQ(session->notifyWindow, session->frame);
  ShellShowCompileErrors(session->context, session->editor);
  EXPECT_EQ(frontEnd.errorReports, 1);
  EXPECT_EQ(frontEnd.errorGrid, session->editor);
  EXPECT_EQ(frontEnd.errorCount, 0);  // nothing compiled yet
}

TEST_F(ShellServices, OneGridFontOfTheConfiguredHeight) {
  host.reset();
  host = std::make_unique<quill::Host>(frontEnd, quill::HostOptions{"", "", 21});
  ASSERT_TRUE(host->useModule(Module().instance, TestCreate));
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  HFONT font = ShellFont(session->context, 13);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(ShellFont(session->context, 13), font);
  HDC dc = GetDC(session->editor);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
  TEXTMETRIC metrics{};
  GetTextMetricsA(dc, &metrics);
  ReleaseDC(session->editor, dc);
  EXPECT_EQ(metrics.tmHeight, 21);
}

class ShellProfile : public HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    path_ = std::filesystem::temp_directory_path() /
            ("quill-shell-profile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             ".ini");
    std::ofstream(path_) << "[application]\nDefLib=/libs/app.lib\n";
    host.reset();
    host = std::make_unique<quill::Host>(frontEnd, quill::HostOptions{"", path_.string(), 16});
    context_.host = host.get();
  }
  void TearDown() override {
    std::filesystem::remove(path_);
    HostTest::TearDown();
  }
  std::string Read(const char* section, const char* key, const char* fallback, int size) {
    std::string buffer(static_cast<std::size_t>(size) + 4, '#');
    ShellReadProfileString(&context_, section, key, fallback, buffer.data(), size);
    EXPECT_EQ(buffer[static_cast<std::size_t>(size)], '#') << "written past the buffer";
    return buffer.c_str();
  }

  std::filesystem::path path_;
  HostContext context_{};
};

TEST_F(ShellProfile, ReadsTheFileWithDefaultsAndBounds) {
  EXPECT_EQ(Read("application", "DefLib", "", 260), "/libs/app.lib");
  EXPECT_EQ(Read("application", "Missing", "fallback", 260), "fallback");
  EXPECT_EQ(Read("application", "Missing", nullptr, 260), "");
  EXPECT_EQ(Read("application", "DefLib", "", 6), "/libs");
  EXPECT_EQ(host->profileValue("Application", "deflib"), "/libs/app.lib");
}

TEST_F(ShellProfile, ValuesSetAtRunTimeOverrideTheFile) {
  host->setProfileValue("application", "DefLib", "/other/lib.lib");
  EXPECT_EQ(Read("application", "DefLib", "", 260), "/other/lib.lib");
  EXPECT_EQ(host->profileValue("application", "DefLib"), "/other/lib.lib");
}

}  // namespace
}  // namespace hosttest
