// Menus: a menu bar of pop-ups built from a module's menu resource, items found
// by command through nested pop-ups or by position, their texts and states.
#include <algorithm>
#include <cstring>

#include "window_registry.h"

namespace platform {
namespace {

// Pop-ups nested deeper than this are refused; it also stops a search going
// round for ever in pop-ups appended into each other.
constexpr int kMaxMenuDepth = 16;
constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED;

HMENU newMenu(bool popup) {
  auto& d = registry();
  const HMENU h = d.newHandle<HMENU>();
  auto menu = std::make_unique<Menu>();
  menu->popup = popup;
  d.menus.emplace(h, std::move(menu));
  return h;
}

bool buildItems(HMENU menu, const ResourceMenuItem* items, int count, int depth) {
  if (items == nullptr || count <= 0) return true;
  if (depth >= kMaxMenuDepth) return false;
  for (int i = 0; i < count; ++i) {
    const ResourceMenuItem& r = items[i];
    MenuItem item;
    if (r.flags & MF_SEPARATOR) {
      item.flags = MF_SEPARATOR;
    } else {
      item.id = r.id;
      item.text = r.text != nullptr ? r.text : "";
      item.flags = r.flags & (kStateFlags | MF_POPUP);
    }
    if (item.flags & MF_POPUP) {
      item.id = 0;
      item.popup = newMenu(true);
      findMenu(menu)->items.push_back(item);
      if (!buildItems(item.popup, r.popupItems, r.popupCount, depth + 1)) return false;
    } else {
      findMenu(menu)->items.push_back(item);
    }
  }
  return true;
}

bool findCommand(HMENU menu, UINT command, HMENU* holder, int* index, int depth) {
  Menu* m = findMenu(menu);
  if (m == nullptr || depth >= kMaxMenuDepth) return false;
  for (int i = 0; i < static_cast<int>(m->items.size()); ++i) {
    const MenuItem& item = m->items[static_cast<std::size_t>(i)];
    if (item.flags & MF_POPUP) {
      if (findCommand(item.popup, command, holder, index, depth + 1)) return true;
    } else if (!(item.flags & MF_SEPARATOR) && item.id == command) {
      *holder = menu;
      *index = i;
      return true;
    }
  }
  return false;
}

// The item that (item, flags) names: by position in this menu or by command
// anywhere below it. Null when there is none.
MenuItem* locate(HMENU menu, UINT item, UINT flags, HMENU* holder = nullptr) {
  HMENU owner = menu;
  int index = static_cast<int>(item);
  if (flags & MF_BYPOSITION) {
    Menu* m = findMenu(menu);
    if (m == nullptr || item >= m->items.size()) return nullptr;
  } else if (!findCommand(menu, item, &owner, &index, 0)) {
    return nullptr;
  }
  if (holder != nullptr) *holder = owner;
  return &findMenu(owner)->items[static_cast<std::size_t>(index)];
}

void destroyTree(HMENU menu, int depth) {
  auto& d = registry();
  auto it = d.menus.find(menu);
  if (it == d.menus.end()) return;
  std::unique_ptr<Menu> m = std::move(it->second);
  d.menus.erase(it);
  if (depth >= kMaxMenuDepth) return;
  for (const MenuItem& item : m->items)
    if (item.flags & MF_POPUP) destroyTree(item.popup, depth + 1);
}

// Builds the item that ModifyMenuA and AppendMenuA describe. False when a
// pop-up handle names no menu.
bool describeItem(UINT flags, std::uintptr_t idNewItem, LPCSTR text, MenuItem* item) {
  *item = MenuItem{};
  if (flags & MF_SEPARATOR) {
    item->flags = MF_SEPARATOR;
    return true;
  }
  item->text = text != nullptr ? text : "";
  item->flags = flags & kStateFlags;
  if (flags & MF_POPUP) {
    const auto popup = reinterpret_cast<HMENU>(idNewItem);
    if (findMenu(popup) == nullptr) return false;
    item->flags |= MF_POPUP;
    item->popup = popup;
  } else {
    item->id = static_cast<UINT>(idNewItem);
  }
  return true;
}

}  // namespace

bool findMenuCommand(HMENU menu, UINT command, HMENU* holder, int* index) {
  return findCommand(menu, command, holder, index, 0);
}

void destroyMenuTree(HMENU menu) { destroyTree(menu, 0); }

}  // namespace platform

using namespace platform;

