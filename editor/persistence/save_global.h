// Saving a structure as an entry of its own in a library.
#pragma once

#include "editor/window/editor_instance.h"

int SaveGlobalStructure(EditorInstance* instance, int commandId);
void ReadDefaultLibrary(EditorInstance* instance, char* buffer);  // 260 bytes
