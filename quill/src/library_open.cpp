// Opening a library file: the checks that keep foreign or damaged files from
// ever being written, the defensive connection settings and the schema of a
// new library.
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "quill/src/library_db.h"

namespace quill {
namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";  // 16 bytes with its NUL

constexpr const char* kSchema =
    "CREATE TABLE entries("
    " name TEXT NOT NULL PRIMARY KEY COLLATE NOCASE CHECK(name <> ''),"
    " source TEXT NOT NULL,"
    " comment TEXT NOT NULL DEFAULT '',"
    " modified TEXT NOT NULL,"
    " changes INTEGER NOT NULL DEFAULT 0);"
    "CREATE TABLE objects("
    " id INTEGER PRIMARY KEY,"
    " kind TEXT NOT NULL,"
    " name TEXT NOT NULL UNIQUE COLLATE NOCASE);"
    "CREATE TABLE local_types("
    " object_id INTEGER NOT NULL REFERENCES objects(id),"
    " name TEXT NOT NULL COLLATE NOCASE CHECK(name <> ''),"
    " source TEXT NOT NULL,"
    " changes INTEGER NOT NULL DEFAULT 0,"
    " PRIMARY KEY(object_id, name));";

// The entries' list (the open dialog, the names a compile knows) read from an
// index alone, without reading every entry's source. Libraries made before it
// existed get it with their next write.
constexpr const char* kListIndex =
    "CREATE INDEX IF NOT EXISTS entries_list ON entries(name COLLATE NOCASE, comment, modified, changes)";

std::uint32_t BigEndian32(const unsigned char* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
         std::uint32_t{bytes[3]};
}

enum class FileState { Missing, Empty, Library, Foreign, Unreadable };

// The first 100 bytes of an SQLite file tell whether it is one of our libraries
// and of a format this program reads. `name` is what the messages call it.
FileState InspectHeader(const unsigned char* header, std::size_t size, const std::string& name, std::string* error) {
  if (size < 100 || std::memcmp(header, kSqliteMagic, sizeof kSqliteMagic) != 0 ||
      static_cast<std::int32_t>(BigEndian32(&header[68])) != kLibraryApplicationId) {
    *error = name + " is not a library file.";
    return FileState::Foreign;
  }
  auto version = static_cast<std::int32_t>(BigEndian32(&header[60]));
  if (version < kLibraryOldestFormat || version > kLibraryFormatVersion) {
    *error = name + " has library format " + std::to_string(version) + ", which this program cannot read.";
    return FileState::Foreign;
  }
  return FileState::Library;
}

// Looks at the file's header before SQLite touches it: SQLite would roll back
// a hot journal of a foreign database on first read, which is a write.
FileState InspectFile(const std::string& path, std::string* error) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return FileState::Missing;
  if (!S_ISREG(info.st_mode)) {
    *error = path + " is not a library file.";
    return FileState::Foreign;
  }
  if (info.st_size == 0) return FileState::Empty;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    *error = "Cannot read the library " + path + ".";
    return FileState::Unreadable;
  }
  std::array<unsigned char, 100> header{};
  std::size_t got = std::fread(header.data(), 1, header.size(), file);
  std::fclose(file);
  return InspectHeader(header.data(), got, path, error);
}

// Makes the empty file a new library is written in before it takes its name:
// beside it (a rename never crosses file systems), with the mode a file
// created there gets. "" when the folder takes no new file.
std::string MakeFileBeside(const std::string& path) {
  std::string name = path + ".quill-new-XXXXXX";
  int fd = mkstemp(name.data());
  if (fd < 0) return {};
  const mode_t mask = umask(0);
  umask(mask);
  const bool ok = fchmod(fd, 0666 & ~mask) == 0;
  close(fd);
  if (!ok) {
    unlink(name.c_str());
    return {};
  }
  return name;
}

// Runs from a destructor, where a failed allocation would end the program: the
// journal's name is built on the stack. A path too long for it cannot have one.
void RemoveWithJournal(const std::string& path) noexcept {
  constexpr char kJournal[] = "-journal";
  char journal[PATH_MAX + sizeof kJournal];
  if (path.size() < PATH_MAX) {
    std::memcpy(journal, path.data(), path.size());
    std::memcpy(journal + path.size(), kJournal, sizeof kJournal);
    unlink(journal);
  }
  unlink(path.c_str());
}

