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
#include "editor/window/editor_invariants.h"
#include "editor/window/module_state.h"
#include "qst/command_ids.h"
#include "qst/grid_engine.h"
#include "qst_editor/undo_kinds.h"

namespace {

// The edit control keeps one level of undo, so the same message also redoes.
void UndoText(EditorInstance* instance, const UndoKind& kind) {
  HWND edit = GridEditControl(instance->gridWindow);
  if (edit != nullptr) SendMessageA(edit, WM_UNDO, 0, 0);
  RecordReversed(instance, kind);
}

// Puts the rows of the last row Cut or Clear back at the rows they came from,
// selected. Does nothing (lastAction kept) when no row comes back.
void RestoreRows(EditorInstance* instance, const UndoKind& kind) {
  RedrawOff(instance);
  auto entry = static_cast<std::uint32_t>(instance->document.entryRow);
  const std::uint32_t restored =
      InsertRowsFromCopy(instance, instance->undo.undoText, 0, RowPlacement::Restore, &entry);
  if (restored != 0) {
    RecordReversed(instance, kind);
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

void RemovePastedRows(EditorInstance* instance, const UndoKind& kind) {
  RedrawOff(instance);
  for (std::int32_t i = 0; i < instance->undo.pastedCount; ++i) {
    DeleteDocumentRow(instance, instance->undo.undoRow);
  }
  if (instance->undo.pastedCount > 0)
    FollowDeletedRows(instance, instance->undo.undoRow, static_cast<std::uint32_t>(instance->undo.pastedCount));
  if (instance->undo.pastedCount > 0) MarkDocumentChanged(instance);
  RedrawOn(instance);
  RecordReversed(instance, kind);
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
void MoveAgainOrBack(EditorInstance* instance, MoveMode mode, const UndoKind& kind) {
  RedrawOff(instance);
  UnmarkEntryRow(instance);
  const std::uint32_t target = mode == MoveMode::Undo ? 0 : instance->selection.dropRow;
  const bool moved = MoveSelectedRows(instance, target, mode) != 0;
  MarkEntryRow(instance, instance->document.entryRow);
  RedrawOn(instance);
  if (!moved) return;
  MarkDocumentChanged(instance);
  RecordReversed(instance, kind);
}

}  // namespace

// Reverses the edit recorded in lastAction the way its kind's row says and
// records the kind's opposite, so the same command redoes it. Copies, UndoNone
// and unknown values do nothing.
void UndoLastAction(EditorInstance* instance, HWND editorWindow) {
  AssertRowCommandInvariants(instance);
  const UndoKind* kind = FindUndoKind(instance->undo.lastAction);
  if (kind == nullptr) return;
  switch (kind->reversal) {
    case UndoReversal::None: break;
    case UndoReversal::CellText: UndoText(instance, *kind); break;
    case UndoReversal::RestoreRows: RestoreRows(instance, *kind); break;
    case UndoReversal::RepeatCut: RepeatCommand(instance, editorWindow, CmdCut); break;
    case UndoReversal::RepeatClear: RepeatCommand(instance, editorWindow, CmdClear); break;
    case UndoReversal::RemovePasted: RemovePastedRows(instance, *kind); break;
    case UndoReversal::PasteAgain: PasteRowsAgain(instance); break;
    case UndoReversal::MoveBack: MoveAgainOrBack(instance, MoveMode::Undo, *kind); break;
    case UndoReversal::MoveAgain: MoveAgainOrBack(instance, MoveMode::Move, *kind); break;
  }
}
