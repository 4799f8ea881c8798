// What lies under the pointer in the grid, as object and row.
#include <cstring>

#include "editor/rows/grid_events.h"
#include "qst/host_pool.h"

namespace {

// Token characters run from '0' to '}'; every other byte separates tokens.
bool IsTokenChar(unsigned char c) { return c >= 0x30 && c <= 0x7D; }

// Copies the next token at or after *p into out (bounded) and moves *p past it.
void NextToken(const char** p, char* out, int outSize) {
  const auto* s = reinterpret_cast<const unsigned char*>(*p);
  while (*s != 0 && !IsTokenChar(*s)) ++s;
  int n = 0;
  while (*s != 0 && IsTokenChar(*s)) {
    if (n < outSize - 1) out[n++] = static_cast<char>(*s);
    ++s;
  }
  out[n] = '\0';
  *p = reinterpret_cast<const char*>(s);
}

}  // namespace

std::uint32_t ParsePointerText(const char* text, char* object, int objectSize) {
  char ignored[2];
  if (object == nullptr || objectSize <= 0) {
    object = ignored;
    objectSize = sizeof ignored;
  }
  object[0] = '\0';
  if (text == nullptr) return 0;
  const char* p = text;
  NextToken(&p, object, objectSize);
  // Row numbers beyond the 32-bit range are no row.
  char rowText[16];
  NextToken(&p, rowText, sizeof rowText);
  const std::int32_t row = PoolTextToInt(rowText);
  return row > 0 ? static_cast<std::uint32_t>(row) : 0;
}
