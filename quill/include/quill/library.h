// A library file: an SQLite database holding global structure entries and owning
// objects with their local structures. Every write is one transaction.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quill/front_end.h"

namespace quill {

struct StoredObject {
  std::int32_t id = 0;
  std::string kind;  // "window", "menu", "userobject", "function"
  std::string name;
};

struct StoredLocalType {
  std::string name;
  std::string source;
};

class Library {
 public:
  // Opens (create: creates when missing) the library file. Null with a clear
  // reason in *error for a file that is not a library, is damaged or cannot be read.
  static std::unique_ptr<Library> open(const std::string& path, bool create, std::string* error);
  ~Library();

  const std::string& path() const;
  std::vector<LibraryEntryInfo> entries() const;
  std::optional<std::string> entrySource(const std::string& entryName) const;  // global structure source
  // Writes a global structure entry (source, comment, time) in one transaction.
  bool writeEntry(const std::string& entryName, const std::string& source, const std::string& comment,
                  std::string* error);
  std::vector<StoredObject> objects() const;
  std::optional<StoredObject> object(const std::string& name) const;
  std::optional<StoredObject> objectById(std::int32_t id) const;
  bool writeObject(const StoredObject& object, std::string* error);
  std::vector<StoredLocalType> localTypes(std::int32_t objectId) const;
  // Replaces the owner's local structures in one transaction.
  bool writeLocalTypes(std::int32_t objectId, const std::vector<StoredLocalType>& types, std::string* error);

 private:
  struct Impl;
  explicit Library(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
