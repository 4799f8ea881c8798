// Folders and files through open folder handles; links are never followed.
#include "folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

#include "tool_error.h"

namespace quill_lib {
namespace {

std::string Reason(int error) {
  std::string text = std::strerror(error);
  if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
  return text;
}

EntryType TypeOfMode(mode_t mode) {
  if (S_ISLNK(mode)) return EntryType::Link;
  if (S_ISDIR(mode)) return EntryType::Folder;
  if (S_ISREG(mode)) return EntryType::File;
  return EntryType::Other;
}

}  // namespace

std::string TemporaryName(const std::string& name) {
  static std::mt19937_64 random{std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".quill-lib-%012llx",
                static_cast<unsigned long long>(random() & 0xFFFFFFFFFFFFull));
  return name + suffix;
}

std::string ReadFailure(const std::string& path, int error) { return path + " cannot be read: " + Reason(error) + "."; }

std::string WriteFailure(const std::string& path, int error) {
  if (error == ENOSPC || error == EFBIG || error == EDQUOT)
    return "The disk holding " + path + " is full; nothing was written.";
  return path + " cannot be written: " + Reason(error) + "; nothing was written.";
}

std::string WrongEntryMessage(const std::string& path, EntryType found, EntryType wanted) {
  if (found == EntryType::Link) return path + " is a link, which is not followed; nothing was written.";
  return path + (wanted == EntryType::Folder ? " is not a folder" : " is not a regular file") +
         "; nothing was written.";
}

FolderHandle::Descriptor::~Descriptor() { close(fd); }

FolderHandle::FolderHandle(int fd, std::string path)
    : fd_(new Descriptor{fd}), path_(std::move(path)) {}

FolderHandle FolderHandle::Open(const std::string& path, bool followLink) {
  int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW));
  if (fd < 0) {
    const int error = errno;
    struct stat info;
    if (!followLink && lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode))
      throw ToolError{kExitFile, WrongEntryMessage(path, EntryType::Link, EntryType::Folder)};
    if (error == ENOENT) throw ToolError{kExitFile, "The folder " + path + " does not exist."};
    if (error == ENOTDIR) throw ToolError{kExitFile, path + " is not a folder."};
    throw ToolError{kExitFile, ReadFailure(path, error)};
  }
  return FolderHandle(fd, path);
}

std::string FolderHandle::pathOf(const std::string& name) const {
  return !path_.empty() && path_.back() == '/' ? path_ + name : path_ + "/" + name;
}

std::optional<EntryType> FolderHandle::typeOf(const std::string& name) const {
  struct stat info;
  if (fstatat(fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
    if (errno == ENOENT) return std::nullopt;
    throw ToolError{kExitFile, ReadFailure(pathOf(name), errno)};
  }
  return TypeOfMode(info.st_mode);
}

std::vector<FolderEntry> FolderHandle::list() const {
  // A second descriptor: reading a folder moves its position, and the handle is shared.
  int listFd = openat(fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = listFd < 0 ? nullptr : fdopendir(listFd);
  if (!dir) {
    int error = errno;
    if (listFd >= 0) close(listFd);
    throw ToolError{kExitFile, ReadFailure(path_, error)};
  }
  std::vector<FolderEntry> entries;
  int error = 0;
  while (true) {
    errno = 0;
    const dirent* item = readdir(dir);
    if (!item) {
      error = errno;
      break;
    }
    std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    std::optional<EntryType> type = typeOf(name);
    if (type) entries.push_back({std::move(name), *type});  // gone meanwhile: not there
  }
  closedir(dir);
  if (error) throw ToolError{kExitFile, ReadFailure(path_, error)};
  return entries;
}

std::optional<FolderHandle> FolderHandle::child(const std::string& name) const {
  int fd = openat(this->fd(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0) return FolderHandle(fd, pathOf(name));
  int error = errno;
  if (error == ENOENT) return std::nullopt;
  std::optional<EntryType> type = typeOf(name);
  if (type && *type != EntryType::Folder)
    throw ToolError{kExitFile, WrongEntryMessage(pathOf(name), *type, EntryType::Folder)};
  throw ToolError{kExitFile, ReadFailure(pathOf(name), error)};
}

std::optional<std::string> FolderHandle::readFile(const std::string& name, std::size_t maxBytes,
                                                  std::string* text) const {
  // O_NONBLOCK: a pipe planted at the name must not hang the program before
  // fstat shows it is no regular file.
  int fd = openat(this->fd(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ELOOP) return "is a link, which is not followed.";
    return "cannot be read: " + Reason(errno) + ".";
  }
  struct stat info;
  std::optional<std::string> problem;
  if (fstat(fd, &info) != 0)
    problem = "cannot be read: " + Reason(errno) + ".";
  else if (!S_ISREG(info.st_mode))
    problem = "is not a regular file.";
  else if (static_cast<std::size_t>(info.st_size) > maxBytes)
    problem = "is larger than " + std::to_string(maxBytes >> 20) + " MiB.";
  text->clear();
  char buffer[65536];
  while (!problem) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0)
      problem = "cannot be read: " + Reason(errno) + ".";
    else if (text->size() + static_cast<std::size_t>(n) > maxBytes)
      problem = "is larger than " + std::to_string(maxBytes >> 20) + " MiB.";  // it grew meanwhile
    else
      text->append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return problem;
}

int FolderHandle::createTemporary(const std::string& name, std::string* created) const {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *created = TemporaryName(name);
    int fd = openat(this->fd(), created->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      if (fd < 0) created->clear();
      return fd;
    }
  }
  created->clear();
  return -1;
}

}  // namespace quill_lib
