// Loading modules: a shared library is opened, gets an instance handle of its
// own, is told it through its attach entry, and its resources are registered
// under that handle.
#include <dlfcn.h>

#include "window_registry.h"

namespace platform {
namespace {

HINSTANCE registerModule(void* library, const ModuleResources* resources) {
  auto& d = registry();
  const HINSTANCE instance = d.newHandle<HINSTANCE>();
  d.modules.emplace(instance, Module{library, resources, 1});
  return instance;
}

// Drops what points into a module that is being unloaded: its icons, and the
// window classes registered under its instance, whose procedures go with it.
void forgetModuleObjects(HINSTANCE instance) {
  auto& d = registry();
  for (auto it = d.icons.begin(); it != d.icons.end();)
    it = it->second.instance == instance ? d.icons.erase(it) : std::next(it);
  for (auto it = d.classes.begin(); it != d.classes.end();)
    it = it->second.instance == instance ? d.classes.erase(it) : std::next(it);
}

}  // namespace
}  // namespace platform

using namespace platform;

// Opens the library (a second load of the same file counts a reference and
// returns the same handle). Null when it cannot be opened.
HMODULE LoadLibraryA(LPCSTR fileName) {
  if (fileName == nullptr || fileName[0] == '\0') return nullptr;
  void* library = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  auto& d = registry();
  for (auto& entry : d.modules) {
    if (entry.second.library == library) {
      ++entry.second.references;
      dlclose(library);  // dlopen counted a reference of its own
      return entry.first;
    }
  }
  const auto resourcesOf = reinterpret_cast<PlatformModuleResourcesFn>(dlsym(library, "PlatformModuleResources"));
  const HINSTANCE instance = registerModule(library, resourcesOf != nullptr ? resourcesOf() : nullptr);
  if (const auto attach = reinterpret_cast<PlatformModuleAttachFn>(dlsym(library, "PlatformModuleAttach")))
    attach(instance);
  return instance;
}

void* GetProcAddress(HMODULE module, LPCSTR name) {
  if (name == nullptr || IS_INTRESOURCE(name)) return nullptr;
  auto& modules = registry().modules;
  auto it = modules.find(module);
  if (it == modules.end() || it->second.library == nullptr) return nullptr;
  return dlsym(it->second.library, name);
}

// Drops a reference; the last one closes the library and forgets its
// resources. FALSE for a handle that LoadLibraryA did not give.
BOOL FreeLibrary(HMODULE module) {
  auto& modules = registry().modules;
  auto it = modules.find(module);
  if (it == modules.end() || it->second.library == nullptr) return FALSE;
  if (--it->second.references > 0) return TRUE;
  void* library = it->second.library;
  modules.erase(it);
  forgetModuleObjects(module);
  dlclose(library);
  return TRUE;
}

HINSTANCE PlatformRegisterModule(const ModuleResources* resources) { return registerModule(nullptr, resources); }

const ModuleResources* PlatformModuleResourcesOf(HINSTANCE instance) {
  auto& modules = registry().modules;
  auto it = modules.find(instance);
  return it == modules.end() ? nullptr : it->second.resources;
}
