// The wait cursor and status text around opening and saving.
#include "editor/persistence/long_operation.h"

#include "editor/window/module_state.h"
#include "qst/host_shell.h"
#include "qst/string_ids.h"

HCURSOR BeginLongOperation(EditorInstance* instance, UINT statusId) {
  HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  ShellSetStatus(instance->hostContext, ModuleInstance(), static_cast<int>(statusId), 0);
  return kept;
}

void EndLongOperation(EditorInstance* instance, HCURSOR kept) {
  SetCursor(kept);
  ShellSetStatus(instance->hostContext, ModuleInstance(), IdsStatusReady, 0);
}
