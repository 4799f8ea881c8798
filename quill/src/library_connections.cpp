// Keeping library connections open between a runtime's calls.
#include "quill/src/library_connections.h"

#include <algorithm>
#include <filesystem>

namespace quill {

std::shared_ptr<Library> LibraryConnections::open(const std::string& path, bool create, bool forWriting,
                                                  std::string* error, int busyTimeoutMs) {
  auto held = std::find_if(kept_.begin(), kept_.end(), [&](const auto& library) { return library->path() == path; });
  if (held != kept_.end()) {
    std::shared_ptr<Library> library = *held;
    kept_.erase(held);
    if (library->fileUnchanged()) {
      library->setBusyTimeout(busyTimeoutMs);
      kept_.insert(kept_.begin(), library);
      return library;
    }
  }
  std::error_code ignored;
  const bool existed = std::filesystem::exists(path, ignored);
  std::shared_ptr<Library> library = forWriting ? Library::openForWriting(path, error, busyTimeoutMs)
                                                : Library::open(path, create, error, busyTimeoutMs);
  if (!library) return nullptr;
  library->countCommitsIn(commits_);
  // An empty library made by opening it was its first write.
  if (!existed && std::filesystem::exists(path, ignored)) ++*commits_;
  kept_.insert(kept_.begin(), library);
  if (kept_.size() > kKept) kept_.pop_back();
  return library;
}

void LibraryConnections::forget(const std::string& path) {
  std::erase_if(kept_, [&](const auto& library) { return library->path() == path; });
}

}  // namespace quill
