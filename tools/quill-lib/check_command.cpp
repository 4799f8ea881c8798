// quill-lib check: every structure compiled as a save would compile it, each
// error printed as LIBRARY:NAME:LINE: message.
#include <cstdio>

#include "commands.h"
#include "library_access.h"
#include "printable.h"
#include "tool_error.h"

namespace quill_lib {

int RunCheck(const std::string& libraryPath) {
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(libraryPath);
  quill::LibraryStructures structures = ReadStructures(*library, "checking");
  std::size_t failed = 0;
  for (const quill::LibraryStructure& s : structures.all()) {
    if (s.errors.empty()) continue;
    ++failed;
    for (const quill::CompileError& error : s.errors)
      std::printf("%s:%s:%d: %s\n", Printable(libraryPath).c_str(), Printable(s.label()).c_str(), error.line,
                  Printable(DescribeError(error)).c_str());
  }
  // A name is what every other structure finds it by; older libraries did not refuse an empty one.
  std::string readError;
  std::optional<std::int64_t> nameless = library->namelessStructures(&readError);
  if (!nameless) throw ToolError{kExitFile, readError};
  if (*nameless)
    std::printf("%s: %lld structures have no name; no other structure can use them.\n", libraryPath.c_str(),
                static_cast<long long>(*nameless));
  if (failed)
    std::fprintf(stderr, "%zu of %zu structures do not compile.\n", failed, structures.all().size());
  else
    std::fprintf(stderr, "All %zu structures compile.\n", structures.all().size());
  return failed || *nameless ? kExitFound : kExitOk;
}

}  // namespace quill_lib
