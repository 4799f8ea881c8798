// The single-step Undo command. Text edits are reversed by the cell edit
// control's own undo; row edits by the editor, from its own copy of the row
// text the edit took or gave, the rows it recorded and the move snapshot. The
// clipboard is never read here: another program may have replaced or hold it.
#include "editor/rows/undo.h"

#include "editor/commands/row_commands.h"
#include "editor/commands/row_text_paste.h"
#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/rows/entry_row.h"
#include "editor/rows/row_moves.h"
#include "editor/rows/undo_record.h"
#include "editor/window/module_state.h"
#include "qst/command_ids.h"
#include "qst/grid_engine.h"
#include "qst_editor/undo_action.h"

namespace {

// The edit control keeps one level of undo, so the same message also redoes.
void UndoText(EditorInstance* instance) {
  HWND edit = GridEditControl(instance->gridWindow);
  if (edit != nullptr) SendMessageA(edit, WM_UNDO, 0, 0);
  RecordTextUndo(instance);
}

// Puts the rows of the last row Cut or Clear back at the rows they came from,
// selected. Does nothing (lastAction kept) when no row comes back.
void RestoreRows(EditorInstance* instance) {
  RedrawOff(instance);
  auto entry = static_cast<std::uint32_t>(instance->document.entryRow);
  const std::uint32_t restored =
      InsertRowsFromCopy(instance, instance->undo.undoText, 0, RowPlacement::Restore, &entry);
  if (restored != 0) {
    RecordRowsRestored(instance);
    MarkDocumentChanged(instance);
  }
  RedrawOn(instance);
  RefindEntryRowAt(instance, entry);
}

// Repeats a row Cut or Clear on the rows the undo left selected. Once they are
// no longer selected the command would fall back to the cell's text: it would
// cut or clear text nobody asked for and record it as a row edit, whose undo
// then pastes the old row text in a second time. So nothing happens then.
// The command records its own edit; one that removed nothing (a Cut whose
// clipboard is held elsewhere) leaves the undone state, so a later Undo does
// not bring back rows that are still there.
void RepeatCommand(EditorInstance* instance, HWND editorWindow, CommandId command) {
  if (GridNextSelectedRow(instance->gridWindow, 0) == 0) return;
  SendMessageA(editorWindow, WM_COMMAND, command, 0);
}

void RemovePastedRows(EditorInstance* instance) {
  RedrawOff(instance);
  for (std::int32_t i = 0; i < instance->undo.pastedCount; ++i) {
    DeleteDocumentRow(instance, instance->undo.undoRow);
  }
  if (instance->undo.pastedCount > 0)
    FollowDeletedRows(instance, instance->undo.undoRow, static_cast<std::uint32_t>(instance->undo.pastedCount));
  if (instance->undo.pastedCount > 0) MarkDocumentChanged(instance);
  RedrawOn(instance);
  RecordPasteRemoved(instance);
}

// Pastes the pasted text again, from the editor's copy, directly above the entry row.
void PasteRowsAgain(EditorInstance* instance) {
  RedrawOff(instance);
  const std::uint32_t row = instance->document.entryRow;
  const std::uint32_t count = InsertRowsFromCopy(instance, instance->undo.undoText, row, RowPlacement::Consecutive);
  if (count != 0) {
    SetEntryRow(instance, row + count);
    RecordRowsPaste(instance, row, count);
    MarkDocumentChanged(instance);
  }
  RedrawOn(instance);
}

// Undoes (mode undo) or repeats (mode move, to dropRow) the last move. The
// marker leaves the entry row first because moves copy no marker. Only a move
// that happened is recorded: were a failed one recorded, the next Undo would
// delete rows where no block was put.
void MoveAgainOrBack(EditorInstance* instance, MoveMode mode, UndoAction recorded) {
  RedrawOff(instance);
  UnmarkEntryRow(instance);
  const std::uint32_t target = mode == MoveMode::Undo ? 0 : instance->selection.dropRow;
  const bool moved = MoveSelectedRows(instance, target, mode) != 0;
  MarkEntryRow(instance, instance->document.entryRow);
  RedrawOn(instance);
  if (!moved) return;
  MarkDocumentChanged(instance);
  RecordMove(instance, recorded);
}

}  // namespace

// Reverses the edit recorded in lastAction and records its opposite, so the
// same command redoes it. Copies, UndoNone and unknown values do nothing.
void UndoLastAction(EditorInstance* instance, HWND editorWindow) {
  switch (instance->undo.lastAction) {
    case UndoTextUndone:
    case UndoTextRedone:
    case UndoType:
    case UndoTextCut:
    case UndoTextPaste:
    case UndoTextClear: UndoText(instance); break;
    case UndoRowsCut:
    case UndoRowsClear: RestoreRows(instance); break;
    case UndoRowsCutUndone: RepeatCommand(instance, editorWindow, CmdCut); break;
    case UndoRowsClearUndone: RepeatCommand(instance, editorWindow, CmdClear); break;
    case UndoRowsPaste: RemovePastedRows(instance); break;
    case UndoRowsPasteUndone: PasteRowsAgain(instance); break;
    case UndoDragDrop: MoveAgainOrBack(instance, MoveMode::Undo, UndoDragDropUndone); break;
    case UndoDragDropUndone: MoveAgainOrBack(instance, MoveMode::Move, UndoDragDrop); break;
    default: break;
  }
}
