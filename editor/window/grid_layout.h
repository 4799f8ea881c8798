// The grid control's creation and column layout.
#pragma once
#include "editor/window/editor_instance.h"

// Creates the grid control in the editor window and measures the grid font.
// Returns 1, or 0 when the control could not be created.
int CreateEditorGrid(EditorInstance* instance, HostContext* context, HWND editorWindow);
// Fits the grid to the new client size (WM_SIZE lParam) and shares the width among the columns.
void LayoutGridColumns(EditorInstance* instance, HWND editorWindow, LPARAM size);
