// Opening libraries for the subcommands, progress on a terminal, shared wording.
#include "library_access.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "tool_error.h"

namespace quill_lib {

constexpr std::size_t kProgressThreshold = 1000;

std::unique_ptr<quill::Library> OpenExistingLibrary(const std::string& path) {
  std::string error;
  std::unique_ptr<quill::Library> library = quill::Library::open(path, false, &error);
  if (!library) throw ToolError{kExitFile, error};
  return library;
}

bool IsEmptyFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 0;
}

std::unique_ptr<quill::Library> OpenLibraryForWriting(const std::string& path) {
  std::string error;
  std::unique_ptr<quill::Library> library = quill::Library::openForWriting(path, &error);
  if (!library) throw ToolError{kExitFile, error};
  return library;
}

quill::ProgressCallback TerminalProgress(const std::string& what) {
  if (!isatty(STDERR_FILENO)) return {};
  auto lastPercent = std::make_shared<int>(-1);
  return [what, lastPercent](std::size_t done, std::size_t total) {
    if (total <= kProgressThreshold) return;
    int percent = static_cast<int>(done * 100 / total);
    if (percent == *lastPercent) return;
    *lastPercent = percent;
    if (done >= total) {
      std::fputs("\r\033[K", stderr);  // the finished line disappears
    } else {
      std::fprintf(stderr, "\r%s %zu of %zu (%d%%)", what.c_str(), done, total, percent);
    }
    std::fflush(stderr);
  };
}

namespace {

template <typename Value>
Value Checked(Value value, const std::string& error) {
  if (!error.empty()) throw ToolError{kExitFile, error};
  return value;
}

}  // namespace

quill::LibraryStructures ReadStructures(const quill::Library& library, const std::string& what) {
  std::string error;
  return Checked(quill::LibraryStructures::read(library, TerminalProgress(what), &error), error);
}

std::vector<quill::Library::StoredEntry> StoredEntries(const quill::Library& library) {
  std::string error;
  return Checked(library.storedEntries(&error), error);
}

std::vector<quill::StoredObject> Objects(const quill::Library& library) {
  std::string error;
  return Checked(library.objects(&error), error);
}

std::vector<quill::StoredLocalType> LocalTypes(const quill::Library& library, std::int32_t objectId) {
  std::string error;
  return Checked(library.localTypes(objectId, &error), error);
}

std::optional<quill::StoredObject> ObjectNamed(const quill::Library& library, const std::string& name) {
  std::string error;
  return Checked(library.object(name, &error), error);
}

std::optional<std::string> EntrySource(const quill::Library& library, const std::string& name) {
  std::string error;
  return Checked(library.entrySource(name, &error), error);
}

std::string DescribeError(const quill::CompileError& error) {
  return error.variable.empty() ? error.message : error.variable + ": " + error.message;
}

std::string NotFoundMessage(const std::string& library, const std::string& name) {
  return "The library " + library + " has no structure or object named " + name + ".";
}

}  // namespace quill_lib
