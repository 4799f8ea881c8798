// One row of the grid control as it is stored.
#pragma once

#include <optional>
#include <string>

namespace quill::grid {

// Longest cell text the grid keeps: its length must fit the 16-bit signed count
// the item-text-length call returns.
constexpr std::size_t kCellTextMax = 32767;

// Aligned so that a row's name and type, which every row read takes, share one
// cache line: reading a large grid row by row then streams one line a row.
struct alignas(64) GridRow {
  std::string name;                // column 1, var_name
  std::string type;                // column 2, var_type
  std::optional<double> decimals;  // column 3, var_dec; empty when the cell holds no number
  std::string hidden;              // column 4, not shown (the entry-row marker)
};

}  // namespace quill::grid
