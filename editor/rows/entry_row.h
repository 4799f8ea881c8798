// The entry row: the one empty row at the end of the rows that carries the
// marker in the hidden column and that typing into opens the next variable.
// Every operation on it (append, mark, move the marker, find, focus) is here.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

// Appends one empty row, makes it the entry row (entryRow and its marker) and
// returns its number (0 when the grid could not add a row).
std::uint32_t AppendEntryRow(EditorInstance* instance);
// Makes row the entry row: sets its marker and entryRow. The old marker stays.
void MarkEntryRow(EditorInstance* instance, std::uint32_t row);
// Takes the marker off the entry row (entryRow is kept), as before a move,
// which copies no marker.
void UnmarkEntryRow(EditorInstance* instance);
// Moves the marker from the entry row to row, which becomes the entry row.
void MoveEntryMarker(EditorInstance* instance, std::uint32_t row);
// The row carrying the marker, or 0.
std::uint32_t FindEntryRow(EditorInstance* instance);
// Finds the entry row by its marker after rows were deleted or inserted; when no
// row carries it, appends a new empty row, marks it and makes it the entry row.
void RefindEntryRow(EditorInstance* instance);
// RefindEntryRow when the caller knows where the entry row should be now:
// expected is taken when it carries the marker (only one row ever does), and the
// rows are searched only when it does not.
void RefindEntryRowAt(EditorInstance* instance, std::uint32_t expected);
// Puts the current cell on the entry row's name.
void FocusEntryRow(const EditorInstance* instance);
