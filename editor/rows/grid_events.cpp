// The grid's notifications: cell changes, typing into the entry row, presses and drags in the row indicator.
#include "editor/rows/grid_events.h"

#include <algorithm>
#include <cstring>

#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/entry_row.h"
#include "editor/rows/pointer_text.h"
#include "editor/rows/row_moves.h"
#include "editor/rows/row_selection.h"
#include "editor/rows/undo_record.h"
#include "editor/rows/variable_row.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst_editor/undo_action.h"

namespace {

constexpr int kPointerTextSize = 64;

bool KeyDown(int vkey) { return (static_cast<std::uint16_t>(GetAsyncKeyState(vkey)) & 0x8000u) != 0; }

std::uint32_t U(std::int32_t row) { return static_cast<std::uint32_t>(row); }

std::uint32_t PointerRow(HWND grid, char* object, int objectSize) {
  char text[kPointerTextSize] = {};
  GridPointerText(grid, text, sizeof text);
  text[sizeof text - 1] = '\0';
  return ParsePointerText(text, object, objectSize);
}

bool IsRowIndicator(const char* object) {
  char rowIndicator[kStringBufferSize];
  LoadModuleString(IdsRowIndicator, rowIndicator, sizeof rowIndicator);
  return std::strcmp(object, rowIndicator) == 0;
}

// A press on a data cell ends any row selection; no drag can start from it.
void PressOnDataCell(EditorInstance* instance) {
  instance->selection.dragState = DragIdle;
  if (GridNextSelectedRow(instance->gridWindow, 0) != 0) UnselectAllRows(instance);
  instance->selection.dragState = DragPressed;
  instance->selection.anchorRow = instance->selection.pressRow = instance->selection.selFirst =
      instance->selection.selLast = 0;
}

// The selection's tracked bounds take in row r. Bounds of 0 are none (after a
// press on a data cell, or when no row stayed selected): then r is the first
// bound, else a selection begun with Ctrl could never be dropped above itself.
void GrowSelectionBounds(EditorInstance* instance, std::uint32_t r) {
  instance->selection.selFirst = instance->selection.selFirst == 0 ? r : std::min(instance->selection.selFirst, r);
  instance->selection.selLast = std::max(instance->selection.selLast, r);
}

// A drag starts with no drop row: one left by an earlier drag is no place the
// user chose for this one.
void StartDrag(EditorInstance* instance) {
  instance->selection.dragState = DragMoving;
  instance->selection.dropRow = 0;
  SetCapture(instance->gridWindow);
}

void PressOnRowIndicator(EditorInstance* instance, std::uint32_t r) {
  HWND grid = instance->gridWindow;
  ForgetLastEdit(instance);
  FocusEntryRow(instance);
  if (HWND edit = GridEditControl(grid); edit != nullptr) SendMessageA(edit, EM_SETSEL, 0, 0);
  const bool wasSelected = GridIsRowSelected(grid, r);
  instance->selection.pressRow = r;
  if (KeyDown(VK_SHIFT)) {
    if (instance->selection.anchorRow == 0) return;
    // The bounds only grow here, even when the new range is smaller.
    GrowSelectionBounds(instance, r);
    SelectRowRange(instance, instance->selection.anchorRow, r);
  } else if (KeyDown(VK_CONTROL)) {
    GridSelectRow(grid, r, !wasSelected);
    if (!wasSelected) {
      GrowSelectionBounds(instance, r);
    } else {
      RecomputeSelectionBounds(instance);
    }
  } else if (wasSelected) {
    StartDrag(instance);
  } else {
    UnselectAllRows(instance);
    GridSelectRow(grid, r, true);
    instance->selection.dragState = DragPressed;
    instance->selection.anchorRow = instance->selection.selFirst = instance->selection.selLast = r;
  }
}

void OnButtonDown(EditorInstance* instance) {
  char object[kPointerTextSize];
  const std::uint32_t r = PointerRow(instance->gridWindow, object, sizeof object);
  if (r == 0) return;
  if (!IsRowIndicator(object)) {
    PressOnDataCell(instance);
  } else {
    PressOnRowIndicator(instance, r);
  }
}

// Leaving a type cell normalises it; only a decimal row keeps its decimals.
void OnCellChanged(EditorInstance* instance) {
  std::uint32_t row = 0;
  std::uint16_t column = 0;
  GridGetCurrentCell(instance->gridWindow, &row, &column);
  if (instance->cursor.curColumn != 0 && instance->cursor.curRow != 0 && instance->cursor.curColumn == ColType) {
    VariableRecord record;
    ReadVariableRow(instance, &record, instance->cursor.curRow);
    char decimal[kStringBufferSize];
    LoadModuleString(IdsTypeDecimal, decimal, sizeof decimal);
    if (std::strcmp(record.type, decimal) != 0) {
      WriteCellNumber(instance, instance->cursor.curRow, ColDecimals, nullptr);
    }
  }
  instance->cursor.curRow = row;
  instance->cursor.curColumn = column;
}

void ShowDropLine(EditorInstance* instance, std::uint32_t p) {
  HWND grid = instance->gridWindow;
  const auto y =
      static_cast<std::int32_t>(static_cast<std::int64_t>(instance->detailHeight) * (p - 1) + instance->headerHeight);
  char assignment[48];
  GridSetProperty(grid, "dragline.visible=FALSE");
  wsprintfA(assignment, "dragline.y1=%d", y);
  GridSetProperty(grid, assignment);
  wsprintfA(assignment, "dragline.y2=%d", y);
  GridSetProperty(grid, assignment);
  GridSetProperty(grid, "dragline.visible=TRUE");
}

void OnMouseMove(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  if (instance->selection.dragState == DragPressed) {
    const std::uint32_t p = PointerRow(grid, nullptr, 0);
    if (p == 0 || instance->selection.pressRow == 0 || p == instance->selection.pressRow) return;
    StartDrag(instance);
  } else if (instance->selection.dragState == DragMoving) {
    const std::uint32_t p = PointerRow(grid, nullptr, 0);
    if (p == 0 || p == instance->selection.dropRow) return;
    instance->selection.dropRow = p;
    ShowDropLine(instance, p);
  }
}

// True unless the moved rows were already one block standing where the move
// put them (a row dropped onto itself): only a new order is a change.
bool MoveChangedOrder(const EditorInstance* instance) {
  const std::uint32_t start = MovedBlockFirstRow(instance);
  for (std::int32_t k = 0; k < instance->undo.moveCount; ++k) {
    if (instance->undo.moveSnapshot[k].row != start + U(k)) return true;
  }
  return false;
}

void DropSelectedRows(EditorInstance* instance, std::uint32_t p) {
  UnmarkEntryRow(instance);
  if (MoveSelectedRows(instance, p, MoveMode::Move) == 1 && MoveChangedOrder(instance)) MarkDocumentChanged(instance);
  MarkEntryRow(instance, instance->document.entryRow);
  FocusEntryRow(instance);
  RedrawOn(instance);
}

void OnButtonUp(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  if (instance->selection.dragState == DragMoving) {
    GridSetProperty(grid, "dragline.visible=FALSE");
    std::uint32_t p = PointerRow(grid, nullptr, 0);
    if (p == 0) {
      p = instance->selection.dropRow;
    } else {
      instance->selection.dropRow = p;
    }
    // With no row to drop on (no drag has passed over a row yet) nothing moves.
    if (p != 0 && (p <= instance->selection.selFirst || p >= instance->selection.selLast))
      DropSelectedRows(instance, p);
  }
  instance->selection.dragState = DragIdle;
  ReleaseCapture();
  PostMessageA(GetParent(instance->editorWindow), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(instance->editMenu), 1);
}

// The variable typed into the entry row gets a type unless it has one:
// "string" in row 1, else the type and decimals of the row above.
void GiveDefaultType(EditorInstance* instance, std::uint32_t r) {
  HWND grid = instance->gridWindow;
  if (GridItemTextLength(grid, r, ColType) > 0) return;
  VariableRecord above{};
  if (r == 1) {
    LoadModuleString(IdsTypeString, above.type, sizeof above.type);
  } else {
    ReadVariableRow(instance, &above, r - 1);
  }
  WriteCellText(instance, r, ColType, above.type);
  if (IsDecimalType(above.type)) {
    const double decimals = above.decimals;
    WriteCellNumber(instance, r, ColDecimals, &decimals);
  }
}

void OnTextEdited(EditorInstance* instance) {
  RecordTextEdit(instance, UndoType);
  MarkDocumentChanged(instance);
  if (instance->document.autoAppendArmed == 0) return;
  instance->document.autoAppendArmed = 0;
  HWND grid = instance->gridWindow;
  std::uint32_t r = 0;
  std::uint16_t c = 0;
  GridGetCurrentCell(grid, &r, &c);
  if (r != instance->document.entryRow) return;
  if (c != ColName) {
    instance->document.autoAppendArmed = 1;
    return;
  }
  RedrawOff(instance);
  if (GridNextSelectedRow(grid, 0) != 0) UnselectAllRows(instance);
  GiveDefaultType(instance, r);
  const std::uint32_t next = InsertDocumentRow(instance, r + 1);
  if (next != 0) {
    MoveEntryMarker(instance, next);
  }
  RedrawOn(instance);
}

}  // namespace

LRESULT OnGridNotify(EditorInstance* instance, HWND /*grid*/, WPARAM /*wParam*/, WORD code) {
  switch (code) {
    case GN_MODIFIED: MarkDocumentChanged(instance); break;
    case GN_BUTTONDOWN: OnButtonDown(instance); break;
    case GN_CELLCHANGED: OnCellChanged(instance); break;
    case GN_CELLENTERED: instance->document.autoAppendArmed = 1; break;
    case GN_MOUSEMOVE: OnMouseMove(instance); break;
    case GN_BUTTONUP: OnButtonUp(instance); break;
    case GN_TEXTEDITED: OnTextEdited(instance); break;
    default: break;
  }
  return 0;
}
