#include "editor/rows/undo_copy.h"

#include "editor/host/host_pool.h"

void KeepUndoText(EditorInstance* instance, char* copy) {
  if (instance->undoText == copy) return;
  if (instance->undoText != nullptr) PoolFree(instance->pool, instance->undoText);
  instance->undoText = copy;
}

void ForgetUndoText(EditorInstance* instance) { KeepUndoText(instance, nullptr); }
