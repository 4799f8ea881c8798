// The editor's own copy of the row text of its last row edit, for Undo.
#include "editor/rows/undo_copy.h"

#include "qst/host_pool.h"

void KeepUndoText(EditorInstance* instance, char* copy) {
  if (instance->undo.undoText == copy) return;
  if (instance->undo.undoText != nullptr) PoolFree(instance->pool, instance->undo.undoText);
  instance->undo.undoText = copy;
}

void ForgetUndoCopy(EditorInstance* instance) {
  KeepUndoText(instance, nullptr);
  if (instance->undo.cutRowList != nullptr) PoolFree(instance->pool, instance->undo.cutRowList);
  instance->undo.cutRowList = nullptr;
}
