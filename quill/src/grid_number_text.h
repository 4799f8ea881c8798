// Numbers of the var_dec column as text, independent of the process locale
// (a desktop front end may switch the C locale, which would change strtod/printf).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quill::grid {

// The number as printf's %g writes it in the C locale.
std::string FormatGridNumber(double value);

// The finite number the whole text spells (blanks around it allowed, an optional
// sign), or nothing when the text is not a number.
std::optional<double> ParseGridNumber(std::string_view text);

}  // namespace quill::grid
