// Cut, Copy, Paste, Clear, Delete Row and Insert Row.
#pragma once
#include "editor/shell/editor_instance.h"

void CutOrCopyCommand(EditorInstance* instance, bool cut);
void PasteCommand(EditorInstance* instance);
void ClearCommand(EditorInstance* instance);
void DeleteRowCommand(EditorInstance* instance);
void InsertRowCommand(EditorInstance* instance);

// Finds the entry row by its marker after rows were deleted or inserted; when no
// row carries it, appends a new empty row, marks it and makes it the entry row.
void RefindEntryRow(EditorInstance* instance);
