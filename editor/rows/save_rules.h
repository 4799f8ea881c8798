// The rules the rows must meet before a save.
#pragma once

#include <cstdint>

#include "editor/rows/variable_row.h"

// Why the rows may not be saved: the message and where the user is taken.
struct SaveRuleFailure {
  UINT stringId;
  std::uint32_t row;                    // the row to show, 0 for none
  std::uint16_t column;                 // the cell of that row to make current
  char argument[kVariableTextMax + 1];  // the message's argument; empty for none
};

// The save-time rules. Returns 1 when the rows may be saved; otherwise 0 with
// the first failed rule in *failure.
int CheckSaveRules(EditorInstance* instance, SaveRuleFailure* failure);
