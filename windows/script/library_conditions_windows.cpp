// The world around library files in the Windows build: there are none to act
// on, since this build keeps its libraries in memory. A scenario that needs a
// file on disk is skipped, saying which step needed it.
#include <filesystem>
#include <system_error>

#include "library_conditions.h"
#include "step.h"

namespace script {
namespace {

[[noreturn]] void NeedsFileOnDisk(const std::string& what) {
  throw StepSkip{what + " needs library files on disk; the Windows build keeps them in memory"};
}

}  // namespace

LibraryConditions::~LibraryConditions() = default;

bool LibraryConditions::lock(const std::string&, std::string*) { NeedsFileOnDisk("lock"); }
bool LibraryConditions::unlock(const std::string&, std::string*) { NeedsFileOnDisk("unlock"); }
bool LibraryConditions::limitFileSize(std::uint64_t, std::string*) { NeedsFileOnDisk("file-size-limit"); }
bool LibraryConditions::makeReadOnly(const std::string&, std::string*) { NeedsFileOnDisk("readonly"); }
bool LibraryConditions::dropRootRights(std::string*) { NeedsFileOnDisk("unprivileged"); }
void LibraryConditions::restore() {}

void LibraryConditions::requireFilesOnDisk(const std::string& word) { NeedsFileOnDisk(word); }
bool LibraryConditions::stampFormat(const std::string&, std::int32_t, std::string*) {
  NeedsFileOnDisk("library-format");
}

// This build makes only empty files for its libraries: a file with content is
// one the scenario brought (a library, a damaged or a foreign file).
void LibraryConditions::openingLibraryFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec) && std::filesystem::file_size(path, ec) > 0)
    NeedsFileOnDisk("the library file " + path);
}

}  // namespace script