// Renames without ever replacing a file someone else made meanwhile; where the
// file system cannot rename so, a hard link does the same.
bool RenameIfFree(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
}

// The name SQLite gets for the file we inspected. Relative names are handed
// over as "./NAME": SQLite reads ":memory:" and, where URIs are enabled,
// "file:..." as something other than a file, and a write there would be
// reported as a success while no library file changed.
std::string SqliteFileName(const std::string& path) { return path.front() == '/' ? path : "./" + path; }

void ConfigureConnection(sqlite3* db, int busyTimeoutMs) {
  // A library file is untrusted input: no schema tricks, no triggers or views
  // that could run code of the file's author on our writes.
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
  sqlite3_busy_timeout(db, busyTimeoutMs);
  ExecuteSql(db, "PRAGMA foreign_keys=ON");
}

// SQLITE_ROW with *value, or the code of the failure.
int QueryInt(sqlite3* db, const char* sql, std::int64_t* value) {
  Statement query(db, sql);
  int rc = query.step();
  if (rc == SQLITE_ROW) *value = query.integer(0);
  return rc;
}

// What a failed quick check found: a page it could not read (a read error, no
// memory) is no damage of the file; anything else is.
int CheckFailure(const std::string& found) {
  constexpr std::string_view kCode = "error code=";
  const std::size_t at = found.find(kCode);
  if (at == std::string::npos) return SQLITE_CORRUPT;
  const int code = std::atoi(found.c_str() + at + kCode.size());
  const int primary = code & 0xFF;
  return primary == SQLITE_IOERR || primary == SQLITE_NOMEM || primary == SQLITE_BUSY ? code : SQLITE_CORRUPT;
}

// Creates the schema in a file that is still empty. Another process may have
// created it meanwhile; then the file is left alone and checked as usual.
bool CreateSchemaIfEmpty(Library::Impl& impl, std::string* error) {
  return RunWriteTransaction(impl, error, [&] {
    std::int64_t objects = 0, id = 0;
    int rc = QueryInt(impl.db, "SELECT count(*) FROM sqlite_schema", &objects);
    if (rc == SQLITE_ROW) rc = QueryInt(impl.db, "PRAGMA application_id", &id);
    if (rc != SQLITE_ROW) return rc;
    if (objects != 0 || id != 0) return SQLITE_OK;
    rc = ExecuteSql(impl.db, kSchema);
    if (rc == SQLITE_OK) rc = ExecuteSql(impl.db, kListIndex);
    if (rc != SQLITE_OK) return rc;
    std::string pragmas = "PRAGMA application_id=" + std::to_string(kLibraryApplicationId) +
                          "; PRAGMA user_version=" + std::to_string(kLibraryFormatVersion) + ";";
    return ExecuteSql(impl.db, pragmas.c_str());
  });
}

// The checks of an open connection: ours, and readable from end to end. A
// file another connection holds too long is in use, not damaged.
bool VerifyLibrary(Library::Impl& impl, bool forWriting, std::string* error) {
  auto describe = forWriting ? DescribeWriteFailure : DescribeReadFailure;
  std::int64_t id = 0, version = 0;
  int rc = QueryInt(impl.db, "PRAGMA application_id", &id);
  if (rc == SQLITE_ROW) rc = QueryInt(impl.db, "PRAGMA user_version", &version);
  if (rc != SQLITE_ROW) {
    *error = describe(impl, rc);
    return false;
  }
  if (id != kLibraryApplicationId || version < kLibraryOldestFormat || version > kLibraryFormatVersion) {
    impl.lastFailure = LibraryFailure::Other;
    *error = impl.path + " is not a library file.";
    return false;
  }
  impl.version = static_cast<int>(version);
  Statement check(impl.db, "PRAGMA quick_check");
  rc = check.step();
  if (rc != SQLITE_ROW || check.text(0) != "ok") {
    *error = describe(impl, rc == SQLITE_ROW ? CheckFailure(check.text(0)) : rc);
    return false;
  }
  Statement index(impl.db, "SELECT count(*) FROM sqlite_schema WHERE type='index' AND name='entries_list'");
  impl.hasListIndex = index.step() == SQLITE_ROW && index.integer(0) == 1;
  Statement tables(impl.db,
                   "SELECT count(*) FROM sqlite_schema WHERE type='table' AND "
                   "name IN ('entries','objects','local_types')");
  rc = tables.step();
  if (rc != SQLITE_ROW || tables.integer(0) != 3) {
    *error = describe(impl, rc == SQLITE_ROW ? SQLITE_CORRUPT : rc);
    return false;
  }
  return true;
}

}  // namespace

