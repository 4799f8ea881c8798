// The scenario's scratch directory.
#include "scratch_directory.h"

#include <stdlib.h>

#include <algorithm>
#include <system_error>
#include <vector>

namespace script {

namespace fs = std::filesystem;

namespace {

// The regular files under folder (links not followed), with their total size;
// false when they exceed limit or the folder cannot be read.
bool FilesWithin(const fs::path& folder, std::uintmax_t limit, std::vector<fs::path>* files) {
  std::error_code ec;
  std::uintmax_t total = 0;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    fs::file_status status = it->symlink_status(ec);
    if (ec || !fs::is_regular_file(status)) continue;
    total += it->file_size(ec);
    if (ec || total > limit) return false;
    files->push_back(it->path());
  }
  return !ec;
}

// Copies the subfolder's files to the same places under target; a folder too
// large to copy is left out.
void CopySubfolder(const fs::path& folder, const fs::path& target, std::uintmax_t* budget, std::error_code& ec) {
  std::vector<fs::path> files;
  if (!FilesWithin(folder, *budget, &files)) return;
  for (const fs::path& file : files) {
    fs::path to = target / fs::relative(file, folder.parent_path(), ec);
    if (ec) return;
    fs::create_directories(to.parent_path(), ec);
    if (!ec) fs::copy_file(file, to, ec);
    if (ec) return;
    *budget -= std::min(*budget, fs::file_size(to, ec));
    if (ec) return;
  }
}

}  // namespace

std::unique_ptr<ScratchDirectory> ScratchDirectory::enter(const fs::path& source, std::string* error) {
  std::error_code ec;
  fs::path previous = fs::current_path(ec);
  if (ec) {
    *error = "the working directory: " + ec.message();
    return nullptr;
  }
  fs::path pattern = fs::temp_directory_path(ec) / "quill-script-XXXXXX";
  if (ec) {
    *error = "a temporary directory: " + ec.message();
    return nullptr;
  }
  std::string buffer = pattern.string();
  std::vector<char> name(buffer.begin(), buffer.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) {
    *error = "a temporary directory: " + std::error_code(errno, std::generic_category()).message();
    return nullptr;
  }
  fs::path path(name.data());
  // From here on the destructor cleans up whatever fails.
  std::unique_ptr<ScratchDirectory> scratch(new ScratchDirectory(path, previous));
  std::uintmax_t budget = kSubfolderCopyLimit;
  std::vector<fs::path> subfolders;
  for (const fs::directory_entry& entry : fs::directory_iterator(source.empty() ? fs::path(".") : source, ec)) {
    // symlink_status: a link is not followed, so nothing outside the folder is copied.
    fs::file_status status = entry.symlink_status();
    if (fs::is_directory(status)) subfolders.push_back(entry.path());
    if (!fs::is_regular_file(status)) continue;
    fs::copy_file(entry.path(), path / entry.path().filename(), ec);
    if (ec) break;
  }
  for (const fs::path& folder : subfolders) {
    if (ec) break;
    CopySubfolder(folder, path, &budget, ec);
  }
  if (!ec) fs::current_path(path, ec);
  if (ec) {
    *error = "a copy of " + source.string() + " in " + path.string() + ": " + ec.message();
    return nullptr;
  }
  return scratch;
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ec;
  fs::current_path(previous_, ec);
  fs::remove_all(path_, ec);
}

}  // namespace script
