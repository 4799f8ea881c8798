// What a scenario makes of the world around its library files: another
// connection holding a library locked, a limit on the size of files written,
// read-only files and folders, and running without root's rights, all undone
// when the scenario ends; and a library left in another format.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace script {

class LibraryConditions {
 public:
  LibraryConditions() = default;
  ~LibraryConditions();
  LibraryConditions(const LibraryConditions&) = delete;
  LibraryConditions& operator=(const LibraryConditions&) = delete;

  // A second connection takes the file's exclusive lock (no one else may read
  // or write it) and keeps it until unlock or the end. False with *error.
  bool lock(const std::string& path, std::string* error);
  bool unlock(const std::string& path, std::string* error);
  // Files this process writes may grow to bytes at most, as a system quota
  // would allow; a write past it fails.
  bool limitFileSize(std::uint64_t bytes, std::string* error);
  // Takes the write permission of a file or folder away.
  bool makeReadOnly(const std::string& path, std::string* error);
  // Later steps run as an ordinary user: root takes the user nobody as its
  // effective user, after giving it the working folder. False with *reason
  // when that cannot be done.
  bool dropRootRights(std::string* reason);

  // Steps that need library files on disk as they are: a check that a file
  // does not exist, and a library file the scenario brought along. Nothing to
  // do where libraries are files; a build that keeps its libraries in memory
  // skips the scenario there (throws StepSkip).
  static void requireFilesOnDisk(const std::string& word);
  static void openingLibraryFile(const std::string& path);
  // The library file at path says it has the given format, as a program
  // writing that format would leave it; its tables stay as they are. False
  // with *error when path is no library. Nothing undoes it.
  static bool stampFormat(const std::string& path, std::int32_t format, std::string* error);

 private:
  void restore();

  std::map<std::string, sqlite3*> locks_;
  std::optional<rlimit> fileSizeLimit_;
  std::vector<std::pair<std::string, unsigned>> modes_;  // read-only made: the modes to put back
  bool droppedRoot_ = false;
};

}  // namespace script
