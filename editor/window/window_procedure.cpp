// The editor window's procedure: routes each message to its handler and checks
// the editor's invariants after every outermost one.
#include "editor/commands/command_dispatch.h"
#include "editor/persistence/save_structure.h"
#include "editor/rows/grid_events.h"
#include "editor/window/editor_invariants.h"
#include "editor/window/editor_lifecycle.h"
#include "editor/window/grid_layout.h"
#include "editor/window/menu_state.h"
#include "editor/window/module_state.h"
#include "qst/entry_points.h"
#include "qst/host_shell.h"

namespace {

// The grid stays hidden until the editor is first painted.
void PaintEditor(EditorInstance* instance, HWND window) {
  if (IsWindowVisible(instance->gridWindow)) {
    UpdateWindow(instance->gridWindow);
  } else {
    ShowWindow(instance->gridWindow, SW_SHOWNORMAL);
  }
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
}

// Returns 1 to refuse the close, 0 to allow it. A changed structure is only
// closed once the user has answered the save question without cancelling.
LRESULT OnCloseRequest(EditorInstance* instance, WPARAM wParam) {
  if (instance->document.changed != 0 && QueryCloseStructure(instance, LOWORD(wParam)) == 0) return 1;
  NotifyEditorClosed(instance);
  return 0;
}

LRESULT HandleMessage(EditorInstance* instance, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY: ReleaseEditor(instance); return 0;
    case WM_SIZE: LayoutGridColumns(instance, window, lParam); return 0;
    case WM_SETFOCUS: SetFocus(instance->gridWindow); return 0;
    case WM_PAINT: PaintEditor(instance, window); return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION: return OnCloseRequest(instance, wParam);
    case WM_COMMAND:
      if (lParam != 0) return OnGridNotify(instance, reinterpret_cast<HWND>(lParam), wParam, HIWORD(wParam));
      OnCommand(instance, LOWORD(wParam), 0, window);
      return 0;
    case WM_INITMENUPOPUP:
      if (lParam == 1) UpdateEditMenu(instance, reinterpret_cast<HMENU>(wParam));
      return 0;
    case HM_QUERYCOMMANDS: return QueryCommandList(instance, wParam, reinterpret_cast<WORD*>(lParam));
    case HM_SETNOTIFY: SetNotifyWindow(instance, reinterpret_cast<HWND>(wParam)); return 0;
    default: return 0;
  }
}

}  // namespace

extern "C" QST_EXPORT LRESULT QST_CALL QST_Main(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return InitialiseEditor(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
  EditorInstance* instance = InstanceOf(window);
  // Messages that reach a window whose creation failed find no host context.
  if (instance == nullptr || instance->hostContext == nullptr) return 0;
  // A host may ask after every event: the answer reads one field and changes
  // nothing, so it is no module call the invariants need checking after.
  if (message == HM_QUERYCHANGED) return instance->document.changed;
  EnterModuleCall();
  const LRESULT result = HandleMessage(instance, window, message, wParam, lParam);
  LeaveModuleCall(message == WM_DESTROY ? nullptr : window);
  return result;
}
