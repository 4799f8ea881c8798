// The editor's own copy of the row text of its last row edit, for Undo.
#include "editor/rows/undo_copy.h"

#include "qst/host_pool.h"

void KeepUndoText(EditorInstance* instance, char* copy) {
  if (instance->undoText == copy) return;
  if (instance->undoText != nullptr) PoolFree(instance->pool, instance->undoText);
  instance->undoText = copy;
}

void ForgetUndoCopy(EditorInstance* instance) {
  KeepUndoText(instance, nullptr);
  if (instance->cutRowList != nullptr) PoolFree(instance->pool, instance->cutRowList);
  instance->cutRowList = nullptr;
}
