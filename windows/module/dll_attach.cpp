// The module's start on Windows: the system tells the DLL its instance handle,
// where LoadStringA, LoadMenuA, LoadAcceleratorsA and LoadIconA find the
// module's resources. Detaching does nothing.
#include "editor/window/module_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(self);
    // The module starts no threads and needs no per-thread notice.
    DisableThreadLibraryCalls(self);
  }
  return TRUE;
}
