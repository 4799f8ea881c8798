// Moving selected rows by drag and drop, with the snapshot Undo uses.
#include "editor/rows/row_moves.h"

#include <cstring>

#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/rows/grid_rows.h"
#include "editor/rows/undo_record.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"
#include "qst_editor/undo_action.h"

namespace {

// The entry after the last snapshot row records where the move put the block,
// so that its undo removes exactly those rows whatever the selection was.
MovedRow* BlockRecord(EditorInstance* instance) { return instance->undo.moveSnapshot + instance->undo.moveCount; }

}  // namespace

std::uint32_t MovedBlockFirstRow(const EditorInstance* instance) {
  if (instance->undo.moveSnapshot == nullptr) return 0;
  return instance->undo.moveSnapshot[instance->undo.moveCount].row;
}

int SnapshotSelectedRows(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  const std::uint32_t n = CountSelectedRows(grid);
  const std::uint64_t bytes = (static_cast<std::uint64_t>(n) + 1) * sizeof(MovedRow);
  if (bytes > 0xFFFFFFFFu) return 0;
  auto* rows = static_cast<MovedRow*>(PoolAlloc(instance->pool, static_cast<std::uint32_t>(bytes), 0));
  if (rows == nullptr) return 0;
  std::memset(rows, 0, static_cast<std::size_t>(bytes));
  TypeWords words;
  LoadTypeWords(&words);
  std::uint32_t k = 0;
  for (std::uint32_t r = GridNextSelectedRow(grid, 0); r != 0 && k < n; r = GridNextSelectedRow(grid, r), ++k) {
    ReadVariableRowWith(instance, &rows[k].record, r, words);
    rows[k].row = r;
    rows[k].wasEntryRow = r == instance->document.entryRow ? 1 : 0;
  }
  KeepMoveSnapshot(instance, rows, n);
  return 1;
}

// The rows below a deleted row move up, so the next selected row is looked
// for from the deleted position on rather than from the top again.
void RemoveSelectedRows(EditorInstance* instance, std::uint32_t* target) {
  HWND grid = instance->gridWindow;
  std::uint32_t r = GridNextSelectedRow(grid, 0);
  while (r != 0) {
    DeleteDocumentRow(instance, r);
    FollowDeletedRows(instance, r, 1);
    if (*target > r) --*target;
    r = GridNextSelectedRow(grid, r - 1);
  }
}

void InsertSnapshotRows(EditorInstance* instance, std::uint32_t start, RowPlacement placement) {
  HWND grid = instance->gridWindow;
  TypeWords words;
  LoadTypeWords(&words);
  std::uint32_t p = start;
  std::uint32_t newEntry = 0;
  for (std::int32_t k = 0; k < instance->undo.moveCount; ++k) {
    const MovedRow& e = instance->undo.moveSnapshot[k];
    if (placement == RowPlacement::Restore) p = e.row;
    InsertDocumentRow(instance, p);
    WriteCellText(instance, p, ColName, e.record.name);
    WriteCellText(instance, p, ColType, e.record.type);
    if (IsDecimalTypeWith(e.record.type, words)) {
      const double decimals = e.record.decimals;
      WriteCellNumber(instance, p, ColDecimals, &decimals);
    }
    if (placement == RowPlacement::Restore) GridSelectRow(grid, p, true);
    FollowInsertedRows(instance, p, 1);
    if (e.wasEntryRow == 1) newEntry = p;
    ++p;
  }
  if (newEntry != 0) SetEntryRow(instance, newEntry);
}

int MoveSelectedRows(EditorInstance* instance, std::uint32_t target, MoveMode mode) {
  if (mode == MoveMode::Undo) {
    if (instance->undo.moveSnapshot == nullptr) return 0;
    // Remove exactly the block the move inserted, then put every row back.
    const std::uint32_t start = MovedBlockFirstRow(instance);
    for (std::int32_t k = 0; k < instance->undo.moveCount; ++k) DeleteDocumentRow(instance, start);
    InsertSnapshotRows(instance, instance->selection.dropRow, RowPlacement::Restore);
    SetEntryRow(instance, instance->undo.undoRow);
    return 1;
  }
  // Row 0 is no place to put rows: the grid would append them and the
  // writes meant for them would go nowhere.
  if (target == 0) return 0;
  if (!SnapshotSelectedRows(instance)) return 0;
  RecordMoveStart(instance);
  RedrawOff(instance);
  RemoveSelectedRows(instance, &target);
  // A target past the end appends: rows inserted beyond it would be lost.
  const std::uint32_t end = GridRowCount(instance->gridWindow) + 1;
  if (target > end) target = end;
  BlockRecord(instance)->row = target;
  InsertSnapshotRows(instance, target, RowPlacement::Consecutive);
  RecordMove(instance);
  return 1;
}

// Marker texts are a character or two. The buffer is on the stack: finding the
// entry row must not fail for want of pool memory, since a caller that finds no
// marked row appends an entry row, and the grid would then hold two.
constexpr std::size_t kMarkedTextMax = 15;

namespace {

// Whether the cell holds exactly `text` (of `length` <= kMarkedTextMax bytes).
bool CellHoldsMark(EditorInstance* instance, std::uint32_t row, std::uint16_t column, const char* text,
                   std::size_t length) {
  char buffer[kMarkedTextMax + 1] = {};
  int copied = GridGetItemText(instance->gridWindow, row, column, buffer, static_cast<std::uint16_t>(length));
  if (copied < 0) copied = 0;
  if (static_cast<std::size_t>(copied) > length) copied = static_cast<int>(length);
  buffer[copied] = '\0';
  return std::strncmp(buffer, text, length) == 0 && std::strlen(buffer) == length;
}

}  // namespace

bool RowCarriesMark(EditorInstance* instance, std::uint32_t row, std::uint16_t column, const char* text) {
  const std::size_t length = std::strlen(text);
  if (length > kMarkedTextMax || row == 0 || row > GridRowCount(instance->gridWindow)) return false;
  return CellHoldsMark(instance, row, column, text, length);
}

std::uint32_t FindMarkedRow(EditorInstance* instance, std::uint16_t column, const char* text) {
  const std::size_t length = std::strlen(text);
  if (length > kMarkedTextMax) return 0;
  const std::uint32_t n = GridRowCount(instance->gridWindow);
  for (std::uint32_t row = 1; row <= n; ++row) {
    if (CellHoldsMark(instance, row, column, text, length)) return row;
  }
  return 0;
}
