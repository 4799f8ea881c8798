// Compiling every structure of a library against the others: name resolution
// between global and local structures, and refusing structures that contain
// themselves through others.
#include "quill/library_structures.h"

#include <algorithm>
#include <unordered_map>

namespace quill {
namespace {

std::string Lowered(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

std::string Label(const StructureSource& source) {
  return source.owner.empty() ? source.name : source.owner + "/" + source.name;
}

// The line a compiled member came from: the first line after the header whose
// last word is the variable as written.
int MemberLine(std::string_view source, const Runtime::Member& member) {
  const std::string written = member.name + member.suffix;
  int line = 0;
  std::size_t pos = 0;
  while (pos < source.size()) {
    std::size_t end = std::min(source.find('\n', pos), source.size());
    std::string_view text = source.substr(pos, end - pos);
    pos = end + 1;
    ++line;
    std::size_t last = text.find_last_not_of(" \t\r\v\f");
    if (line == 1 || last == std::string_view::npos) continue;
    std::size_t first = text.find_last_of(" \t\v\f", last);
    first = first == std::string_view::npos ? 0 : first + 1;
    if (text.substr(first, last + 1 - first) == written) return line;
  }
  return 0;
}

// Which structure a type name means, as seen from inside one structure.
class NameResolver {
 public:
  explicit NameResolver(const std::vector<LibraryStructure>& structures) {
    for (std::size_t i = 0; i < structures.size(); ++i) {
      const StructureSource& s = structures[i].stored;
      (s.owner.empty() ? globals_ : locals_[Lowered(s.owner)])[Lowered(s.name)] = static_cast<int>(i);
    }
  }
  int resolve(const StructureSource& from, const std::string& type) const {
    std::string key = Lowered(type);
    if (!from.owner.empty()) {
      auto owner = locals_.find(Lowered(from.owner));
      if (owner != locals_.end()) {
        auto local = owner->second.find(key);
        if (local != owner->second.end()) return local->second;
      }
    }
    auto global = globals_.find(key);
    return global == globals_.end() ? -1 : global->second;
  }

 private:
  using Names = std::unordered_map<std::string, int>;
  Names globals_;
  std::unordered_map<std::string, Names> locals_;
};

// Compiles one structure as a save does: the known structures are those its
// member types resolve to. A first compile without any finds the member types;
// only a structure that names another one is compiled a second time.
void CompileOne(LibraryStructure& s, const NameResolver& names) {
  CompileExpectation expectation{s.stored.owner.empty(), s.stored.name};
  bool ok = CompileStructureSource(s.stored.source, {}, expectation, &s.compiled, nullptr);
  std::vector<std::string> known;
  s.memberTargets.clear();
  for (std::size_t m = 0; m < s.compiled.members.size(); ++m) {
    const Runtime::Member member = s.compiled.members[m];
    int target = IsLanguageTypeName(member.typeName) ? -1 : names.resolve(s.stored, member.typeName);
    s.memberTargets.push_back(target);
    if (target >= 0) known.push_back(member.typeName);
  }
  if (!ok) CompileStructureSource(s.stored.source, known, expectation, &s.compiled, &s.errors);
}

// Strongly connected components of the containment graph (Tarjan, without
// recursion so that long chains of structures cannot exhaust the stack).
std::vector<int> Components(const std::vector<LibraryStructure>& structures) {
  const int n = static_cast<int>(structures.size());
  std::vector<int> index(n, -1), low(n, 0), component(n, -1), stack;
  std::vector<bool> onStack(n, false);
  int counter = 0, components = 0;
  struct Frame {
    int node;
    std::size_t next;
  };
  for (int root = 0; root < n; ++root) {
    if (index[root] >= 0) continue;
    std::vector<Frame> calls{{root, 0}};
    index[root] = low[root] = counter++;
    stack.push_back(root);
    onStack[root] = true;
    while (!calls.empty()) {
      Frame& f = calls.back();
      const std::vector<int>& targets = structures[f.node].memberTargets;
      if (f.next < targets.size()) {
        int t = targets[f.next++];
        if (t < 0) continue;
        if (index[t] < 0) {
          index[t] = low[t] = counter++;
          stack.push_back(t);
          onStack[t] = true;
          calls.push_back({t, 0});
        } else if (onStack[t]) {
          low[f.node] = std::min(low[f.node], index[t]);
        }
        continue;
      }
      int node = f.node;
      calls.pop_back();
      if (!calls.empty()) low[calls.back().node] = std::min(low[calls.back().node], low[node]);
      if (low[node] != index[node]) continue;
      int member;
      do {
        member = stack.back();
        stack.pop_back();
        onStack[member] = false;
        component[member] = components;
      } while (member != node);
      ++components;
    }
  }
  return component;
}

// The way from one structure back to another inside a component, as labels.
std::string CyclePath(const std::vector<LibraryStructure>& structures, const std::vector<int>& component, int from,
                      int to) {
  std::vector<int> previous(structures.size(), -2);
  std::vector<int> queue{from};
  previous[from] = -1;
  for (std::size_t i = 0; i < queue.size() && previous[to] == -2; ++i)
    for (int t : structures[queue[i]].memberTargets)
      if (t >= 0 && component[t] == component[from] && previous[t] == -2) {
        previous[t] = queue[i];
        queue.push_back(t);
      }
  std::vector<int> path;
  for (int at = to; at >= 0; at = previous[at]) path.push_back(at);
  std::string text = structures[to].label();
  for (auto it = path.rbegin(); it != path.rend(); ++it) text += " > " + structures[*it].label();
  return text;
}

void RefuseCycles(std::vector<LibraryStructure>& structures) {
  std::vector<int> component = Components(structures);
  for (std::size_t i = 0; i < structures.size(); ++i) {
    LibraryStructure& s = structures[i];
    bool added = false;
    for (std::size_t m = 0; m < s.memberTargets.size(); ++m) {
      int t = s.memberTargets[m];
      // A structure naming itself is the compiler's own error already.
      if (t < 0 || t == static_cast<int>(i) || component[t] != component[i]) continue;
      const Runtime::Member& member = s.compiled.members[m];
      s.errors.push_back(
          {MemberLine(s.stored.source, member), member.name + member.suffix,
           "A structure cannot contain itself: " + CyclePath(structures, component, t, static_cast<int>(i)) + "."});
      added = true;
    }
    if (added)
      std::stable_sort(s.errors.begin(), s.errors.end(),
                       [](const CompileError& a, const CompileError& b) { return a.line < b.line; });
  }
}

}  // namespace

std::string LibraryStructure::label() const { return Label(stored); }

LibraryStructures LibraryStructures::compile(std::vector<StructureSource> sources, const ProgressCallback& progress) {
  LibraryStructures result;
  result.structures_.reserve(sources.size());
  for (StructureSource& source : sources) result.structures_.push_back(LibraryStructure{std::move(source), {}, {}, {}});
  NameResolver names(result.structures_);
  const std::size_t total = result.structures_.size();
  for (std::size_t i = 0; i < total; ++i) {
    CompileOne(result.structures_[i], names);
    if (progress && (i % 256 == 0 || i + 1 == total)) progress(i + 1, total);
  }
  RefuseCycles(result.structures_);
  for (std::size_t i = 0; i < total; ++i) result.byLabel_.emplace(Lowered(result.structures_[i].label()), i);
  return result;
}

LibraryStructures LibraryStructures::read(const Library& library, const ProgressCallback& progress,
                                          std::string* error) {
  std::string reason;
  std::vector<StructureSource> sources;
  for (Library::StoredEntry& entry : library.storedEntries(&reason))
    sources.push_back({"", std::move(entry.name), std::move(entry.source)});
  std::vector<StoredObject> objects = reason.empty() ? library.objects(&reason) : std::vector<StoredObject>{};
  for (std::size_t i = 0; i < objects.size() && reason.empty(); ++i)
    for (StoredLocalType& type : library.localTypes(objects[i].id, &reason))
      sources.push_back({objects[i].name, std::move(type.name), std::move(type.source)});
  if (error) *error = reason;
  // Some of a library's structures would tell wrong things about the others.
  if (!reason.empty()) return LibraryStructures{};
  return compile(std::move(sources), progress);
}

std::optional<std::size_t> LibraryStructures::find(std::string_view label) const {
  auto found = byLabel_.find(Lowered(label));
  if (found == byLabel_.end()) return std::nullopt;
  return found->second;
}

bool LibraryStructures::allCompiled() const {
  return std::all_of(structures_.begin(), structures_.end(),
                     [](const LibraryStructure& s) { return s.errors.empty(); });
}

std::vector<StructureUse> LibraryStructures::usersOf(std::size_t index) const {
  std::vector<StructureUse> uses;
  for (std::size_t i = 0; i < structures_.size(); ++i) {
    const LibraryStructure& s = structures_[i];
    StructureUse use{i, {}};
    for (std::size_t m = 0; m < s.memberTargets.size(); ++m)
      if (s.memberTargets[m] == static_cast<int>(index))
        use.variables.push_back(s.compiled.members[m].name + s.compiled.members[m].suffix);
    if (!use.variables.empty()) uses.push_back(std::move(use));
  }
  return uses;
}

std::vector<std::size_t> LibraryStructures::dependencyOrder() const {
  std::vector<std::size_t> order;
  std::vector<char> state(structures_.size(), 0);  // 0 new, 1 on the way, 2 placed
  for (std::size_t root = 0; root < structures_.size(); ++root) {
    if (state[root]) continue;
    std::vector<std::pair<std::size_t, std::size_t>> calls{{root, 0}};
    state[root] = 1;
    while (!calls.empty()) {
      auto& [node, next] = calls.back();
      const std::vector<int>& targets = structures_[node].memberTargets;
      if (next < targets.size()) {
        int t = targets[next++];
        if (t >= 0 && state[t] == 0) {
          state[t] = 1;
          calls.push_back({static_cast<std::size_t>(t), 0});
        }
        continue;
      }
      state[node] = 2;
      order.push_back(node);
      calls.pop_back();
    }
  }
  return order;
}

std::optional<std::vector<std::string>> DescribeStructureUsers(const LibraryStructures& structures,
                                                               std::string_view label) {
  std::optional<std::size_t> index = structures.find(label);
  if (!index) return std::nullopt;
  std::vector<std::string> lines;
  for (const StructureUse& use : structures.usersOf(*index)) {
    std::string line = structures.all()[use.user].label() + ":";
    for (std::size_t v = 0; v < use.variables.size(); ++v) line += (v ? ", " : " ") + use.variables[v];
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace quill
