// The changed flag and the entry row's number.
#include "editor/document/document_state.h"

void MarkDocumentChanged(EditorInstance* instance) { instance->document.changed = 1; }

void MarkDocumentUnchanged(EditorInstance* instance) { instance->document.changed = 0; }

void SetEntryRow(EditorInstance* instance, std::uint32_t row) { instance->document.entryRow = row; }

void FollowInsertedRows(EditorInstance* instance, std::uint32_t at, std::uint32_t count) {
  if (instance->document.entryRow >= at) instance->document.entryRow += count;
}

void FollowDeletedRows(EditorInstance* instance, std::uint32_t first, std::uint32_t count) {
  if (instance->document.entryRow > first) instance->document.entryRow -= count;
}

void ShiftEntryRowUp(EditorInstance* instance, std::uint32_t rowsAbove) { instance->document.entryRow -= rowsAbove; }
