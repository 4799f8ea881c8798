// String tables of modules.
#include <algorithm>
#include <cstring>

#include "window_registry.h"

using namespace platform;

// Copies the string with this id from the module's table: at most
// bufferMax - 1 characters, always terminated. Returns the number copied; 0
// (and an empty buffer) for an unknown module or id.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (buffer == nullptr || bufferMax <= 0) return 0;
  buffer[0] = '\0';
  const ModuleResources* res = PlatformModuleResourcesOf(instance);
  if (res == nullptr || res->strings == nullptr) return 0;
  for (int i = 0; i < res->stringCount; ++i) {
    const ResourceString& s = res->strings[i];
    if (s.id != id || s.text == nullptr) continue;
    const std::size_t n = std::min(std::strlen(s.text), static_cast<std::size_t>(bufferMax - 1));
    std::memcpy(buffer, s.text, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
  }
  return 0;
}
