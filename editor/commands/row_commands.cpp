// The row editing commands. Cut, Copy, Paste and Clear act on whole rows when
// rows are selected, otherwise on the text of the cell being edited.
#include "editor/commands/row_commands.h"

#include <cstring>

#include "editor/commands/row_delete.h"
#include "editor/commands/row_text_copy.h"
#include "editor/commands/row_text_paste.h"
#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/rows/entry_row.h"
#include "editor/rows/grid_rows.h"
#include "editor/rows/row_moves.h"
#include "editor/rows/row_selection.h"
#include "editor/rows/undo_copy.h"
#include "editor/rows/undo_record.h"
#include "editor/window/editor_invariants.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"
#include "qst_editor/undo_kinds.h"

namespace {

bool AnyRowSelected(const EditorInstance* instance) { return GridNextSelectedRow(instance->gridWindow, 0) != 0; }

void SendToEditControl(const EditorInstance* instance, UINT message) {
  HWND edit = GridEditControl(instance->gridWindow);
  if (edit != nullptr) SendMessageA(edit, message, 0, 0);
}

std::uint32_t CurrentCellRow(const EditorInstance* instance) {
  std::uint32_t row = 0;
  std::uint16_t column = 0;
  GridGetCurrentCell(instance->gridWindow, &row, &column);
  return row;
}

// Puts the block on the clipboard the editor has open. True when the
// clipboard took it; the block is then the clipboard's, else still the caller's.
bool PutOnOpenClipboard(HGLOBAL block) {
  EmptyClipboard();
  return SetClipboardData(CF_TEXT, block) != nullptr;
}

// Gives the clipboard the block, with the editor window as owner. The block
// belongs to the clipboard once it took it; otherwise it is freed here.
void HandToClipboard(const EditorInstance* instance, HGLOBAL block) {
  if (OpenClipboard(instance->editorWindow) == FALSE) {
    GlobalFree(block);
    return;
  }
  if (!PutOnOpenClipboard(block)) GlobalFree(block);
  CloseClipboard();
}

enum class PasteMode { Rows, Text, Nothing };

// Row text always holds a line feed; a few words typed elsewhere do not.
// A clipboard that cannot be read gives Nothing: there is nothing to paste.
PasteMode PasteModeFromClipboard(const EditorInstance* instance) {
  if (OpenClipboard(instance->editorWindow) == FALSE) return PasteMode::Nothing;
  PasteMode mode = PasteMode::Nothing;
  HANDLE block = GetClipboardData(CF_TEXT);
  const auto* text = block != nullptr ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  if (text != nullptr) {
    // Bounded by the block's size: a block need not hold a NUL. The text ends
    // at a NUL, so a line feed after one does not count; only the bytes up to
    // the first line feed are searched for a NUL, not a large text to its end.
    const SIZE_T size = GlobalSize(block);
    const auto* lineFeed = static_cast<const char*>(std::memchr(text, '\n', size));
    const bool rows = lineFeed != nullptr && std::memchr(text, '\0', static_cast<SIZE_T>(lineFeed - text)) == nullptr;
    mode = rows ? PasteMode::Rows : PasteMode::Text;
    GlobalUnlock(block);
  }
  CloseClipboard();
  return mode;
}

PasteMode ChoosePasteMode(const EditorInstance* instance) {
  const UndoKind* kind = FindUndoKind(instance->undo.lastAction);
  const UndoPaste paste = kind != nullptr ? kind->paste : UndoPaste::AsClipboardSays;
  if (paste == UndoPaste::Rows) return PasteMode::Rows;
  if (paste == UndoPaste::Text) return PasteMode::Text;
  return PasteModeFromClipboard(instance);
}

// Inserts the clipboard's lines before the current cell's row (before the entry
// row when no cell is current) and keeps the text for a redo. Leaves the
// clipboard and lastAction alone when the clipboard cannot be opened, holds
// no text, or the pool has no room for the editor's copy of it (the rows are
// inserted from that copy, and the last edit's undo still needs its own).
void PasteRows(EditorInstance* instance) {
  if (OpenClipboard(instance->editorWindow) == FALSE) return;
  HANDLE block = GetClipboardData(CF_TEXT);
  char* copy = block != nullptr ? CopyBlockText(instance, block) : nullptr;
  if (copy == nullptr) {
    CloseClipboard();
    return;
  }
  RedrawOff(instance);
  std::uint32_t row = CurrentCellRow(instance);
  if (row == 0) row = instance->document.entryRow;
  // The redo of this paste inserts from the editor's own copy of the text.
  KeepUndoText(instance, copy);
  const std::uint32_t count = InsertRowsFromCopy(instance, instance->undo.undoText, row, RowPlacement::Consecutive);
  UnselectAllRows(instance);
  FollowInsertedRows(instance, row, count);
  FocusEntryRow(instance);
  RecordRowsPaste(instance, row, count);
  if (count != 0) MarkDocumentChanged(instance);
  RedrawOn(instance);
  CloseClipboard();
}

// Cut of the selected rows: their text goes to the clipboard and into the
// editor's undo copy, then they are deleted and an entry row is kept. A Cut
// whose rows cannot reach the clipboard (another program holds it) removes
// nothing: the rows would be gone from everywhere but the undo.
void CutRows(EditorInstance* instance) {
  RedrawOff(instance);
  if (OpenClipboard(instance->editorWindow) == FALSE) {
    RedrawOn(instance);
    return;
  }
  char* copy = nullptr;
  HGLOBAL block = CopySelectedRowsKeepingText(instance, &copy);
  const bool placed = block != nullptr && PutOnOpenClipboard(block);
  CloseClipboard();
  if (!placed) {
    if (block != nullptr) GlobalFree(block);
    PoolFree(instance->pool, copy);
    RedrawOn(instance);
    return;
  }
  KeepUndoText(instance, copy);
  // The entry row moves up by the rows deleted above it, unless it was cut too.
  const std::uint32_t above = DeleteCopiedRows(instance);
  RefindEntryRowAt(instance, static_cast<std::uint32_t>(instance->document.entryRow) - above);
  FocusEntryRow(instance);
  RecordRowsEdit(instance, UndoRowsCut);
  MarkDocumentChanged(instance);
  RedrawOn(instance);
}

// Unselects the rows a copy has just recorded in cutRowList, which are all the
// selected rows: one grid call a row instead of a search and a call. Should
// any row still be selected, it is unselected the usual way.
void UnselectCopiedRows(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  if (const std::uint32_t* rows = instance->undo.cutRowList) {
    for (std::uint32_t k = 1; k <= rows[0]; ++k) GridSelectRow(grid, rows[k], false);
  }
  if (GridNextSelectedRow(grid, 0) != 0) UnselectAllRows(instance);
}

void CopyRows(EditorInstance* instance) {
  RedrawOff(instance);
  HGLOBAL block = CopySelectedRowsToText(instance);
  if (block == nullptr) {
    RedrawOn(instance);
    return;
  }
  HandToClipboard(instance, block);
  UnselectCopiedRows(instance);
  FocusEntryRow(instance);
  RecordRowsEdit(instance, UndoRowsCopy);
  RedrawOn(instance);
}

}  // namespace

