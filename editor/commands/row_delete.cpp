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