// The menu bar of the module's menu resource, its pop-ups built in; null for
// an unknown module or menu id.
HMENU LoadMenuA(HINSTANCE instance, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  auto& modules = registry().modules;
  auto it = modules.find(instance);
  if (it == modules.end() || it->second.resources == nullptr) return nullptr;
  const ModuleResources& res = *it->second.resources;
  const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
  if (res.menus == nullptr) return nullptr;
  for (int i = 0; i < res.menuCount; ++i) {
    if (res.menus[i].id != id) continue;
    const HMENU bar = newMenu(false);
    if (!buildItems(bar, res.menus[i].items, res.menus[i].count, 0)) {
      destroyMenuTree(bar);
      return nullptr;
    }
    return bar;
  }
  return nullptr;
}

HMENU CreateMenu() { return newMenu(false); }

HMENU CreatePopupMenu() { return newMenu(true); }

// Destroys the menu and the pop-ups it holds.
BOOL DestroyMenu(HMENU menu) {
  if (findMenu(menu) == nullptr) return FALSE;
  destroyMenuTree(menu);
  return TRUE;
}

BOOL AppendMenuA(HMENU menu, UINT flags, std::uintptr_t idNewItem, LPCSTR text) {
  Menu* m = findMenu(menu);
  MenuItem item;
  if (m == nullptr || reinterpret_cast<HMENU>(idNewItem) == menu || !describeItem(flags, idNewItem, text, &item))
    return FALSE;
  m->items.push_back(item);
  notifyMenuChanged(menu);
  return TRUE;
}

HMENU GetSubMenu(HMENU menu, int pos) {
  Menu* m = findMenu(menu);
  if (m == nullptr || pos < 0 || pos >= static_cast<int>(m->items.size())) return nullptr;
  const MenuItem& item = m->items[static_cast<std::size_t>(pos)];
  return (item.flags & MF_POPUP) ? item.popup : nullptr;
}

int GetMenuItemCount(HMENU menu) {
  Menu* m = findMenu(menu);
  return m != nullptr ? static_cast<int>(m->items.size()) : -1;
}

// The item's command; -1 for a pop-up or a bad position.
UINT GetMenuItemID(HMENU menu, int pos) {
  Menu* m = findMenu(menu);
  if (m == nullptr || pos < 0 || pos >= static_cast<int>(m->items.size())) return static_cast<UINT>(-1);
  const MenuItem& item = m->items[static_cast<std::size_t>(pos)];
  return (item.flags & MF_POPUP) ? static_cast<UINT>(-1) : item.id;
}

// The item's flags; a pop-up also gives its item count in the high byte.
// -1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags) {
  MenuItem* it = locate(menu, item, flags);
  if (it == nullptr) return static_cast<UINT>(-1);
  if (it->flags & MF_POPUP) {
    const int count = std::max(0, GetMenuItemCount(it->popup));
    return (static_cast<UINT>(count & 0xFF) << 8) | (it->flags & 0xFF);
  }
  return it->flags;
}

// Copies at most maxCount - 1 characters and terminates; returns the count
// copied, the text's length when there is no buffer, 0 for no such item.
int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int maxCount, UINT flags) {
  MenuItem* it = locate(menu, item, flags);
  if (it == nullptr) return 0;
  if (buffer == nullptr || maxCount <= 0) return static_cast<int>(it->text.size());
  const std::size_t n = std::min<std::size_t>(it->text.size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(buffer, it->text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

// Replaces the item with the one described: text, command and state come from
// the arguments. A pop-up the item opened is destroyed unless it stays.
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, std::uintptr_t idNewItem, LPCSTR text) {
  HMENU holder = nullptr;
  MenuItem* it = locate(menu, position, flags, &holder);
  MenuItem replacement;
  if (it == nullptr || !describeItem(flags, idNewItem, text, &replacement)) return FALSE;
  const HMENU oldPopup = (it->flags & MF_POPUP) ? it->popup : nullptr;
  *it = replacement;
  if (oldPopup != nullptr && oldPopup != replacement.popup) destroyMenuTree(oldPopup);
  notifyMenuChanged(holder);
  return TRUE;
}

// Sets MF_ENABLED, MF_GRAYED or MF_DISABLED; returns the previous state, or -1
// when the menu holds no such item.
BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable) {
  HMENU holder = nullptr;
  MenuItem* it = locate(menu, idEnableItem, enable, &holder);
  if (it == nullptr) return -1;
  const UINT previous = it->flags & kStateFlags;
  it->flags = (it->flags & ~kStateFlags) | (enable & kStateFlags);
  notifyMenuChanged(holder);
  return static_cast<BOOL>(previous);
}
