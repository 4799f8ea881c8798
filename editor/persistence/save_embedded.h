// Saving a structure local to the object that owns it.
#pragma once

#include "editor/window/editor_instance.h"

int SaveEmbeddedStructure(EditorInstance* instance, int commandId);
