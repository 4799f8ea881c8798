// Row selection in the row-indicator column: ranges, the selection's bounds and
// clearing it.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

void SelectRowRange(EditorInstance* instance, std::uint32_t a, std::uint32_t b);
void RecomputeSelectionBounds(EditorInstance* instance);
void UnselectAllRows(EditorInstance* instance);
