// Three-way merging of a structure's text by variable, and of orders.
#include "structure_merge.h"

#include <list>
#include <optional>
#include <unordered_map>

#include "names.h"
#include "quill/compiler.h"
#include "quill/member_diff.h"

namespace quill_lib {
namespace {

using quill::MemberChange;

// One variable's line, with the blank lines before it, as stored.
struct MemberUnit {
  std::string key;  // the lowered name, without an array suffix
  std::string_view text;
  quill::MemberInfo info;
};

// A structure's text cut at its lines: the header (with what precedes it),
// one unit a variable, and "end type" with what follows.
struct SplitSource {
  std::string_view header, footer;
  std::vector<MemberUnit> members;
  std::unordered_map<std::string, std::size_t> byKey;

  const MemberUnit* find(const std::string& key) const {
    auto found = byKey.find(key);
    return found == byKey.end() ? nullptr : &members[found->second];
  }
  std::vector<std::string> keys() const {
    std::vector<std::string> result;
    for (const MemberUnit& unit : members) result.push_back(unit.key);
    return result;
  }
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view LastWord(std::string_view text) {
  std::size_t at = text.size();
  while (at > 0 && !IsBlank(text[at - 1])) --at;
  return text.substr(at);
}

bool IsFooter(std::string_view text) {
  if (text.size() < 8 || !SameName(text.substr(0, 3), "end") || !SameName(LastWord(text), "type")) return false;
  return Trimmed(text.substr(3, text.size() - 7)).empty() && IsBlank(text[3]);
}

// Cuts the text at its lines, pairing the i-th variable line with the i-th
// compiled member; nullopt for a text that did not compile into one member a
// line (then it is merged only as a whole).
std::optional<SplitSource> Split(const SourceVersion& version) {
  SplitSource out;
  const std::string_view s = version.source;
  bool inHeader = true;
  std::size_t unitStart = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    std::size_t end = s.find('\n', pos);
    end = end == std::string_view::npos ? s.size() : end + 1;
    const std::string_view text = Trimmed(s.substr(pos, end - pos));
    pos = end;
    if (text.empty()) continue;
    if (inHeader) {
      out.header = s.substr(0, end);
      inHeader = false;
    } else if (IsFooter(text)) {
      out.footer = s.substr(unitStart);
      if (out.members.size() != version.members->size()) return std::nullopt;
      return out;
    } else {
      const std::size_t k = out.members.size();
      if (k >= version.members->size()) return std::nullopt;
      quill::MemberInfo info = (*version.members)[k];
      if (!SameName(LastWord(text), info.name + info.suffix)) return std::nullopt;
      std::string key = Lowered(info.name);
      if (!out.byKey.emplace(key, k).second) return std::nullopt;
      out.members.push_back({std::move(key), s.substr(unitStart, end - unitStart), std::move(info)});
    }
    unitStart = end;
  }
  return std::nullopt;  // no "end type"
}

std::string Describe(const MemberUnit* unit) {
  return unit ? DescribeType(unit->info) + unit->info.suffix : std::string("removed");
}

// Equal in what the grid shows: name, type, decimal positions, array suffix;
// the spacing of the line does not count.
bool Same(const MemberUnit* a, const MemberUnit* b) {
  if (!a || !b) return a == b;
  return a->info.name == b->info.name && a->info.suffix == b->info.suffix && a->info.decimals == b->info.decimals &&
         SameName(a->info.typeName, b->info.typeName);
}

// The keys of the variables one side moved away from the base's order.
std::unordered_set<std::string> MovedKeys(const SourceVersion* base, const SourceVersion& side) {
  std::unordered_set<std::string> moved;
  if (!base) return moved;
  for (const MemberChange& change : DiffMembers(*base->members, *side.members)) {
    std::string name;
    if (change.kind == MemberChange::Kind::Moved && quill::SplitVariableName(change.variable, &name, nullptr))
      moved.insert(Lowered(name));
  }
  return moved;
}

std::string RowOf(const SplitSource& side, const std::string& key) {
  return "row " + std::to_string(side.byKey.at(key) + 1);
}

std::string PreviousKey(const SplitSource& side, const std::string& key) {
  const std::size_t row = side.byKey.at(key);
  return row == 0 ? std::string() : side.members[row - 1].key;
}

std::string_view PickText(std::string_view base, std::string_view ours, std::string_view theirs) {
  return ours == theirs || base == ours ? theirs : ours;
}

// How the variables of both sides come together: the line each kept
// variable takes, and the conflicts.
class VariableMerge {
 public:
  VariableMerge(const SplitSource& base, const SplitSource& ours, const SplitSource& theirs,
                std::unordered_set<std::string> movedOurs, std::unordered_set<std::string> movedTheirs)
      : base_(base), ours_(ours), theirs_(theirs), movedOurs_(std::move(movedOurs)),
        movedTheirs_(std::move(movedTheirs)) {}

