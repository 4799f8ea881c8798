// Reading a structure's members from the runtime into the grid.
#pragma once

#include "editor/window/editor_instance.h"

int LoadStructure(EditorInstance* instance);
int ReadStructureMembers(EditorInstance* instance);
