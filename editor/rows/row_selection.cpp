// Row selection in the row-indicator column: plain, Shift and Ctrl presses.
#include "editor/rows/row_selection.h"

#include <algorithm>

#include "qst/grid_engine.h"

void SelectRowRange(EditorInstance* instance, std::uint32_t a, std::uint32_t b) {
  HWND grid = instance->gridWindow;
  const std::uint32_t lo = std::min(a, b);
  const std::uint32_t hi = std::max(a, b);
  const std::uint32_t n = GridRowCount(grid);
  // Rows outside the range are visited only when selected, so a range that
  // grows on a large structure costs the rows it covers, not every row.
  for (std::uint32_t r = GridNextSelectedRow(grid, 0); r != 0 && r < lo; r = GridNextSelectedRow(grid, r)) {
    GridSelectRow(grid, r, false);
  }
  for (std::uint32_t row = lo; row <= hi && row <= n; ++row) GridSelectRow(grid, row, true);
  if (hi >= n) return;
  for (std::uint32_t r = GridNextSelectedRow(grid, hi); r != 0; r = GridNextSelectedRow(grid, r)) {
    GridSelectRow(grid, r, false);
  }
}

// selLast stays 0 while fewer than two rows are selected: a single selected
// row accepts a drop anywhere.
void RecomputeSelectionBounds(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  const std::uint32_t first = GridNextSelectedRow(grid, 0);
  std::uint32_t last = 0;
  for (std::uint32_t r = first == 0 ? 0 : GridNextSelectedRow(grid, first); r != 0; r = GridNextSelectedRow(grid, r)) {
    last = r;
  }
  instance->selection.selFirst = first;
  instance->selection.selLast = last;
}

void UnselectAllRows(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  for (std::uint32_t r = GridNextSelectedRow(grid, 0); r != 0; r = GridNextSelectedRow(grid, r)) {
    GridSelectRow(grid, r, false);
  }
}
