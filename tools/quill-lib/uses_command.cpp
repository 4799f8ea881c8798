// quill-lib uses: every structure and object that uses a structure, with the
// variables through which it does.
#include <cstdio>

#include "commands.h"
#include "library_access.h"
#include "printable.h"
#include "tool_error.h"

namespace quill_lib {

int RunUses(const std::string& libraryPath, const std::string& name) {
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(libraryPath);
  quill::LibraryStructures structures = ReadStructures(*library, "reading");
  std::optional<std::vector<std::string>> users = quill::DescribeStructureUsers(structures, name);
  if (!users) throw ToolError{kExitNoSuchName, NotFoundMessage(libraryPath, name)};
  if (users->empty())
    std::printf("Nothing uses %s.\n", Printable(structures.all()[*structures.find(name)].label()).c_str());
  for (const std::string& line : *users) std::printf("%s\n", Printable(line).c_str());
  return kExitOk;
}

}  // namespace quill_lib
