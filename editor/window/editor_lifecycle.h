// Initialisation and release of an editor window's instance, the close
// notification and the host's private messages.
#pragma once

#include "editor/window/editor_instance.h"

// WM_CREATE: zero-fills and initialises the instance, sets the first title and
// creates the grid. Returns 0, or -1 when the grid control could not be created
// (the window must then not be created; the instance keeps no host context).
LRESULT InitialiseEditor(HWND window, const CREATESTRUCTA* create);
// WM_DESTROY: frees the instance's pool blocks, releases a stand-alone runtime
// handle and tells a notify window that was not told yet.
void ReleaseEditor(EditorInstance* instance);
// An allowed close: tells the notify window once and forgets it.
void NotifyEditorClosed(EditorInstance* instance);
// Asks the frame that holds the editor to close it (posted, so the command
// that asks finishes first).
void PostCloseToFrame(EditorInstance* instance);
// HM_SETNOTIFY.
void SetNotifyWindow(EditorInstance* instance, HWND notifyWindow);
// HM_QUERYCOMMANDS: writes the list for selector into entries (room for 14);
// returns the number written (0 for an unknown selector or no buffer).
int QueryCommandList(const EditorInstance* instance, WPARAM selector, WORD* entries);
