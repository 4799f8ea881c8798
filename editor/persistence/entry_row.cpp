#include "editor/persistence/entry_row.h"

#include "editor/host/grid_engine.h"

std::uint32_t AppendEntryRow(EditorInstance* instance) {
  std::uint32_t row = GridInsertRow(instance->gridWindow, 0);
  if (row == 0) return 0;
  instance->entryRow = static_cast<std::int32_t>(row);
  GridSetItemText(instance->gridWindow, row, 4, kEntryRowMarker);
  return row;
}
