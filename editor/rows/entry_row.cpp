// The entry row's operations: append, mark, move the marker, find and focus.
#include "editor/rows/entry_row.h"

#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/rows/row_moves.h"
#include "qst/grid_engine.h"

std::uint32_t AppendEntryRow(EditorInstance* instance) {
  const std::uint32_t row = InsertDocumentRow(instance, 0);
  if (row == 0) return 0;
  MarkEntryRow(instance, row);
  return row;
}

void MarkEntryRow(EditorInstance* instance, std::uint32_t row) {
  SetEntryRow(instance, row);
  WriteCellText(instance, row, ColMarker, kEntryRowMarker);
}

void UnmarkEntryRow(EditorInstance* instance) { WriteCellText(instance, instance->document.entryRow, ColMarker, ""); }

void MoveEntryMarker(EditorInstance* instance, std::uint32_t row) {
  UnmarkEntryRow(instance);
  MarkEntryRow(instance, row);
}

std::uint32_t FindEntryRow(EditorInstance* instance) { return FindMarkedRow(instance, ColMarker, kEntryRowMarker); }

void RefindEntryRow(EditorInstance* instance) {
  const std::uint32_t marked = FindEntryRow(instance);
  if (marked != 0) {
    SetEntryRow(instance, marked);
  } else {
    AppendEntryRow(instance);
  }
}

void RefindEntryRowAt(EditorInstance* instance, std::uint32_t expected) {
  if (RowCarriesMark(instance, expected, ColMarker, kEntryRowMarker)) {
    SetEntryRow(instance, expected);
  } else {
    RefindEntryRow(instance);
  }
}

void FocusEntryRow(const EditorInstance* instance) {
  GridSetCurrentCell(instance->gridWindow, instance->document.entryRow, ColName);
}
