// The platform's module loader and resources.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "platform_test_support.h"

namespace {

using platform_test::PlatformTest;

const ResourceString kStrings[] = {{100, "Hello"}, {101, "Structure - %s"}};
const std::uint32_t kPixels[4] = {0xFF000000u, 0xFFFFFFFFu, 0xFFFF0000u, 0xFF00FF00u};
const ResourceIcon kIcons[] = {{3110, 2, 2, kPixels}};
const ModuleResources kResources = {kStrings, 2, nullptr, 0, nullptr, 0, kIcons, 1};

class Resources : public PlatformTest {
 protected:
  HINSTANCE module = PlatformRegisterModule(&kResources);
};

TEST_F(Resources, LoadStringCopiesTruncatesAndTerminates) {
  char buffer[16];
  EXPECT_EQ(LoadStringA(module, 100, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "Hello");
  EXPECT_EQ(LoadStringA(module, 100, buffer, 3), 2);
  EXPECT_STREQ(buffer, "He");
  EXPECT_EQ(LoadStringA(module, 100, buffer, 1), 0);
  EXPECT_STREQ(buffer, "");
}

TEST_F(Resources, LoadStringOfMissingIdOrModuleGivesEmptyText) {
  char buffer[16] = "stale";
  EXPECT_EQ(LoadStringA(module, 999, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  std::strcpy(buffer, "stale");
  EXPECT_EQ(LoadStringA(reinterpret_cast<HINSTANCE>(0x4), 100, buffer, sizeof buffer), 0);
  EXPECT_STREQ(buffer, "");
  std::strcpy(buffer, "stale");
  EXPECT_EQ(LoadStringA(module, 100, buffer, 0), 0);
  EXPECT_STREQ(buffer, "stale");  // no room: nothing written
}

TEST_F(Resources, EveryRegistrationGetsItsOwnInstance) {
  const HINSTANCE other = PlatformRegisterModule(&kResources);
  EXPECT_NE(other, module);
  EXPECT_EQ(PlatformModuleResourcesOf(module), &kResources);
  EXPECT_EQ(PlatformModuleResourcesOf(nullptr), nullptr);
}

TEST_F(Resources, IconsComeFromTheModuleAndKeepTheirHandle) {
  const HICON icon = LoadIconA(module, MAKEINTRESOURCEA(3110));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(module, MAKEINTRESOURCEA(3110)), icon);
  const ResourceIcon* pixels = PlatformIconPixels(icon);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->width, 2);
  EXPECT_EQ(pixels->pixels[2], 0xFFFF0000u);
  EXPECT_EQ(LoadIconA(module, MAKEINTRESOURCEA(1)), nullptr);
}

TEST_F(Resources, SharedLibrariesLoadThroughTheLoader) {
  EXPECT_EQ(LoadLibraryA("/nonexistent/libnothing.so"), nullptr);
  const HMODULE libc = LoadLibraryA("libc.so.6");
  ASSERT_NE(libc, nullptr);
  EXPECT_EQ(LoadLibraryA("libc.so.6"), libc);  // counted, not loaded twice
  EXPECT_NE(GetProcAddress(libc, "strlen"), nullptr);
  EXPECT_EQ(GetProcAddress(libc, "no_such_symbol_here"), nullptr);
  EXPECT_EQ(PlatformModuleResourcesOf(libc), nullptr);  // it exports no resources
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = libc;
  wc.lpszClassName = "ClassOfALoadedModule";
  ASSERT_NE(RegisterClassA(&wc), 0);
  EXPECT_TRUE(FreeLibrary(libc));
  EXPECT_TRUE(FreeLibrary(libc));
  EXPECT_FALSE(FreeLibrary(libc));  // the last reference is gone
  // Its classes went with it: their procedures are no longer there to call.
  EXPECT_EQ(CreateWindowExA(0, "ClassOfALoadedModule", "", 0, 0, 0, 1, 1, nullptr, nullptr, libc, nullptr), nullptr);
  EXPECT_FALSE(FreeLibrary(module));  // registered, not loaded
}

TEST_F(Resources, TheEditorModuleAttachesWithItsInstance) {
  const char* path = std::getenv("QST_MODULE");
  if (path == nullptr || path[0] == '\0') GTEST_SKIP() << "QST_MODULE not set";
  const HMODULE qst = LoadLibraryA(path);
  if (qst == nullptr) GTEST_SKIP() << "module not built";
  EXPECT_NE(PlatformModuleResourcesOf(qst), nullptr);
  EXPECT_NE(GetProcAddress(qst, "QST_Main"), nullptr);
  FreeLibrary(qst);
}

TEST_F(Resources, SystemCursorsAreStableAndSetCursorReportsChanges) {
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(wait, nullptr);
  EXPECT_NE(arrow, wait);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), wait);
  EXPECT_NE(LoadCursorA(nullptr, IDC_IBEAM), nullptr);
  EXPECT_EQ(GetCursor(), arrow);
  EXPECT_EQ(SetCursor(wait), arrow);
  EXPECT_EQ(SetCursor(arrow), wait);
  EXPECT_EQ(frontEnd.cursors, (std::vector<HCURSOR>{wait, arrow}));
  PlatformReset();
  EXPECT_EQ(LoadCursorA(nullptr, IDC_WAIT), wait);
  EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(Resources, FontMetricsFollowTheCharacterHeight) {
  const HDC dc = GetDC(nullptr);
  const HFONT font = PlatformCreateFont(13);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(font));
  EXPECT_NE(old, nullptr);
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmHeight, 13);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, 13);
  EXPECT_EQ(tm.tmAveCharWidth, 6);
  EXPECT_EQ(SelectObject(dc, old), reinterpret_cast<HGDIOBJ>(font));
  EXPECT_EQ(ReleaseDC(nullptr, dc), 1);
  EXPECT_FALSE(GetTextMetricsA(dc, &tm));  // released
}

TEST_F(Resources, MessageBoxesAskTheFrontEndOrAreDeclined) {
  frontEnd.answer = IDYES;
  EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Structure", MB_YESNOCANCEL), IDYES);
  EXPECT_EQ(frontEnd.boxes, std::vector<std::string>{"Structure: Save?"});
  PlatformSetUserInterface(nullptr);
  EXPECT_EQ(MessageBoxA(nullptr, "Save?", "Structure", MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "Print?", "Structure", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Done", "Structure", MB_OK), IDOK);
  EXPECT_EQ(GetAsyncKeyState(VK_CONTROL), 0);
}

// A detail goes with the next box only, shown or declined, and never to a later one.
TEST_F(Resources, MessageDetailGoesWithTheNextBoxOnly) {
  PlatformSetMessageDetail("The disk is full.");
  MessageBoxA(nullptr, "Save failed.", "Structure", MB_OK);
  MessageBoxA(nullptr, "Close?", "Structure", MB_YESNO);
  PlatformSetMessageDetail("Locked.");
  PlatformSetUserInterface(nullptr);
  EXPECT_EQ(MessageBoxA(nullptr, "Open failed.", "Structure", MB_OK), IDOK);
  PlatformSetUserInterface(&frontEnd);
  MessageBoxA(nullptr, "Again.", "Structure", MB_OK);
  EXPECT_EQ(frontEnd.boxes, (std::vector<std::string>{"Structure: Save failed. [The disk is full.]",
                                                      "Structure: Close?", "Structure: Again."}));
}

}  // namespace
