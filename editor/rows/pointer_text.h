// What lies under the pointer in the grid, read from the grid's pointer text.
#pragma once

#include <cstdint>

// Splits the grid's pointer text into the object under the pointer (token 1,
// cut to objectSize - 1 characters) and returns the row (token 2, 0 for none).
std::uint32_t ParsePointerText(const char* text, char* object, int objectSize);
