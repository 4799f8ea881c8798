// The module's test interface: copies an editor's instance into the record of
// field names that scenarios read.
#include "qst_editor/editor_fields.h"

#include "editor/window/module_state.h"
#include "qst/entry_points.h"

namespace {
// Scenarios read rows as the 32-bit numbers the record always held.
std::int32_t Signed(std::uint32_t row) { return static_cast<std::int32_t>(row); }
}  // namespace

extern "C" QST_EXPORT int QST_ReadEditorFields(HWND editorWindow, EditorFields* fields) {
  const EditorInstance* i = InstanceOf(editorWindow);
  if (i == nullptr || fields == nullptr) return 0;
  *fields = EditorFields{
      i->document.changed,
      i->document.firstOpen,
      Signed(i->document.entryRow),
      Signed(i->undo.undoRow),
      i->document.autoAppendArmed,
      i->document.untitled,
      Signed(i->selection.dropRow),
      i->cursor.curColumn,
      Signed(i->cursor.curRow),
      Signed(i->selection.anchorRow),
      Signed(i->selection.pressRow),
      Signed(i->selection.selFirst),
      Signed(i->selection.selLast),
      i->selection.dragState,
      i->headerHeight,
      i->detailHeight,
      i->undo.cutRowList,
      i->undo.undoText,
      i->undo.pastedCount,
      i->undo.moveSnapshot,
      i->undo.moveCount,
      i->undo.lastAction,
      i->undo.undoneAction,
      i->document.contextCode,
      i->document.callerKind,
      i->document.libraryName,
      i->document.structureName,
      // One field for scenarios: a stand-alone editor's global type, else the owner.
      i->document.contextCode == kContextStandAlone ? i->document.globalTypeId : i->document.ownerId,
      i->document.localTypeId,
      i->document.groupId,
      i->document.ownerKind,
      static_cast<std::int32_t>(i->fontMetrics.tmHeight),
      i->gridFont,
      i->hostContext,
      i->pool,
      i->editorWindow,
      i->gridWindow,
      i->notifyWindow,
      i->editMenu,
  };
  return 1;
}
