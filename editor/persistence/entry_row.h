// The entry row at the end of a freshly filled grid.
#pragma once

#include "editor/shell/editor_instance.h"

// Appends one empty row, makes it the entry row (entryRow and its marker) and
// returns its number (0 when the grid could not add a row).
std::uint32_t AppendEntryRow(EditorInstance* instance);
