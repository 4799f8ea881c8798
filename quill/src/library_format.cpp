// Upgrading a library file of an older format to today's: one step a format,
// each taking a file of its format to the next, run in order inside the write
// transaction that first needs today's format, so that a step that fails
// leaves the file exactly as it was.
#include <cstdint>
#include <string>

#include "quill/src/library_db.h"

namespace quill {
namespace {

struct FormatStep {
  std::int32_t from;  // the format it reads; it leaves from + 1
  const char* sql;
};

// A new step goes at the end; a step already shipped never changes, since
// files it upgraded are out there.
constexpr FormatStep kFormatSteps[] = {
    // The change counters: rows stored before them read 0.
    {1,
     "ALTER TABLE entries ADD COLUMN changes INTEGER NOT NULL DEFAULT 0;"
     "ALTER TABLE local_types ADD COLUMN changes INTEGER NOT NULL DEFAULT 0;"},
};

constexpr bool OneStepEachFormat() {
  std::int32_t next = kLibraryOldestFormat;
  for (const FormatStep& step : kFormatSteps) {
    if (step.from != next) return false;
    ++next;
  }
  return next == kLibraryFormatVersion;
}
static_assert(OneStepEachFormat(), "every format from the oldest read has one step to the next, in order");

// The file's format as stored now, or the code of the failed read.
int StoredFormat(sqlite3* db, std::int64_t* version) {
  Statement query(db, "PRAGMA user_version");
  const int rc = query.step();
  if (rc == SQLITE_ROW) *version = query.integer(0);
  return rc;
}

}  // namespace

int UpgradeFormat(Library::Impl& impl) {
  std::int64_t version = 0;
  int rc = StoredFormat(impl.db, &version);
  if (rc != SQLITE_ROW) return rc;
  for (const FormatStep& step : kFormatSteps) {
    if (step.from < version) continue;  // another program took the file this far meanwhile
    rc = ExecuteSql(impl.db, step.sql);
    const std::string stamp = "PRAGMA user_version=" + std::to_string(step.from + 1);
    if (rc == SQLITE_OK) rc = ExecuteSql(impl.db, stamp.c_str());
    if (rc != SQLITE_OK) return rc;
  }
  return SQLITE_OK;
}

int CheckFormatStillOurs(Library::Impl& impl, std::int64_t* stored) {
  const int rc = StoredFormat(impl.db, stored);
  if (rc != SQLITE_ROW) return rc;
  return *stored > kLibraryFormatVersion ? kNewerFormatMeanwhile : SQLITE_OK;
}

std::string NewerFormatMessage(Library::Impl& impl, std::int64_t stored) {
  impl.lastFailure = LibraryFailure::Other;
  return impl.path + " now has library format " + std::to_string(stored) +
         ", which this program cannot write; nothing was written.";
}

}  // namespace quill
