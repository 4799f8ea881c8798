// The rows of the structure on show. Every row the editor inserts or deletes and
// every cell it writes goes through here, so that one place holds what a change
// of the rows is; the grid's own edits while a user types arrive as GN_MODIFIED.
// Rows are the grid's: numbered from 1, 0 meaning none (or "append" to insert).
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

// Inserts an empty row before row `before` (0 appends); the new row's number,
// or 0 when the grid added none.
std::uint32_t InsertDocumentRow(EditorInstance* instance, std::uint32_t before);
void DeleteDocumentRow(EditorInstance* instance, std::uint32_t row);
void RemoveAllDocumentRows(EditorInstance* instance);
void WriteCellText(EditorInstance* instance, std::uint32_t row, std::uint16_t column, const char* text);
// value null empties the cell.
void WriteCellNumber(EditorInstance* instance, std::uint32_t row, std::uint16_t column, const double* value);
