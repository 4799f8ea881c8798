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
  if (failed)
    std::fprintf(stderr, "%zu of %zu structures do not compile.\n", failed, structures.all().size());
  else
    std::fprintf(stderr, "All %zu structures compile.\n", structures.all().size());
  return failed ? kExitFound : kExitOk;
}

}  // namespace quill_lib
