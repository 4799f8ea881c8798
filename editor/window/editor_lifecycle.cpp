// The editor window's creation and release, and the toolbar command list.
#include "editor/window/editor_lifecycle.h"

#include <cstring>
#include <iterator>

#include "editor/rows/row_moves.h"
#include "editor/rows/undo_copy.h"
#include "editor/rows/undo_record.h"
#include "editor/window/grid_layout.h"
#include "editor/window/module_state.h"
#include "editor/window/window_title.h"
#include "qst/command_ids.h"
#include "qst/host_pool.h"
#include "qst/host_runtime.h"
#include "qst/host_shell.h"

LRESULT InitialiseEditor(HWND window, const CREATESTRUCTA* create) {
  EditorInstance* instance = InstanceOf(window);
  if (instance == nullptr || create == nullptr) return -1;
  std::memset(instance, 0, sizeof(EditorInstance));
  instance->hostContext = static_cast<HostContext*>(create->lpCreateParams);
  if (instance->hostContext == nullptr) return -1;
  instance->pool = instance->hostContext->pool;
  instance->document.contextCode = CurrentContextCode();
  instance->editorWindow = window;
  SetEditorTitle(instance, nullptr);
  if (!CreateEditorGrid(instance, instance->hostContext, window)) {
    // Without a grid the editor cannot work; the host keeps its runtime handle,
    // so the release that follows a failed creation must not give it back.
    instance->hostContext = nullptr;
    return -1;
  }
  return 0;
}

namespace {
template <typename T>
void FreePoolField(EditorInstance* instance, T*& field) {
  if (field != nullptr) {
    PoolFree(instance->pool, field);
    field = nullptr;
  }
}
}  // namespace

void ReleaseEditor(EditorInstance* instance) {
  if (instance == nullptr || instance->hostContext == nullptr) return;
  FreePoolField(instance, instance->document.libraryName);
  FreePoolField(instance, instance->document.structureName);
  ReleaseMoveSnapshot(instance);
  ForgetUndoCopy(instance);
  if (instance->document.contextCode == kContextStandAlone) RuntimeRelease(instance->hostContext->runtime);
  if (instance->notifyWindow != nullptr) {
    SendMessageA(instance->notifyWindow, HM_EDITORCLOSED, reinterpret_cast<WPARAM>(GetParent(instance->editorWindow)),
                 0);
  }
}

void NotifyEditorClosed(EditorInstance* instance) {
  if (instance->notifyWindow == nullptr) return;
  HWND notify = instance->notifyWindow;
  instance->notifyWindow = nullptr;
  SendMessageA(notify, HM_EDITORCLOSED, reinterpret_cast<WPARAM>(GetParent(instance->editorWindow)), 0);
}

void SetNotifyWindow(EditorInstance* instance, HWND notifyWindow) {
  instance->notifyWindow = notifyWindow;
  ShellSetNotifyWindow(instance->hostContext, notifyWindow);
}

namespace {
// String that describes the last toolbar command: the Return of the editor
// that opened this one, or Close.
WORD LastCommandString(std::int32_t callerKind) {
  switch (callerKind) {
    case kCallerWindow: return CmdReturnToWindow;
    case kCallerMenu: return CmdReturnToMenu;
    case kCallerUserObject: return CmdReturnToUserObject;
    case kCallerFunction: return CmdReturnToFunction;
    default: return CmdClose;
  }
}
}  // namespace

int QueryCommandList(const EditorInstance* instance, WPARAM selector, WORD* entries) {
  if (entries == nullptr) return 0;
  const WORD last = instance->document.contextCode == kContextStandAlone ? CmdClose : CmdReturn;
  if (selector == QueryToolbar) {
    const WORD toolbar[] = {
        CmdNew,   CmdOpen,           CmdSave,      kCommandSeparator, CmdUndo,           CmdCut, CmdCopy, CmdPaste,
        CmdClear, kCommandSeparator, CmdInsertRow, CmdDeleteRow,      kCommandSeparator, last};
    std::memcpy(entries, toolbar, sizeof toolbar);
    return static_cast<int>(std::size(toolbar));
  }
  if (selector == QueryCommands) {
    const WORD commands[] = {CmdNew,   CmdOpen,  CmdSave,  CmdUndo,      CmdCut,       CmdCopy,
                             CmdPaste, CmdClear, CmdPrint, CmdInsertRow, CmdDeleteRow, last};
    std::memcpy(entries, commands, sizeof commands);
    return static_cast<int>(std::size(commands));
  }
  if (selector == QueryLastCommandString) {
    entries[0] = LastCommandString(instance->document.callerKind);
    return 1;
  }
  return 0;
}

void PostCloseToFrame(EditorInstance* instance) { PostMessageA(GetParent(instance->editorWindow), WM_CLOSE, 0, 0); }
