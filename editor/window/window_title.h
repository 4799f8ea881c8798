// The frame's title.
#pragma once
#include "editor/window/editor_instance.h"

// Sets the frame's title from the structure name (null: "(Untitled)") and, embedded, the owner.
void SetEditorTitle(EditorInstance* instance, const char* structureName);
