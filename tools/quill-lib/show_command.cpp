// quill-lib show: the stored source text of a structure, or of an object's
// local structures, byte for byte.
#include <cstdio>

#include "commands.h"
#include "library_access.h"
#include "names.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

void PrintSource(const std::string& source) {
  std::fwrite(source.data(), 1, source.size(), stdout);
  if (source.empty() || source.back() != '\n') std::fputc('\n', stdout);
}

}  // namespace

int RunShow(const std::string& libraryPath, const std::string& name) {
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(libraryPath);
  if (std::optional<std::string> source = EntrySource(*library, name)) {
    PrintSource(*source);
    return kExitOk;
  }
  std::size_t slash = name.find('/');
  std::string ownerName = slash == std::string::npos ? name : name.substr(0, slash);
  std::optional<quill::StoredObject> owner = ObjectNamed(*library, ownerName);
  if (!owner) throw ToolError{kExitNoSuchName, NotFoundMessage(libraryPath, name)};
  bool shown = false;
  for (const quill::StoredLocalType& type : LocalTypes(*library, owner->id)) {
    if (slash != std::string::npos && !SameName(type.name, name.substr(slash + 1))) continue;
    if (shown) std::fputc('\n', stdout);  // a blank line between two structures
    PrintSource(type.source);
    shown = true;
  }
  if (!shown && slash != std::string::npos) throw ToolError{kExitNoSuchName, NotFoundMessage(libraryPath, name)};
  return kExitOk;
}

}  // namespace quill_lib
