// Names as the language compares them: ignoring letter case.
#pragma once

#include <string>
#include <string_view>

#include "quill/compiler.h"

namespace quill_lib {

inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string Lowered(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = LowerAscii(c);
  return result;
}

// A name the language accepts for a structure or object, which is also a
// file name that stays inside its folder.
inline bool IsValidName(const std::string& name) {
  std::string suffix;
  return quill::SplitVariableName(name, nullptr, &suffix) && suffix.empty();
}

inline bool SameName(std::string_view a, std::string_view b) { return Lowered(a) == Lowered(b); }

}  // namespace quill_lib
