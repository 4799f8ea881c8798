// The two halves of quillmaker-bench that run as child processes.
#pragma once

#include <cstdint>

namespace desktopbench {

// The library file gets entry s_bench of rows v1..vROWS (every fourth a decimal).
int MakeLibrary(std::uint32_t rows, const char* library);
// Opens s_bench in the desktop program and prints each measure as "name value".
int MeasureSession(std::uint32_t rows, const char* library);

}  // namespace desktopbench
