// The type names a user may choose for a variable.
#include "quill/type_choices.h"

#include <algorithm>
#include <cctype>

#include "qst/context_codes.h"
#include "qst/type_vocabulary.h"
#include "quill/compiler.h"
#include "quill/host.h"
#include "quill/runtime.h"

namespace quill {
namespace {

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return prefix.size() <= text.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

}  // namespace

std::vector<std::string> LocalStructuresFor(Host& host, const EditorSession& session) {
  if (session.contextCode == kContextStandAlone || session.ownerObject == 0) return {};
  Runtime& runtime = host.runtime();
  runtime.objectGroup(session.ownerObject);  // loads the owner's structures from its library
  return runtime.localTypeNames(session.ownerObject);
}

std::string TypeLibraryFor(Host& host, const EditorSession& session) {
  std::string library = host.editorLibrary(session);
  return library.empty() ? host.currentLibrary() : library;
}

std::vector<TypeChoice> TypeChoicesFor(Host& host, const EditorSession& session) {
  std::string error;  // a library that cannot be read offers no structures
  std::vector<std::string> libraryStructures;
  for (LibraryEntryInfo& entry : host.runtime().listEntries(TypeLibraryFor(host, session), &error))
    libraryStructures.push_back(std::move(entry.name));
  return TypeChoicesAmong(LocalStructuresFor(host, session), libraryStructures, host.editorStructure(session));
}

std::vector<TypeChoice> TypeChoicesAmong(const std::vector<std::string>& localStructures,
                                         const std::vector<std::string>& libraryStructures, const std::string& self) {
  std::vector<TypeChoice> choices;
  for (const std::string& name : LanguageTypeNames()) {
    TypeChoice choice{name, "", TypeChoice::Kind::Language};
    for (const TypeShortForm& a : kTypeShortForms)
      if (LanguageTypeName(a.fullId) == name) choice.abbreviation = a.text;
    choices.push_back(std::move(choice));
  }
  auto offer = [&](const std::string& name, TypeChoice::Kind kind) {
    if (SameIgnoringCase(name, self)) return;
    for (const TypeChoice& known : choices)
      if (SameIgnoringCase(known.name, name)) return;  // a local structure hides a global one of its name
    choices.push_back({name, "", kind});
  };
  for (const std::string& name : localStructures) offer(name, TypeChoice::Kind::LocalStructure);
  for (const std::string& name : libraryStructures) offer(name, TypeChoice::Kind::Structure);
  // Global structures come before local ones.
  std::stable_partition(choices.begin(), choices.end(),
                        [](const TypeChoice& c) { return c.kind != TypeChoice::Kind::LocalStructure; });
  return choices;
}

std::vector<TypeChoice> FilterTypeChoices(const std::vector<TypeChoice>& choices, std::string_view typed) {
  std::vector<TypeChoice> matching;
  for (const TypeChoice& choice : choices) {
    if (StartsWithIgnoringCase(choice.name, typed) ||
        (!choice.abbreviation.empty() && StartsWithIgnoringCase(choice.abbreviation, typed)))
      matching.push_back(choice);
  }
  return matching;
}

}  // namespace quill
