// The module's test interface: one editor's state as the scenario runner reads
// it, under the field names scenarios write after `expect field`. Those names
// are frozen; the instance record behind them may change its layout freely.
#pragma once

#include <cstdint>

#include "platform/win.h"
#include "qst_editor/undo_action.h"

struct HostContext;
struct HostPool;

enum DragState : std::int32_t { DragIdle = 0, DragPressed = 1, DragMoving = 2 };

// A copy of the fields; pointers stay owned by the editor and are valid only
// until its next message.
struct EditorFields {
  std::int32_t changed;
  std::int32_t firstOpen;
  std::int32_t entryRow;
  std::int32_t undoRow;
  std::int32_t autoAppendArmed;
  std::int32_t untitled;
  std::int32_t dropRow;
  std::int32_t curColumn;
  std::int32_t curRow;
  std::int32_t anchorRow;
  std::int32_t pressRow;
  std::int32_t selFirst;
  std::int32_t selLast;
  std::int32_t dragState;  // DragState
  std::int32_t headerHeight;
  std::int32_t detailHeight;
  const std::uint32_t* cutRowList;  // count, then the rows; or null
  const char* undoText;             // or null
  std::int32_t pastedCount;
  const void* moveSnapshot;  // null or not is all a reader may learn of it
  std::int32_t moveCount;
  std::int32_t lastAction;    // UndoAction
  std::int32_t undoneAction;  // UndoAction
  std::int32_t contextCode;
  std::int32_t callerKind;
  const char* libraryName;    // or null
  const char* structureName;  // or null
  std::int32_t objectId;  // a stand-alone editor's global type id, an embedded one's owner id
  std::int32_t localTypeId;
  std::uint16_t groupId;
  std::int32_t ownerKind;
  std::int32_t fontHeight;  // read as fontMetrics and fontMetrics.tmHeight
  HFONT gridFont;
  HostContext* hostContext;
  HostPool* pool;
  HWND editorWindow;
  HWND gridWindow;
  HWND notifyWindow;
  HMENU editMenu;
};

// The module exports it as "QST_ReadEditorFields": fills *fields from the editor
// window's instance; 0 (fields untouched) when the window has no editor attached.
inline constexpr const char* kReadEditorFieldsExport = "QST_ReadEditorFields";
using QST_ReadEditorFieldsFn = int (*)(HWND editorWindow, EditorFields* fields);
