// One variable row: reading it, normalising type abbreviations and decimals.
#include "editor/rows/variable_row.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "editor/document/document_rows.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/ascii_case.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"

namespace {

// Reads at most kVariableTextMax characters of a cell into text
// (kVariableTextMax + 1 bytes), in one grid call when the text is shorter.
// Returns how many characters the cell holds, counted up to
// kVariableTextMax + 1 (more than kVariableTextMax: the text was cut); 0 when
// it is empty.
int ReadCellText(HWND grid, std::uint32_t row, std::uint16_t column, char* text) {
  int copied = GridGetItemText(grid, row, column, text, kVariableTextMax);
  if (copied <= 0) {
    text[0] = '\0';
    return 0;
  }
  if (copied > kVariableTextMax) copied = kVariableTextMax;
  text[copied] = '\0';
  // A full buffer may hold all of the text or only its start.
  if (copied == kVariableTextMax && GridItemTextLength(grid, row, column) > kVariableTextMax) return copied + 1;
  return copied;
}

// Expands the short forms of type; only whole texts match, at most one
// applies. *length is the type's length, before and after. True when a short
// form was expanded.
bool ExpandTypeAbbreviation(char* type, int* length, const TypeWords& words) {
  const auto n = static_cast<std::size_t>(*length);
  for (int k = 0; k < kTypeShortFormCount; ++k) {
    if (n == words.abbreviationLength[k] && std::memcmp(type, words.abbreviation[k], n) == 0) {
      const std::size_t full = std::min<std::size_t>(std::strlen(words.full[k]), kVariableTextMax);
      std::memcpy(type, words.full[k], full);
      type[full] = '\0';
      *length = static_cast<int>(full);
      return true;
    }
  }
  return false;
}

// Decimal positions truncated toward zero. A cell holding a value no int32
// can carry (not a number, infinite, out of range) must not wrap into an
// arbitrary count: NaN reads as 0, the rest is held at the nearest limit.
std::int32_t DecimalsFromCell(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<std::int32_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
  if (value <= kLow) return std::numeric_limits<std::int32_t>::min();
  if (value >= kHigh) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace

void LoadTypeWords(TypeWords* words) {
  for (int k = 0; k < kTypeShortFormCount; ++k) {
    LoadModuleString(kTypeShortForms[k].id, words->abbreviation[k], kStringBufferSize);
    LoadModuleString(kTypeShortForms[k].fullId, words->full[k], kStringBufferSize);
    words->abbreviationLength[k] = std::strlen(words->abbreviation[k]);
  }
  LoadModuleString(kDecimalTypeId, words->decimal, kStringBufferSize);
  words->decimalLength = std::strlen(words->decimal);
}

bool IsDecimalType(const char* type) {
  char decimal[kStringBufferSize];
  LoadModuleString(kDecimalTypeId, decimal, sizeof decimal);
  return type != nullptr && _stricmp(type, decimal) == 0;
}

bool IsDecimalTypeWith(const char* type, const TypeWords& words) {
  return type != nullptr && IsDecimalTypeOfLength(type, std::strlen(type), words);
}

bool IsDecimalTypeOfLength(const char* type, std::size_t length, const TypeWords& words) {
  // Texts equal but for letter case have the same length.
  return length == words.decimalLength && EqualIgnoringCase(type, words.decimal, length);
}

int ReadVariableRow(EditorInstance* instance, VariableRecord* record, std::uint32_t row) {
  TypeWords words;
  LoadTypeWords(&words);
  return ReadVariableRowWith(instance, record, row, words);
}

int ReadVariableRowWith(EditorInstance* instance, VariableRecord* record, std::uint32_t row, const TypeWords& words,
                        char* typeAsRead) {
  VariableLengths lengths;
  return ReadVariableRowMeasured(instance, record, row, words, &lengths, typeAsRead);
}

int ReadVariableRowMeasured(EditorInstance* instance, VariableRecord* record, std::uint32_t row,
                            const TypeWords& words, VariableLengths* lengths, char* typeAsRead) {
  HWND grid = instance->gridWindow;
  record->decimals = 0;
  // The type first: by the time the name is read, the type's bytes are
  // stored, and reading them by the word does not wait for the copy.
  const int typeLength = ReadCellText(grid, row, ColType, record->type);
  const int nameLength = ReadCellText(grid, row, ColName, record->name);
  lengths->name = std::min(nameLength, kVariableTextMax);
  lengths->type = std::min(typeLength, kVariableTextMax);
  if (typeAsRead != nullptr) std::memcpy(typeAsRead, record->type, static_cast<std::size_t>(lengths->type) + 1);
  if (typeLength > 0) {
    // Every read leaves the cell in normal form (lower case, short forms
    // expanded, cut to 41 characters); a cell already in it needs no write.
    const bool lowered = LowerAsciiInPlace(record->type, static_cast<std::size_t>(lengths->type), sizeof record->type);
    const bool expanded = ExpandTypeAbbreviation(record->type, &lengths->type, words);
    if (typeLength > kVariableTextMax || lowered || expanded) WriteCellText(instance, row, ColType, record->type);
  }
  lengths->isDecimal = IsDecimalTypeOfLength(record->type, static_cast<std::size_t>(lengths->type), words);
  if (lengths->isDecimal) {
    double value = 0.0;
    GridGetItemNumber(grid, row, ColDecimals, &value);
    record->decimals = DecimalsFromCell(value);
  }
  return nameLength > 0 && typeLength > 0 ? 1 : 0;
}

std::uint32_t FindEarlierDuplicate(EditorInstance* instance, std::uint32_t row) {
  TypeWords words;
  LoadTypeWords(&words);
  VariableRecord target;
  if (ReadVariableRowWith(instance, &target, row, words) == 0) return 0;
  for (std::uint32_t j = 1; j < row; ++j) {
    VariableRecord other;
    if (ReadVariableRowWith(instance, &other, j, words) == 1 && std::strcmp(other.name, target.name) == 0) return j;
  }
  return 0;
}
