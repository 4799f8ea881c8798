// Comparing the library files of the working folder across a step.
#include "library_watch.h"

#include <cstring>
#include <filesystem>
#include <fstream>

#include "quill/library.h"

namespace script {
namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";

bool IsJournal(const std::string& name) {
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    const std::size_t length = std::strlen(suffix);
    if (name.size() > length && name.compare(name.size() - length, length, suffix) == 0) return true;
  }
  return false;
}

bool IsLibraryFile(const std::filesystem::path& path) {
  if (path.extension() == ".lib") return true;
  char magic[sizeof kSqliteMagic] = {};
  std::ifstream in(path, std::ios::binary);
  return in.read(magic, sizeof magic) && std::memcmp(magic, kSqliteMagic, sizeof magic) == 0;
}

// Why a changed file is no longer a usable library; "" when it is one (or is
// only held by another connection right now).
std::string Damage(const std::string& path) {
  std::string error;
  if (quill::Library::open(path, false, &error)) return {};
  const bool unusable = error.find("damaged") != std::string::npos || error.find("not a library") != std::string::npos;
  return unusable ? error : std::string();
}

}  // namespace

LibraryWatch::Files LibraryWatch::read() {
  Files files;
  std::error_code ec;
  std::filesystem::recursive_directory_iterator it(".", std::filesystem::directory_options::skip_permission_denied, ec);
  for (; !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_regular_file(ec) || IsJournal(it->path().filename().string())) continue;
    struct stat info {};
    if (stat(it->path().c_str(), &info) != 0 || !IsLibraryFile(it->path())) continue;
    files.emplace(it->path().lexically_normal().string(), Stamp{info.st_size, info.st_mtim, info.st_ino});
  }
  return files;
}

void LibraryWatch::before(std::uint64_t writes) {
  files_ = read();
  writes_ = writes;
}

std::vector<std::string> LibraryWatch::after(std::uint64_t writes) const {
  std::vector<std::string> faults;
  const Files now = read();
  const bool wrote = writes != writes_;
  auto changed = [&](const std::string& path, const char* how) {
    if (!wrote) faults.push_back(path + " " + how + " while no library write completed");
  };
  for (const auto& [path, stamp] : now) {
    auto was = files_.find(path);
    if (was != files_.end() && was->second == stamp) continue;
    changed(path, was == files_.end() ? "was made" : "changed");
    if (std::string damage = Damage(path); !damage.empty()) faults.push_back(path + " was left unusable: " + damage);
  }
  for (const auto& [path, stamp] : files_) {
    if (!now.count(path)) changed(path, "was removed");
  }
  return faults;
}

}  // namespace script
