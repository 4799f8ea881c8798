// Deleting the selected rows, keeping count of those above the entry row.
#include "editor/commands/row_delete.h"

#include "editor/document/document_rows.h"
#include "qst/grid_engine.h"

std::uint32_t DeleteSelectedRows(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  std::uint32_t above = 0;
  std::uint32_t rows = GridRowCount(grid);
  std::uint32_t row = GridNextSelectedRow(grid, 0);
  while (row != 0) {
    DeleteDocumentRow(instance, row);
    // Rows above the deleted one are unselected, so the search can resume there.
    const std::uint32_t next = GridNextSelectedRow(grid, row - 1);
    // A row the grid will not delete would be found again forever. Another
    // row found proves the delete; the same number may be the next selected
    // row moved up into its place, and only the row count tells.
    if (next == row) {
      const std::uint32_t after = GridRowCount(grid);
      if (after >= rows) break;
      rows = after;
    } else {
      --rows;
    }
    if (static_cast<std::int64_t>(row) < static_cast<std::int64_t>(instance->document.entryRow) - above) ++above;
    row = next;
  }
  return above;
}

std::uint32_t DeleteCopiedRows(EditorInstance* instance) {
  const std::uint32_t* listed = instance->undo.cutRowList;
  if (listed == nullptr || listed[0] == 0) return DeleteSelectedRows(instance);
  const std::uint32_t count = listed[0];
  const auto entry = static_cast<std::int64_t>(instance->document.entryRow);
  std::uint32_t above = 0;
  for (std::uint32_t k = 1; k <= count && listed[k] < entry; ++k) ++above;
  // The list holds distinct rows in ascending order, so as many rows as the
  // grid has are all of them. Deleting them one by one ends in the same empty
  // grid with no current cell.
  if (count == GridRowCount(instance->gridWindow)) {
    RemoveAllDocumentRows(instance);
    return above;
  }
  // From the bottom up, each delete leaves the numbers of the rows above it alone.
  for (std::uint32_t k = count; k >= 1; --k) DeleteDocumentRow(instance, listed[k]);
  return above;
}
