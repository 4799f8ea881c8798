// Reading and writing the entries, objects and local structures of a library file.
#include <algorithm>

#include "quill/src/library_db.h"

namespace quill {

Statement::Statement(sqlite3* db, std::string_view sql) {
  prepareCode_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  if (prepareCode_ != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
    if (prepareCode_ == SQLITE_OK) prepareCode_ = SQLITE_ERROR;
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::noteBind(int rc) {
  if (rc != SQLITE_OK && bindCode_ == SQLITE_OK) bindCode_ = rc;
}

void Statement::bind(int index, std::string_view text) {
  // An empty view may have no data; SQLite takes a null pointer for NULL, not ''.
  noteBind(sqlite3_bind_text64(stmt_, index, text.empty() ? "" : text.data(), text.size(), SQLITE_TRANSIENT,
                               SQLITE_UTF8));
}

void Statement::bind(int index, std::int64_t value) { noteBind(sqlite3_bind_int64(stmt_, index, value)); }

void Statement::reset() {
  // reset returns the latest step's failure, which that step reported already.
  sqlite3_reset(stmt_);
  sqlite3_clear_bindings(stmt_);
  bindCode_ = SQLITE_OK;
}

int Statement::step() {
  if (!stmt_) return prepareCode_;
  if (bindCode_ != SQLITE_OK) return bindCode_;
  if (columnCode_ != SQLITE_OK) return columnCode_;
  return sqlite3_step(stmt_);
}

std::string Statement::text(int column) const {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
  if (!bytes) {
    // Null for a NULL value, and for a value SQLite had no memory to convert.
    if (sqlite3_column_type(stmt_, column) != SQLITE_NULL && columnCode_ == SQLITE_OK) columnCode_ = SQLITE_NOMEM;
    return {};
  }
  return std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

namespace {

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

// A counter as the file holds it now: 0 for a row that does not exist. Runs
// inside a write transaction, where the format has the counters.
int ReadCounter(sqlite3* db, const char* sql, std::int64_t key, std::string_view name, std::int64_t* changes) {
  Statement query(db, sql);
  if (key != 0) query.bind(1, key);
  query.bind(2, name);
  int rc = query.step();
  *changes = rc == SQLITE_ROW ? query.integer(0) : 0;
  return rc == SQLITE_ROW ? SQLITE_DONE : rc;
}

constexpr const char* kEntryCounter = "SELECT changes FROM entries WHERE name=?2";
constexpr const char* kLocalCounter = "SELECT changes FROM local_types WHERE object_id=?1 AND name=?2";

// Writes the local structures; with check, only while each one's counter is
// still its changes field. Each then holds its new counter.
int UpsertLocalTypes(sqlite3* db, std::int32_t objectId, std::vector<StoredLocalType>& types, bool check) {
  Statement upsert(db, kUpsertLocalType);
  if (!upsert.ok()) return upsert.step();
  for (StoredLocalType& type : types) {
    std::int64_t found = 0;
    int rc = ReadCounter(db, kLocalCounter, objectId, type.name, &found);
    if (rc != SQLITE_DONE) return rc;
    if (check && type.changes != kAnyChanges && type.changes != found) return kChangedMeanwhile;
    upsert.reset();
    upsert.bind(1, std::int64_t{objectId});
    upsert.bind(2, type.name);
    upsert.bind(3, type.source);
    rc = upsert.step();
    if (rc != SQLITE_DONE) return rc;
    type.changes = found + 1;
  }
  return SQLITE_DONE;
}

}  // namespace

namespace {

// The counter column as a query may name it: a format 1 library has none yet.
std::string CounterColumn(const Library::Impl& impl) { return impl.version >= 2 ? "changes" : "0"; }

LibraryEntryInfo ReadEntryInfo(const Statement& row) {
  return LibraryEntryInfo{row.text(0), row.text(1), row.text(2), row.integer(3)};
}

}  // namespace

bool ReadFailed(Library::Impl& impl, int rc, std::string* error) {
  if (rc == SQLITE_ROW || rc == SQLITE_DONE) return false;
  std::string reason = DescribeReadFailure(impl, rc);
  if (error) *error = reason;
  return true;
}

std::vector<LibraryEntryInfo> Library::entries(std::string* error) const {
  Statement query(impl_->db, "SELECT name, comment, modified, " + CounterColumn(*impl_) +
                                 " FROM entries ORDER BY name COLLATE NOCASE");
  return ReadRows<LibraryEntryInfo>(*impl_, query, error, ReadEntryInfo);
}

std::optional<LibraryEntryInfo> Library::entryInfo(const std::string& entryName, std::string* error) const {
  Statement query(impl_->db,
                  "SELECT name, comment, modified, " + CounterColumn(*impl_) + " FROM entries WHERE name=?1");
  query.bind(1, entryName);
  return ReadRow<LibraryEntryInfo>(*impl_, query, error, ReadEntryInfo);
}

std::optional<std::string> Library::entrySource(const std::string& entryName, std::string* error) const {
  Statement query(impl_->db, "SELECT source FROM entries WHERE name=?1");
  query.bind(1, entryName);
  return ReadRow<std::string>(*impl_, query, error, [](const Statement& row) { return row.text(0); });
}

bool Library::writeEntry(const std::string& entryName, const std::string& source, const std::string& comment,
                         std::string* error) {
  return writeEntryIfUnchanged(entryName, source, comment, kAnyChanges, nullptr, error) == WriteOutcome::Written;
}

WriteOutcome Library::writeEntryIfUnchanged(const std::string& entryName, const std::string& source,
                                            const std::string& comment, std::int64_t expectedChanges,
                                            std::int64_t* changes, std::string* error) {
  std::int64_t found = 0;
  WriteOutcome outcome = RunWrite(*impl_, error, [&] {
    int rc = ReadCounter(impl_->db, kEntryCounter, 0, entryName, &found);
    if (rc != SQLITE_DONE) return rc;
    if (expectedChanges != kAnyChanges && expectedChanges != found) return kChangedMeanwhile;
    Statement upsert(impl_->db, kUpsertEntry);
    upsert.bind(1, entryName);
    upsert.bind(2, source);
    upsert.bind(3, comment);
    return upsert.step();
  });
  if (changes && outcome != WriteOutcome::Failed) *changes = outcome == WriteOutcome::Written ? found + 1 : found;
  return outcome;
}

std::vector<StoredObject> Library::objects(std::string* error) const {
  Statement query(impl_->db, "SELECT id, kind, name FROM objects ORDER BY id");
  return ReadRows<StoredObject>(*impl_, query, error, ReadObject);
}

std::optional<StoredObject> Library::object(const std::string& name, std::string* error) const {
  Statement query(impl_->db, "SELECT id, kind, name FROM objects WHERE name=?1");
  query.bind(1, name);
  return ReadRow<StoredObject>(*impl_, query, error, ReadObject);
}

std::optional<StoredObject> Library::objectById(std::int32_t id, std::string* error) const {
  Statement query(impl_->db, "SELECT id, kind, name FROM objects WHERE id=?1");
  query.bind(1, std::int64_t{id});
  return ReadRow<StoredObject>(*impl_, query, error, ReadObject);
}

bool Library::writeObject(const StoredObject& object, std::string* error) {
  return RunWriteTransaction(*impl_, error, [&] { return UpsertObject(impl_->db, object); });
}

std::vector<StoredLocalType> Library::localTypes(std::int32_t objectId, std::string* error) const {
  Statement query(impl_->db, "SELECT name, source, " + CounterColumn(*impl_) +
                                 " FROM local_types WHERE object_id=?1 ORDER BY rowid");
  query.bind(1, std::int64_t{objectId});
  return ReadRows<StoredLocalType>(*impl_, query, error, [](const Statement& row) {
    return StoredLocalType{row.text(0), row.text(1), row.integer(2)};
  });
}

bool Library::writeLocalTypes(std::int32_t objectId, const std::vector<StoredLocalType>& types, std::string* error) {
  std::string reason;
  if (!objectById(objectId, &reason)) {
    if (!reason.empty()) {
      if (error) *error = reason;
      return false;
    }
    if (error) *error = "The library " + impl_->path + " has no object with id " + std::to_string(objectId) + ".";
    return false;
  }
  std::vector<StoredLocalType> written = types;
  return RunWriteTransaction(*impl_, error, [&] { return UpsertLocalTypes(impl_->db, objectId, written, false); });
}

bool Library::writeObjectTypes(const StoredObject& object, const std::vector<StoredLocalType>& types,
                               std::string* error) {
  std::vector<StoredLocalType> written = types;
  return RunWriteTransaction(*impl_, error, [&] {
    int rc = UpsertObject(impl_->db, object);
    if (rc != SQLITE_DONE) return rc;
    return UpsertLocalTypes(impl_->db, object.id, written, false);
  });
}

WriteOutcome Library::writeObjectTypesIfUnchanged(const StoredObject& object, std::vector<StoredLocalType>& types,
                                                  std::string* error) {
  std::vector<StoredLocalType> attempt = types;
  WriteOutcome outcome = RunWrite(*impl_, error, [&] {
    attempt = types;  // a retried body starts from the caller's counters
    int rc = UpsertObject(impl_->db, object);
    if (rc != SQLITE_DONE) return rc;
    return UpsertLocalTypes(impl_->db, object.id, attempt, true);
  });
  // Changed: the caller reads the counters anew; nothing here was kept.
  if (outcome == WriteOutcome::Written) types = attempt;
  return outcome;
}

}  // namespace quill
