// Cut, Copy, Paste, Clear, Delete Row and Insert Row.
#pragma once
#include "editor/window/editor_instance.h"

void CutOrCopyCommand(EditorInstance* instance, bool cut);
void PasteCommand(EditorInstance* instance);
void ClearCommand(EditorInstance* instance);
void DeleteRowCommand(EditorInstance* instance);
void InsertRowCommand(EditorInstance* instance);
