// The undo record's operations: the one place that writes an editor's undo fields.
#include "editor/rows/undo_record.h"

#include "qst/host_pool.h"
#include "qst_editor/undo_kinds.h"

void StartUndoRecord(EditorInstance* instance) {
  instance->undo.cutRowList = nullptr;
  instance->undo.lastAction = UndoNone;
  instance->undo.undoRow = 1;
}

void ResetUndoRecord(EditorInstance* instance) {
  instance->undo.lastAction = UndoNone;
  instance->undo.undoneAction = UndoNone;
}

void ForgetLastEdit(EditorInstance* instance) { instance->undo.lastAction = UndoNone; }

// The undo of a row paste deletes pastedCount rows at undoRow. Moving the
// entry row from one side of those rows to the other (or into them) shifts
// them by one, so the undo would delete a variable it never added and the
// entry row: it ends here, as after a press in the row-indicator column. The
// undo of a move also puts the entry row back at its old number, which is
// wrong once the entry row has moved at all.
void ForgetPositionalUndo(EditorInstance* instance, std::uint32_t oldEntry) {
  if (instance->undo.lastAction == UndoDragDrop) {
    instance->undo.lastAction = UndoNone;
    return;
  }
  if (instance->undo.lastAction != UndoRowsPaste || instance->undo.pastedCount <= 0) return;
  const std::int64_t first = instance->undo.undoRow;
  const std::int64_t last = first + instance->undo.pastedCount - 1;
  const std::int64_t old = oldEntry;
  const bool wasBelow = old > last;
  const bool isBelow = instance->document.entryRow > last;
  const bool wasAbove = old < first;
  const bool isAbove = instance->document.entryRow < first;
  if (!((wasBelow && isBelow) || (wasAbove && isAbove))) instance->undo.lastAction = UndoNone;
}

void RecordTextEdit(EditorInstance* instance, UndoAction action) { instance->undo.lastAction = action; }

void RecordRowsEdit(EditorInstance* instance, UndoAction action) { instance->undo.lastAction = action; }

void RecordRowsPaste(EditorInstance* instance, std::uint32_t first, std::uint32_t count) {
  instance->undo.undoRow = first;
  instance->undo.pastedCount = static_cast<std::int32_t>(count);
  instance->undo.lastAction = UndoRowsPaste;
}

void RecordMoveStart(EditorInstance* instance) { instance->undo.undoRow = instance->document.entryRow; }

void KeepMoveSnapshot(EditorInstance* instance, MovedRow* rows, std::uint32_t count) {
  if (instance->undo.moveSnapshot != nullptr && instance->undo.moveSnapshot != rows)
    PoolFree(instance->pool, instance->undo.moveSnapshot);
  instance->undo.moveSnapshot = rows;
  instance->undo.moveCount = static_cast<std::int32_t>(count);
}

void ReleaseMoveSnapshot(EditorInstance* instance) {
  PoolFree(instance->pool, instance->undo.moveSnapshot);
  instance->undo.moveSnapshot = nullptr;
  instance->undo.moveCount = 0;
}

void RecordMove(EditorInstance* instance) { instance->undo.lastAction = UndoDragDrop; }

void ForgetUndoOfShiftedRows(EditorInstance* instance) {
  if (instance->undo.lastAction == UndoRowsPaste || instance->undo.lastAction == UndoDragDrop) ForgetLastEdit(instance);
}

void RecordReversed(EditorInstance* instance, const UndoKind& reversed) {
  if (reversed.reversal == UndoReversal::CellText) instance->undo.undoneAction = reversed.action;
  instance->undo.lastAction = reversed.opposite;
}
