// The platform's clipboard and global memory.
#include <gtest/gtest.h>

#include <cstring>

#include "platform_test_support.h"

namespace {

using platform_test::makeWindow;
using platform_test::PlatformTest;

class Memory : public PlatformTest {};
class ClipboardTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    editor = makeWindow();
    other = makeWindow();
  }
  HGLOBAL textBlock(const char* text) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(mem)), text);
    GlobalUnlock(mem);
    return mem;
  }
  std::string text() {
    std::string t;
    return PlatformClipboardText(&t) ? t : "<none>";
  }
  HWND editor = nullptr;
  HWND other = nullptr;
};

TEST_F(Memory, MoveableBlocksCountLocksAndFreeToNull) {
  const int live = PlatformLiveGlobalBlocks();
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 123);
  ASSERT_NE(mem, nullptr);
  EXPECT_EQ(GlobalSize(mem), 123u);
  EXPECT_EQ(PlatformLiveGlobalBlocks(), live + 1);
  auto* p = static_cast<char*>(GlobalLock(mem));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[0], '\0');
  EXPECT_EQ(p[122], '\0');
  EXPECT_EQ(GlobalLock(mem), p);
  EXPECT_TRUE(GlobalUnlock(mem));   // still locked once
  EXPECT_FALSE(GlobalUnlock(mem));  // now unlocked
  EXPECT_FALSE(GlobalUnlock(mem));  // was not locked
  EXPECT_EQ(GlobalFree(mem), nullptr);
  EXPECT_EQ(PlatformLiveGlobalBlocks(), live);
  EXPECT_EQ(GlobalFree(mem), mem);  // a stale handle is refused
  EXPECT_EQ(GlobalLock(mem), nullptr);
  EXPECT_EQ(GlobalSize(mem), 0u);
}

TEST_F(Memory, ImpossibleRequestsFailCleanly) {
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(-1)), nullptr);
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(GlobalLock(empty), nullptr);  // nothing to point at
  EXPECT_EQ(GlobalFree(empty), nullptr);
  HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 8);
  EXPECT_EQ(GlobalLock(fixed), fixed);
  EXPECT_EQ(GlobalFree(fixed), nullptr);
}

TEST_F(ClipboardTest, OnlyOneWindowHoldsItOpen) {
  ASSERT_TRUE(OpenClipboard(editor));
  EXPECT_TRUE(OpenClipboard(editor));
  EXPECT_FALSE(OpenClipboard(other));
  EXPECT_EQ(GetOpenClipboardWindow(), editor);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());
  EXPECT_TRUE(OpenClipboard(other));
  CloseClipboard();

  PlatformClipboardSetBusy(true);
  EXPECT_FALSE(OpenClipboard(editor));
  PlatformClipboardSetBusy(false);
  EXPECT_TRUE(OpenClipboard(editor));
  DestroyWindow(editor);  // dying with it open must not lock everyone out
  EXPECT_TRUE(OpenClipboard(other));
  CloseClipboard();
}

TEST_F(ClipboardTest, SetDataHandsTheBlockOverAndEmptyFreesIt) {
  const int live = PlatformLiveGlobalBlocks();
  EXPECT_FALSE(EmptyClipboard());  // not open
  HGLOBAL first = textBlock("\tinteger\t\tcount\r\n");
  EXPECT_EQ(SetClipboardData(CF_TEXT, first), nullptr);  // not open: still ours
  ASSERT_TRUE(OpenClipboard(editor));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), editor);
  EXPECT_EQ(SetClipboardData(CF_TEXT, first), first);
  EXPECT_EQ(GlobalFree(first), first);  // the clipboard's now
  EXPECT_EQ(GetClipboardData(CF_TEXT), first);
  CloseClipboard();
  EXPECT_EQ(frontEnd.clipboard, std::vector<std::string>{"\tinteger\t\tcount\r\n"});
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);  // closed

  ASSERT_TRUE(OpenClipboard(other));
  EmptyClipboard();
  EXPECT_EQ(PlatformLiveGlobalBlocks(), live);  // the old text is freed
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  SetClipboardData(CF_TEXT, textBlock("new"));
  SetClipboardData(CF_TEXT, textBlock("newer"));  // replaces and frees "new"
  CloseClipboard();
  EXPECT_EQ(text(), "newer");
  EXPECT_EQ(PlatformLiveGlobalBlocks(), live + 1);

  frontEnd.clipboard.clear();
  OpenClipboard(editor);
  CloseClipboard();
  EXPECT_TRUE(frontEnd.clipboard.empty());  // nothing was put on it
}

TEST_F(ClipboardTest, TextFromOutsideReplacesData) {
  PlatformClipboardFromOutside("pasted");
  EXPECT_EQ(text(), "pasted");
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  ASSERT_TRUE(OpenClipboard(editor));
  HGLOBAL mem = GetClipboardData(CF_TEXT);
  ASSERT_NE(mem, nullptr);
  EXPECT_EQ(GlobalSize(mem), 7u);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(mem)), "pasted");
  GlobalUnlock(mem);
  CloseClipboard();
  PlatformClipboardFromOutside(nullptr);
  EXPECT_EQ(text(), "<none>");
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

TEST_F(ClipboardTest, OutsideTextWaitsWhileWeHoldTheClipboardOpen) {
  PlatformClipboardFromOutside("first");
  ASSERT_TRUE(OpenClipboard(editor));
  HGLOBAL mem = GetClipboardData(CF_TEXT);
  PlatformClipboardFromOutside("second");
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(mem)), "first");  // still ours to read
  GlobalUnlock(mem);
  CloseClipboard();
  EXPECT_EQ(text(), "second");
  EXPECT_EQ(GlobalSize(mem), 0u);  // replaced and freed only now
}

TEST_F(ClipboardTest, UnterminatedBlocksAreReadWithinTheirSize) {
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLock(mem), "abc", 3);  // no NUL inside the block
  GlobalUnlock(mem);
  OpenClipboard(editor);
  EmptyClipboard();
  SetClipboardData(CF_TEXT, mem);
  CloseClipboard();
  EXPECT_EQ(text(), "abc");
}

}  // namespace
