// The single-step Undo command.
#pragma once
#include "editor/window/editor_instance.h"

// Performs the Undo command for the current lastAction.
void UndoLastAction(EditorInstance* instance, HWND editorWindow);
