// Reading every entry at once and writing many entries and objects in one
// transaction, for tools that work on a whole library.
#include "quill/src/library_db.h"

namespace quill {
namespace {

int WriteEntries(sqlite3* db, const std::vector<Library::StoredEntry>& entries) {
  Statement upsert(db, kUpsertEntry);
  if (!upsert.ok()) return sqlite3_errcode(db);
  for (const Library::StoredEntry& entry : entries) {
    upsert.reset();
    upsert.bind(1, entry.name);
    upsert.bind(2, entry.source);
    upsert.bind(3, entry.comment);
    if (int rc = upsert.step(); rc != SQLITE_DONE) return rc;
  }
  return SQLITE_DONE;
}

int WriteObjects(sqlite3* db, const std::vector<Library::ObjectTypes>& objects) {
  Statement object(db, kUpsertObject);
  Statement local(db, kUpsertLocalType);
  if (!object.ok() || !local.ok()) return sqlite3_errcode(db);
  for (const Library::ObjectTypes& item : objects) {
    object.reset();
    object.bind(1, std::int64_t{item.object.id});
    object.bind(2, item.object.kind);
    object.bind(3, item.object.name);
    if (int rc = object.step(); rc != SQLITE_DONE) return rc;
    for (const StoredLocalType& type : item.types) {
      local.reset();
      local.bind(1, std::int64_t{item.object.id});
      local.bind(2, type.name);
      local.bind(3, type.source);
      if (int rc = local.step(); rc != SQLITE_DONE) return rc;
    }
  }
  return SQLITE_DONE;
}

}  // namespace

std::vector<Library::StoredEntry> Library::storedEntries(std::string* error) const {
  Statement query(impl_->db, "SELECT name, source, comment, modified FROM entries ORDER BY name COLLATE NOCASE");
  return ReadRows<StoredEntry>(*impl_, query, error, [](const Statement& row) {
    return StoredEntry{row.text(0), row.text(1), row.text(2), row.text(3)};
  });
}

std::optional<std::int64_t> Library::namelessStructures(std::string* error) const {
  // Libraries made before their schema refused them may hold such rows.
  Statement query(impl_->db,
                  "SELECT (SELECT count(*) FROM entries WHERE name IS NULL OR name='') +"
                  " (SELECT count(*) FROM local_types WHERE name IS NULL OR name='')");
  return ReadRow<std::int64_t>(*impl_, query, error, [](const Statement& row) { return row.integer(0); });
}

bool Library::writeAll(const std::vector<StoredEntry>& entries, const std::vector<ObjectTypes>& objects,
                       std::string* error) {
  return RunWriteTransaction(*impl_, error, [&] {
    int rc = WriteEntries(impl_->db, entries);
    if (rc != SQLITE_DONE) return rc;
    return WriteObjects(impl_->db, objects);
  });
}

}  // namespace quill
