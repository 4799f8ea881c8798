// The module's exports as the system loader sees them.
#include <array>

#include "module_checks.h"

namespace wintest {

void CheckExports(CheckList& checks, const std::string& modulePath) {
  HMODULE module = LoadLibraryA(modulePath.c_str());
  if (!checks.expect(module != nullptr, "LoadLibraryA loads " + modulePath,
                     "error " + std::to_string(GetLastError()))) {
    return;
  }
  constexpr std::array kExported = {"QST_Create", "QST_Main", "QST_UpdateStructureGetChar", "WEP"};
  for (const char* name : kExported) {
    checks.expect(GetProcAddress(module, name) != nullptr, std::string("GetProcAddress finds ") + name);
  }
  // Neither the decorated names nor the module's inner functions are exported.
  constexpr std::array kHidden = {
      "QST_Create@20",        "_QST_Create@20",          "QST_Main@16",           "_WEP@4",
      "PlatformModuleAttach", "PlatformModuleResources", "EditorModuleResources", "SetModuleInstance"};
  for (const char* name : kHidden) {
    checks.expect(GetProcAddress(module, name) == nullptr, std::string("no export named ") + name);
  }
  FreeLibrary(module);
}

}  // namespace wintest
