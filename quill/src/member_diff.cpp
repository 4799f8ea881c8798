// Comparing the variables of two versions of a structure.
#include "quill/member_diff.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

#include "qst/type_vocabulary.h"
#include "quill/src/runtime_state.h"

namespace quill {
namespace {

using Members = MemberTable;

// Positions (in `after`) of the common variables that keep their order: the
// longest common subsequence of the two orders. Names are unique within a
// version, so it is the longest increasing run of before-positions taken in
// after's order, found in n log n time and linear memory (a structure may hold
// a million variables).
std::vector<bool> KeptOrder(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::unordered_map<std::string_view, std::size_t> positionInA;
  for (std::size_t i = 0; i < a.size(); ++i) positionInA.emplace(a[i], i);
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // Scanned from the end, so that of equally long runs the one holding the
  // earlier rows of `after` is kept and the later ones count as moved.
  std::vector<std::size_t> headAt;  // headAt[k]: index in b starting the best run of length k+1
  std::vector<std::size_t> next(b.size(), kNone);
  std::vector<std::size_t> position(b.size(), kNone);
  for (std::size_t j = b.size(); j-- > 0;) {
    auto found = positionInA.find(b[j]);
    if (found == positionInA.end()) continue;
    position[j] = found->second;
    auto at = std::lower_bound(headAt.begin(), headAt.end(), position[j],
                               [&](std::size_t head, std::size_t p) { return position[head] > p; });
    if (at != headAt.begin()) next[j] = *(at - 1);
    if (at == headAt.end())
      headAt.push_back(j);
    else
      *at = j;
  }
  std::vector<bool> kept(b.size(), false);
  for (std::size_t j = headAt.empty() ? kNone : headAt.back(); j != kNone; j = next[j]) kept[j] = true;
  return kept;
}

// Names compare ignoring letter case.
std::string Key(std::string_view name) { return LoweredName(std::string(name)); }

std::unordered_map<std::string, std::size_t> RowsByName(const Members& members) {
  std::unordered_map<std::string, std::size_t> rows;
  for (std::size_t i = 0; i < members.size(); ++i) rows.emplace(Key(members.name(i)), i);
  return rows;
}

}  // namespace

std::string DescribeType(const Runtime::Member& member) {
  if (SameName(member.typeName, kDecimalTypeName))
    return member.typeName + " {" + std::to_string(member.decimals) + "}";
  return member.typeName;
}

std::vector<MemberChange> DiffMembers(const Members& before, const Members& after) {
  using Kind = MemberChange::Kind;
  std::vector<MemberChange> changes;
  auto rowsBefore = RowsByName(before), rowsAfter = RowsByName(after);
  std::vector<std::string> commonBefore, commonAfter;
  for (std::size_t i = 0; i < before.size(); ++i)
    if (rowsAfter.count(Key(before.name(i)))) commonBefore.push_back(Key(before.name(i)));
  for (std::size_t i = 0; i < after.size(); ++i)
    if (rowsBefore.count(Key(after.name(i)))) commonAfter.push_back(Key(after.name(i)));
  std::vector<bool> kept = KeptOrder(commonBefore, commonAfter);
  for (std::size_t row = 0; row < before.size(); ++row)
    if (const Runtime::Member gone = before[row]; !rowsAfter.count(Key(gone.name)))
      changes.push_back(
          {Kind::Removed, gone.name + gone.suffix, DescribeType(gone) + " (row " + std::to_string(row + 1) + ")", ""});
  std::size_t common = 0;
  for (std::size_t row = 0; row < after.size(); ++row) {
    const Runtime::Member now = after[row];
    auto was = rowsBefore.find(Key(now.name));
    if (was == rowsBefore.end()) {
      changes.push_back(
          {Kind::Added, now.name + now.suffix, "", DescribeType(now) + " (row " + std::to_string(row + 1) + ")"});
      continue;
    }
    const Runtime::Member old = before[was->second];
    std::string oldType = DescribeType(old) + old.suffix, newType = DescribeType(now) + now.suffix;
    if (!SameName(oldType, newType)) changes.push_back({Kind::Retyped, now.name + now.suffix, oldType, newType});
    if (!kept[common++])
      changes.push_back({Kind::Moved, now.name + now.suffix, "row " + std::to_string(was->second + 1),
                         "row " + std::to_string(row + 1)});
  }
  return changes;
}

std::string DescribeChange(const MemberChange& change) {
  const std::string& variable = change.variable;
  switch (change.kind) {
    case MemberChange::Kind::Added: return "added variable " + variable + ": " + change.after;
    case MemberChange::Kind::Removed: return "removed variable " + variable + ": " + change.before;
    case MemberChange::Kind::Retyped:
      return "retyped variable " + variable + ": " + change.before + " -> " + change.after;
    case MemberChange::Kind::Moved: return "moved variable " + variable + ": " + change.before + " -> " + change.after;
  }
  return {};
}

}  // namespace quill
