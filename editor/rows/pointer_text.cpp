// What lies under the pointer in the grid, as object and row.
#include "editor/rows/pointer_text.h"

#include <cstring>

#include "editor/rows/word_bytes.h"
#include "qst/host_pool.h"

namespace {

// Copies the next token at or after *p into out (bounded) and moves *p past it.
void NextToken(const char** p, char* out, int outSize) {
  const char* s = *p;
  while (*s != '\0' && !IsTokenByte(*s)) ++s;
  int n = 0;
  while (*s != '\0' && IsTokenByte(*s)) {
    if (n < outSize - 1) out[n++] = *s;
    ++s;
  }
  out[n] = '\0';
  *p = s;
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
