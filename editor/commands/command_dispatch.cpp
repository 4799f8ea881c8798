// Dispatches the editor's commands by id to their handlers.
#include "editor/commands/command_dispatch.h"

#include "editor/commands/row_commands.h"
#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/persistence/open_structure.h"
#include "editor/persistence/pool_strings.h"
#include "editor/persistence/save_structure.h"
#include "editor/rows/entry_row.h"
#include "editor/rows/undo.h"
#include "editor/rows/undo_copy.h"
#include "editor/rows/undo_record.h"
#include "editor/window/editor_lifecycle.h"
#include "editor/window/menu_state.h"
#include "editor/window/module_state.h"
#include "editor/window/print_structure.h"
#include "editor/window/window_title.h"
#include "qst/command_ids.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "qst/string_ids.h"
#include "qst_editor/undo_action.h"

namespace {

using CommandHandler = void (*)(EditorInstance* instance, WORD commandId, HWND window);

// A structure just created or opened has no edit to undo, and the rows the
// last one kept belong to the structure put away.
void ForgetLastAction(EditorInstance* instance) {
  ForgetLastEdit(instance);
  ResetUndoItem(instance);
  ForgetUndoCopy(instance);
}

// Return: saves a changed structure, then closes the editor. When the save fails
// or is cancelled the editor stays open with its changes.
void ReturnCommand(EditorInstance* instance, WORD, HWND) {
  SendMessageA(instance->editorWindow, WM_COMMAND, CmdSave, 0);
  if (instance->document.changed == 0) PostCloseToFrame(instance);
}

void CloseCommand(EditorInstance* instance, WORD, HWND) { PostCloseToFrame(instance); }

// New: after the save question for a changed structure, leaves one marked entry
// row and an untitled structure. Does nothing on an unchanged untitled one.
void NewCommand(EditorInstance* instance, WORD commandId, HWND) {
  if (instance->document.changed) {
    if (!QueryCloseStructure(instance, commandId)) return;
  } else if (instance->document.untitled) {
    return;
  }
  FreePoolString(instance, &instance->document.structureName);
  FreePoolString(instance, &instance->document.libraryName);
  RedrawOff(instance);
  RemoveAllDocumentRows(instance);
  AppendEntryRow(instance);
  RedrawOn(instance);
  SetEditorTitle(instance, nullptr);
  instance->document.untitled = 1;
  MarkDocumentUnchanged(instance);
  instance->selection.anchorRow = 0;
  ForgetLastAction(instance);
}

// Open: after the save question for a changed structure, runs the open of the
// editor's setting. Only a structure really opened, or a New that ran, leaves
// the editor unchanged.
void OpenCommand(EditorInstance* instance, WORD commandId, HWND) {
  if (instance->document.changed && !QueryCloseStructure(instance, commandId)) return;
  int opened = instance->document.contextCode == kContextStandAlone ? OpenGlobalStructure(instance)
                                                                    : OpenEmbeddedStructure(instance);
  if (!opened) return;
  MarkDocumentUnchanged(instance);
  instance->selection.anchorRow = 0;
  ForgetLastAction(instance);
}

// Save and Save As: Save of an unchanged structure does nothing; a successful
// save retitles the frame and puts the current cell into the entry row.
void SaveCommand(EditorInstance* instance, WORD commandId, HWND) {
  if (commandId == CmdSave && instance->document.changed == 0) return;
  RedrawOff(instance);
  GridPrepareSave(instance->gridWindow, instance->document.entryRow);
  if (SaveStructure(instance, commandId)) {
    SetEditorTitle(instance, instance->document.structureName);
    GridSetCurrentCell(instance->gridWindow, instance->document.entryRow, ColName);
  }
  RedrawOn(instance);
}

// Print: printing reads the stored entry, so a changed or never-saved structure
// is offered a save first. Nothing is printed when it still has no name.
void PrintCommand(EditorInstance* instance, WORD, HWND window) {
  bool unnamed = instance->document.structureName == nullptr;
  if (instance->document.changed || unnamed) {
    char text[200];
    char caption[200];
    LoadModuleString(IdsPrintQuestion, text, sizeof text);
    LoadModuleString(IdsPrintCaption, caption, sizeof caption);
    if (MessageBoxA(window, text, caption, MB_OKCANCEL | MB_ICONHAND) == IDCANCEL) return;
    // The box's own message loop runs what was posted before it (a first
    // open still pending, a close): the editor may be gone, or hold another
    // structure, by the time the box is answered.
    if (!IsWindow(window)) return;
    unnamed = instance->document.structureName == nullptr;
  }
  if (instance->document.changed || unnamed) {
    // An unchanged structure without a name is saved under a new name: Save alone would do nothing.
    WORD save = instance->document.changed ? CmdSave : CmdSaveAs;
    SendMessageA(instance->editorWindow, WM_COMMAND, save, 0);
    // The stored entry is older than the rows on screen when that save failed
    // or was cancelled: printing it would pass off stale text as the structure.
    if (instance->document.changed) return;
  }
  if (instance->document.structureName != nullptr) PrintStructure(instance, 1);
}

void UndoCommand(EditorInstance* instance, WORD, HWND window) { UndoLastAction(instance, window); }
void CutCommand(EditorInstance* instance, WORD, HWND) { CutOrCopyCommand(instance, true); }
void CopyCommand(EditorInstance* instance, WORD, HWND) { CutOrCopyCommand(instance, false); }
void PasteRowsCommand(EditorInstance* instance, WORD, HWND) { PasteCommand(instance); }
void ClearRowsCommand(EditorInstance* instance, WORD, HWND) { ClearCommand(instance); }
void InsertRowsCommand(EditorInstance* instance, WORD, HWND) { InsertRowCommand(instance); }
void DeleteRowsCommand(EditorInstance* instance, WORD, HWND) { DeleteRowCommand(instance); }

struct CommandEntry {
  CommandId id;
  CommandHandler run;
};

// Every command the editor handles; any other id is ignored without a trace.
constexpr CommandEntry kCommands[] = {
    {CmdReturn, ReturnCommand},
    {CmdUndo, UndoCommand},
    {CmdCut, CutCommand},
    {CmdCopy, CopyCommand},
    {CmdPaste, PasteRowsCommand},
    {CmdClear, ClearRowsCommand},
    {CmdPrint, PrintCommand},
    {CmdNew, NewCommand},
    {CmdSave, SaveCommand},
    {CmdSaveAs, SaveCommand},
    {CmdInsertRow, InsertRowsCommand},
    {CmdDeleteRow, DeleteRowsCommand},
    {CmdClose, CloseCommand},
    {CmdOpen, OpenCommand},
};

}  // namespace

// Runs the command's handler and then lets the host refresh its toolbar, also
// when the command changed nothing. Unknown ids do nothing at all.
void OnCommand(EditorInstance* instance, WORD commandId, LPARAM, HWND window) {
  if (instance == nullptr) return;
  for (const CommandEntry& entry : kCommands) {
    if (entry.id != commandId) continue;
    entry.run(instance, commandId, window);
    ShellRefreshCommands(instance->hostContext, window);
    return;
  }
}
