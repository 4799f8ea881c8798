// A library file: an SQLite database holding global structure entries and owning
// objects with their local structures. Every write is one transaction: a write
// that fails leaves the file exactly as it was.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/host/host_api.h"
#include "quill/front_end.h"

namespace quill {

// What marks an SQLite file as one of our libraries (PRAGMA application_id and
// user_version). A file with another id is never opened, let alone written.
constexpr std::int32_t kLibraryApplicationId = 0x514C4942;  // "QLIB"
constexpr std::int32_t kLibraryFormatVersion = 1;
// How long a write waits for another process holding the file's lock.
constexpr int kLibraryBusyTimeoutMs = 5000;

struct StoredObject {
  std::int32_t id = 0;
  std::string kind;  // "window", "menu", "userobject", "function"
  std::string name;
};

struct StoredLocalType {
  std::string name;
  std::string source;
};

class HOST_API Library {
 public:
  // Opens (create: creates an empty library when the file is missing or empty)
  // the library file. Null with a clear reason in *error for a file that is not
  // a library, is damaged, has an unknown format version or cannot be read;
  // such a file is never written.
  static std::unique_ptr<Library> open(const std::string& path, bool create, std::string* error);
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  const std::string& path() const;
  // How long writes wait for another process's lock (kLibraryBusyTimeoutMs by default).
  void setBusyTimeout(int milliseconds);

  // Global structure entries, ordered by name ignoring case. Names compare
  // ignoring letter case everywhere, as the language does.
  std::vector<LibraryEntryInfo> entries() const;
  std::optional<LibraryEntryInfo> entryInfo(const std::string& entryName) const;
  std::optional<std::string> entrySource(const std::string& entryName) const;  // global structure source
  // Writes (adds or replaces) a global structure entry with the time of the
  // write. An empty comment keeps the comment already stored, so a plain save
  // does not wipe what the user wrote. False with *error; nothing changed then.
  bool writeEntry(const std::string& entryName, const std::string& source, const std::string& comment,
                  std::string* error);

  std::vector<StoredObject> objects() const;
  std::optional<StoredObject> object(const std::string& name) const;
  std::optional<StoredObject> objectById(std::int32_t id) const;
  // Adds or updates (by id) an owning object. False when the name belongs to another object.
  bool writeObject(const StoredObject& object, std::string* error);
  // The owner's local structures in the order they were first written.
  std::vector<StoredLocalType> localTypes(std::int32_t objectId) const;
  // Adds or replaces the named local structures of an existing owner in one
  // transaction; local structures not named are kept.
  bool writeLocalTypes(std::int32_t objectId, const std::vector<StoredLocalType>& types, std::string* error);
  // The object and the named local structures in one transaction.
  bool writeObjectTypes(const StoredObject& object, const std::vector<StoredLocalType>& types,
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
  std::vector<StoredEntry> storedEntries() const;
  // Adds or replaces the entries (an empty comment keeps the stored one) and the
  // objects with their local structures, all in one transaction: on failure the
  // file is left exactly as it was.
  bool writeAll(const std::vector<StoredEntry>& entries, const std::vector<ObjectTypes>& objects,
                std::string* error);

  struct Impl;

 private:
  explicit Library(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
