// Folders and files reached through open folder handles: every name is looked
// up inside a folder already opened, and a link inside it is never followed,
// so a folder that came from elsewhere (a cloned repository) cannot send a
// read or a write outside itself. Also the wording of file failures.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quill_lib {

// The largest file a command reads: far above any structure or manifest, and
// a bound on what a hostile folder can make it hold in memory.
constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

enum class EntryType { File, Folder, Link, Other };

struct FolderEntry {
  std::string name;
  EntryType type;
};

// "PATH cannot be read: permission denied."
std::string ReadFailure(const std::string& path, int error);
// "The disk holding PATH is full; nothing was written." for a full disk or a
// file over the size this process may write, otherwise "PATH cannot be
// written: REASON; nothing was written."
std::string WriteFailure(const std::string& path, int error);

class FolderHandle {
 public:
  // The folder the user named; with followLink false a link there is
  // refused. Throws ToolError with the reason.
  static FolderHandle Open(const std::string& path, bool followLink);

  const std::string& path() const { return path_; }
  int fd() const { return fd_->fd; }
  // The path of an entry, for messages.
  std::string pathOf(const std::string& name) const;

  // What is at name, without following a link; nullopt when nothing is.
  std::optional<EntryType> typeOf(const std::string& name) const;
  // Every entry but "." and ".."; throws ToolError when the folder cannot be listed.
  std::vector<FolderEntry> list() const;
  // The subfolder name; nullopt when nothing is there. Throws ToolError for a
  // link or anything but a folder there, or when it cannot be opened.
  std::optional<FolderHandle> child(const std::string& name) const;

  // A regular file's bytes, at most maxBytes of them. Returns the problem
  // ("is a link, which is not followed.") instead when the entry is a link, no
  // regular file, larger than maxBytes or cannot be read; nullopt on success.
  std::optional<std::string> readFile(const std::string& name, std::size_t maxBytes, std::string* text) const;

  // A new file beside name under a temporary name, created exclusively and
  // never through a link; its descriptor for writing, or -1 (errno tells why).
  int createTemporary(const std::string& name, std::string* created) const;

 private:
  struct Descriptor {
    int fd;
    ~Descriptor();
  };
  FolderHandle(int fd, std::string path);
  std::shared_ptr<const Descriptor> fd_;
  std::string path_;
};

// A temporary name beside name that no one can have prepared: a link planted
// at a predictable name is then never met at all.
std::string TemporaryName(const std::string& name);

// The refusal of an entry that is not what must be at its place.
std::string WrongEntryMessage(const std::string& path, EntryType found, EntryType wanted);

}  // namespace quill_lib
