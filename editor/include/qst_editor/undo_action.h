// The kinds of the last edit, kept in the editor's lastAction. Each value ties
// the Edit menu's Undo label to what the Undo command does. Part of the module's
// test interface: scenarios name these values, which freezes the names.
#pragma once

#include <cstdint>

enum UndoAction : std::int32_t {
  UndoNone = 0,
  UndoTextUndone = 2,
  UndoTextRedone = 3,
  UndoType = 6,
  UndoTextCut = 7,
  UndoTextCopy = 8,
  UndoTextPaste = 9,
  UndoTextClear = 10,
  UndoRowsCut = 11,
  UndoRowsCutUndone = 12,
  UndoRowsCopy = 13,
  UndoRowsPaste = 15,
  UndoRowsPasteUndone = 16,
  UndoRowsClear = 17,
  UndoRowsClearUndone = 18,
  UndoDragDrop = 19,
  UndoDragDropUndone = 20,
};
