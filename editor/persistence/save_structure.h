// Saving structures and asking to save before a close.
#pragma once
#include "editor/window/editor_instance.h"

int SaveGlobalStructure(EditorInstance* instance, int commandId);
void ReadDefaultLibrary(EditorInstance* instance, char* buffer);  // 260 bytes
int SaveEmbeddedStructure(EditorInstance* instance, int commandId);
// Applies the save-time rules and saves by context.
int SaveStructure(EditorInstance* instance, int commandId);
// Asks whether to save a changed structure; 1 to go on, 0 to stop.
int QueryCloseStructure(EditorInstance* instance, int commandId);
