// The module's test interface: copies an editor's instance into the record of
// field names that scenarios read.
#include "qst_editor/editor_fields.h"

#include "qst/entry_points.h"
#include "editor/shell/module_state.h"

extern "C" QST_EXPORT int QST_ReadEditorFields(HWND editorWindow, EditorFields* fields) {
  const EditorInstance* i = InstanceOf(editorWindow);
  if (i == nullptr || fields == nullptr) return 0;
  *fields = EditorFields{
      i->changed,         i->firstOpen,     i->entryRow,     i->undoRow,      i->autoAppendArmed,
      i->untitled,        i->dropRow,       i->curColumn,    i->curRow,       i->anchorRow,
      i->pressRow,        i->selFirst,      i->selLast,      i->dragState,    i->headerHeight,
      i->detailHeight,    i->cutRowList,    i->undoText,     i->pastedCount,  i->moveSnapshot,
      i->moveCount,       i->lastAction,    i->undoneAction, i->contextCode,  i->callerKind,
      i->libraryName,     i->structureName, i->objectId,     i->localTypeId,  i->groupId,
      i->ownerKind,       static_cast<std::int32_t>(i->fontMetrics.tmHeight), i->gridFont, i->hostContext,
      i->pool,            i->editorWindow,  i->gridWindow,   i->notifyWindow, i->editMenu,
  };
  return 1;
}
