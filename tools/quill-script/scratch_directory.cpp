#include "scratch_directory.h"

#include <stdlib.h>

#include <system_error>
#include <vector>

namespace script {

namespace fs = std::filesystem;

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
  for (const fs::directory_entry& entry : fs::directory_iterator(source.empty() ? fs::path(".") : source, ec)) {
    // symlink_status: a link is not followed, so nothing outside the folder is copied.
    if (!fs::is_regular_file(entry.symlink_status())) continue;
    fs::copy_file(entry.path(), path / entry.path().filename(), ec);
    if (ec) break;
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
