// Letter case of type names, as the C locale sees it: only A-Z and a-z are
// letters. The row reads and the text a copy writes compare type names once a
// row, so these stay inline rather than calls into the runtime.
#pragma once

#include <cstddef>

inline bool IsUpperAscii(char c) { return c >= 'A' && c <= 'Z'; }
inline char LowerAscii(char c) { return IsUpperAscii(c) ? static_cast<char>(c + ('a' - 'A')) : c; }

// Lower-cases the first length bytes of text in place; true when any changed.
// Type names are short and mostly lower case already: a plain loop beats a
// vectorised one here.
inline bool LowerAsciiInPlace(char* text, std::size_t length) {
  bool changed = false;
  for (std::size_t i = 0; i < length; ++i) {
    if (IsUpperAscii(text[i])) {
      text[i] = static_cast<char>(text[i] + ('a' - 'A'));
      changed = true;
    }
  }
  return changed;
}

// True when the first length bytes of a and b are equal but for letter case.
inline bool EqualIgnoringCase(const char* a, const char* b, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (a[i] != b[i] && LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}
