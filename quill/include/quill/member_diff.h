// How the variables of two versions of a structure differ, in the grid's
// terms: rows added, removed, retyped (type or decimal positions) or moved.
#pragma once

#include <string>
#include <vector>

#include "quill/runtime.h"

namespace quill {

struct MemberChange {
  enum class Kind { Added, Removed, Retyped, Moved };
  Kind kind;
  std::string variable;  // as written in the newer version where it has one
  std::string before;    // Removed: type and row; Retyped: old type; Moved: old row
  std::string after;     // Added: type and row; Retyped: new type; Moved: new row
};

// The type as the grid shows it: "decimal {2}", "integer".
HOST_API std::string DescribeType(const Runtime::Member& member);

// Variables are matched by name ignoring case. A variable counts as moved when
// it is not among the longest run of common variables that kept their order.
HOST_API std::vector<MemberChange> DiffMembers(const MemberTable& before, const MemberTable& after);

// One change as a line: "added variable x: long (row 3)", "moved variable y: row 1 -> row 4".
HOST_API std::string DescribeChange(const MemberChange& change);

}  // namespace quill
