// Three-way merging of one structure's text, a variable at a time: what one
// side changed is taken, the same change on both sides once, and different
// changes to one variable are conflicts. Also the order of named items (the
// variables, an object's local structures) when both sides added or moved some.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "quill/member_table.h"

namespace quill_lib {

// One version of a structure: its stored text and the members it compiled to.
struct SourceVersion {
  std::string_view source;
  const quill::MemberTable* members;
};

// A conflict: the variable as written ("" for the structure as a whole) and
// what each side did ("ours decimal {4}, theirs removed").
struct Conflict {
  std::string variable;
  std::string text;
};

struct SourceMerge {
  std::string source;  // the merged text, when there is no conflict
  std::vector<Conflict> conflicts;
};

// base is null for a structure both sides added.
SourceMerge MergeSource(const SourceVersion* base, const SourceVersion& ours, const SourceVersion& theirs);

// Ours' order of the kept keys, with each of theirsPlaced (keys theirs added
// or moved) put after the key that precedes it in theirs' order, or first.
std::vector<std::string> MergeOrder(const std::vector<std::string>& ours, const std::vector<std::string>& theirs,
                                    const std::unordered_set<std::string>& kept,
                                    const std::unordered_set<std::string>& theirsPlaced);

}  // namespace quill_lib