// Cut (cut true) or Copy: of the selected rows, or else of the cell's text,
// which the cell edit control cuts or copies.
void CutOrCopyCommand(EditorInstance* instance, bool cut) {
  AssertRowCommandInvariants(instance);
  if (!AnyRowSelected(instance)) {
    SendToEditControl(instance, cut ? WM_CUT : WM_COPY);
    RecordTextEdit(instance, cut ? UndoTextCut : UndoTextCopy);
    return;
  }
  if (cut) {
    CutRows(instance);
  } else {
    CopyRows(instance);
  }
}

// Paste: rows after a row Cut, Copy or Paste, text after a text one; otherwise
// rows when the clipboard's text holds a line feed, text when it does not.
void PasteCommand(EditorInstance* instance) {
  AssertRowCommandInvariants(instance);
  switch (ChoosePasteMode(instance)) {
    case PasteMode::Rows: PasteRows(instance); break;
    case PasteMode::Text:
      SendToEditControl(instance, WM_PASTE);
      RecordTextEdit(instance, UndoTextPaste);
      break;
    case PasteMode::Nothing: break;
  }
}

// Clear: selected rows go to the clipboard and are deleted (a new entry row is
// appended when the entry row was among them); with no row selected the cell
// edit control clears its selection. Nothing changes when the text block
// cannot be made. The rows are deleted even when another program holds the
// clipboard: the editor's undo copy can bring them back.
void ClearCommand(EditorInstance* instance) {
  AssertRowCommandInvariants(instance);
  if (!AnyRowSelected(instance)) {
    SendToEditControl(instance, WM_CLEAR);
    RecordTextEdit(instance, UndoTextClear);
    MarkDocumentChanged(instance);
    return;
  }
  char* copy = nullptr;
  HGLOBAL block = CopySelectedRowsKeepingText(instance, &copy);
  if (block == nullptr) return;
  KeepUndoText(instance, copy);
  RedrawOff(instance);
  HandToClipboard(instance, block);
  if (GridIsRowSelected(instance->gridWindow, instance->document.entryRow)) {
    DeleteCopiedRows(instance);
    AppendEntryRow(instance);
  } else {
    ShiftEntryRowUp(instance, DeleteCopiedRows(instance));
  }
  FocusEntryRow(instance);
  RecordRowsEdit(instance, UndoRowsClear);
  RedrawOn(instance);
  MarkDocumentChanged(instance);
}

