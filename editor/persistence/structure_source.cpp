// Building the structure source text from the grid, and the compiler's get-character callback.
#include "editor/persistence/structure_source.h"

#include <charconv>
#include <cstdint>
#include <cstring>

#include "editor/persistence/pool_strings.h"
#include "editor/rows/ascii_case.h"
#include "editor/window/module_state.h"
#include "qst/entry_points.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"
#include "qst/string_ids.h"
#include "qst/type_vocabulary.h"

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

namespace {

// Copies one fixed piece of a line (without its NUL) and returns where it ends.
template <std::size_t N>
char* Put(char* out, const char (&piece)[N]) {
  std::memcpy(out, piece, N - 1);
  return out + (N - 1);
}

}  // namespace

// Plain copies instead of a format call: every save runs this twice a row.
int FormatVariableLine(const VariableRecord& record, const char* decimalType, char* line) {
  VariableLengths lengths;
  lengths.type = static_cast<int>(strnlen(record.type, sizeof record.type));
  lengths.name = static_cast<int>(strnlen(record.name, sizeof record.name));
  // Texts equal but for letter case have the same length.
  lengths.isDecimal = static_cast<std::size_t>(lengths.type) == std::strlen(decimalType) &&
                      EqualIgnoringCase(record.type, decimalType, static_cast<std::size_t>(lengths.type));
  return FormatMeasuredVariableLine(record, lengths, line);
}

int FormatMeasuredVariableLine(const VariableRecord& record, const VariableLengths& lengths, char* line) {
  char* out = Put(line, kLineStart);
  std::memcpy(out, record.type, static_cast<std::size_t>(lengths.type));
  out += lengths.type;
  if (lengths.isDecimal) {
    out = Put(out, kDecimalsOpen);
    out = std::to_chars(out, out + 11, static_cast<int>(record.decimals)).ptr;
    out = Put(out, kDecimalsClose);
  } else {
    out = Put(out, kNoDecimals);
  }
  std::memcpy(out, record.name, static_cast<std::size_t>(lengths.name));
  out += lengths.name;
  out = Put(out, kLineEnd);
  *out = '\0';
  return static_cast<int>(out - line);
}

namespace {

// The parts of the text around the variable lines.
struct SourceFrame {
  char decimalType[kStringBufferSize];
  char header[1025];  // as much as wsprintfA ever writes
  std::size_t headerLength;
  char footer[kStringBufferSize];
  std::size_t footerLength;
};

// Writes the rows' lines after the header already in text and closes it with
// the footer; size is the block's. Should the block prove too small, the text
// ends after the lines that fitted.
void WriteSourceRows(EditorInstance* instance, const SourceFrame& frame, std::uint32_t rows, const TypeWords& words,
                     char* text, std::size_t size) {
  std::memcpy(text, frame.header, frame.headerLength);
  std::size_t end = frame.headerLength;
  VariableRecord record;
  char line[kVariableLineMax + 1];
  for (std::uint32_t row = 1; row <= rows; ++row) {
    if (!ReadVariableRowWith(instance, &record, row, words)) continue;
    std::size_t length = static_cast<std::size_t>(FormatVariableLine(record, frame.decimalType, line));
    if (end + length + frame.footerLength + 1 > size) break;
    std::memcpy(text + end, line, length);
    end += length;
  }
  std::memcpy(text + end, frame.footer, frame.footerLength);
  text[end + frame.footerLength] = '\0';
}

// The exact size of the text: every row read once to measure its line.
std::size_t MeasureSource(EditorInstance* instance, const SourceFrame& frame, std::uint32_t rows,
                          const TypeWords& words) {
  VariableRecord record;
  char line[kVariableLineMax + 1];
  std::size_t size = frame.headerLength + frame.footerLength + 1;
  for (std::uint32_t row = 1; row <= rows; ++row) {
    if (!ReadVariableRowWith(instance, &record, row, words)) continue;
    size += static_cast<std::size_t>(FormatVariableLine(record, frame.decimalType, line));
  }
  return size;
}

}  // namespace

// Needs a live grid. The text is written in one pass into a draft block large
// enough for the longest lines (the pool's blocks are zero pages until written,
// so the room short lines leave costs no memory) and then copied into a block of
// exactly its size. When the pool cannot give both, the rows are measured
// first instead. Returns null when the pool cannot supply the block; the caller
// owns the block.
char* BuildStructureSource(EditorInstance* instance, const char* structureName) {
  SourceFrame frame;
  LoadModuleString(kDecimalTypeId, frame.decimalType, sizeof frame.decimalType);
  frame.headerLength =
      static_cast<std::size_t>(FormatHeader(instance, structureName, frame.header, sizeof frame.header));
  LoadModuleString(IdsEndType, frame.footer, sizeof frame.footer);
  frame.footerLength = std::strlen(frame.footer);
  TypeWords words;
  LoadTypeWords(&words);
  const std::uint32_t rows = GridRowCount(instance->gridWindow);

  const std::uint64_t room = frame.headerLength + frame.footerLength + 1 + std::uint64_t{rows} * kVariableLineMax;
  if (room <= UINT32_MAX) {
    if (auto* draft = static_cast<char*>(PoolAlloc(instance->pool, static_cast<std::uint32_t>(room), 0))) {
      WriteSourceRows(instance, frame, rows, words, draft, static_cast<std::size_t>(room));
      // The caller keeps the text as long as the save runs: it gets a block of
      // exactly the text's size. Copying the text is cheaper than reading every
      // row a second time to measure it.
      char* text = PoolStrDup(instance->pool, draft, 0);
      PoolFree(instance->pool, draft);
      if (text != nullptr) return text;
    }
  }
  const std::size_t size = MeasureSource(instance, frame, rows, words);
  if (size > UINT32_MAX) return nullptr;
  char* text = static_cast<char*>(PoolAlloc(instance->pool, static_cast<std::uint32_t>(size), 0));
  if (text == nullptr) return nullptr;
  // The measuring pass normalised every type cell, so the lines come out as
  // measured; the bound only guards the block should they ever not.
  WriteSourceRows(instance, frame, rows, words, text, size);
  return text;
}

void SetSourceReadPointer(const char* text) { sourceReadPointer = text; }

// Serves the text one byte at a time. The terminating NUL is returned like any
// other byte, but the pointer stays on it, so a compiler that asks again keeps
// getting 0 instead of reading past the end of the text.
extern "C" QST_EXPORT char QST_CALL QST_UpdateStructureGetChar() {
  if (sourceReadPointer == nullptr) return '\0';
  char c = *sourceReadPointer;
  if (c != '\0') ++sourceReadPointer;
  return c;
}