bool FileStamp::operator==(const FileStamp& o) const {
  auto same = [](const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; };
  return present == o.present && device == o.device && inode == o.inode && size == o.size &&
         same(modified, o.modified) && same(changed, o.changed) && mode == o.mode && owner == o.owner &&
         group == o.group && user == o.user && changeCounter == o.changeCounter;
}

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return stamp;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.modified = info.st_mtim;
  stamp.changed = info.st_ctim;
  stamp.mode = info.st_mode;
  stamp.owner = info.st_uid;
  stamp.group = info.st_gid;
  stamp.user = geteuid();
  stamp.present = true;
  return stamp;
}

namespace {

// SQLite's file change counter (header bytes 24-27), which every commit of any
// connection raises. It is read through the connection's own file: opening and
// closing another descriptor of the file would drop this process's locks on it.
std::uint32_t CommitCounter(sqlite3* db) {
  sqlite3_file* file = nullptr;
  unsigned char counter[4] = {};
  if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods ||
      file->pMethods->xRead(file, counter, sizeof counter, 24) != SQLITE_OK)
    return 0;
  return BigEndian32(counter);
}

// The file's stamp with the counter: file times may be too coarse to tell two
// quick writes apart.
FileStamp StampWithCounter(const Library::Impl& impl) {
  FileStamp stamp = StampOf(FileOf(impl));
  stamp.changeCounter = CommitCounter(impl.db);
  return stamp;
}

}  // namespace

bool StillOurs(const Library::Impl& impl) {
  if (impl.inMemory || !impl.stamp.present || !(impl.stamp == StampWithCounter(impl))) return false;
  // A library not yet in place is ours only while nobody took its name.
  struct stat info {};
  return impl.pending.empty() || lstat(impl.path.c_str(), &info) != 0;
}

void NoteOwnWrite(Library::Impl& impl) { impl.stamp = StampWithCounter(impl); }

Library::Impl::~Impl() {
  if (db) sqlite3_close_v2(db);
  // A new library that never had its first write is no library.
  if (!pending.empty()) RemoveWithJournal(pending);
}

bool PublishNewLibrary(Library::Impl& impl, std::string* error) {
  if (!RenameIfFree(impl.pending, impl.path)) {
    // Never replaced: the name is another program's now, or the folder refused.
    const bool taken = errno == EEXIST;
    impl.lastFailure = taken ? LibraryFailure::InUse : LibraryFailure::ReadOnly;
    if (error)
      *error = taken ? "The library " + impl.path + " was created by another program meanwhile; nothing was written."
                     : "The library " + impl.path + " cannot be created; nothing was written.";
    return false;
  }
  impl.pending.clear();
  // SQLite names the journal after the file it opened: the connection must
  // now hold the file by its own name, where any other program looks for it.
  sqlite3* renamed = nullptr;
  if (sqlite3_open_v2(SqliteFileName(impl.path).c_str(), &renamed, SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE,
                      nullptr) == SQLITE_OK) {
    sqlite3_close_v2(impl.db);
    impl.db = renamed;
    ConfigureConnection(impl.db, impl.busyTimeoutMs);
  } else {
    // The write is in place; this connection still reads it, by the old name.
    sqlite3_close_v2(renamed);
  }
  return true;
}

bool CommittedAnyway(sqlite3* db, int commitCode) {
  return commitCode == SQLITE_IOERR_UNLOCK && sqlite3_get_autocommit(db);
}

