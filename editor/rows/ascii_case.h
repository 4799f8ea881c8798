// Letter case of type names, as the C locale sees it: only A-Z and a-z are
// letters. The row reads and the text a copy writes look at a type name once
// a row, so these stay inline rather than calls into the runtime, and take
// eight bytes at a time where the buffer allows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

inline bool IsUpperAscii(char c) { return c >= 'A' && c <= 'Z'; }
inline char LowerAscii(char c) { return IsUpperAscii(c) ? static_cast<char>(c + ('a' - 'A')) : c; }

namespace ascii_case_detail {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The high bit of every byte of word that is an upper-case letter.
inline std::uint64_t UpperBytes(std::uint64_t word) {
  const std::uint64_t low7 = word & ~kHighBits;
  const std::uint64_t fromA = low7 + kOnes * (0x80 - 'A');      // high bit: byte >= 'A'
  const std::uint64_t pastZ = low7 + kOnes * (0x80 - 'Z' - 1);  // high bit: byte > 'Z'
  return fromA & ~pastZ & ~word & kHighBits;
}

// The first n (at most 8) bytes' mask.
inline std::uint64_t FirstBytes(std::size_t n) { return n >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * n)) - 1; }

}  // namespace ascii_case_detail

// Lower-cases the first length bytes of text in place; true when any changed.
// room is the size of text's buffer: eight bytes are read at a time only
// within it, the rest one by one.
inline bool LowerAsciiInPlace(char* text, std::size_t length, std::size_t room) {
  using namespace ascii_case_detail;
  bool changed = false;
  std::size_t i = 0;
  for (; i < length && i + 8 <= room; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text + i, 8);
    const std::uint64_t upper = UpperBytes(word) & FirstBytes(length - i);
    if (upper == 0) continue;
    word |= upper >> 2;  // 0x80 >> 2 is the case bit 0x20
    std::memcpy(text + i, &word, 8);
    changed = true;
  }
  for (; i < length; ++i) {
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
