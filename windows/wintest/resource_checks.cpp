// The DLL's compiled resources against the module's own resource tables.
#include "editor/resources/module_resources.h"
#include "module_checks.h"

namespace wintest {
namespace {

std::string MenuText(HMENU menu, UINT position) {
  char text[256] = {};
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

void CheckMenuItems(CheckList& checks, HMENU menu, const ResourceMenuItem* items, int count, const std::string& where) {
  checks.expect(GetMenuItemCount(menu) == count, where + " has " + std::to_string(count) + " items",
                "found " + std::to_string(GetMenuItemCount(menu)));
  for (int i = 0; i < count && i < GetMenuItemCount(menu); ++i) {
    const ResourceMenuItem& item = items[i];
    const std::string at = where + " item " + std::to_string(i);
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if (item.flags & MF_SEPARATOR) {
      checks.expect((state & MF_SEPARATOR) != 0, at + " is a separator");
    } else if (item.flags & MF_POPUP) {
      checks.expectText(MenuText(menu, static_cast<UINT>(i)), item.text, at + " text");
      HMENU popup = GetSubMenu(menu, i);
      if (checks.expect(popup != nullptr, at + " is a pop-up"))
        CheckMenuItems(checks, popup, item.popupItems, item.popupCount, at);
    } else {
      checks.expect(GetMenuItemID(menu, i) == item.id, at + " id " + std::to_string(item.id),
                    "found " + std::to_string(GetMenuItemID(menu, i)));
      checks.expectText(MenuText(menu, static_cast<UINT>(i)), item.text, at + " text");
      checks.expect(((state & MF_GRAYED) != 0) == ((item.flags & MF_GRAYED) != 0), at + " grayed state");
    }
  }
}

void CheckMenus(CheckList& checks, HMODULE module, const ModuleResources& tables) {
  for (int m = 0; m < tables.menuCount; ++m) {
    const ResourceMenu& expected = tables.menus[m];
    const std::string where = "menu " + std::to_string(expected.id);
    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(expected.id));
    if (!checks.expect(menu != nullptr, "LoadMenuA finds " + where)) continue;
    CheckMenuItems(checks, menu, expected.items, expected.count, where);
    DestroyMenu(menu);
  }
}

void CheckAccelerators(CheckList& checks, HMODULE module, const ModuleResources& tables) {
  for (int a = 0; a < tables.acceleratorCount; ++a) {
    const ResourceAccelerators& expected = tables.accelerators[a];
    const std::string where = "accelerators " + std::to_string(expected.id);
    HACCEL accel = LoadAcceleratorsA(module, MAKEINTRESOURCEA(expected.id));
    if (!checks.expect(accel != nullptr, "LoadAcceleratorsA finds " + where)) continue;
    ACCEL entries[64] = {};
    const int count = CopyAcceleratorTableA(accel, entries, 64);
    checks.expect(count == expected.count, where + " has " + std::to_string(expected.count) + " entries",
                  "found " + std::to_string(count));
    for (int i = 0; i < count && i < expected.count; ++i) {
      const ACCEL& want = expected.entries[i];
      // The table's last entry carries an end flag (0x80) in the resource.
      const bool same =
          (entries[i].fVirt & 0x7F) == want.fVirt && entries[i].key == want.key && entries[i].cmd == want.cmd;
      checks.expect(same, where + " entry " + std::to_string(i) + " command " + std::to_string(want.cmd));
    }
    DestroyAcceleratorTable(accel);
  }
}

void CheckStrings(CheckList& checks, HMODULE module, const ModuleResources& tables) {
  int same = 0;
  std::string firstDifference;
  for (int s = 0; s < tables.stringCount; ++s) {
    const ResourceString& expected = tables.strings[s];
    char text[512] = {};
    LoadStringA(module, expected.id, text, sizeof text);
    if (std::string(text) == expected.text) {
      ++same;
    } else if (firstDifference.empty()) {
      firstDifference = "string " + std::to_string(expected.id) + " is " + CheckList::Shown(text) + ", not " +
                        CheckList::Shown(expected.text);
    }
  }
  checks.expect(same == tables.stringCount, "all " + std::to_string(tables.stringCount) + " strings load as written",
                firstDifference);
}

void CheckIcon(CheckList& checks, HMODULE module, const ModuleResources& tables) {
  for (int i = 0; i < tables.iconCount; ++i) {
    const ResourceIcon& expected = tables.icons[i];
    const std::string where = "icon " + std::to_string(expected.id);
    // Size 0 and no default-size flag: the image at the size it was drawn.
    HANDLE icon = LoadImageA(module, MAKEINTRESOURCEA(expected.id), IMAGE_ICON, 0, 0, 0);
    if (!checks.expect(icon != nullptr, "LoadImageA finds " + where)) continue;
    ICONINFO info{};
    BITMAP bitmap{};
    const bool read = GetIconInfo(static_cast<HICON>(icon), &info) && info.hbmColor != nullptr &&
                      GetObjectA(info.hbmColor, sizeof bitmap, &bitmap) != 0;
    checks.expect(read && bitmap.bmWidth == expected.width && bitmap.bmHeight == expected.height,
                  where + " is " + std::to_string(expected.width) + " x " + std::to_string(expected.height),
                  "found " + std::to_string(bitmap.bmWidth) + " x " + std::to_string(bitmap.bmHeight));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    checks.expect(LoadIconA(module, MAKEINTRESOURCEA(expected.id)) != nullptr, "LoadIconA finds " + where);
    DestroyIcon(static_cast<HICON>(icon));
  }
}

}  // namespace

void CheckResources(CheckList& checks, HMODULE module) {
  const ModuleResources& tables = *EditorModuleResources();
  CheckMenus(checks, module, tables);
  CheckAccelerators(checks, module, tables);
  CheckStrings(checks, module, tables);
  CheckIcon(checks, module, tables);
}

}  // namespace wintest
