// One variable row: reading it, normalising type abbreviations and decimals.
#include "editor/rows/variable_row.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "editor/resources/module_resources.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"

namespace {

// Reads at most kVariableTextMax characters of a cell into text; returns the
// cell's length as the grid reports it (0 or less when empty).
std::int16_t ReadCellText(HWND grid, std::uint32_t row, std::uint16_t column, char* text) {
  const std::int16_t length = GridItemTextLength(grid, row, column);
  if (length <= 0) return length;
  int copied = GridGetItemText(grid, row, column, text, kVariableTextMax);
  if (copied < 0) copied = 0;
  if (copied > kVariableTextMax) copied = kVariableTextMax;
  text[copied] = '\0';
  return length;
}

// Expands the three abbreviations; only whole texts match, at most one applies.
void ExpandTypeAbbreviation(char* type) {
  struct Expansion {
    UINT abbreviation;
    UINT full;
  };
  constexpr Expansion kExpansions[] = {
      {IdsAbbrevInt, IdsTypeInteger}, {IdsAbbrevDec, IdsTypeDecimal}, {IdsAbbrevChar, IdsTypeCharacter}};
  for (const Expansion& e : kExpansions) {
    char abbreviation[kStringBufferSize];
    LoadModuleString(e.abbreviation, abbreviation, sizeof abbreviation);
    if (std::strcmp(type, abbreviation) == 0) {
      char full[kStringBufferSize];
      LoadModuleString(e.full, full, sizeof full);
      const std::size_t n = std::min<std::size_t>(std::strlen(full), kVariableTextMax);
      std::memcpy(type, full, n);
      type[n] = '\0';
      return;
    }
  }
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

bool IsDecimalType(const char* type) {
  char decimal[kStringBufferSize];
  LoadModuleString(IdsTypeDecimal, decimal, sizeof decimal);
  return type != nullptr && _stricmp(type, decimal) == 0;
}

int ReadVariableRow(EditorInstance* instance, VariableRecord* record, std::uint32_t row) {
  HWND grid = instance->gridWindow;
  record->decimals = 0;
  record->type[0] = '\0';
  record->name[0] = '\0';
  const std::int16_t nameLength = ReadCellText(grid, row, ColName, record->name);
  const std::int16_t typeLength = ReadCellText(grid, row, ColType, record->type);
  if (typeLength > 0) {
    char asRead[kVariableTextMax + 1];
    std::memcpy(asRead, record->type, sizeof asRead);
    _strlwr(record->type);
    ExpandTypeAbbreviation(record->type);
    // Every read leaves the cell in normal form (cut to 41 characters); a cell
    // that already holds exactly that text needs no write.
    if (typeLength > kVariableTextMax || std::strcmp(asRead, record->type) != 0) {
      GridSetItemText(grid, row, ColType, record->type);
    }
  }
  if (IsDecimalType(record->type)) {
    double value = 0.0;
    GridGetItemNumber(grid, row, ColDecimals, &value);
    record->decimals = DecimalsFromCell(value);
  }
  return nameLength > 0 && typeLength > 0 ? 1 : 0;
}

std::uint32_t FindEarlierDuplicate(EditorInstance* instance, std::uint32_t row) {
  VariableRecord target;
  if (ReadVariableRow(instance, &target, row) == 0) return 0;
  for (std::uint32_t j = 1; j < row; ++j) {
    VariableRecord other;
    if (ReadVariableRow(instance, &other, j) == 1 && std::strcmp(other.name, target.name) == 0) return j;
  }
  return 0;
}
