// The world around a scenario's library files: locks, size limits, read-only files, dropped rights,
// another format.
#include "library_conditions.h"

#include <pwd.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>

#include "quill/library.h"

namespace script {
namespace {

constexpr uid_t kNobodyFallback = 65534;

std::string SystemError() { return std::strerror(errno); }

}  // namespace

LibraryConditions::~LibraryConditions() { restore(); }

bool LibraryConditions::lock(const std::string& path, std::string* error) {
  if (locks_.count(path)) return true;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
      sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    *error = db ? sqlite3_errmsg(db) : "cannot open";
    sqlite3_close_v2(db);
    return false;
  }
  locks_[path] = db;
  return true;
}

bool LibraryConditions::unlock(const std::string& path, std::string* error) {
  auto it = locks_.find(path);
  if (it == locks_.end()) {
    *error = "not locked";
    return false;
  }
  sqlite3_exec(it->second, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(it->second);
  locks_.erase(it);
  return true;
}

bool LibraryConditions::limitFileSize(std::uint64_t bytes, std::string* error) {
  rlimit current{};
  if (getrlimit(RLIMIT_FSIZE, &current) != 0) {
    *error = SystemError();
    return false;
  }
  if (!fileSizeLimit_) fileSizeLimit_ = current;
  // The write past the limit must fail as a write, not end the process.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = current;
  limited.rlim_cur = static_cast<rlim_t>(bytes);
  if (setrlimit(RLIMIT_FSIZE, &limited) != 0) {
    *error = SystemError();
    return false;
  }
  return true;
}

bool LibraryConditions::makeReadOnly(const std::string& path, std::string* error) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    *error = SystemError();
    return false;
  }
  const unsigned mode = info.st_mode & 07777;
  if (chmod(path.c_str(), mode & ~0222u) != 0) {
    *error = SystemError();
    return false;
  }
  modes_.emplace_back(std::filesystem::absolute(path).string(), mode);
  return true;
}

void LibraryConditions::requireFilesOnDisk(const std::string&) {}

void LibraryConditions::openingLibraryFile(const std::string&) {}

bool LibraryConditions::stampFormat(const std::string& path, std::int32_t format, std::string* error) {
  sqlite3* db = nullptr;
  sqlite3_stmt* id = nullptr;
  const std::string stamp = "PRAGMA user_version=" + std::to_string(format);
  bool ours = false, stamped = false;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
      sqlite3_prepare_v2(db, "PRAGMA application_id", -1, &id, nullptr) == SQLITE_OK &&
      sqlite3_step(id) == SQLITE_ROW) {
    ours = sqlite3_column_int(id, 0) == quill::kLibraryApplicationId;
    sqlite3_finalize(id);
    id = nullptr;
    stamped = ours && sqlite3_exec(db, stamp.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  if (!stamped) *error = db && sqlite3_errcode(db) != SQLITE_OK ? sqlite3_errmsg(db) : "not a library file";
  sqlite3_finalize(id);
  sqlite3_close_v2(db);
  return stamped;
}

bool LibraryConditions::dropRootRights(std::string* reason) {
  if (geteuid() != 0) return true;  // an ordinary user already
  const passwd* nobody = getpwnam("nobody");
  const uid_t uid = nobody ? nobody->pw_uid : kNobodyFallback;
  const gid_t gid = nobody ? nobody->pw_gid : kNobodyFallback;
  // The working folder and what it holds become the user's, as its own files would be.
  std::error_code ec;
  namespace fs = std::filesystem;
  const fs::path folder = fs::current_path(ec);
  bool owned = !ec && chown(folder.c_str(), uid, gid) == 0;
  for (fs::recursive_directory_iterator it(folder, ec), end; owned && !ec && it != end; it.increment(ec))
    owned = lchown(it->path().c_str(), uid, gid) == 0;
  if (!owned || ec) {
    *reason = "the working folder cannot be given to the user nobody";
    return false;
  }
  if (setegid(gid) != 0 || seteuid(uid) != 0) {
    *reason = "root's rights cannot be dropped here (" + SystemError() + ")";
    setegid(0);
    return false;
  }
  droppedRoot_ = true;
  return true;
}

void LibraryConditions::restore() {
  for (auto& [path, db] : locks_) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db);
  }
  locks_.clear();
  if (droppedRoot_) {
    // The saved user is still root: the rights come back for the clean-up.
    if (seteuid(0) == 0) setegid(0);
    droppedRoot_ = false;
  }
  for (auto it = modes_.rbegin(); it != modes_.rend(); ++it) chmod(it->first.c_str(), it->second);
  modes_.clear();
  if (fileSizeLimit_) {
    setrlimit(RLIMIT_FSIZE, &*fileSizeLimit_);
    std::signal(SIGXFSZ, SIG_DFL);
    fileSizeLimit_.reset();
  }
}

}  // namespace script
