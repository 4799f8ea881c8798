// Every structure of a library at once, compiled as a save compiles it, and
// which structure contains which: checking a whole library, the "used by"
// list of a structure, and the containment graph.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "qst/host_api.h"
#include "quill/compiler.h"
#include "quill/library.h"

namespace quill {

// One structure's stored text: a global structure (owner "") or a local
// structure of the owning object named owner.
struct StructureSource {
  std::string owner;
  std::string name;
  std::string source;
};

struct HOST_API LibraryStructure {
  StructureSource stored;
  CompiledStructure compiled;
  std::vector<CompileError> errors;  // empty when it compiles
  // For each compiled member, the structure its type names (an index into
  // LibraryStructures::all()), or -1 for a type of the language or an unknown one.
  std::vector<int> memberTargets;
  // "NAME" for a global structure, "OWNER/NAME" for a local one.
  std::string label() const;
};

// A structure that uses another one, and through which of its variables.
struct StructureUse {
  std::size_t user = 0;
  std::vector<std::string> variables;
};

// Called now and then during long work with how much of it is done.
using ProgressCallback = std::function<void(std::size_t done, std::size_t total)>;

class HOST_API LibraryStructures {
 public:
  // Compiles the given structures against one another. A local structure's
  // member types name the owner's local structures first, then the global
  // ones; a global structure's name only global ones. A structure that
  // contains itself, directly or through others, is refused like any other
  // compile error.
  static LibraryStructures compile(std::vector<StructureSource> sources, const ProgressCallback& progress = {});
  // Every global and local structure of the library; none, with *error, when
  // a read of the library failed (*error is emptied otherwise).
  static LibraryStructures read(const Library& library, const ProgressCallback& progress = {},
                                std::string* error = nullptr);

  const std::vector<LibraryStructure>& all() const { return structures_; }
  // By label ("NAME" or "OWNER/NAME"), ignoring case.
  std::optional<std::size_t> find(std::string_view label) const;
  bool allCompiled() const;
  // The structures whose variables have the structure index as their type,
  // in the order of all().
  std::vector<StructureUse> usersOf(std::size_t index) const;
  // Every structure after the structures it contains (cycles broken anywhere).
  std::vector<std::size_t> dependencyOrder() const;

 private:
  std::vector<LibraryStructure> structures_;
  std::unordered_map<std::string, std::size_t> byLabel_;  // lowered label -> index
};

// Lines of the form "LABEL: variable, variable", one for every structure that
// uses the structure of the given label, for people about to rename or delete
// it. Empty when nothing uses it; nullopt when the library
// has no structure of that label.
HOST_API std::optional<std::vector<std::string>> DescribeStructureUsers(const LibraryStructures& structures,
                                                                        std::string_view label);

}  // namespace quill
