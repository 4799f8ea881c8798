// The Edit menu's state.
#pragma once
#include "editor/window/editor_instance.h"

// Relabels Undo and enables Cut, Copy, Paste and Clear for the Edit pop-up editMenu.
void UpdateEditMenu(EditorInstance* instance, HMENU editMenu);
// Puts the Undo item back to "Can't Undo", grayed (after New and Open).
void ResetUndoItem(EditorInstance* instance);
