// Reading and writing the grid's cells.
#include "grid_control.h"
#include "grid_number_text.h"

namespace quill::grid {

namespace {
constexpr int kDecimalsColumn = 3;

// The text a cell may hold: cut to the longest the grid keeps.
std::string_view Bounded(std::string_view text) { return text.substr(0, std::min(text.size(), kCellTextMax)); }

// The text member of a text column (1, 2 or 4), or null for the number column.
template <typename Row>
auto TextCell(Row& row, int column) -> decltype(&row.name) {
  switch (column) {
    case 1:
      return &row.name;
    case 2:
      return &row.type;
    case 4:
      return &row.hidden;
    default:
      return nullptr;
  }
}
}  // namespace

bool GridControl::isCell(std::uint32_t row, int column) const {
  return rowAt(row) != nullptr && column >= 1 && column <= 4;
}

std::string GridControl::displayText(std::uint32_t row, int column) const {
  if (!isCell(row, column)) return {};
  const GridRow& cells = *rowAt(row);
  if (column == kDecimalsColumn) return cells.decimals ? FormatGridNumber(*cells.decimals) : std::string();
  return *TextCell(cells, column);
}

std::optional<double> GridControl::itemNumber(std::uint32_t row, int column) const {
  if (!isCell(row, column)) return std::nullopt;
  const GridRow& cells = *rowAt(row);
  if (column == kDecimalsColumn) return cells.decimals;
  // A text column holds a number only when its whole text spells one.
  return ParseGridNumber(displayText(row, column));
}

std::optional<double> GridControl::cellNumber(std::uint32_t row, int column) const {
  return column == kDecimalsColumn ? itemNumber(row, column) : std::nullopt;
}

void GridControl::setItemText(std::uint32_t row, int column, std::string_view text) {
  if (!isCell(row, column)) return;
  GridRow& cells = *rowAt(row);
  bool changed = false;
  if (column == kDecimalsColumn) {
    // Text for the number column: an empty text clears it; text that is no
    // number is refused so the stored number is never lost.
    const auto trimmed = text.find_first_not_of(" \t");
    std::optional<double> value;
    if (trimmed != std::string_view::npos && !(value = ParseGridNumber(text))) return;
    changed = cells.decimals != value;
    cells.decimals = value;
  } else {
    std::string& cell = *TextCell(cells, column);
    changed = cell != Bounded(text);
    cell.assign(Bounded(text));
  }
  // Writing a cell's own text back (as reading a row does) changes nothing.
  if (changed) rowsEdited();
  else contentChanged();
  afterCellWrite(row, column);
}

void GridControl::setItemNumber(std::uint32_t row, int column, const double* value) {
  if (!isCell(row, column)) return;
  GridRow& cells = *rowAt(row);
  bool changed = false;
  if (column == kDecimalsColumn) {
    const std::optional<double> number = value != nullptr ? std::optional<double>(*value) : std::nullopt;
    changed = cells.decimals != number;
    cells.decimals = number;
  } else {
    const std::string text = value != nullptr ? FormatGridNumber(*value) : std::string();
    changed = *TextCell(cells, column) != text;
    *TextCell(cells, column) = text;
  }
  if (changed) rowsEdited();
  else contentChanged();
  afterCellWrite(row, column);
}

}  // namespace quill::grid
