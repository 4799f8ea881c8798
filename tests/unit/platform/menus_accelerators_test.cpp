// The platform's menus and accelerator tables.
#include <gtest/gtest.h>

#include "platform_test_support.h"

namespace {

using platform_test::logged;
using platform_test::makeWindow;
using platform_test::messageLog;
using platform_test::PlatformTest;
using platform_test::RecordingProc;

constexpr UINT kNew = 1000, kExit = 1001, kUndo = 1258, kCut = 1260, kDeep = 1300, kClear = 1266;

const ResourceMenuItem kDeeper[] = {{kDeep, "Deep", 0, nullptr, 0}};
const ResourceMenuItem kFile[] = {
    {kNew, "&New", 0, nullptr, 0}, {0, nullptr, MF_SEPARATOR, nullptr, 0}, {kExit, "E&xit", MF_GRAYED, nullptr, 0}};
const ResourceMenuItem kEdit[] = {{kUndo, "Can't Undo\tCtrl+Z", MF_GRAYED, nullptr, 0},
                                  {kCut, "Cu&t\tCtrl+X", 0, nullptr, 0},
                                  {0, "More", MF_POPUP, kDeeper, 1}};
const ResourceMenuItem kBar[] = {{0, "&File", MF_POPUP, kFile, 3}, {0, "&Edit", MF_POPUP, kEdit, 3}};
const ResourceMenu kMenus[] = {{2000, kBar, 2}};
const ACCEL kAccel[] = {{FVIRTKEY | FCONTROL, 'Z', kUndo},
                        {FVIRTKEY | FCONTROL, 'X', kCut},
                        {FVIRTKEY, VK_DELETE, kClear},
                        {FVIRTKEY | FCONTROL | FSHIFT, 'T', kDeep}};
const ResourceAccelerators kAccelerators[] = {{2002, kAccel, 4}};
const ModuleResources kResources = {nullptr, 0, kMenus, 1, kAccelerators, 1, nullptr, 0};

class Menus : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    module = PlatformRegisterModule(&kResources);
    bar = LoadMenuA(module, MAKEINTRESOURCEA(2000));
    ASSERT_NE(bar, nullptr);
    edit = GetSubMenu(bar, 1);
  }
  std::string label(HMENU menu, UINT item, UINT flags = MF_BYCOMMAND) {
    char buffer[64];
    GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
    return buffer;
  }
  HINSTANCE module = nullptr;
  HMENU bar = nullptr;
  HMENU edit = nullptr;
};

