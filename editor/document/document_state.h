// Whether the rows differ from the stored structure, and which row is the entry
// row. These are the only functions that write document.changed and
// document.entryRow; the entry row's marker and its other operations are
// editor/rows/entry_row's, built on SetEntryRow.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

// The rows now differ from what is stored (an edit, a paste, a move, an undo).
void MarkDocumentChanged(EditorInstance* instance);
// The rows are what is stored, or a new structure nobody edited yet (after an
// open, a save, New and the first rows of an editor).
void MarkDocumentUnchanged(EditorInstance* instance);

// The entry row is row from now on. Its marker is the caller's.
void SetEntryRow(EditorInstance* instance, std::uint32_t row);
// count rows were inserted at row `at`: an entry row at or below it moves down with them.
void FollowInsertedRows(EditorInstance* instance, std::uint32_t at, std::uint32_t count);
// count rows were deleted from row `first` on, none of them the entry row: an
// entry row below first moves up by count.
void FollowDeletedRows(EditorInstance* instance, std::uint32_t first, std::uint32_t count);
// The entry row moves up by rows deleted above it, counted by the caller.
void ShiftEntryRowUp(EditorInstance* instance, std::uint32_t rowsAbove);
