// The Edit menu's Undo label and item states.
#include "editor/window/menu_state.h"

#include "editor/resources/module_resources.h"
#include "editor/rows/undo_record.h"
#include "editor/window/module_state.h"
#include "qst/command_ids.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "qst_editor/undo_kinds.h"

namespace {

void SetUndoItem(HMENU menu, UINT stringId, bool enabled) {
  char label[kStringBufferSize];
  LoadModuleString(stringId, label, sizeof label);
  ModifyMenuA(menu, CmdUndo, MF_BYCOMMAND | MF_STRING, CmdUndo, label);
  EnableMenuItem(menu, CmdUndo, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Cut, Copy and Clear act on selected rows or on the text selected in the cell.
bool HasSomethingToCut(EditorInstance* instance) {
  if (GridNextSelectedRow(instance->gridWindow, 0) != 0) return true;
  HWND edit = GridEditControl(instance->gridWindow);
  if (edit == nullptr) return false;
  const auto selection = static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0));
  return LOWORD(selection) != HIWORD(selection);
}

}  // namespace

void UpdateEditMenu(EditorInstance* instance, HMENU editMenu) {
  instance->editMenu = editMenu;
  // The Undo item tells what the next Undo command will do.
  const UndoItem undo = UndoItemFor(instance->undo.lastAction, instance->undo.undoneAction);
  if (undo.label != 0) SetUndoItem(editMenu, undo.label, undo.enabled);

  const UndoKind* kind = FindUndoKind(instance->undo.lastAction);
  const bool pasteGrayed = kind != nullptr && kind->paste == UndoPaste::Grayed;
  const bool pasteEnabled = IsClipboardFormatAvailable(CF_TEXT) != 0 && !pasteGrayed;
  EnableMenuItem(editMenu, CmdPaste, MF_BYCOMMAND | (pasteEnabled ? MF_ENABLED : MF_GRAYED));

  const UINT cutState = MF_BYCOMMAND | (HasSomethingToCut(instance) ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(editMenu, CmdCut, cutState);
  EnableMenuItem(editMenu, CmdCopy, cutState);
  EnableMenuItem(editMenu, CmdClear, cutState);
  ShellRefreshCommands(instance->hostContext, instance->editorWindow);
}

// After New or Open nothing of the previous structure may be undone into the
// new rows, so the undo record is dropped along with the label.
void ResetUndoItem(EditorInstance* instance) {
  ResetUndoRecord(instance);
  if (instance->editMenu != nullptr) SetUndoItem(instance->editMenu, IdsCantUndo, false);
}
