// The selected rows written as clipboard text.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

// Bytes of clipboard block reserved per selected row.
constexpr std::uint32_t kRowTextBytesPerRow = 123;

// Builds the row text of the selected rows in a new moveable global block and
// records every selected row's number in cutRowList (count first).
// Returns the block, or null when no row is selected (cutRowList untouched) or
// memory ran out (cutRowList then absent). Reading normalises each type cell.
HGLOBAL CopySelectedRowsToText(EditorInstance* instance);
// CopySelectedRowsToText that also gives the editor its own copy of the text
// (a pool block, in *copy) for undoing the command. When the pool has no room
// for the copy, null is returned and cutRowList is still the one the last
// command's undo may need: the new list replaces it only once the copy is made.
HGLOBAL CopySelectedRowsKeepingText(EditorInstance* instance, char** copy);
