// Byte-string helpers of the Windows API and the C runtime; letters are the
// ASCII ones, as in the C locale.
#include <climits>

#include "window_registry.h"

namespace {

int lowerByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? u + ('a' - 'A') : u;
}

int compareNoCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    const int ca = lowerByte(*a), cb = lowerByte(*b);
    if (ca != cb || ca == 0) return ca - cb;
  }
}

}  // namespace

int lstrlenA(LPCSTR text) {
  if (text == nullptr) return 0;
  std::size_t n = 0;
  while (text[n] != '\0' && n < INT_MAX) ++n;
  return static_cast<int>(n);
}

// Negative, 0 or positive; a null string sorts before every other.
int lstrcmpiA(LPCSTR a, LPCSTR b) {
  if (a == nullptr || b == nullptr) return (a == nullptr ? 0 : 1) - (b == nullptr ? 0 : 1);
  const int r = compareNoCase(a, b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

// The difference of the first differing lower-cased bytes; INT_MAX (the C
// runtime's error value) for a null argument.
int _stricmp(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return INT_MAX;
  return compareNoCase(a, b);
}

char* _strlwr(char* text) {
  if (text == nullptr) return nullptr;
  for (char* p = text; *p != '\0'; ++p) *p = static_cast<char>(lowerByte(*p));
  return text;
}
