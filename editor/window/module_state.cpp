// Module-wide values and the helpers every editor operation uses.
#include "editor/window/module_state.h"

#include "qst/grid_engine.h"
#include "qst/host_shell.h"

namespace {
// The only module-wide editor values besides the compiler's read pointer.
HINSTANCE gModuleInstance = nullptr;
std::int32_t gCurrentContextCode = 0;
}  // namespace

HINSTANCE ModuleInstance() { return gModuleInstance; }
void SetModuleInstance(HINSTANCE instance) { gModuleInstance = instance; }
std::int32_t CurrentContextCode() { return gCurrentContextCode; }
void SetCurrentContextCode(std::int32_t code) { gCurrentContextCode = code; }

int LoadModuleString(UINT id, char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0) return 0;
  buffer[0] = '\0';
  int n = LoadStringA(gModuleInstance, id, buffer, bufferSize);
  if (n < 0) n = 0;
  if (n >= bufferSize) n = bufferSize - 1;
  buffer[n] = '\0';
  return n;
}

void RedrawOff(EditorInstance* instance) { GridSetRedraw(instance->gridWindow, false); }

void RedrawOn(EditorInstance* instance) {
  GridSetRedraw(instance->gridWindow, true);
  InvalidateRect(instance->gridWindow, nullptr, TRUE);
  UpdateWindow(instance->gridWindow);
}

EditorInstance* InstanceOf(HWND window) { return static_cast<EditorInstance*>(ShellInstanceOf(0, window)); }
