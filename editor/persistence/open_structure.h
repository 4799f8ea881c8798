#pragma once
#include "editor/shell/editor_instance.h"

int OpenGlobalStructure(EditorInstance* instance);
int OpenEmbeddedStructure(EditorInstance* instance);
int LoadStructure(EditorInstance* instance);
int ReadStructureMembers(EditorInstance* instance);
