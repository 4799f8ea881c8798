// Deleting the selected rows.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

// Deletes every selected row, topmost first. Returns how many of them stood
// above the entry row; entryRow itself is left to the caller.
std::uint32_t DeleteSelectedRows(EditorInstance* instance);