TEST_F(Menus, ResourceBuildsABarOfPopups) {
  EXPECT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));  // a pop-up
  const HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 1), 0u);  // separator
  EXPECT_EQ(GetMenuItemID(edit, 1), kCut);
  EXPECT_EQ(label(bar, kUndo), "Can't Undo\tCtrl+Z");  // found through the pop-ups
  EXPECT_EQ(label(edit, 0, MF_BYPOSITION), "Can't Undo\tCtrl+Z");
  EXPECT_EQ(GetMenuState(bar, kExit, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(GetMenuState(edit, 2, MF_BYPOSITION), (1u << 8) | MF_POPUP);
  EXPECT_EQ(GetMenuState(bar, 4242, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(LoadMenuA(module, MAKEINTRESOURCEA(2001)), nullptr);
  EXPECT_EQ(LoadMenuA(nullptr, MAKEINTRESOURCEA(2000)), nullptr);
}

TEST_F(Menus, EnableMenuItemAnswersThePreviousState) {
  EXPECT_EQ(EnableMenuItem(edit, kUndo, MF_BYCOMMAND | MF_ENABLED), static_cast<BOOL>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(edit, kUndo, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(bar, kDeep, MF_BYCOMMAND | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(EnableMenuItem(edit, 1, MF_BYPOSITION | MF_GRAYED), static_cast<BOOL>(MF_ENABLED));
  EXPECT_EQ(GetMenuState(edit, kCut, MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(edit, 4242, MF_BYCOMMAND | MF_ENABLED), -1);
  EXPECT_EQ(EnableMenuItem(edit, 9, MF_BYPOSITION | MF_ENABLED), -1);
  ASSERT_FALSE(frontEnd.menus.empty());
  EXPECT_EQ(frontEnd.menus.front(), edit);
}

TEST_F(Menus, ModifyMenuReplacesTheLabel) {
  EXPECT_TRUE(ModifyMenuA(edit, kUndo, MF_BYCOMMAND | MF_STRING, kUndo, "&Redo\tCtrl+Z"));
  EXPECT_EQ(label(edit, kUndo), "&Redo\tCtrl+Z");
  EXPECT_EQ(GetMenuItemID(edit, 0), kUndo);
  EXPECT_TRUE(ModifyMenuA(edit, 1, MF_BYPOSITION | MF_STRING, kCut, "Cut"));
  EXPECT_EQ(label(edit, kCut), "Cut");
  EXPECT_FALSE(ModifyMenuA(edit, 4242, MF_BYCOMMAND | MF_STRING, 4242, "x"));
  char small[4];
  EXPECT_EQ(GetMenuStringA(edit, kUndo, small, sizeof small, MF_BYCOMMAND), 3);
  EXPECT_STREQ(small, "&Re");
}

TEST_F(Menus, BuiltMenusAndDestruction) {
  const HMENU popup = CreatePopupMenu();
  EXPECT_TRUE(AppendMenuA(popup, MF_STRING, 7, "Seven"));
  EXPECT_TRUE(AppendMenuA(popup, MF_SEPARATOR, 0, nullptr));
  const HMENU top = CreateMenu();
  EXPECT_TRUE(AppendMenuA(top, MF_POPUP, reinterpret_cast<std::uintptr_t>(popup), "Pop"));
  EXPECT_EQ(GetSubMenu(top, 0), popup);
  EXPECT_EQ(label(top, 7), "Seven");
  EXPECT_TRUE(DestroyMenu(top));
  EXPECT_EQ(GetMenuItemCount(popup), -1);  // went with its parent
  EXPECT_FALSE(DestroyMenu(top));
}

LRESULT EnablingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  RecordingProc(hwnd, msg, wParam, lParam);
  // The owner brings the item up to date when its pop-up is about to open.
  if (msg == WM_INITMENUPOPUP) EnableMenuItem(reinterpret_cast<HMENU>(wParam), kUndo, MF_BYCOMMAND | MF_ENABLED);
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Accelerators : public Menus {
 protected:
  void SetUp() override {
    Menus::SetUp();
    frame = makeWindow();
    SetMenu(frame, bar);
    accel = LoadAcceleratorsA(module, MAKEINTRESOURCEA(2002));
    ASSERT_NE(accel, nullptr);
    messageLog().clear();
  }
  int press(int key, bool ctrl, bool shift = false) {
    frontEnd.down[VK_CONTROL] = ctrl;
    frontEnd.down[VK_SHIFT] = shift;
    MSG msg{frame, WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {0, 0}};
    return TranslateAcceleratorA(frame, accel, &msg);
  }
  std::vector<UINT> messages() {
    std::vector<UINT> out;
    for (const auto& r : messageLog()) out.push_back(r.msg);
    return out;
  }
  HWND frame = nullptr;
  HACCEL accel = nullptr;
};

TEST_F(Accelerators, GrayedItemSwallowsTheCommandAfterThePopupIsPrepared) {
  EXPECT_NE(press('Z', true), 0);
  EXPECT_EQ(messages(), (std::vector<UINT>{WM_INITMENU, WM_INITMENUPOPUP}));
  const auto popups = logged(WM_INITMENUPOPUP);
  EXPECT_EQ(popups[0].wParam, reinterpret_cast<WPARAM>(edit));
  EXPECT_EQ(popups[0].lParam, MAKELPARAM(1, FALSE));
}

TEST_F(Accelerators, EnabledItemSendsTheCommand) {
  EXPECT_NE(press('X', true), 0);
  EXPECT_EQ(messages(), (std::vector<UINT>{WM_INITMENU, WM_INITMENUPOPUP, WM_COMMAND}));
  const auto commands = logged(WM_COMMAND);
  EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kCut, 1));
  EXPECT_EQ(commands[0].lParam, 0);
}

TEST_F(Accelerators, StateIsReadAfterTheOwnerPreparedThePopup) {
  SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EnablingProc));
  EXPECT_NE(press('Z', true), 0);
  ASSERT_EQ(logged(WM_COMMAND).size(), 1u);
  EXPECT_EQ(logged(WM_COMMAND)[0].wParam, MAKEWPARAM(kUndo, 1));
}

TEST_F(Accelerators, ModifiersMustMatchExactly) {
  EXPECT_EQ(press('Z', false), 0);
  EXPECT_EQ(press('Z', true, true), 0);
  EXPECT_TRUE(messageLog().empty());
  EXPECT_NE(press('T', true, true), 0);  // nested pop-up: told with its own position
  const auto popups = logged(WM_INITMENUPOPUP);
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(popups[0].wParam, reinterpret_cast<WPARAM>(GetSubMenu(edit, 2)));
  EXPECT_EQ(popups[0].lParam, MAKELPARAM(2, FALSE));
}

TEST_F(Accelerators, CommandOutsideTheMenuIsSentDirectly) {
  EXPECT_NE(press(VK_DELETE, false), 0);
  EXPECT_EQ(messages(), std::vector<UINT>{WM_COMMAND});
  MSG up{frame, WM_KEYUP, VK_DELETE, 0, 0, {0, 0}};
  EXPECT_EQ(TranslateAcceleratorA(frame, accel, &up), 0);
  ACCEL copy[8];
  EXPECT_EQ(CopyAcceleratorTableA(accel, nullptr, 0), 4);
  EXPECT_EQ(CopyAcceleratorTableA(accel, copy, 2), 2);
  EXPECT_EQ(copy[1].cmd, kCut);
}

}  // namespace
