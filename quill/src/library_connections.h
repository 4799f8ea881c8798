// The library connections a runtime keeps open between its calls, so that one
// user action (list, open, compile, save) opens and checks a file once, not once
// per read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quill/library.h"

namespace quill {

class HOST_API LibraryConnections {
 public:
  // A checked connection to the file `path` names (the text is what messages
  // use, so two spellings of one file are two connections). A kept connection
  // is handed out again only while nobody but it changed the file since it was
  // checked (Library::fileUnchanged); otherwise the file is opened and checked
  // anew, so a file replaced or damaged meanwhile is reported as a fresh open
  // would report it.
  std::shared_ptr<Library> open(const std::string& path, bool create, bool forWriting, std::string* error,
                                int busyTimeoutMs);
  // Closes the kept connection of path (before the file is removed).
  void forget(const std::string& path);
  void clear() { kept_.clear(); }
  // Writes committed through the connections handed out.
  std::uint64_t commits() const { return *commits_; }

 private:
  // The connections most recently used first; a few libraries at most are in use at once.
  static constexpr std::size_t kKept = 4;
  std::vector<std::shared_ptr<Library>> kept_;
  std::shared_ptr<std::uint64_t> commits_ = std::make_shared<std::uint64_t>(0);
};

}  // namespace quill
