// Questions about grid rows that several parts of the module ask.
#include "editor/rows/grid_rows.h"

std::uint32_t CountSelectedRows(HWND grid) {
  std::uint32_t count = 0;
  for (std::uint32_t row = GridNextSelectedRow(grid, 0); row != 0; row = GridNextSelectedRow(grid, row)) ++count;
  return count;
}

bool RowIsBlank(HWND grid, std::uint32_t row) {
  return GridItemTextLength(grid, row, ColName) <= 0 && GridItemTextLength(grid, row, ColType) <= 0;
}
