// The grid's notifications: entry-row growth, type normalisation, selection, drag and drop.
#pragma once

#include <cstdint>

#include "editor/shell/editor_instance.h"

LRESULT OnGridNotify(EditorInstance* instance, HWND grid, WPARAM wParam, WORD code);
void SelectRowRange(EditorInstance* instance, std::uint32_t a, std::uint32_t b);
void RecomputeSelectionBounds(EditorInstance* instance);
void UnselectAllRows(EditorInstance* instance);
