// Reading a step's arguments. Each helper throws StepFailure naming what it
// expected and what the line held instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win.h"
#include "step.h"

namespace script {

// Word index of the line; what names it in the failure when the line is shorter.
const Word& Arg(const Step& step, std::size_t index, std::string_view what);
// Word index as a number (decimal or 0x hex; not quoted).
std::int64_t NumberArg(const Step& step, std::size_t index, std::string_view what);
// Fails when the line has more than count words.
void NoMoreArgs(const Step& step, std::size_t count);
// An edited grid column by number (1, 2, 3) or name (var_name, var_type, var_dec).
int ColumnArg(const Step& step, std::size_t index);
// The layout objects the pointer can be over, as a failure names them.
std::string PointerObjectList();
// A command by name (new, open, ... deleterow) or number.
WORD CommandArg(const Step& step, std::size_t index);
// Compares and throws StepFailure{expected, got} when they differ.
void ExpectEqual(const std::string& expected, const std::string& got);

}  // namespace script
