// The per-window record that holds all state of one editor, grouped by owner.
// The host allocates it as one block (its size comes with the class record) and
// the window's creation handler zero-fills it; it lives exactly as long as the
// editor window. Scenarios read it through qst_editor/editor_fields.h.
#pragma once

#include <cstdint>

#include "qst/context_codes.h"
#include "qst/grid_engine.h"
#include "qst/host_context.h"
#include "qst_editor/editor_fields.h"

struct MovedRow;

// The editor's invariants. They hold whenever the outermost call into the
// module returns (editor/window/editor_invariants checks them then, citing
// these numbers); the row commands and Undo assert the cheap ones, marked *,
// on entry.
//
//  (1)* Once the first Open is over (firstOpen 0), document.entryRow names a
//       grid row that carries the entry-row marker in the hidden column. The
//       one exception is the start grid of an editor whose first Open was
//       cancelled or failed and that closes: no row carries the marker, and
//       every row is blank.
//  (2)  No other row carries the marker. (The entry row itself may hold text:
//       a type typed into it, or text pasted into its cells, opens no new
//       entry row.)
//  (3)* The selection bounds, as the presses in the row indicator tracked
//       them, stay in order: a last bound only with a first, and
//       selFirst <= selLast. They may name rows a Cut or Clear deleted since.
//  (4)* undo.lastAction is a kind with a row in kUndoKinds.
//  (5)* The undo record holds what that row needs: the row text for a row
//       Cut, a row Clear and an undone paste; the move snapshot for a move and
//       an undone move; for a row paste a pasted-row count of at least 0 and,
//       with rows pasted, undoRow.. undoRow + pastedCount - 1 inside the grid.
//  (6)  document.changed, document.entryRow and the grid's rows are written
//       only by editor/document; the undo record only by editor/rows/undo_record
//       and undo_copy. (Held by the code, not checked at run time.)

// The structure on show: its names, where it belongs, its entry row and
// whether it differs from what is stored. Its rows, entry row and changed flag
// are written only through editor/document; the names and ids by open, save
// and New.
// Rows are the grid's: unsigned, numbered from 1, 0 meaning none.
struct DocumentState {
  std::int32_t changed;          // nonzero while the rows differ from the stored structure
  std::int32_t firstOpen;        // 1 before the first Open dialog of an editor started without a structure
  std::int32_t untitled;         // 1 after New until a save or open names the structure
  std::uint32_t entryRow;        // row of the entry row carrying the marker
  std::int32_t autoAppendArmed;  // nonzero while typing into the entry row may open a new one
  std::int32_t contextCode;
  std::int32_t callerKind;
  char* libraryName;          // pool string or null
  char* structureName;        // pool string or null
  std::int32_t globalTypeId;  // stand-alone: the structure's type in its entry group
  std::int32_t ownerId;       // embedded: the object that owns the structure
  std::int32_t localTypeId;   // embedded: the structure's type in the owner's group
  std::uint16_t groupId;      // 0xFFFF: not found
  std::int32_t ownerKind;
};

// The cell that last had the focus.
struct CursorState {
  std::int32_t curColumn;
  std::uint32_t curRow;
};

// Presses and drags in the row-indicator column (editor/rows/grid_events, row_selection).
struct SelectionState {
  std::uint32_t anchorRow;  // row of the last plain press in the row-indicator column
  std::uint32_t pressRow;   // row of the last press in the row-indicator column
  std::uint32_t selFirst;   // selection bounds as tracked while dragging
  std::uint32_t selLast;
  std::int32_t dragState;  // DragState
  std::uint32_t dropRow;   // row under the pointer while dragging
};

// What Undo needs. Written only through editor/rows/undo_record (the edit kind,
// rows and move snapshot) and editor/rows/undo_copy (the row text and cut rows).
struct UndoState {
  std::uint32_t undoRow;      // row the last undoable row operation refers to
  std::uint32_t* cutRowList;  // pool block: count, then the row numbers last put on the clipboard
  char* undoText;             // pool block: the row text of the last row Cut, Clear or Paste, or null
  std::int32_t pastedCount;
  MovedRow* moveSnapshot;  // pool block: the rows of the last move
  std::int32_t moveCount;
  std::int32_t lastAction;    // UndoAction
  std::int32_t undoneAction;  // the UndoAction the last text undo reversed
};

struct EditorInstance {
  DocumentState document;
  CursorState cursor;
  SelectionState selection;
  UndoState undo;
  // The windows, handles and measures the editor was made with.
  std::int32_t headerHeight;
  std::int32_t detailHeight;
  TEXTMETRIC fontMetrics;
  HFONT gridFont;
  HostContext* hostContext;
  HostPool* pool;
  HWND editorWindow;
  HWND gridWindow;
  HWND notifyWindow;
  HMENU editMenu;
};
