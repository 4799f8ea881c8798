// Rows inserted from row text: a clipboard block's, or the copy the editor keeps for Undo.
#pragma once

#include <cstdint>

#include "editor/rows/row_placement.h"
#include "editor/window/editor_instance.h"

// Copies a clipboard block into a new NUL-terminated pool block. The block's
// text is read only up to its own size, so a block without a NUL is safe.
// Returns null when the pool has no room; an unlockable block gives "".
char* CopyBlockText(EditorInstance* instance, HGLOBAL block);
// Inserts one grid row per line of the clipboard block: consecutively from row
// (row 0 appends), or restored at the rows recorded in cutRowList, paired by
// position and selected. The block is only read. Returns the number
// of rows inserted; 0 when the pool cannot hold the working room (a copy of the
// block, and room for one line's words).
std::uint32_t InsertRowsFromText(EditorInstance* instance, HGLOBAL block, std::uint32_t row, RowPlacement placement);
// InsertRowsFromText for row text the editor keeps itself; the text is only read.
// follow, when given, is a row number kept on the same row while rows are
// inserted at or above it.
std::uint32_t InsertRowsFromCopy(EditorInstance* instance, const char* text, std::uint32_t row, RowPlacement placement,
                                 std::uint32_t* follow = nullptr);
