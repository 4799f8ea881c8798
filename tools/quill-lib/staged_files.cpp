// Files changed all or nothing through temporary names and renames.
#include "staged_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "tool_error.h"

namespace quill_lib {
namespace {

// Writes text into a new temporary file for name, named in *created once it
// exists. False on failure, errno telling why.
bool WriteTemporary(const FolderHandle& folder, const std::string& name, const std::string& text,
                    std::string* created) {
  int fd = folder.createTemporary(name, created);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      int error = errno;
      close(fd);
      errno = error;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return close(fd) == 0;
}

// renameat2 where the file system has it; a plain rename where it has not
// (then the rename cannot be exchanged back). *exact is false after the fallback.
int Rename(int folder, const std::string& from, const std::string& to, unsigned flags, bool* exact) {
  if (renameat2(folder, from.c_str(), folder, to.c_str(), flags) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return -1;
  *exact = false;
  return renameat(folder, from.c_str(), folder, to.c_str());
}

}  // namespace

StagedFiles::~StagedFiles() {
  if (committed_) return;
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
    if (change->done) undo(*change);
  removeTemporaries();
  for (auto made = madeFolders_.rbegin(); made != madeFolders_.rend(); ++made)
    unlinkat(made->parent.fd(), made->name.c_str(), AT_REMOVEDIR);
  for (auto path = madePaths_.rbegin(); path != madePaths_.rend(); ++path) rmdir(path->c_str());
}

FolderHandle StagedFiles::folder(const FolderHandle& parent, const std::string& name) {
  if (std::optional<FolderHandle> existing = parent.child(name)) return *existing;
  if (mkdirat(parent.fd(), name.c_str(), 0777) == 0)
    madeFolders_.push_back({parent, name});
  else if (errno != EEXIST)
    throw ToolError{kExitFile, WriteFailure(parent.pathOf(name), errno)};
  std::optional<FolderHandle> made = parent.child(name);
  if (!made) throw ToolError{kExitFile, WriteFailure(parent.pathOf(name), ENOENT)};
  return *made;
}

void StagedFiles::madeFolder(const std::string& path) { madePaths_.push_back(path); }

void StagedFiles::write(const FolderHandle& folder, const std::string& name, const std::string& text) {
  std::optional<EntryType> type = folder.typeOf(name);
  if (type && *type != EntryType::File)
    throw ToolError{kExitFile, WrongEntryMessage(folder.pathOf(name), *type, EntryType::File)};
  if (type) {
    std::string old;
    if (!folder.readFile(name, text.size(), &old) && old == text) return;  // unchanged: not even its time
  }
  Change change{folder, name, "", type ? Kind::Replace : Kind::Create};
  std::string created;
  bool written = WriteTemporary(folder, name, text, &created);
  int error = errno;
  change.temporary = created;  // the destructor removes it, written or not
  changes_.push_back(std::move(change));
  if (!written) throw ToolError{kExitFile, WriteFailure(folder.pathOf(name), error)};
}

void StagedFiles::remove(const FolderHandle& folder, const std::string& name) {
  std::optional<EntryType> type = folder.typeOf(name);
  if (!type) return;
  if (*type != EntryType::File)
    throw ToolError{kExitFile, WrongEntryMessage(folder.pathOf(name), *type, EntryType::File)};
  changes_.push_back({folder, name, "", Kind::Remove});
}

void StagedFiles::apply(Change& change) {
  const int fd = change.folder.fd();
  int result = 0;
  switch (change.kind) {
    case Kind::Create:
      result = Rename(fd, change.temporary, change.name, RENAME_NOREPLACE, &change.undoable);
      if (result == 0) change.temporary.clear();
      break;
    case Kind::Replace:
      // Exchanged, the temporary name holds the old file until the end.
      result = Rename(fd, change.temporary, change.name, RENAME_EXCHANGE, &change.undoable);
      if (result == 0 && !change.undoable) change.temporary.clear();
      break;
    case Kind::Remove:
      // Moved aside rather than removed, so that a later failure can put it back.
      for (int attempt = 0; attempt < 100; ++attempt) {
        change.temporary = TemporaryName(change.name);
        result = Rename(fd, change.name, change.temporary, RENAME_NOREPLACE, &change.undoable);
        if (result == 0 || errno != EEXIST) break;
      }
      if (result != 0) change.temporary.clear();
      break;
  }
  if (result != 0) throw ToolError{kExitFile, WriteFailure(change.folder.pathOf(change.name), errno)};
  change.done = true;
}

void StagedFiles::undo(Change& change) {
  const int fd = change.folder.fd();
  switch (change.kind) {
    case Kind::Create: unlinkat(fd, change.name.c_str(), 0); break;
    case Kind::Replace:
      if (change.undoable) renameat2(fd, change.temporary.c_str(), fd, change.name.c_str(), RENAME_EXCHANGE);
      break;
    case Kind::Remove: {
      bool exact = true;
      if (Rename(fd, change.temporary, change.name, RENAME_NOREPLACE, &exact) == 0) change.temporary.clear();
      break;
    }
  }
}

void StagedFiles::commit() {
  for (Change& change : changes_) apply(change);
  committed_ = true;
  removeTemporaries();  // now the old contents of replaced and removed files
}

void StagedFiles::removeTemporaries() {
  for (Change& change : changes_)
    if (!change.temporary.empty()) unlinkat(change.folder.fd(), change.temporary.c_str(), 0);
}

}  // namespace quill_lib
