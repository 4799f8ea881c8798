// The window registry, the link to the user interface and the reset between tests.
#include "window_registry.h"

#include "platform/platform.h"

namespace platform {

WindowRegistry::WindowRegistry() {
  liveRegistry = this;
  // System objects live as long as the process: their handles stay the same
  // across resets, as the system's own cursors and font do.
  arrowCursor = newHandle<HCURSOR>();
  ibeamCursor = newHandle<HCURSOR>();
  waitCursor = newHandle<HCURSOR>();
  cursor = arrowCursor;
  systemFont = newHandle<HGDIOBJ>();
  fonts[systemFont] = 16;
  registerEditClass(*this);
}

WindowRegistry::~WindowRegistry() { liveRegistry = nullptr; }

Window* lookUpWindow(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  auto& d = registry();
  auto it = d.windows.find(hwnd);
  if (it == d.windows.end()) return nullptr;
  d.lastFound = hwnd;
  d.lastFoundWindow = it->second.get();
  return d.lastFoundWindow;
}

void forgetWindow(HWND hwnd) {
  auto& d = registry();
  if (d.lastFound == hwnd) {
    d.lastFound = nullptr;
    d.lastFoundWindow = nullptr;
  }
  d.windows.erase(hwnd);
}

Menu* findMenu(HMENU menu) {
  if (menu == nullptr) return nullptr;
  auto& menus = registry().menus;
  auto it = menus.find(menu);
  return it == menus.end() ? nullptr : it->second.get();
}

GlobalBlock* findBlock(HGLOBAL mem) {
  if (mem == nullptr) return nullptr;
  auto& blocks = registry().blocks;
  auto it = blocks.find(mem);
  return it == blocks.end() ? nullptr : &it->second;
}

void notifyWindowChanged(HWND hwnd) {
  if (UserInterface* fe = registry().userInterface) fe->windowChanged(hwnd);
}

void notifyMenuChanged(HMENU menu) {
  if (UserInterface* fe = registry().userInterface) fe->menuChanged(menu);
}

}  // namespace platform

using platform::registry;

void PlatformSetUserInterface(UserInterface* userInterface) { registry().userInterface = userInterface; }

UserInterface* PlatformUserInterface() { return registry().userInterface; }

// Drops every window without sending it anything: the procedures of a finished
// test may belong to objects that no longer exist. Classes, loaded modules,
// fonts and the system cursors stay, as they would in a process that lives on.
void PlatformReset() {
  auto& d = registry();
  d.userInterface = nullptr;
  d.messageDetail.clear();
  d.windows.clear();
  d.lastFound = nullptr;
  d.lastFoundWindow = nullptr;
  d.edits.clear();
  d.focus = nullptr;
  d.capture = nullptr;
  d.queue.clear();
  d.menus.clear();
  d.accelerators.clear();
  platform::clipboardReset();
  d.blocks.clear();
  d.cursor = d.arrowCursor;
  d.dcs.clear();
}
