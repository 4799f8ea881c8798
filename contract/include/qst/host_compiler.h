// HostCompiler: compiles structure source text. Every call takes the compiler handle first.
#pragma once

#include <cstdint>

#include "qst/host_api.h"

using CompilerGetChar = char(QST_CALL*)();

extern "C" {
// Reads the source through getChar until its NUL; nonzero on success.
HOST_API int CompilerCompileType(HostCompiler* compiler, std::int32_t type, CompilerGetChar getChar);
// Compiles the group from its stored source; 1 on success.
HOST_API int CompilerCompileGroup(HostCompiler* compiler, std::uint16_t group);
HOST_API void CompilerEnd(HostCompiler* compiler);
}
