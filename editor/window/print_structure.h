// Printing the structure through the host's print service.
#pragma once
#include "editor/window/editor_instance.h"

// Hands the structure's stored source entry ("NAME.srs") to the host's print service.
void PrintStructure(EditorInstance* instance, int flag);
