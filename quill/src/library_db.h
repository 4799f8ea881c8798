// Private to the library files: the open SQLite connection and small RAII
// helpers around statements and transactions.
#pragma once

#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quill/library.h"

namespace quill {

// What tells that a library file was replaced, rewritten by someone else or
// given other permissions since a connection checked it.
struct FileStamp {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  timespec changed{};
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
  uid_t user = 0;  // the process's effective user when the file was stat'ed
  bool present = false;
  std::uint32_t changeCounter = 0;  // SQLite's file change counter, read through the connection
  bool operator==(const FileStamp& other) const;
};
// The file's stamp now (present false when it cannot be stat'ed).
FileStamp StampOf(const std::string& path);

struct Library::Impl {
  std::string path;
  // While a new library has not had its first write: the file beside path it
  // is made in, renamed to path once that write commits.
  std::string pending;
  bool inMemory = false;
  FileStamp stamp;                         // as checked at open, or after this connection's latest write
  std::shared_ptr<std::uint64_t> commits;  // counts the writes committed, when given
  bool hasListIndex = false;               // the file has the index the entries' list reads
  sqlite3* db = nullptr;
  int busyTimeoutMs = kLibraryBusyTimeoutMs;
  int version = 0;  // the file's format; 0 while a new file gets its schema
  LibraryFailure lastFailure = LibraryFailure::None;
  ~Impl();
};

// The file SQLite has open: the new library's own name until it is in place.
inline const std::string& FileOf(const Library::Impl& impl) { return impl.pending.empty() ? impl.path : impl.pending; }

// One prepared statement; finalized when it goes out of scope. ok() is false
// when preparing failed (a damaged or foreign schema, or the file locked). A
// value that could not be bound, or a column that could not be read (out of
// memory), makes the next step() fail with its code: nothing is ever written
// with a value missing, and no row is taken for another.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  void bind(int index, std::string_view text);
  void bind(int index, std::int64_t value);
  // Makes the statement ready to run again with new bindings.
  void reset();
  // SQLITE_ROW, SQLITE_DONE or an error code (that of preparing, when it failed).
  int step();
  std::string text(int column) const;
  std::int64_t integer(int column) const;
  // SQLITE_OK while every column read since the latest step was read whole.
  int columnsCode() const { return columnCode_; }

 private:
  void noteBind(int rc);
  sqlite3_stmt* stmt_ = nullptr;
  int prepareCode_ = SQLITE_OK;
  int bindCode_ = SQLITE_OK;
  mutable int columnCode_ = SQLITE_OK;
};

// The writes of one entry, object or local structure, shared by the single and
// the bulk writes so that an entry is stored the same way whichever wrote it.
// Each write raises the row's change counter.
inline constexpr const char* kUpsertEntry =
    "INSERT INTO entries(name, source, comment, modified, changes)"
    " VALUES(?1, ?2, ?3, strftime('%Y-%m-%d %H:%M:%S','now'), 1)"
    " ON CONFLICT(name) DO UPDATE SET name=excluded.name, source=excluded.source,"
    " comment=CASE WHEN excluded.comment='' THEN comment ELSE excluded.comment END,"
    " modified=excluded.modified, changes=changes+1";

inline constexpr const char* kUpsertObject =
    "INSERT INTO objects(id, kind, name) VALUES(?1, ?2, ?3)"
    " ON CONFLICT(id) DO UPDATE SET kind=excluded.kind, name=excluded.name";

inline constexpr const char* kUpsertLocalType =
    "INSERT INTO local_types(object_id, name, source, changes) VALUES(?1, ?2, ?3, 1)"
    " ON CONFLICT(object_id, name) DO UPDATE SET name=excluded.name, source=excluded.source,"
    " changes=changes+1";

// What a transaction's body returns when a counter was not the one expected:
// no SQLite code, so it cannot be mistaken for one.
constexpr int kChangedMeanwhile = -2;
// What a write meets when another program took the file to a format newer
// than this program's after it was opened.
constexpr int kNewerFormatMeanwhile = -3;

// Runs body inside BEGIN IMMEDIATE ... COMMIT; rolls back on any failure so
// the file stays exactly as it was. A library of the older format gets its
// change counters first, inside the same transaction. body returns an SQLite
// result code (SQLITE_OK or SQLITE_DONE for success) or kChangedMeanwhile.
// Failed comes with a readable *error.
template <typename Body>
WriteOutcome RunWrite(Library::Impl& impl, std::string* error, Body body);
template <typename Body>
bool RunWriteTransaction(Library::Impl& impl, std::string* error, Body body) {
  return RunWrite(impl, error, body) == WriteOutcome::Written;
}

// Moves a new library's file to its name once its first write committed. False
// with *error when another file took the name meanwhile.
bool PublishNewLibrary(Library::Impl& impl, std::string* error);
// Whether a failed COMMIT's code still means a committed write: the change is
// in the file and only releasing the lock afterwards went wrong.
bool CommittedAnyway(sqlite3* db, int commitCode);

