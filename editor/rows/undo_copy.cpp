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
  ForgetCutRowList(instance);
}

void ForgetCutRowList(EditorInstance* instance) {
  PoolFree(instance->pool, instance->undo.cutRowList);
  instance->undo.cutRowList = nullptr;
}

std::uint32_t* NewCutRowList(EditorInstance* instance, std::uint32_t count) {
  ForgetCutRowList(instance);
  instance->undo.cutRowList = static_cast<std::uint32_t*>(PoolAlloc(instance->pool, 4 * count + 4, 0));
  if (instance->undo.cutRowList != nullptr) instance->undo.cutRowList[0] = count;
  return instance->undo.cutRowList;
}

std::uint32_t* TakeCutRowList(EditorInstance* instance) {
  std::uint32_t* list = instance->undo.cutRowList;
  instance->undo.cutRowList = nullptr;
  return list;
}

void RestoreCutRowList(EditorInstance* instance, std::uint32_t* list) {
  ForgetCutRowList(instance);
  instance->undo.cutRowList = list;
}
