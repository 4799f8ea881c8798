// The whole-editor consistency check run after every message the module
// handles in debug and sanitizer builds: the entry row, the selection bounds
// and the undo record agree with the grid. The invariants are numbered in
// editor_instance.h.
#pragma once

#include "editor/window/editor_instance.h"

// The first broken invariant, described; null when all hold (or the editor has
// no grid yet).
const char* EditorInvariantFailure(EditorInstance* instance);

// Aborts with the description when an invariant is broken. Without NDEBUG only;
// in a release build it does nothing.
void CheckEditorInvariants(EditorInstance* instance);

// The first broken invariant among the cheap ones (all but the marker's
// uniqueness): a grid cell or two and the row count, in the normal case.
const char* CheapInvariantFailure(EditorInstance* instance);
// Aborts when a cheap invariant is broken on entry to a row command or Undo, so
// that a state broken inside a nested call is caught where it is used. Debug
// builds only, and not where white-box tests skip the checks.
void AssertRowCommandInvariants(EditorInstance* instance);

// Bracket every call into the module (a message, QST_Create). The editor handles
// messages while it handles another (grid notifications of its own changes,
// sends to itself); its invariants hold only when the outermost call ends, so
// that is when LeaveModuleCall checks the editor of window (if it still exists).
void EnterModuleCall();
void LeaveModuleCall(HWND editorWindow);
