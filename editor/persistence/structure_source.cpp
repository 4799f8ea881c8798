// Building the structure source text from the grid, and the compiler's get-character callback.
#include "editor/persistence/structure_source.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "editor/persistence/pool_strings.h"
#include "editor/window/module_state.h"
#include "qst/entry_points.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"
#include "qst/string_ids.h"

namespace {

// The one read pointer of the compiler's get-character callback, shared by
// every editor of the module; only one compile through the callback runs at a time.
const char* sourceReadPointer = nullptr;

// The header line into header (1025 bytes, as much as wsprintfA ever writes).
int FormatHeader(EditorInstance* instance, const char* structureName, char* header, std::size_t size) {
  char format[kStringBufferSize];
  UINT id = instance->document.contextCode == kContextStandAlone ? IdsGlobalHeader : IdsLocalHeader;
  LoadModuleString(id, format, sizeof format);
  return FormatBounded(header, size, format, structureName != nullptr ? structureName : "");
}

}  // namespace

// Plain copies instead of a format call: every save runs this twice a row.
int FormatVariableLine(const VariableRecord& record, const char* decimalType, char* line) {
  char* out = line;
  *out++ = '\t';
  const std::size_t typeLength = strnlen(record.type, sizeof record.type);
  std::memcpy(out, record.type, typeLength);
  out += typeLength;
  if (_stricmp(record.type, decimalType) == 0) {
    *out++ = ' ';
    *out++ = '{';
    out = std::to_chars(out, out + 11, static_cast<int>(record.decimals)).ptr;
    *out++ = '}';
    *out++ = '\t';
  } else {
    *out++ = '\t';
    *out++ = '\t';
  }
  const std::size_t nameLength = strnlen(record.name, sizeof record.name);
  std::memcpy(out, record.name, nameLength);
  out += nameLength;
  *out++ = '\r';
  *out++ = '\n';
  *out = '\0';
  return static_cast<int>(out - line);
}

// Needs a live grid. Reads every row twice: once to measure the text so that the
// block is exactly as large as the text, once to write it. Returns null when the
// pool cannot supply the block; the caller owns the block.
char* BuildStructureSource(EditorInstance* instance, const char* structureName) {
  char decimalType[kStringBufferSize];
  LoadModuleString(IdsTypeDecimal, decimalType, sizeof decimalType);
  char header[1025];
  std::size_t headerLength = static_cast<std::size_t>(FormatHeader(instance, structureName, header, sizeof header));
  char footer[kStringBufferSize];
  LoadModuleString(IdsEndType, footer, sizeof footer);
  std::size_t footerLength = std::strlen(footer);

  TypeWords words;
  LoadTypeWords(&words);
  std::uint32_t rows = GridRowCount(instance->gridWindow);
  VariableRecord record;
  char line[kVariableLineMax + 1];
  std::size_t size = headerLength + footerLength + 1;
  for (std::uint32_t row = 1; row <= rows; ++row) {
    if (!ReadVariableRowWith(instance, &record, row, words)) continue;
    size += static_cast<std::size_t>(FormatVariableLine(record, decimalType, line));
  }

  if (size > UINT32_MAX) return nullptr;
  char* text = static_cast<char*>(PoolAlloc(instance->pool, static_cast<std::uint32_t>(size), 0));
  if (text == nullptr) return nullptr;
  std::memcpy(text, header, headerLength);
  std::size_t end = headerLength;
  for (std::uint32_t row = 1; row <= rows; ++row) {
    if (!ReadVariableRowWith(instance, &record, row, words)) continue;
    std::size_t length = static_cast<std::size_t>(FormatVariableLine(record, decimalType, line));
    // The first pass normalised every type cell, so the lines come out as measured;
    // the bound only guards the block should they ever not.
    if (end + length + footerLength + 1 > size) break;
    std::memcpy(text + end, line, length);
    end += length;
  }
  std::memcpy(text + end, footer, footerLength);
  text[end + footerLength] = '\0';
  return text;
}

void SetSourceReadPointer(const char* text) { sourceReadPointer = text; }

// Serves the text one byte at a time. The terminating NUL is returned like any
// other byte, but the pointer stays on it, so a compiler that asks again keeps
// getting 0 instead of reading past the end of the text.
extern "C" QST_EXPORT char QST_UpdateStructureGetChar() {
  if (sourceReadPointer == nullptr) return '\0';
  char c = *sourceReadPointer;
  if (c != '\0') ++sourceReadPointer;
  return c;
}
