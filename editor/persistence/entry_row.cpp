// Appending and marking the entry row after a load or a new structure.
#include "editor/persistence/entry_row.h"

#include "qst/grid_engine.h"

std::uint32_t AppendEntryRow(EditorInstance* instance) {
  std::uint32_t row = GridInsertRow(instance->gridWindow, 0);
  if (row == 0) return 0;
  instance->entryRow = static_cast<std::int32_t>(row);
  GridSetItemText(instance->gridWindow, row, ColMarker, kEntryRowMarker);
  return row;
}
