#pragma once
#include "editor/shell/editor_instance.h"

// A new pool block with the structure's source text, or null.
char* BuildStructureSource(EditorInstance* instance, const char* structureName);
// Points the compiler's read pointer at text (for QST_UpdateStructureGetChar).
void SetSourceReadPointer(const char* text);
