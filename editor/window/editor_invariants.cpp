// The editor's invariants, checked as a whole after each handled message.
#include "editor/window/editor_invariants.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

#include "editor/rows/grid_rows.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst_editor/undo_action.h"

namespace {

int openModuleCalls = 0;

bool MarkerAt(HWND grid, std::uint32_t row) {
  char text[4] = {};
  const int n = GridGetItemText(grid, row, ColMarker, text, sizeof text - 1);
  return n == 1 && text[0] == kEntryRowMarker[0];
}

// Exactly one row carries the marker and entryRow names it. The entry row
// itself may hold text: a type typed into it, or text pasted into its cells,
// opens no new entry row. A grid of empty rows without a marker is the start
// grid of an editor whose first Open was cancelled or failed and that closes.
const char* EntryRowFailure(const EditorInstance* instance, std::uint32_t rows) {
  HWND grid = instance->gridWindow;
  std::uint32_t marked = 0;
  std::uint32_t markedRow = 0;
  bool allEmpty = true;
  for (std::uint32_t row = 1; row <= rows; ++row) {
    if (MarkerAt(grid, row)) {
      ++marked;
      markedRow = row;
    }
    if (allEmpty && !RowIsBlank(grid, row)) allEmpty = false;
  }
  if (marked == 0 && allEmpty) return nullptr;
  if (marked != 1)
    return marked == 0 ? "no row carries the entry-row marker" : "several rows carry the entry-row marker";
  if (instance->document.entryRow < 1 || instance->document.entryRow != markedRow)
    return "entryRow does not name the marked row";
  return nullptr;
}

bool InGrid(std::uint32_t row, std::uint32_t rows) { return row <= rows; }

// What the last recorded edit needs for its Undo to be possible.
const char* UndoFailure(const EditorInstance* instance, std::uint32_t rows) {
  switch (instance->undo.lastAction) {
    case UndoNone:
    case UndoTextUndone:
    case UndoTextRedone:
    case UndoType:
    case UndoTextCut:
    case UndoTextCopy:
    case UndoTextPaste:
    case UndoTextClear:
    case UndoRowsCutUndone:
    case UndoRowsCopy:
    case UndoRowsClearUndone: return nullptr;
    case UndoRowsCut:
    case UndoRowsClear:
    case UndoRowsPasteUndone:
      return instance->undo.undoText != nullptr ? nullptr : "a row edit to undo without its row text";
    case UndoRowsPaste:
      if (instance->undo.pastedCount < 0) return "a negative pasted-row count";
      if (instance->undo.pastedCount > 0 &&
          (instance->undo.undoRow < 1 || !InGrid(instance->undo.undoRow + instance->undo.pastedCount - 1, rows)))
        return "pasted rows outside the grid";
      return nullptr;
    case UndoDragDrop:
    case UndoDragDropUndone:
      return instance->undo.moveSnapshot != nullptr ? nullptr : "a move to undo without its snapshot";
    default: return "lastAction holds no known edit";
  }
}

}  // namespace

const char* EditorInvariantFailure(EditorInstance* instance) {
  if (instance == nullptr || instance->gridWindow == nullptr || !IsWindow(instance->gridWindow)) return nullptr;
  const std::uint32_t rows = GridRowCount(instance->gridWindow);
  // A new editor's grid before its first Open has empty rows and no entry row yet.
  if (instance->document.firstOpen == 0) {
    if (const char* failure = EntryRowFailure(instance, rows)) return failure;
  }
  // The bounds are what the presses in the row indicator tracked, not the
  // grid's rows: a Cut or Clear leaves them naming rows it deleted, and a drop
  // is still compared with them as tracked. They stay in order, though, and
  // there is no last bound without a first.
  const std::uint32_t first = instance->selection.selFirst, last = instance->selection.selLast;
  if (last != 0 && (first == 0 || first > last)) return "selection bounds out of order";
  return UndoFailure(instance, rows);
}

void CheckEditorInvariants([[maybe_unused]] EditorInstance* instance) {
#ifndef NDEBUG
  if (const char* failure = EditorInvariantFailure(instance)) {
    std::fprintf(stderr, "editor invariant broken: %s\n", failure);
    std::abort();
  }
#endif
}

void EnterModuleCall() { ++openModuleCalls; }

// White-box unit tests put an instance into states the editor never makes (a
// lastAction without its undo text, rows without a marker) to test one handler;
// their runs set QST_SKIP_INVARIANTS. Scenarios and programs never do.
bool ChecksSkipped() {
  static const bool skipped = std::getenv("QST_SKIP_INVARIANTS") != nullptr;
  return skipped;
}

void LeaveModuleCall(HWND editorWindow) {
  assert(openModuleCalls > 0 && "LeaveModuleCall without its EnterModuleCall");
  if (--openModuleCalls != 0 || editorWindow == nullptr || !IsWindow(editorWindow) || ChecksSkipped()) return;
  CheckEditorInvariants(InstanceOf(editorWindow));
}
