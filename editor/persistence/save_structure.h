// Saving a structure by the editor's context, and asking to save before a close.
#pragma once

#include "editor/window/editor_instance.h"

// Applies the save-time rules and saves by context.
int SaveStructure(EditorInstance* instance, int commandId);
// Asks whether to save a changed structure; 1 to go on, 0 to stop.
int QueryCloseStructure(EditorInstance* instance, int commandId);
