// Library files of every format older than today's, as the programs of those
// formats wrote them, each holding the same entry, owning object and local
// structure, for the tests that read and upgrade them.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>

#include "quill/library.h"

namespace quill::testing {

struct OlderFormat {
  std::int32_t version;
  const char* sql;  // the schema of that format with the rows below, without the pragmas
  // What another tool might have done to such a file that makes its upgrade
  // fail part-way: the step's first statements succeed, a later one fails.
  const char* breaksUpgrade;
};

inline constexpr OlderFormat kOlderFormats[] = {
    {1,
     "CREATE TABLE entries(name TEXT PRIMARY KEY COLLATE NOCASE, source TEXT NOT NULL,"
     " comment TEXT NOT NULL DEFAULT '', modified TEXT NOT NULL);"
     "CREATE TABLE objects(id INTEGER PRIMARY KEY, kind TEXT NOT NULL, name TEXT NOT NULL UNIQUE COLLATE NOCASE);"
     "CREATE TABLE local_types(object_id INTEGER NOT NULL REFERENCES objects(id),"
     " name TEXT NOT NULL COLLATE NOCASE, source TEXT NOT NULL, PRIMARY KEY(object_id, name));"
     "INSERT INTO entries VALUES('s_old', 'global type s_old from structure\r\nend type', 'kept', '2020-01-01 "
     "00:00:00');"
     "INSERT INTO objects VALUES(7, 'window', 'w_main');"
     "INSERT INTO local_types VALUES(7, 's_line', 'type s_line from structure\r\nend type');",
     "ALTER TABLE local_types ADD COLUMN changes INTEGER;"},
};

// What every older format's file holds.
inline constexpr const char* kOldEntry = "s_old";
inline constexpr const char* kOldEntrySource = "global type s_old from structure\r\nend type";
inline constexpr const char* kOldEntryComment = "kept";
inline constexpr const char* kOldEntryModified = "2020-01-01 00:00:00";
inline constexpr std::int32_t kOldOwnerId = 7;
inline constexpr const char* kOldLocalSource = "type s_line from structure\r\nend type";

// Writes path as a library of that format; "" or what SQLite said.
inline std::string MakeOlderFormat(const std::string& path, const OlderFormat& format) {
  sqlite3* db = nullptr;
  std::string error;
  const std::string sql = std::string(format.sql) + "PRAGMA user_version=" + std::to_string(format.version) +
                          "; PRAGMA application_id=" + std::to_string(kLibraryApplicationId) + ";";
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK ||
      sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
    error = db ? sqlite3_errmsg(db) : "cannot open";
  sqlite3_close(db);
  return error;
}

}  // namespace quill::testing
