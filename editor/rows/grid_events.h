// The grid's notifications: entry-row growth, type normalisation, selection, drag and drop.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

LRESULT OnGridNotify(EditorInstance* instance, HWND grid, WPARAM wParam, WORD code);
void SelectRowRange(EditorInstance* instance, std::uint32_t a, std::uint32_t b);
void RecomputeSelectionBounds(EditorInstance* instance);
void UnselectAllRows(EditorInstance* instance);

// Splits the grid's pointer text into the object under the pointer (token 1,
// cut to objectSize - 1 characters) and returns the row (token 2, 0 for none).
std::uint32_t ParsePointerText(const char* text, char* object, int objectSize);
