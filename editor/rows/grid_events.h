// The grid's notifications: entry-row growth, type normalisation, selection, drag and drop.
#pragma once

#include "editor/window/editor_instance.h"

LRESULT OnGridNotify(EditorInstance* instance, HWND grid, WPARAM wParam, WORD code);
