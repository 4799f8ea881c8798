// Private to the library files: the open SQLite connection and small RAII
// helpers around statements and transactions.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "quill/library.h"

namespace quill {

struct Library::Impl {
  std::string path;
  sqlite3* db = nullptr;
  ~Impl();
};

// One prepared statement; finalized when it goes out of scope. ok() is false
// when preparing failed (a damaged or foreign schema).
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
  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step();
  std::string text(int column) const;
  std::int64_t integer(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// Runs body inside BEGIN IMMEDIATE ... COMMIT; rolls back on any failure so
// the file stays exactly as it was. body returns an SQLite result code
// (SQLITE_OK or SQLITE_DONE for success). False with a readable *error.
template <typename Body>
bool RunWriteTransaction(Library::Impl& impl, std::string* error, Body body);

// A user-facing sentence for an SQLite failure on the library file.
std::string DescribeWriteFailure(const std::string& path, int code, sqlite3* db);

int ExecuteSql(sqlite3* db, const char* sql);

template <typename Body>
bool RunWriteTransaction(Library::Impl& impl, std::string* error, Body body) {
  int rc = ExecuteSql(impl.db, "BEGIN IMMEDIATE");
  if (rc == SQLITE_OK) {
    rc = body();
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
    if (rc == SQLITE_OK) rc = ExecuteSql(impl.db, "COMMIT");
  }
  if (rc == SQLITE_OK) return true;
  // The failure's code must be described before the rollback resets it.
  std::string message = DescribeWriteFailure(impl.path, rc, impl.db);
  if (!sqlite3_get_autocommit(impl.db)) ExecuteSql(impl.db, "ROLLBACK");
  if (error) *error = message;
  return false;
}

}  // namespace quill
