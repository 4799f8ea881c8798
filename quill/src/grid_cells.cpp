// Reading and writing the grid's cells.
#include "grid_control.h"
#include "grid_number_text.h"

namespace quill::grid {

namespace {
// The text a cell may hold: cut to the longest the grid keeps.
std::string_view Bounded(std::string_view text) { return text.substr(0, std::min(text.size(), kCellTextMax)); }

// The text column of a grid column (1, 2 or 4); empty for the number column.
std::optional<RowText> TextColumn(int column) {
  switch (column) {
    case ColName: return RowText::kName;
    case ColType: return RowText::kType;
    case ColMarker: return RowText::kHidden;
    default: return std::nullopt;
  }
}
}  // namespace

bool GridControl::isCell(std::uint32_t row, int column) const { return hasRow(row) && IsGridCell(column); }

std::string_view GridControl::cellView(std::uint32_t row, int column, std::string* scratch) const {
  if (!isCell(row, column)) return {};
  if (IsNumberColumn(column)) {
    const std::optional<double> number = rows_.number(row - 1);
    *scratch = number ? FormatGridNumber(*number) : std::string();
    return *scratch;
  }
  return rows_.text(row - 1, *TextColumn(column));
}

std::string GridControl::displayText(std::uint32_t row, int column) const {
  std::string scratch;
  return std::string(cellView(row, column, &scratch));
}

std::optional<double> GridControl::itemNumber(std::uint32_t row, int column) const {
  if (!isCell(row, column)) return std::nullopt;
  if (IsNumberColumn(column)) return rows_.number(row - 1);
  // A text column holds a number only when its whole text spells one.
  return ParseGridNumber(displayText(row, column));
}

std::optional<double> GridControl::cellNumber(std::uint32_t row, int column) const {
  return IsNumberColumn(column) ? itemNumber(row, column) : std::nullopt;
}

void GridControl::setItemText(std::uint32_t row, int column, std::string_view text) {
  if (!isCell(row, column)) return;
  bool changed = false;
  if (IsNumberColumn(column)) {
    // Text for the number column: an empty text clears it; text that is no
    // number is refused so the stored number is never lost.
    const auto trimmed = text.find_first_not_of(" \t");
    std::optional<double> value;
    if (trimmed != std::string_view::npos && !(value = ParseGridNumber(text))) return;
    changed = rows_.number(row - 1) != value;
    rows_.setNumber(row - 1, value);
  } else {
    const RowText which = *TextColumn(column);
    const std::string_view bounded = Bounded(text);
    changed = rows_.replaceText(row - 1, which, bounded);
  }
  // Writing a cell's own text back (as reading a row does) changes nothing.
  if (changed)
    rowsEdited();
  else
    contentChanged();
  afterCellWrite(row, column);
}

void GridControl::setItemNumber(std::uint32_t row, int column, const double* value) {
  if (!isCell(row, column)) return;
  bool changed = false;
  if (IsNumberColumn(column)) {
    const std::optional<double> number = value != nullptr ? std::optional<double>(*value) : std::nullopt;
    changed = rows_.number(row - 1) != number;
    rows_.setNumber(row - 1, number);
  } else {
    const RowText which = *TextColumn(column);
    const std::string text = value != nullptr ? FormatGridNumber(*value) : std::string();
    changed = rows_.replaceText(row - 1, which, text);
  }
  if (changed)
    rowsEdited();
  else
    contentChanged();
  afterCellWrite(row, column);
}

}  // namespace quill::grid
