// Accelerator tables and their translation of key presses into commands.
#include <algorithm>

#include "window_registry.h"

namespace platform {
namespace {

// Keys pressed with Alt arrive as system keys.
constexpr UINT kSysKeyDown = 0x0104;

bool keyDown(int vkey) { return (GetKeyState(vkey) & 0x8000) != 0; }

// Virtual-key entries match WM_KEYDOWN with exactly the modifiers they name;
// character entries match WM_CHAR with the Alt state they name.
bool entryMatches(const ACCEL& a, const MSG& msg) {
  if (a.fVirt & FVIRTKEY) {
    if ((msg.message != WM_KEYDOWN && msg.message != kSysKeyDown) || a.key != static_cast<WORD>(msg.wParam))
      return false;
    return keyDown(VK_CONTROL) == ((a.fVirt & FCONTROL) != 0) && keyDown(VK_SHIFT) == ((a.fVirt & FSHIFT) != 0) &&
           keyDown(VK_MENU) == ((a.fVirt & FALT) != 0);
  }
  if (msg.message != WM_CHAR || a.key != static_cast<WORD>(msg.wParam)) return false;
  return keyDown(VK_MENU) == ((a.fVirt & FALT) != 0);
}

// The position of a pop-up within the menu that holds it, searching from the
// menu bar down; -1 when it is not there.
int popupPosition(HMENU bar, HMENU popup, int depth) {
  Menu* m = findMenu(bar);
  if (m == nullptr || depth > 16) return -1;
  for (std::size_t i = 0; i < m->items.size(); ++i) {
    const MenuItem& item = m->items[i];
    if (!(item.flags & MF_POPUP)) continue;
    if (item.popup == popup) return static_cast<int>(i);
    const int inner = popupPosition(item.popup, popup, depth + 1);
    if (inner >= 0) return inner;
  }
  return -1;
}

// Sends the command as the menu would: the menu is told it is about to open
// (so its owner can bring item states up to date), and a grayed or disabled
// item sends nothing.
void sendCommand(HWND hwnd, WORD command) {
  const HMENU bar = GetMenu(hwnd);
  HMENU holder = nullptr;
  int index = 0;
  if (bar != nullptr && findMenuCommand(bar, command, &holder, &index)) {
    SendMessageA(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
    if (holder != bar) {
      const int position = popupPosition(bar, holder, 0);
      SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(holder), MAKELPARAM(position, FALSE));
    }
    const UINT state = GetMenuState(bar, command, MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED))) return;
  }
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
}

}  // namespace
}  // namespace platform

using namespace platform;

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR name) {
  if (!IS_INTRESOURCE(name)) return nullptr;
  auto& d = registry();
  auto it = d.modules.find(instance);
  if (it == d.modules.end() || it->second.resources == nullptr) return nullptr;
  const ModuleResources& res = *it->second.resources;
  const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(name));
  if (res.accelerators == nullptr) return nullptr;
  for (int i = 0; i < res.acceleratorCount; ++i) {
    const ResourceAccelerators& table = res.accelerators[i];
    if (table.id != id) continue;
    std::vector<ACCEL> entries;
    if (table.entries != nullptr && table.count > 0) entries.assign(table.entries, table.entries + table.count);
    const HACCEL h = d.newHandle<HACCEL>();
    d.accelerators.emplace(h, std::move(entries));
    return h;
  }
  return nullptr;
}

// With no buffer, the number of entries; otherwise the number copied.
int CopyAcceleratorTableA(HACCEL accel, ACCEL* entries, int count) {
  auto& tables = registry().accelerators;
  auto it = tables.find(accel);
  if (it == tables.end()) return 0;
  const int size = static_cast<int>(it->second.size());
  if (entries == nullptr) return size;
  const int n = std::clamp(count, 0, size);
  std::copy_n(it->second.begin(), n, entries);
  return n;
}

BOOL DestroyAcceleratorTable(HACCEL accel) { return registry().accelerators.erase(accel) ? TRUE : FALSE; }

// Nonzero when a key message matched an entry, whether or not its command was
// sent (a grayed menu item swallows it).
int TranslateAcceleratorA(HWND hwnd, HACCEL accel, MSG* msg) {
  if (msg == nullptr || findWindow(hwnd) == nullptr) return 0;
  auto& tables = registry().accelerators;
  auto it = tables.find(accel);
  if (it == tables.end()) return 0;
  for (const ACCEL& entry : it->second) {
    if (!entryMatches(entry, *msg)) continue;
    // Copy before sending: the procedures may destroy the table.
    const WORD command = entry.cmd;
    sendCommand(hwnd, command);
    return 1;
  }
  return 0;
}
