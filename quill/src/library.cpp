// Reading and writing the entries, objects and local structures of a library file.
#include <algorithm>

#include "quill/src/library_db.h"

namespace quill {

Statement::Statement(sqlite3* db, std::string_view sql) {
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, std::string_view text) {
  sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Statement::bind(int index, std::int64_t value) { sqlite3_bind_int64(stmt_, index, value); }

void Statement::reset() {
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
}

int Statement::step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_ERROR; }

std::string Statement::text(int column) const {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!bytes) return {};
  return std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

namespace {

constexpr const char* kUpsertEntry =
    "INSERT INTO entries(name, source, comment, modified)"
    " VALUES(?1, ?2, ?3, strftime('%Y-%m-%d %H:%M:%S','now'))"
    " ON CONFLICT(name) DO UPDATE SET name=excluded.name, source=excluded.source,"
    " comment=CASE WHEN excluded.comment='' THEN comment ELSE excluded.comment END,"
    " modified=excluded.modified";

constexpr const char* kUpsertObject =
    "INSERT INTO objects(id, kind, name) VALUES(?1, ?2, ?3)"
    " ON CONFLICT(id) DO UPDATE SET kind=excluded.kind, name=excluded.name";

constexpr const char* kUpsertLocalType =
    "INSERT INTO local_types(object_id, name, source) VALUES(?1, ?2, ?3)"
    " ON CONFLICT(object_id, name) DO UPDATE SET name=excluded.name, source=excluded.source";

StoredObject ReadObject(const Statement& row) {
  return StoredObject{static_cast<std::int32_t>(row.integer(0)), row.text(1), row.text(2)};
}

int UpsertObject(sqlite3* db, const StoredObject& object) {
  Statement upsert(db, kUpsertObject);
  if (!upsert.ok()) return sqlite3_errcode(db);
  upsert.bind(1, std::int64_t{object.id});
  upsert.bind(2, object.kind);
  upsert.bind(3, object.name);
  return upsert.step();
}

int UpsertLocalTypes(sqlite3* db, std::int32_t objectId, const std::vector<StoredLocalType>& types) {
  Statement upsert(db, kUpsertLocalType);
  if (!upsert.ok()) return sqlite3_errcode(db);
  for (const StoredLocalType& type : types) {
    upsert.reset();
    upsert.bind(1, std::int64_t{objectId});
    upsert.bind(2, type.name);
    upsert.bind(3, type.source);
    int rc = upsert.step();
    if (rc != SQLITE_DONE) return rc;
  }
  return SQLITE_DONE;
}

}  // namespace

std::vector<LibraryEntryInfo> Library::entries() const {
  std::vector<LibraryEntryInfo> result;
  Statement query(impl_->db, "SELECT name, comment, modified FROM entries ORDER BY name COLLATE NOCASE");
  while (query.step() == SQLITE_ROW) result.push_back({query.text(0), query.text(1), query.text(2)});
  return result;
}

std::optional<LibraryEntryInfo> Library::entryInfo(const std::string& entryName) const {
  Statement query(impl_->db, "SELECT name, comment, modified FROM entries WHERE name=?1");
  query.bind(1, entryName);
  if (query.step() != SQLITE_ROW) return std::nullopt;
  return LibraryEntryInfo{query.text(0), query.text(1), query.text(2)};
}

std::optional<std::string> Library::entrySource(const std::string& entryName) const {
  Statement query(impl_->db, "SELECT source FROM entries WHERE name=?1");
  query.bind(1, entryName);
  if (query.step() != SQLITE_ROW) return std::nullopt;
  return query.text(0);
}

bool Library::writeEntry(const std::string& entryName, const std::string& source, const std::string& comment,
                         std::string* error) {
  return RunWriteTransaction(*impl_, error, [&] {
    Statement upsert(impl_->db, kUpsertEntry);
    if (!upsert.ok()) return sqlite3_errcode(impl_->db);
    upsert.bind(1, entryName);
    upsert.bind(2, source);
    upsert.bind(3, comment);
    return upsert.step();
  });
}

std::vector<StoredObject> Library::objects() const {
  std::vector<StoredObject> result;
  Statement query(impl_->db, "SELECT id, kind, name FROM objects ORDER BY id");
  while (query.step() == SQLITE_ROW) result.push_back(ReadObject(query));
  return result;
}

std::optional<StoredObject> Library::object(const std::string& name) const {
  Statement query(impl_->db, "SELECT id, kind, name FROM objects WHERE name=?1");
  query.bind(1, name);
  if (query.step() != SQLITE_ROW) return std::nullopt;
  return ReadObject(query);
}

std::optional<StoredObject> Library::objectById(std::int32_t id) const {
  Statement query(impl_->db, "SELECT id, kind, name FROM objects WHERE id=?1");
  query.bind(1, std::int64_t{id});
  if (query.step() != SQLITE_ROW) return std::nullopt;
  return ReadObject(query);
}

bool Library::writeObject(const StoredObject& object, std::string* error) {
  return RunWriteTransaction(*impl_, error, [&] { return UpsertObject(impl_->db, object); });
}

std::vector<StoredLocalType> Library::localTypes(std::int32_t objectId) const {
  std::vector<StoredLocalType> result;
  Statement query(impl_->db, "SELECT name, source FROM local_types WHERE object_id=?1 ORDER BY rowid");
  query.bind(1, std::int64_t{objectId});
  while (query.step() == SQLITE_ROW) result.push_back({query.text(0), query.text(1)});
  return result;
}

bool Library::writeLocalTypes(std::int32_t objectId, const std::vector<StoredLocalType>& types,
                              std::string* error) {
  if (!objectById(objectId)) {
    if (error) *error = "The library " + impl_->path + " has no object with id " + std::to_string(objectId) + ".";
    return false;
  }
  return RunWriteTransaction(*impl_, error, [&] { return UpsertLocalTypes(impl_->db, objectId, types); });
}

bool Library::writeObjectTypes(const StoredObject& object, const std::vector<StoredLocalType>& types,
                               std::string* error) {
  return RunWriteTransaction(*impl_, error, [&] {
    int rc = UpsertObject(impl_->db, object);
    if (rc != SQLITE_DONE) return rc;
    return UpsertLocalTypes(impl_->db, object.id, types);
  });
}

}  // namespace quill
