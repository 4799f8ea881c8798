// Grid rows as `expect grid` and `dump` write them: NAME TYPE DEC FLAGS, a dot
// for an empty cell, DEC with %g, FLAGS E (entry-row marker), S (selected), ES
// or a dot, and any other column-4 text quoted as a fifth word.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quill/grid_sheet.h"
#include "script_words.h"

namespace script {

// The row as one line of words.
std::string FormatGridRow(const quill::GridSheet& grid, std::uint32_t row);

// Whether the scenario's words describe the row. Empty-cell dots are bare;
// a quoted "." is a cell holding a dot. DEC compares as a number.
bool GridRowMatches(const quill::GridSheet& grid, std::uint32_t row, const std::vector<Word>& expected);

}  // namespace script
