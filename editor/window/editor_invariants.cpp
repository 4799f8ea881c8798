// The editor's invariants, checked as a whole after each handled message.
#include "editor/window/editor_invariants.h"

#include <cassert>
#include <cstdio>
#include <cstdlib>

#include "editor/rows/grid_rows.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst_editor/undo_kinds.h"

namespace {

int openModuleCalls = 0;

bool MarkerAt(HWND grid, std::uint32_t row) {
  char text[4] = {};
  const int n = GridGetItemText(grid, row, ColMarker, text, sizeof text - 1);
  return n == 1 && text[0] == kEntryRowMarker[0];
}

// Invariants (1) and (2): exactly one row carries the marker and entryRow
// names it, or the grid is the blank start grid without a marker.
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
  if (marked == 0 && allEmpty) return nullptr;                       // (1), its exception
  if (marked == 0) return "no row carries the entry-row marker";     // (1)
  if (marked > 1) return "several rows carry the entry-row marker";  // (2)
  if (instance->document.entryRow < 1 || instance->document.entryRow != markedRow)
    return "entryRow does not name the marked row";  // (1)
  return nullptr;
}

// Invariant (1) by the one cell entryRow names; only when that cell lacks the
// marker are all rows read, to tell the blank start grid from a broken one.
const char* EntryRowFailureCheaply(const EditorInstance* instance, std::uint32_t rows) {
  const std::uint32_t entry = instance->document.entryRow;
  if (entry >= 1 && entry <= rows && MarkerAt(instance->gridWindow, entry)) return nullptr;
  return EntryRowFailure(instance, rows);
}

// Invariant (3). The bounds are what the presses in the row indicator tracked,
// not the grid's rows: a Cut or Clear leaves them naming rows it deleted, and a
// drop is still compared with them as tracked.
const char* SelectionFailure(const EditorInstance* instance) {
  const std::uint32_t first = instance->selection.selFirst, last = instance->selection.selLast;
  if (last != 0 && (first == 0 || first > last)) return "selection bounds out of order";
  return nullptr;
}

bool InGrid(std::uint32_t row, std::uint32_t rows) { return row <= rows; }

// Invariants (4) and (5): what the last recorded edit needs for its Undo to be possible.
const char* UndoFailure(const EditorInstance* instance, std::uint32_t rows) {
  const UndoKind* kind = FindUndoKind(instance->undo.lastAction);
  if (kind == nullptr) return "lastAction holds no known edit";  // (4)
  const UndoState& undo = instance->undo;
  switch (kind->needs) {  // (5)
    case UndoNeeds::Nothing: return nullptr;
    case UndoNeeds::RowText: return undo.undoText != nullptr ? nullptr : "a row edit to undo without its row text";
    case UndoNeeds::PastedRows:
      if (undo.pastedCount < 0) return "a negative pasted-row count";
      if (undo.pastedCount > 0 && (undo.undoRow < 1 || !InGrid(undo.undoRow + undo.pastedCount - 1, rows)))
        return "pasted rows outside the grid";
      return nullptr;
    case UndoNeeds::MoveSnapshot: return undo.moveSnapshot != nullptr ? nullptr : "a move to undo without its snapshot";
  }
  return nullptr;
}

bool CanCheck(const EditorInstance* instance) {
  return instance != nullptr && instance->gridWindow != nullptr && IsWindow(instance->gridWindow);
}

[[maybe_unused]] void AbortOn(const char* failure) {
  if (failure == nullptr) return;
  std::fprintf(stderr, "editor invariant broken: %s\n", failure);
  std::abort();
}

// The invariants (1) to (5) in that order, the entry row's by entryRowFailure.
const char* FirstFailure(EditorInstance* instance,
                         const char* (*entryRowFailure)(const EditorInstance*, std::uint32_t)) {
  if (!CanCheck(instance)) return nullptr;
  const std::uint32_t rows = GridRowCount(instance->gridWindow);
  // A new editor's grid before its first Open has empty rows and no entry row yet.
  if (instance->document.firstOpen == 0) {
    if (const char* failure = entryRowFailure(instance, rows)) return failure;
  }
  if (const char* failure = SelectionFailure(instance)) return failure;
  return UndoFailure(instance, rows);
}

}  // namespace

const char* EditorInvariantFailure(EditorInstance* instance) { return FirstFailure(instance, EntryRowFailure); }

// The cheap ones, (1), (3), (4) and (5): one grid cell and the row count.
const char* CheapInvariantFailure(EditorInstance* instance) { return FirstFailure(instance, EntryRowFailureCheaply); }

// Aborts on the first of the invariants (1) to (5) of editor_instance.h that is broken.
void CheckEditorInvariants([[maybe_unused]] EditorInstance* instance) {
#ifndef NDEBUG
  AbortOn(EditorInvariantFailure(instance));
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

void AssertRowCommandInvariants([[maybe_unused]] EditorInstance* instance) {
#ifndef NDEBUG
  if (!ChecksSkipped()) AbortOn(CheapInvariantFailure(instance));
#endif
}
