// The structure grid's columns: their numbers and one table that says, per
// column, what the pointer can be over, what a cell holds, whether a user edits
// it and how wide the editor makes it. The grid engine, the editor's column
// layout, the desktop's view and the scenario runner all read this table, so a
// column is described once.
#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

// Column numbers, as the layout defines them (frozen by the layout library's contents).
enum GridColumn : std::uint16_t {
  ColRowIndicator = 0,  // the row indicator at the left: no cell; also "no column"
  ColName = 1,          // var_name, text
  ColType = 2,          // var_type, text
  ColDecimals = 3,      // var_dec, number
  ColMarker = 4,        // hidden text: the entry-row marker on the one empty entry row
};

// What a column's cells hold.
enum class CellKind : std::uint8_t {
  None,    // no cell: the row indicator
  Text,    // text, up to the grid's longest cell
  Number,  // a number, read and written as a double
};

struct GridColumnInfo {
  GridColumn id;
  const char* object;  // the layout object the pointer can be over and the width property's
                       // prefix ("var_name"); null for a column nobody sees
  const char* title;   // what a front end writes in the header; null when not shown
  CellKind kind;
  bool editable;            // a user moves into its cells and types
  std::uint8_t baseWidth;   // the editor's width in character heights at the narrowest
  std::uint8_t extraShare;  // quarters of any width beyond the base widths; the first
                            // column with a share also takes what rounding leaves
  std::uint8_t borderGap;   // pixels the editor leaves off the width it gives the grid
};

// In column-number order, left to right.
inline constexpr GridColumnInfo kGridColumns[] = {
    {ColRowIndicator, "var_row", "", CellKind::None, false, 2, 0, 3},
    {ColName, "var_name", "Name", CellKind::Text, true, 12, 3, 3},
    {ColType, "var_type", "Type", CellKind::Text, true, 8, 1, 3},
    {ColDecimals, "var_dec", "Dec", CellKind::Number, true, 4, 0, 0},
    {ColMarker, nullptr, nullptr, CellKind::Text, false, 0, 0, 0},
};
inline constexpr int kGridColumnCount = static_cast<int>(std::size(kGridColumns));
inline constexpr int kExtraWidthQuarters = 4;

namespace grid_columns_detail {
constexpr bool NumberedInOrder() {
  for (int i = 0; i < kGridColumnCount; ++i)
    if (kGridColumns[i].id != i) return false;
  return true;
}
constexpr int SharesTotal() {
  int total = 0;
  for (const GridColumnInfo& c : kGridColumns) total += c.extraShare;
  return total;
}
constexpr int EditableEdge(bool last) {
  int found = -1;
  for (const GridColumnInfo& c : kGridColumns)
    if (c.editable && (found < 0 || last)) found = c.id;
  return found;
}
constexpr bool EditedSideBySide() {
  for (int i = EditableEdge(false); i <= EditableEdge(true); ++i)
    if (!kGridColumns[i].editable) return false;
  return true;
}
constexpr bool ShownWithObject() {
  for (const GridColumnInfo& c : kGridColumns)
    if (c.title != nullptr && c.object == nullptr) return false;
  return true;
}
}  // namespace grid_columns_detail

static_assert(grid_columns_detail::NumberedInOrder(), "a column's row must stand at its number");
static_assert(grid_columns_detail::SharesTotal() == kExtraWidthQuarters, "the extra width is shared out whole");
static_assert(grid_columns_detail::EditedSideBySide(), "Tab and the column borders step through adjacent columns");
static_assert(grid_columns_detail::ShownWithObject(), "the pointer must be able to be over a column one sees");

// The edited columns lie side by side between these two.
inline constexpr int kFirstDataColumn = grid_columns_detail::EditableEdge(false);
inline constexpr int kLastDataColumn = grid_columns_detail::EditableEdge(true);

constexpr bool IsGridColumn(int column) { return column >= 0 && column < kGridColumnCount; }
// The row for a column number; a number outside the table reads as the row indicator.
constexpr const GridColumnInfo& GridColumnAt(int column) {
  return kGridColumns[IsGridColumn(column) ? column : ColRowIndicator];
}
constexpr bool IsGridCell(int column) { return GridColumnAt(column).kind != CellKind::None; }
constexpr bool IsNumberColumn(int column) { return GridColumnAt(column).kind == CellKind::Number; }
constexpr bool IsEditableColumn(int column) { return GridColumnAt(column).editable; }
constexpr bool IsShownColumn(int column) { return IsGridColumn(column) && GridColumnAt(column).title != nullptr; }

// The column whose layout object is named object; -1 for a name no column has.
constexpr int GridColumnOfObject(std::string_view object) {
  for (const GridColumnInfo& c : kGridColumns)
    if (c.object != nullptr && object == c.object) return c.id;
  return -1;
}
