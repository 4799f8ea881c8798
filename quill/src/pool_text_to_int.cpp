// The pool's text-to-integer conversion given to the editor.
#include <cstdint>
#include <limits>

#include "qst/host_pool.h"

// Leading blanks and one sign are allowed; reading stops at the first character
// that is not a digit. A value beyond 32 bits is clamped rather than wrapped, so
// a long number can never come back as a small or negative one.
extern "C" std::int32_t PoolTextToInt(const char* text) {
  if (text == nullptr) return 0;
  while (*text == ' ' || *text == '\t') ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  const std::int64_t limit = negative ? kMax + 1 : kMax;
  std::int64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > limit) {
      value = limit;
      break;
    }
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}
