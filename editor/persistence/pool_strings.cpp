// The instance's pool strings (structure and library names) and bounded text composition.
#include "editor/persistence/pool_strings.h"

#include <cstdarg>
#include <cstring>

#include "qst/host_pool.h"

void FreePoolString(EditorInstance* instance, char** field) {
  if (*field != nullptr) {
    PoolFree(instance->pool, *field);
    *field = nullptr;
  }
}

void ReplacePoolString(EditorInstance* instance, char** field, const char* text) {
  // Copy first: text may be the very string being replaced.
  char* copy = text != nullptr ? PoolStrDup(instance->pool, text, 0) : nullptr;
  FreePoolString(instance, field);
  *field = copy;
}

void CopyBounded(char* buffer, std::size_t bufferSize, const char* text) {
  if (bufferSize == 0) return;
  std::size_t length = text != nullptr ? std::strlen(text) : 0;
  if (length >= bufferSize) length = bufferSize - 1;
  if (length > 0) std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}

int FormatBounded(char* buffer, std::size_t bufferSize, const char* format, ...) {
  // wsprintfA never writes more than 1024 characters and its NUL, so this
  // scratch buffer cannot overflow; the result is then cut to the caller's size.
  char scratch[1025];
  std::va_list args;
  va_start(args, format);
  wvsprintfA(scratch, format, args);
  va_end(args);
  scratch[sizeof scratch - 1] = '\0';
  CopyBounded(buffer, bufferSize, scratch);
  return static_cast<int>(std::strlen(buffer));
}
