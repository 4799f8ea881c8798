// The undo record of an editor: what its last edit was and what Undo needs to
// reverse it. Every write of lastAction, undoneAction, undoRow, pastedCount
// and the move snapshot goes through these operations; the row text and the
// cut-row list are kept by undo_copy.h.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"
#include "qst_editor/undo_action.h"

struct MovedRow;
struct UndoKind;

// The record of a new editor: nothing to undo, the paste row at the top.
void StartUndoRecord(EditorInstance* instance);
// Nothing to undo, and nothing undone (after New and Open).
void ResetUndoRecord(EditorInstance* instance);
// The last edit can no longer be undone (a press, a new structure, a no-op).
void ForgetLastEdit(EditorInstance* instance);
// A row paste or move whose rows the entry row has crossed cannot be undone.
void ForgetPositionalUndo(EditorInstance* instance, std::uint32_t oldEntry);

// A text edit of the cell (typing, or a Cut, Copy, Paste, Clear of its text).
void RecordTextEdit(EditorInstance* instance, UndoAction action);
// A row Cut, Copy or Clear (the row text is kept by KeepUndoText).
void RecordRowsEdit(EditorInstance* instance, UndoAction action);
// count rows pasted at first.
void RecordRowsPaste(EditorInstance* instance, std::uint32_t first, std::uint32_t count);
// A move of the selected rows starts with the entry row where it is now.
void RecordMoveStart(EditorInstance* instance);
// The rows of the last move, a pool block (the previous one is freed).
void KeepMoveSnapshot(EditorInstance* instance, MovedRow* rows, std::uint32_t count);
void ReleaseMoveSnapshot(EditorInstance* instance);
// A move done.
void RecordMove(EditorInstance* instance);
// Recorded row numbers no longer hold once a row was inserted above them (an
// Insert Row that kept the old entry row): a row paste or a move ends here.
void ForgetUndoOfShiftedRows(EditorInstance* instance);

// Undo reversed an edit of kind reversed: the record says the kind's opposite,
// so that Undo again redoes it. A text undo also keeps the kind it reversed in
// undoneAction, which decides whether the Undo item offers a redo.
void RecordReversed(EditorInstance* instance, const UndoKind& reversed);
