// Dispatch of menu, accelerator and toolbar commands.
#pragma once
#include "editor/window/editor_instance.h"

// Runs a menu, accelerator or toolbar command, then refreshes the host's commands.
void OnCommand(EditorInstance* instance, WORD commandId, LPARAM lParam, HWND window);
