// The resource format a module hands to the platform's module loader.
//
// A module built for this platform exports two C functions:
//   void PlatformModuleAttach(HINSTANCE self);            called once by LoadLibraryA
//   const ModuleResources* PlatformModuleResources();     its menus, accelerators, strings, icons
// LoadStringA, LoadMenuA, LoadAcceleratorsA and LoadIconA find a module's
// resources through the instance handle the loader gave it.
#pragma once

#include "platform/win.h"

struct ResourceString {
  UINT id;
  const char* text;
};

// One menu item. A pop-up holds its own items; a separator has id 0 and no text.
struct ResourceMenuItem {
  UINT id;
  const char* text;  // null for a separator
  UINT flags;        // MF_GRAYED, MF_SEPARATOR, MF_POPUP
  const ResourceMenuItem* popupItems;
  int popupCount;
};

struct ResourceMenu {
  UINT id;
  const ResourceMenuItem* items;  // the menu bar: pop-ups in order
  int count;
};

struct ResourceAccelerators {
  UINT id;
  const ACCEL* entries;
  int count;
};

// An icon as 32-bit ARGB pixels, row by row from the top.
struct ResourceIcon {
  UINT id;
  int width;
  int height;
  const std::uint32_t* pixels;
};

struct ModuleResources {
  const ResourceString* strings;
  int stringCount;
  const ResourceMenu* menus;
  int menuCount;
  const ResourceAccelerators* accelerators;
  int acceleratorCount;
  const ResourceIcon* icons;
  int iconCount;
};

using PlatformModuleAttachFn = void (*)(HINSTANCE);
using PlatformModuleResourcesFn = const ModuleResources* (*)();

extern "C" {
// For programs and tests that link a module statically: registers its resources
// under a fresh instance handle, as LoadLibraryA would.
PLATFORM_API HINSTANCE PlatformRegisterModule(const ModuleResources* resources);
// The resources of a loaded or registered module, or null.
PLATFORM_API const ModuleResources* PlatformModuleResourcesOf(HINSTANCE instance);
// The pixels of an icon handle from LoadIconA, or null.
PLATFORM_API const ResourceIcon* PlatformIconPixels(HICON icon);
}
