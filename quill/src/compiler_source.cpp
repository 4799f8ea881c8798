// The structure source compiler: one pass over the text, line by line,
// collecting every error with its line and variable.
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "qst/type_vocabulary.h"
#include "quill/compiler.h"

namespace quill {
namespace {

// Types the compiler knows beyond the language's type names an editor offers.
constexpr std::array<std::string_view, 2> kCompilerOnlyTypes = {"any", "blob"};

constexpr std::string_view kDecimalRange = kBadDecimalsMessage;
constexpr std::string_view kInvalidName = kBadVariableNameMessage;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Lowered(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = Lower(c);
  return result;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool IsIdentifier(std::string_view text) {
  if (text.empty() || text.size() > kMaxNameLength || !IsLetter(text.front())) return false;
  return std::all_of(text.begin(), text.end(), [](char c) {
    return IsLetter(c) || IsDigit(c) || c == '_' || c == '$' || c == '#' || c == '%' || c == '-';
  });
}

// Parses "{N}" contents; false for anything but a plain number in range.
bool ParseDecimals(std::string_view text, int* value) {
  text = Trimmed(text);
  if (text.empty() || text.size() > 3 || !std::all_of(text.begin(), text.end(), IsDigit)) return false;
  int n = 0;
  for (char c : text) n = n * 10 + (c - '0');
  if (n > kMaxDecimals) return false;
  *value = n;
  return true;
}

// One member line split into its parts, before any judgement.
struct MemberLine {
  std::string_view type;
  std::optional<std::string_view> decimals;  // inside the braces
  bool unclosedBrace = false;
  std::string_view name;
  bool trailing = false;  // more text after the name
};

MemberLine SplitMemberLine(std::string_view line) {
  MemberLine parts;
  std::size_t i = 0, n = line.size();
  auto skipBlanks = [&] {
    while (i < n && IsBlank(line[i])) ++i;
  };
  skipBlanks();
  std::size_t start = i;
  while (i < n && !IsBlank(line[i]) && line[i] != '{') ++i;
  parts.type = line.substr(start, i - start);
  skipBlanks();
  if (i < n && line[i] == '{') {
    std::size_t close = line.find('}', i);
    if (close == std::string_view::npos) {
      // Without its brace the number ends at the next blank; the name may follow.
      parts.unclosedBrace = true;
      std::size_t end = i + 1;
      while (end < n && !IsBlank(line[end])) ++end;
      parts.decimals = line.substr(i + 1, end - i - 1);
      i = end;
    } else {
      parts.decimals = line.substr(i + 1, close - i - 1);
      i = close + 1;
    }
    skipBlanks();
  }
  start = i;
  while (i < n && !IsBlank(line[i])) ++i;
  parts.name = line.substr(start, i - start);
  skipBlanks();
  parts.trailing = i < n;
  return parts;
}

bool IsFooter(std::string_view text) {
  if (text.size() > 32 || (text.front() != 'e' && text.front() != 'E')) return false;
  std::vector<std::string_view> words = Words(text);
  return words.size() == 2 && EqualsIgnoringCase(words[0], "end") && EqualsIgnoringCase(words[1], "type");
}

// The text between two words of the same line.
std::string_view Between(std::string_view before, std::string_view after) {
  const char* start = before.data() + before.size();
  return Trimmed(std::string_view(start, static_cast<std::size_t>(after.data() - start)));
}

// Finds members whose names are equal ignoring letter case. Each member's name
// hash is kept with its index while the text is read; afterwards a radix sort
// brings equal hashes together, still in member order, and only those few are
// compared. Unlike a hash table probed once per line, every pass is sequential,
// so a million members cost ten times what a hundred thousand cost.
class DuplicateFinder {
 public:
  void reserve(std::size_t members) { keys_.reserve(members); }
  // Members must be added in index order.
  void add(std::string_view name, std::uint32_t index) { keys_.push_back(std::uint64_t{Hash(name)} << 32 | index); }

  // Calls found(index, first) for every member whose name an earlier member
  // (the first of them: first) already had, in no particular order.
  template <typename Found>
  void forEachDuplicate(const MemberTable& members, Found found) {
    SortByHash();
    for (std::size_t group = 0; group < keys_.size();) {
      std::size_t end = group + 1;
      while (end < keys_.size() && keys_[end] >> 32 == keys_[group] >> 32) ++end;
      for (std::size_t k = group + 1; k < end; ++k) {
        const auto index = static_cast<std::uint32_t>(keys_[k]);
        for (std::size_t j = group; j < k; ++j) {
          const auto first = static_cast<std::uint32_t>(keys_[j]);
          if (EqualsIgnoringCase(members.name(first), members.name(index))) {
            found(index, first);  // the earliest such member, as j counts up
            break;
          }
        }
      }
      group = end;
    }
    keys_ = {};
  }

 private:
  static std::uint32_t Hash(std::string_view name) {
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the lowered bytes
    for (char c : name) hash = (hash ^ static_cast<unsigned char>(Lower(c))) * 1099511628211ull;
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
  }
  // Sorts by hash, members of equal hash in index order. A few keys are simply
  // sorted whole (the index is the low half); many take a stable radix sort on
  // the hash half in two 16-bit passes, whose tables are not worth it for few.
  void SortByHash() {
    if (keys_.size() < kRadixFrom) {
      std::sort(keys_.begin(), keys_.end());
      return;
    }
    std::vector<std::uint64_t> buffer(keys_.size());
    for (int shift : {32, 48}) {
      std::vector<std::size_t> starts(65537, 0);
      for (std::uint64_t key : keys_) ++starts[((key >> shift) & 0xFFFF) + 1];
      for (std::size_t b = 1; b < starts.size(); ++b) starts[b] += starts[b - 1];
      for (std::uint64_t key : keys_) buffer[starts[(key >> shift) & 0xFFFF]++] = key;
      keys_.swap(buffer);
    }
  }

  static constexpr std::size_t kRadixFrom = 1u << 16;

  std::vector<std::uint64_t> keys_;  // name hash << 32 | member index
};

// A variable name split into its name and its array suffix, when it is one.
bool SplitName(std::string_view text, std::string_view* name, std::string_view* suffix);

class SourceCompiler {
 public:
  SourceCompiler(const std::vector<std::string>& known, const CompileExpectation& expectation, CompiledStructure* out,
                 std::vector<CompileError>* errors)
      : expectation_(expectation), out_(out), errors_(errors) {
    for (const std::string& name : known) known_.insert(Lowered(name));
  }

  bool run(std::string_view source);

 private:
  void error(int line, std::string_view variable, std::string message) {
    ++errorCount_;
    if (errors_) found_.push_back(CompileError{line, std::string(variable), std::move(message)});
  }
  void reportDuplicates();
  void header(int line, std::string_view text);
  void member(int line, std::string_view text);
  void checkType(int line, const MemberLine& parts, int* decimals);
  bool isStructure(std::string_view type) const { return known_.count(Lowered(type)) != 0; }
  bool holdsThisStructure(std::string_view type);
  const std::vector<std::string>& memberTypes(const std::string& lowered, std::string_view type);
  std::string headerForm() const;

  const CompileExpectation& expectation_;
  CompiledStructure* out_;
  std::vector<CompileError>* errors_;
  std::unordered_set<std::string> known_;
  std::vector<CompileError> found_;  // this compile's errors, put in line order at the end
  DuplicateFinder duplicates_;
  std::vector<std::uint32_t> memberLines_;  // the line of each member
  std::string selfLowered_;
  std::unordered_map<std::string, std::vector<std::string>> memberTypes_;  // lowered structure -> its member types
  std::unordered_map<std::string, bool> holdsThis_;                        // lowered structure -> answer
  int errorCount_ = 0;
};

std::string SourceCompiler::headerForm() const {
  if (expectation_.global == std::optional<bool>(true)) return "\"global type NAME from structure\"";
  if (expectation_.global == std::optional<bool>(false)) return "\"type NAME from structure\"";
  return "\"global type NAME from structure\" or \"type NAME from structure\"";
}

// The name is whatever stands between "type" and "from structure": a name with
// a blank in it is a bad name, not a misshapen line.
void SourceCompiler::header(int line, std::string_view text) {
  std::vector<std::string_view> words = Words(text);
  bool global = !words.empty() && EqualsIgnoringCase(words[0], "global");
  std::size_t at = global ? 1 : 0;
  std::size_t n = words.size();
  bool shaped = n >= at + 4 && EqualsIgnoringCase(words[at], "type") && EqualsIgnoringCase(words[n - 2], "from") &&
                EqualsIgnoringCase(words[n - 1], "structure");
  if (!shaped || (expectation_.global && *expectation_.global != global)) {
    error(line, "", "The first line must be " + headerForm() + ".");
    if (!shaped) return;
  }
  std::string_view name = Between(words[at], words[n - 2]);
  out_->name = std::string(name);
  out_->global = global;
  selfLowered_ = Lowered(name);
  if (!IsIdentifier(name) || IsLanguageTypeName(std::string(name))) {
    error(line, "", "Invalid structure name.");
  } else if (!expectation_.name.empty() && !EqualsIgnoringCase(name, expectation_.name)) {
    error(line, "", "The first line must name the structure " + expectation_.name + ".");
  }
}

void SourceCompiler::checkType(int line, const MemberLine& parts, int* decimals) {
  bool isDecimal = EqualsIgnoringCase(parts.type, kDecimalTypeName);
  std::string variable(parts.name);
  if (!IsLanguageTypeName(std::string(parts.type))) {
    if (!selfLowered_.empty() && Lowered(parts.type) == selfLowered_) {
      error(line, variable, "A structure cannot contain itself.");
    } else if (!isStructure(parts.type)) {
      error(line, variable, "Unknown type \"" + std::string(parts.type) + "\".");
    } else if (holdsThisStructure(parts.type)) {
      error(line, variable, "A structure cannot contain itself.");
    }
  }
  if (!parts.decimals) return;
  if (!isDecimal) {
    error(line, variable, "Only decimal variables have decimal positions.");
  } else if (parts.unclosedBrace || !ParseDecimals(*parts.decimals, decimals)) {
    error(line, variable, std::string(kDecimalRange));
  }
}

const std::vector<std::string>& SourceCompiler::memberTypes(const std::string& lowered, std::string_view type) {
  auto it = memberTypes_.find(lowered);
  if (it == memberTypes_.end()) it = memberTypes_.emplace(lowered, expectation_.memberTypesOf(std::string(type))).first;
  return it->second;
}

// True when the known structure type holds this one through its members, at any
// depth: storing this one would close a circle no value could ever fill.
bool SourceCompiler::holdsThisStructure(std::string_view type) {
  if (!expectation_.memberTypesOf || selfLowered_.empty()) return false;
  const std::string start = Lowered(type);
  if (auto known = holdsThis_.find(start); known != holdsThis_.end()) return known->second;
  std::unordered_set<std::string> visited{start};
  std::vector<std::pair<std::string, std::string>> pending{{start, std::string(type)}};  // lowered, as written
  bool found = false;
  while (!pending.empty() && !found) {
    auto [lowered, written] = std::move(pending.back());
    pending.pop_back();
    for (const std::string& member : memberTypes(lowered, written)) {
      std::string memberLowered = Lowered(member);
      if (memberLowered == selfLowered_) {
        found = true;
        break;
      }
      if (isStructure(member) && visited.insert(memberLowered).second) pending.emplace_back(memberLowered, member);
    }
  }
  holdsThis_[start] = found;
  return found;
}

void SourceCompiler::member(int line, std::string_view text) {
  MemberLine parts = SplitMemberLine(text);
  if (parts.type.empty() || parts.name.empty()) {
    error(line, parts.name, "Expected a type and a variable name.");
    return;
  }
  int decimals = 0;
  checkType(line, parts, &decimals);
  if (parts.trailing) error(line, parts.name, "Unexpected text after the variable name.");
  std::string_view name, suffix;
  if (!SplitName(parts.name, &name, &suffix)) {
    error(line, parts.name, std::string(kInvalidName));
    return;
  }
  MemberTable& members = out_->members;
  const auto index = static_cast<std::uint32_t>(members.size());
  members.add(name, suffix, parts.type, decimals);
  duplicates_.add(name, index);
  memberLines_.push_back(static_cast<std::uint32_t>(line));
}

void SourceCompiler::reportDuplicates() {
  const MemberTable& members = out_->members;
  duplicates_.forEachDuplicate(members, [&](std::uint32_t index, std::uint32_t first) {
    std::string variable = std::string(members.name(index)) + std::string(members.suffix(index));
    const int line = static_cast<int>(memberLines_[index]);
    if (members.name(first) == members.name(index)) {
      error(line, variable, "Duplicate variable name.");
    } else {
      error(line, variable,
            "Duplicate variable name: same as \"" + std::string(members.name(first)) + "\" apart from letter case.");
    }
  });
  memberLines_ = {};
}

bool SourceCompiler::run(std::string_view source) {
  source = source.substr(0, source.find('\0'));
  std::size_t lines = static_cast<std::size_t>(std::count(source.begin(), source.end(), '\n'));
  duplicates_.reserve(lines);
  memberLines_.reserve(lines);
  // Names and suffixes are a small part of each line.
  out_->members.reserve(lines, source.size() / 2);
  enum class Stage { Header, Members, Done } stage = Stage::Header;
  int line = 0;
  std::size_t pos = 0;
  while (pos < source.size()) {
    std::size_t end = source.find('\n', pos);
    if (end == std::string_view::npos) end = source.size();
    std::string_view text = Trimmed(source.substr(pos, end - pos));
    pos = end + 1;
    ++line;
    if (text.empty()) continue;
    bool footer = IsFooter(text);
    if (stage == Stage::Done) {
      error(line, "", "Unexpected text after \"end type\".");
      break;
    }
    if (stage == Stage::Header && !footer) {
      header(line, text);
      stage = Stage::Members;
      continue;
    }
    if (footer) {
      if (stage == Stage::Header) error(line, "", "The first line must be " + headerForm() + ".");
      stage = Stage::Done;
      continue;
    }
    member(line, text);
  }
  if (stage == Stage::Header) error(std::max(line, 1), "", "The first line must be " + headerForm() + ".");
  if (stage != Stage::Done) error(std::max(line, 1), "", "Missing \"end type\".");
  reportDuplicates();
  out_->members.shrink();
  if (errors_) {
    // Within a line the duplicate comes last, as it is found last.
    std::stable_sort(found_.begin(), found_.end(),
                     [](const CompileError& a, const CompileError& b) { return a.line < b.line; });
    errors_->insert(errors_->end(), std::make_move_iterator(found_.begin()), std::make_move_iterator(found_.end()));
  }
  return errorCount_ == 0;
}

}  // namespace

std::vector<std::string> MemberTypeNames(const std::string& source) {
  std::vector<std::string> types;
  std::string_view text(source);
  text = text.substr(0, text.find('\0'));
  bool header = true;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = Trimmed(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;
    if (IsFooter(line)) break;
    if (header) {
      header = false;
      continue;
    }
    MemberLine parts = SplitMemberLine(line);
    if (!parts.type.empty()) types.emplace_back(parts.type);
  }
  return types;
}

std::vector<std::string> LanguageTypeNames() {
  std::vector<std::string> names(std::begin(kLanguageTypeNames), std::end(kLanguageTypeNames));
  names.insert(names.end(), kCompilerOnlyTypes.begin(), kCompilerOnlyTypes.end());
  std::sort(names.begin(), names.end());
  return names;
}

bool IsLanguageTypeName(const std::string& name) {
  auto same = [&](std::string_view type) { return EqualsIgnoringCase(type, name); };
  return std::any_of(std::begin(kLanguageTypeNames), std::end(kLanguageTypeNames), same) ||
         std::any_of(kCompilerOnlyTypes.begin(), kCompilerOnlyTypes.end(), same);
}

namespace {
bool SplitName(std::string_view text, std::string_view* base, std::string_view* suffix) {
  std::size_t bracket = text.find('[');
  std::string_view name = text.substr(0, bracket);
  std::string_view tail = bracket == std::string_view::npos ? std::string_view() : text.substr(bracket);
  if (!IsIdentifier(name)) return false;
  if (!tail.empty()) {
    if (tail.size() < 2 || tail.back() != ']') return false;
    std::string_view digits = tail.substr(1, tail.size() - 2);
    if (!std::all_of(digits.begin(), digits.end(), IsDigit) || digits.size() > 9) return false;
    if (!digits.empty() && digits.find_first_not_of('0') == std::string_view::npos) return false;
  }
  *base = name;
  *suffix = tail;
  return true;
}
}  // namespace

bool SplitVariableName(const std::string& text, std::string* base, std::string* suffix) {
  std::string_view name, tail;
  if (!SplitName(text, &name, &tail)) return false;
  if (base) *base = std::string(name);
  if (suffix) *suffix = std::string(tail);
  return true;
}

bool CompileStructureSource(const std::string& source, const std::vector<std::string>& knownStructures,
                            const CompileExpectation& expectation, CompiledStructure* out,
                            std::vector<CompileError>* errors) {
  CompiledStructure scratch;
  if (!out) out = &scratch;
  *out = CompiledStructure{};
  return SourceCompiler(knownStructures, expectation, out, errors).run(source);
}

bool CompileStructureSource(const std::string& source, const std::vector<std::string>& knownStructures,
                            CompiledStructure* out, std::vector<CompileError>* errors) {
  return CompileStructureSource(source, knownStructures, CompileExpectation{}, out, errors);
}

}  // namespace quill
