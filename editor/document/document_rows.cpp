// The grid writes of the structure's rows.
#include "editor/document/document_rows.h"

#include "qst/grid_engine.h"

std::uint32_t InsertDocumentRow(EditorInstance* instance, std::uint32_t before) {
  return GridInsertRow(instance->gridWindow, before);
}

void DeleteDocumentRow(EditorInstance* instance, std::uint32_t row) { GridDeleteRow(instance->gridWindow, row); }

void RemoveAllDocumentRows(EditorInstance* instance) { GridRemoveAllRows(instance->gridWindow); }

void WriteCellText(EditorInstance* instance, std::uint32_t row, std::uint16_t column, const char* text) {
  GridSetItemText(instance->gridWindow, row, column, text);
}

void WriteCellNumber(EditorInstance* instance, std::uint32_t row, std::uint16_t column, const double* value) {
  GridSetItemNumber(instance->gridWindow, row, column, value);
}