int ExecuteSql(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

std::unique_ptr<Library> Library::open(const std::string& path, bool create, std::string* error, int busyTimeoutMs) {
  return openFile(path, create, false, error, busyTimeoutMs);
}

std::unique_ptr<Library> Library::openForWriting(const std::string& path, std::string* error, int busyTimeoutMs) {
  return openFile(path, true, true, error, busyTimeoutMs);
}

std::unique_ptr<Library> Library::openFile(const std::string& path, bool create, bool forWriting, std::string* error,
                                           int busyTimeoutMs) {
  std::string scratch;
  if (!error) error = &scratch;
  if (path.empty()) {
    *error = "No library file was given.";
    return nullptr;
  }
  // Stamped before the checks: a change made while they run shows as a change.
  FileStamp stamp = StampOf(path);
  FileState state = InspectFile(path, error);
  if (state == FileState::Foreign || state == FileState::Unreadable) return nullptr;
  if (state == FileState::Missing && !create) {
    *error = "The library " + path + " does not exist.";
    return nullptr;
  }
  // An empty file is an empty library (one whose first write never began);
  // reading it writes nothing.
  if (state == FileState::Empty && !create) return openEmpty(path, error);
  auto impl = std::make_unique<Impl>();
  impl->path = path;
  impl->busyTimeoutMs = busyTimeoutMs;
  // A new library is made under a name of its own and takes its name with its
  // first write, so that no half-made library is ever seen under that name.
  if (state == FileState::Missing && (impl->pending = MakeFileBeside(path)).empty()) {
    *error = "The library " + path + " cannot be created; nothing was written.";
    return nullptr;
  }
  const bool fresh = state != FileState::Library;
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE | (fresh ? SQLITE_OPEN_CREATE : 0) |
                    (impl->pending.empty() ? 0 : SQLITE_OPEN_NOFOLLOW);
  if (int rc = sqlite3_open_v2(SqliteFileName(FileOf(*impl)).c_str(), &impl->db, flags, nullptr); rc != SQLITE_OK) {
    *error = rc == SQLITE_NOMEM                ? "Cannot open the library " + path + ": out of memory."
             : state == FileState::Missing ? "The library " + path + " cannot be created; nothing was written."
             : (rc & 0xFF) == SQLITE_IOERR ? path + " cannot be read: input/output error."
                                           : "Cannot open the library " + path + ".";
    return nullptr;
  }
  ConfigureConnection(impl->db, busyTimeoutMs);
  if (fresh && !CreateSchemaIfEmpty(*impl, error)) return nullptr;
  if (!VerifyLibrary(*impl, forWriting, error)) return nullptr;
  // Opened to be used rather than written at once: the empty library is the
  // write, and takes its name now.
  if (!impl->pending.empty() && !forWriting && !PublishNewLibrary(*impl, error)) return nullptr;
  // A file this call filled has its schema now: that write was ours.
  impl->stamp = fresh ? StampOf(FileOf(*impl)) : stamp;
  impl->stamp.changeCounter = CommitCounter(impl->db);
  return std::unique_ptr<Library>(new Library(std::move(impl)));
}

std::unique_ptr<Library> Library::openEmpty(const std::string& path, std::string* error) {
  auto impl = std::make_unique<Impl>();
  impl->path = path;
  impl->inMemory = true;
  if (sqlite3_open_v2(":memory:", &impl->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr) != SQLITE_OK) {
    *error = "Cannot open the library " + path + ".";
    return nullptr;
  }
  ConfigureConnection(impl->db, 0);
  if (!CreateSchemaIfEmpty(*impl, error) || !VerifyLibrary(*impl, false, error)) return nullptr;
  // Nothing written here would reach the file.
  ExecuteSql(impl->db, "PRAGMA query_only=1");
  return std::unique_ptr<Library>(new Library(std::move(impl)));
}

std::unique_ptr<Library> Library::openImage(std::string_view bytes, const std::string& name, std::string* error) {
  std::string scratch;
  if (!error) error = &scratch;
  if (InspectHeader(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), name, error) !=
      FileState::Library)
    return nullptr;
  auto impl = std::make_unique<Impl>();
  impl->path = name;
  impl->inMemory = true;
  auto refused = [&] {
    *error = "Cannot open the library " + name + ".";
    return std::unique_ptr<Library>();
  };
  if (sqlite3_open_v2(":memory:", &impl->db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE, nullptr) != SQLITE_OK)
    return refused();
  // SQLite keeps the copy and frees it with the connection.
  auto* image = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size()));
  if (!image) return refused();
  std::memcpy(image, bytes.data(), bytes.size());
  const auto size = static_cast<sqlite3_int64>(bytes.size());
  if (sqlite3_deserialize(impl->db, "main", image, size, size,
                          SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
    return refused();
  ConfigureConnection(impl->db, 0);
  if (!VerifyLibrary(*impl, false, error)) return nullptr;
  return std::unique_ptr<Library>(new Library(std::move(impl)));
}

// A failed first write must not leave a half-made file behind.
void Library::removeUnfinished(const std::string& path) { RemoveWithJournal(path); }

Library::Library(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Library::~Library() = default;

const std::string& Library::path() const { return impl_->path; }

bool Library::fileUnchanged() const { return StillOurs(*impl_); }

void Library::countCommitsIn(std::shared_ptr<std::uint64_t> counter) { impl_->commits = std::move(counter); }

void Library::setBusyTimeout(int milliseconds) {
  impl_->busyTimeoutMs = milliseconds;
  sqlite3_busy_timeout(impl_->db, milliseconds);
}

LibraryFailure Library::lastFailure() const { return impl_->lastFailure; }

int Library::formatVersion() const { return impl_->version; }

int AddListIndex(Library::Impl& impl) { return ExecuteSql(impl.db, kListIndex); }

namespace {

// A journal left by a write that was cut off must be rolled back before the
// file can be read, and that is a write: the file (read-only rollback) or its
// folder (the journal cannot be deleted) refused it. The file is whole.
bool IsRollbackRefused(int code) { return code == SQLITE_READONLY_ROLLBACK || code == SQLITE_IOERR_DELETE; }

std::string RollbackRefusedText(const std::string& path) {
  return "The library " + path +
         " has an interrupted write to roll back, which needs the file and its folder writable.";
}

}  // namespace

std::string DescribeWriteFailure(Library::Impl& impl, int code) {
  const std::string& path = impl.path;
  // A write that the system refused for want of room (no space left, or the
  // largest file size this process may write) is a full disk to the user.
  // The system's reason is that of the latest call, or that the main file kept
  // from its own failed write (later calls during the rollback may reset the first).
  int fileError = 0;
  sqlite3_file_control(impl.db, "main", SQLITE_FCNTL_LAST_ERRNO, &fileError);
  auto isNoRoom = [](int error) { return error == ENOSPC || error == EFBIG; };
  const bool noRoom = (code & 0xFF) == SQLITE_IOERR && (isNoRoom(sqlite3_system_errno(impl.db)) || isNoRoom(fileError));
  if (IsRollbackRefused(code)) {
    impl.lastFailure = LibraryFailure::ReadOnly;
    return RollbackRefusedText(path) + " Nothing was written.";
  }
  switch (noRoom ? SQLITE_FULL : code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      impl.lastFailure = LibraryFailure::InUse;
      return "The library " + path + " is in use by another program; nothing was written.";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
      impl.lastFailure = LibraryFailure::ReadOnly;
      return "The library " + path + " is read-only; nothing was written.";
    case SQLITE_FULL:
      impl.lastFailure = LibraryFailure::Full;
      return "The disk holding " + path + " is full; nothing was written.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: impl.lastFailure = LibraryFailure::Damaged; return path + " is damaged; nothing was written.";
    case SQLITE_CONSTRAINT:
      impl.lastFailure = LibraryFailure::Other;
      return "The library " + path + " refused the write: " + std::string(sqlite3_errmsg(impl.db));
    default:
      impl.lastFailure = LibraryFailure::Other;
      return "Cannot write the library " + path + ": " + std::string(sqlite3_errstr(code)) + ".";
  }
}

std::string DescribeReadFailure(Library::Impl& impl, int code) {
  // A page that could not be read may come back as a damaged one: the file's
  // own latest system error tells the two apart.
  int fileError = 0;
  sqlite3_file_control(impl.db, "main", SQLITE_FCNTL_LAST_ERRNO, &fileError);
  const int primary = code & 0xFF;
  if (fileError == EIO && (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)) code = SQLITE_IOERR_READ;
  if (IsRollbackRefused(code)) {
    impl.lastFailure = LibraryFailure::ReadOnly;
    return RollbackRefusedText(impl.path);
  }
  switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      impl.lastFailure = LibraryFailure::InUse;
      return "The library " + impl.path + " is in use by another program.";
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH: impl.lastFailure = LibraryFailure::Other; return "Cannot read the library " + impl.path + ".";
    case SQLITE_IOERR:
      impl.lastFailure = LibraryFailure::Other;
      if (code == SQLITE_IOERR_NOMEM) return "The library " + impl.path + " cannot be read: out of memory.";
      return impl.path + " cannot be read: input/output error.";
    case SQLITE_NOMEM:
      impl.lastFailure = LibraryFailure::Other;
      return "The library " + impl.path + " cannot be read: out of memory.";
    default: impl.lastFailure = LibraryFailure::Damaged; return impl.path + " is damaged and cannot be read.";
  }
}

}  // namespace quill
