// A library file: an SQLite database holding global structure entries and owning
// objects with their local structures. Every write is one transaction: a write
// that fails leaves the file exactly as it was. Every entry and local structure
// has a change counter that each write of it raises, so that a program can tell
// whether someone else wrote it since it read it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "qst/host_api.h"
#include "quill/front_end.h"

namespace quill {

// What marks an SQLite file as one of our libraries (PRAGMA application_id and
// user_version). A file with another id is never opened, let alone written.
constexpr std::int32_t kLibraryApplicationId = 0x514C4942;  // "QLIB"
// Format 2 added the change counters. A library of an older format is read as
// it is (format 1's counters read 0) and is brought to this format, one step a
// format, inside the transaction of its first write.
constexpr std::int32_t kLibraryFormatVersion = 2;
constexpr std::int32_t kLibraryOldestFormat = 1;
// How long reads and writes wait for another connection holding the file's lock.
constexpr int kLibraryBusyTimeoutMs = 5000;
// A conditional write's expected counter that accepts whatever is stored.
constexpr std::int64_t kAnyChanges = -1;

// How a conditional write ended. Changed: a counter was no longer the one
// expected (someone else wrote meanwhile); nothing was written.
enum class WriteOutcome { Written, Changed, Failed };
// The kinds of failure a caller may act on (the texts say more).
enum class LibraryFailure { None, InUse, ReadOnly, Full, Damaged, Other };

struct StoredObject {
  std::int32_t id = 0;
  std::string kind;  // "window", "menu", "userobject", "function"
  std::string name;
};

struct StoredLocalType {
  std::string name;
  std::string source;
  // Read: the stored counter. For writeObjectTypesIfUnchanged: the counter
  // expected (kAnyChanges for any) and, once written, the new one.
  std::int64_t changes = 0;
};

class HOST_API Library {
 public:
  // Opens (create: creates an empty library when the file is missing or empty)
  // the library file. An empty file reads as an empty library. A new library is
  // made under a name of its own and renamed to path once complete. Null with a clear reason in *error for a file that is not
  // a library, is damaged, has an unknown format version, cannot be read or is
  // held by another connection for longer than busyTimeoutMs; such a file is
  // never written. A file this call created but could not complete is removed.
  static std::unique_ptr<Library> open(const std::string& path, bool create, std::string* error,
                                       int busyTimeoutMs = kLibraryBusyTimeoutMs);
  // The same with create, for a write that follows: a file that cannot be read
  // is reported as a write that failed ("...; nothing was written."). A new
  // library takes its name only with that write: nothing is at path before.
  static std::unique_ptr<Library> openForWriting(const std::string& path, std::string* error,
                                                 int busyTimeoutMs = kLibraryBusyTimeoutMs);
  // A library file's bytes held in memory, opened read-only with the same checks
  // as a file (for tools and tests that read libraries from elsewhere). The
  // bytes are copied; path() and every message name `name`.
  static std::unique_ptr<Library> openImage(std::string_view bytes, const std::string& name, std::string* error);
  // Removes a library file that was begun and could not be completed, with its
  // journal; for the program that made it, once its connection is closed.
  static void removeUnfinished(const std::string& path);
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  const std::string& path() const;
  // True while the file is still the one this connection opened and checked,
  // changed since by nobody but this connection (same file, owner, mode and
  // times, same effective user): a caller that keeps connections open may then
  // use this one without the checks of a new open.
  bool fileUnchanged() const;
  // Every write this connection commits from now on adds one to *counter.
  void countCommitsIn(std::shared_ptr<std::uint64_t> counter);
  // How long writes wait for another process's lock (kLibraryBusyTimeoutMs by default).
  void setBusyTimeout(int milliseconds);

  // What kind of failure the latest failed read or write of this library was.
  LibraryFailure lastFailure() const;
  // The format the file has now (kLibraryOldestFormat until its first write).
  int formatVersion() const;

  // Global structure entries, ordered by name ignoring case. Names compare
  // ignoring letter case everywhere, as the language does. A read that fails
  // (the file locked too long, damaged) gives nothing and says why in *error,
  // which is left empty otherwise: an entry missing is not a failure.
  std::vector<LibraryEntryInfo> entries(std::string* error = nullptr) const;
  std::optional<LibraryEntryInfo> entryInfo(const std::string& entryName, std::string* error = nullptr) const;
  // Global structure source.
  std::optional<std::string> entrySource(const std::string& entryName, std::string* error = nullptr) const;
  // Writes (adds or replaces) a global structure entry with the time of the
  // write. An empty comment keeps the comment already stored, so a plain save
  // does not wipe what the user wrote. False with *error; nothing changed then.
  bool writeEntry(const std::string& entryName, const std::string& source, const std::string& comment,
                  std::string* error);
  // The same, only while the entry's counter is still expectedChanges (0: the
  // entry must not exist; kAnyChanges: any). *changes gets the new counter when
  // written, the one found when Changed.
  WriteOutcome writeEntryIfUnchanged(const std::string& entryName, const std::string& source,
                                     const std::string& comment, std::int64_t expectedChanges, std::int64_t* changes,
                                     std::string* error);

  // Reads fail as those of the entries do.
  std::vector<StoredObject> objects(std::string* error = nullptr) const;
  std::optional<StoredObject> object(const std::string& name, std::string* error = nullptr) const;
  std::optional<StoredObject> objectById(std::int32_t id, std::string* error = nullptr) const;
  // Adds or updates (by id) an owning object. False when the name belongs to another object.
  bool writeObject(const StoredObject& object, std::string* error);
  // The owner's local structures in the order they were first written.
  std::vector<StoredLocalType> localTypes(std::int32_t objectId, std::string* error = nullptr) const;
  // Adds or replaces the named local structures of an existing owner in one
  // transaction; local structures not named are kept.
  bool writeLocalTypes(std::int32_t objectId, const std::vector<StoredLocalType>& types, std::string* error);
  // The object and the named local structures in one transaction.
  bool writeObjectTypes(const StoredObject& object, const std::vector<StoredLocalType>& types, std::string* error);
  // The same, only while every named local structure's counter is still its
  // changes field (0: not stored yet); afterwards each holds its new counter.
  WriteOutcome writeObjectTypesIfUnchanged(const StoredObject& object, std::vector<StoredLocalType>& types,
                                           std::string* error);

  // Whole-library reads and writes, for tools that work on every structure at once.
  struct StoredEntry {
    std::string name;
    std::string source;
    std::string comment;
    std::string modified;
  };
  struct ObjectTypes {
    StoredObject object;
    std::vector<StoredLocalType> types;
  };
  // Every global structure entry with its source, ordered by name ignoring case.
  std::vector<StoredEntry> storedEntries(std::string* error = nullptr) const;
  // How many entries and local structures have no name (a library written
  // before its schema refused them may hold some); nothing with *error when
  // the read failed.
  std::optional<std::int64_t> namelessStructures(std::string* error = nullptr) const;
  // Adds or replaces the entries (an empty comment keeps the stored one) and the
  // objects with their local structures, all in one transaction: on failure the
  // file is left exactly as it was.
  bool writeAll(const std::vector<StoredEntry>& entries, const std::vector<ObjectTypes>& objects, std::string* error);

  struct Impl;

 private:
  explicit Library(std::unique_ptr<Impl> impl);
  static std::unique_ptr<Library> openFile(const std::string& path, bool create, bool forWriting, std::string* error,
                                           int busyTimeoutMs);
  static std::unique_ptr<Library> openEmpty(const std::string& path, std::string* error);
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