// Delete Row: the selected rows, or else the focus row unless it is the entry
// row (or there is no focus row), are cleared as rows.
void DeleteRowCommand(EditorInstance* instance) {
  AssertRowCommandInvariants(instance);
  if (!AnyRowSelected(instance)) {
    const std::uint32_t row = GridCurrentRow(instance->gridWindow);
    if (row == 0 || row == instance->document.entryRow) return;
    GridSelectRow(instance->gridWindow, row, true);
  }
  ClearCommand(instance);
}

// Insert Row: moves the (empty) entry row to just above the first selected row,
// or above the current cell's row, and puts the focus into it. It records no
// edit of its own; an undo whose recorded row numbers it shifts ends here.
// The entry row is meant to be empty, but text pasted into its cells opens no
// new entry row, so it may hold a name or type by now: then it stays as an
// ordinary row (only its marker goes) rather than being deleted with them.
void InsertRowCommand(EditorInstance* instance) {
  AssertRowCommandInvariants(instance);
  HWND grid = instance->gridWindow;
  std::uint32_t target = GridNextSelectedRow(grid, 0);
  const bool selected = target != 0;
  if (!selected) target = CurrentCellRow(instance);
  const auto entry = instance->document.entryRow;
  if (target == 0 || target == entry) return;

  RedrawOff(instance);
  if (selected) UnselectAllRows(instance);
  if (target != entry + 1) {
    const std::uint32_t inserted = InsertDocumentRow(instance, target);
    if (inserted != 0) {
      WriteCellText(instance, inserted, ColMarker, kEntryRowMarker);
      const std::uint32_t oldEntry = inserted > entry ? entry : entry + 1;
      if (RowIsBlank(grid, oldEntry)) {
        DeleteDocumentRow(instance, oldEntry);
        SetEntryRow(instance, inserted > entry ? inserted - 1 : inserted);
        ForgetPositionalUndo(instance, entry);
      } else {
        WriteCellText(instance, oldEntry, ColMarker, "");
        SetEntryRow(instance, inserted);
        ForgetUndoOfShiftedRows(instance);
      }
    }
  }
  FocusEntryRow(instance);
  RedrawOn(instance);
}
