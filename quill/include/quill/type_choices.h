// The type names an editor's Type cell can offer: the language's types, then
// the structures the edited structure may use.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "qst/host_api.h"

namespace quill {

class Host;
struct EditorSession;

struct TypeChoice {
  enum class Kind { Language, Structure, LocalStructure };
  std::string name;          // what goes into the cell
  std::string abbreviation;  // the short form the editor expands ("int"), or ""
  Kind kind = Kind::Language;
};

// The language's types (alphabetical), then the global structures of the
// editor's library, then for a local structure its owner's other local
// structures. The structure being edited is never offered: it cannot hold itself.
HOST_API std::vector<TypeChoice> TypeChoicesFor(Host& host, const EditorSession& session);
// What TypeChoicesFor gathers: the owner's local structures a local structure
// may use (none for a global one), and the library whose structures it offers
// (the editor's, else the current one).
HOST_API std::vector<std::string> LocalStructuresFor(Host& host, const EditorSession& session);
HOST_API std::string TypeLibraryFor(Host& host, const EditorSession& session);
// The same choices from structure names already gathered, where self is the
// structure being edited. Touches nothing else, so it may run on another thread.
HOST_API std::vector<TypeChoice> TypeChoicesAmong(const std::vector<std::string>& localStructures,
                                                  const std::vector<std::string>& libraryStructures,
                                                  const std::string& self);

// The choices whose name or abbreviation begins with typed, ignoring case, in
// their order; every choice for an empty text.
HOST_API std::vector<TypeChoice> FilterTypeChoices(const std::vector<TypeChoice>& choices, std::string_view typed);

}  // namespace quill
