// Questions about grid rows that the row commands, the copy and the invariant
// check all ask.
#pragma once

#include <cstdint>

#include "qst/grid_engine.h"

// How many rows are selected now.
std::uint32_t CountSelectedRows(HWND grid);
// True when the row holds neither a name nor a type.
bool RowIsBlank(HWND grid, std::uint32_t row);
