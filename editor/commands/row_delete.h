// Deleting the selected rows.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

// Deletes every selected row, topmost first. Returns how many of them stood
// above the entry row; entryRow itself is left to the caller.
std::uint32_t DeleteSelectedRows(EditorInstance* instance);
// DeleteSelectedRows right after a copy recorded the selection in cutRowList:
// the listed rows go bottom-up, with no search for the next one, and a
// selection of every row empties the grid at once. Without a list it is
// DeleteSelectedRows.
std::uint32_t DeleteCopiedRows(EditorInstance* instance);