  void run(std::vector<Conflict>* conflicts) {
    for (const SplitSource* side : {&ours_, &theirs_, &base_})
      for (const MemberUnit& unit : side->members)
        if (seen_.insert(unit.key).second) merge(unit, conflicts);
  }

  std::string text() const {
    std::string result(PickText(base_.header, ours_.header, theirs_.header));
    for (const std::string& key : MergeOrder(ours_.keys(), theirs_.keys(), kept_, theirsPlaced_))
      result += chosen_.at(key)->text;
    result += PickText(base_.footer, ours_.footer, theirs_.footer);
    return result;
  }

 private:
  void merge(const MemberUnit& any, std::vector<Conflict>* conflicts) {
    const std::string& key = any.key;
    const std::string variable = any.info.name + any.info.suffix;
    const MemberUnit *b = base_.find(key), *o = ours_.find(key), *t = theirs_.find(key);
    const MemberUnit* chosen;
    if (Same(o, t) || Same(b, t)) {
      chosen = o;
    } else if (Same(b, o)) {
      chosen = t;
    } else {
      conflicts->push_back({variable, "ours " + Describe(o) + ", theirs " + Describe(t)});
      return;
    }
    const bool movedO = movedOurs_.count(key) != 0, movedT = movedTheirs_.count(key) != 0;
    if (!chosen) {
      if (o && movedO) conflicts->push_back({variable, "ours moved to " + RowOf(ours_, key) + ", theirs removed"});
      if (t && movedT) conflicts->push_back({variable, "ours removed, theirs moved to " + RowOf(theirs_, key)});
      return;
    }
    if (movedO && movedT && PreviousKey(ours_, key) != PreviousKey(theirs_, key)) {
      conflicts->push_back(
          {variable, "ours moved to " + RowOf(ours_, key) + ", theirs moved to " + RowOf(theirs_, key)});
      return;
    }
    kept_.insert(key);
    chosen_[key] = chosen;
    if (!o || (movedT && !movedO)) theirsPlaced_.insert(key);
  }

  const SplitSource &base_, &ours_, &theirs_;
  const std::unordered_set<std::string> movedOurs_, movedTheirs_;
  std::unordered_set<std::string> seen_, kept_, theirsPlaced_;
  std::unordered_map<std::string, const MemberUnit*> chosen_;
};

}  // namespace

SourceMerge MergeSource(const SourceVersion* base, const SourceVersion& ours, const SourceVersion& theirs) {
  SourceMerge result;
  std::optional<SplitSource> b = base ? Split(*base) : SplitSource{};
  std::optional<SplitSource> o = Split(ours), t = Split(theirs);
  if (!b || !o || !t) {
    result.conflicts.push_back({"", "ours and theirs both changed its text, and one of them does not compile"});
    return result;
  }
  VariableMerge merge(*b, *o, *t, MovedKeys(base, ours), MovedKeys(base, theirs));
  merge.run(&result.conflicts);
  if (result.conflicts.empty()) result.source = merge.text();
  return result;
}

std::vector<std::string> MergeOrder(const std::vector<std::string>& ours, const std::vector<std::string>& theirs,
                                    const std::unordered_set<std::string>& kept,
                                    const std::unordered_set<std::string>& theirsPlaced) {
  std::list<std::string> order;
  std::unordered_map<std::string, std::list<std::string>::iterator> at;
  for (const std::string& key : ours)
    if (kept.count(key) && !theirsPlaced.count(key)) at[key] = order.insert(order.end(), key);
  // Walking theirs' order, the latest key already in the list is where the
  // next placed key goes after.
  std::optional<std::list<std::string>::iterator> previous;
  for (const std::string& key : theirs) {
    if (kept.count(key) && theirsPlaced.count(key) && !at.count(key))
      at[key] = order.insert(previous ? std::next(*previous) : order.begin(), key);
    if (auto found = at.find(key); found != at.end()) previous = found->second;
  }
  return {order.begin(), order.end()};
}

}  // namespace quill_lib