// The end of a read: true with *error (when given) for a step that neither
// gave a row nor finished.
bool ReadFailed(Library::Impl& impl, int rc, std::string* error);

// Every row of a query, each through read; none, with *error, when a step
// failed: a part of a list is no list. *error is emptied otherwise.
template <typename Row, typename Read>
std::vector<Row> ReadRows(Library::Impl& impl, Statement& query, std::string* error, Read read) {
  if (error) error->clear();
  std::vector<Row> rows;
  int rc = SQLITE_ROW;
  while ((rc = query.step()) == SQLITE_ROW) rows.push_back(read(query));
  if (ReadFailed(impl, rc, error)) rows.clear();
  return rows;
}

// The query's one row; nothing when there is none, or with *error when the
// read failed.
template <typename Row, typename Read>
std::optional<Row> ReadRow(Library::Impl& impl, Statement& query, std::string* error, Read read) {
  if (error) error->clear();
  int rc = query.step();
  if (rc == SQLITE_ROW) {
    Row row = read(query);
    rc = query.columnsCode();
    if (rc == SQLITE_OK) return row;
  }
  ReadFailed(impl, rc, error);
  return std::nullopt;
}

// User-facing sentences for an SQLite failure on the library file; both note
// the failure's kind in impl.
std::string DescribeWriteFailure(Library::Impl& impl, int code);
std::string DescribeReadFailure(Library::Impl& impl, int code);
// Why nothing was written to a file whose format became `stored`, newer than
// this program's, after it was opened; notes the failure's kind in impl.
std::string NewerFormatMessage(Library::Impl& impl, std::int64_t stored);

int ExecuteSql(sqlite3* db, const char* sql);
// Whether the file is as this connection last saw it; after a committed write
// that began so, the file's new stamp is this connection's own doing.
bool StillOurs(const Library::Impl& impl);
void NoteOwnWrite(Library::Impl& impl);
// Takes a library of an older format to today's, one format at a time (from
// where another connection left it, when one did meanwhile). Runs inside a
// write transaction.
int UpgradeFormat(Library::Impl& impl);
// kNewerFormatMeanwhile when the file's format is now newer than this
// program's (*stored says which), else SQLITE_OK. Runs inside a write
// transaction, before anything is written.
int CheckFormatStillOurs(Library::Impl& impl, std::int64_t* stored);
// Adds the index of the entries' list to a library made without it. Runs
// inside a write transaction, after any upgrade (it indexes the counters).
int AddListIndex(Library::Impl& impl);

template <typename Body>
WriteOutcome RunWrite(Library::Impl& impl, std::string* error, Body body) {
  const bool stillOurs = StillOurs(impl);
  int rc = ExecuteSql(impl.db, "BEGIN IMMEDIATE");
  // A file nobody touched since this connection last looked keeps the format
  // it had then; any other may have gone past it.
  std::int64_t stored = 0;
  if (rc == SQLITE_OK && !stillOurs && !impl.inMemory && impl.version != 0) rc = CheckFormatStillOurs(impl, &stored);
  const bool upgrading = rc == SQLITE_OK && impl.version != 0 && impl.version < kLibraryFormatVersion;
  if (upgrading) rc = UpgradeFormat(impl);
  const bool indexing = rc == SQLITE_OK && impl.version != 0 && !impl.hasListIndex;
  if (indexing) rc = AddListIndex(impl);
  if (rc == SQLITE_OK) {
    rc = body();
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
    if (rc == SQLITE_OK) {
      rc = ExecuteSql(impl.db, "COMMIT");
      if (CommittedAnyway(impl.db, rc)) rc = SQLITE_OK;
    }
  }
  if (rc == SQLITE_OK) {
    if (upgrading) impl.version = kLibraryFormatVersion;
    if (indexing) impl.hasListIndex = true;
    // A new library's schema is written before it has a version; its first
    // write after that puts it in place.
    if (!impl.pending.empty() && impl.version != 0 && !PublishNewLibrary(impl, error)) return WriteOutcome::Failed;
    if (stillOurs) NoteOwnWrite(impl);
    if (impl.commits) ++*impl.commits;
    impl.lastFailure = LibraryFailure::None;
    return WriteOutcome::Written;
  }
  // The failure's code must be described before the rollback resets it.
  std::string message = rc == kChangedMeanwhile       ? std::string()
                        : rc == kNewerFormatMeanwhile ? NewerFormatMessage(impl, stored)
                                                      : DescribeWriteFailure(impl, rc);
  if (!sqlite3_get_autocommit(impl.db)) ExecuteSql(impl.db, "ROLLBACK");
  if (rc == kChangedMeanwhile) return WriteOutcome::Changed;
  if (error) *error = message;
  return WriteOutcome::Failed;
}

}  // namespace quill
