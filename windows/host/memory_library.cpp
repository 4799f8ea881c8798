// The library of the Windows build: Debian offers no SQLite built for Windows,
// so this build keeps each library's entries, objects and local structures in
// the memory of the process, behind the same interface as the file library.
// Opening a library creates its file, empty, so that the host's checks of
// whether a library exists see it; the contents end with the process.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>

#include "quill/library.h"

namespace quill {
namespace {

std::string Lowered(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

struct MemoryEntry {
  std::string name;
  std::string source;
  std::string comment;
  std::string modified;
  std::int64_t changes = 0;
};

struct MemoryObject {
  StoredObject object;
  std::vector<StoredLocalType> types;  // in the order first written
};

struct MemoryLibrary {
  std::map<std::string, MemoryEntry> entries;  // by lowered name
  std::map<std::int32_t, MemoryObject> objects;
};

// Every library of the process by its lowered path, as the file system would hold them.
struct LibraryStore {
  std::mutex mutex;
  std::map<std::string, MemoryLibrary> libraries;
};

LibraryStore& Store() {
  static LibraryStore store;
  return store;
}

std::string Now() {
  std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_s(&utc, &now);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
  return text;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

LibraryEntryInfo InfoOf(const MemoryEntry& entry) { return {entry.name, entry.comment, entry.modified, entry.changes}; }

void UpsertEntry(MemoryLibrary& library, const std::string& name, const std::string& source,
                 const std::string& comment) {
  MemoryEntry& entry = library.entries[Lowered(name)];
  entry.name = name;
  entry.source = source;
  if (!comment.empty()) entry.comment = comment;
  entry.modified = Now();
  ++entry.changes;
}

StoredLocalType* FindLocal(MemoryObject& owner, const std::string& name) {
  for (StoredLocalType& type : owner.types)
    if (Lowered(type.name) == Lowered(name)) return &type;
  return nullptr;
}

bool NameTakenByOther(const MemoryLibrary& library, const StoredObject& object) {
  for (const auto& [id, other] : library.objects)
    if (id != object.id && Lowered(other.object.name) == Lowered(object.name)) return true;
  return false;
}

void UpsertLocals(MemoryObject& owner, std::vector<StoredLocalType>& types) {
  for (StoredLocalType& type : types) {
    StoredLocalType* stored = FindLocal(owner, type.name);
    if (stored == nullptr) {
      owner.types.push_back({type.name, type.source, 0});
      stored = &owner.types.back();
    }
    stored->name = type.name;
    stored->source = type.source;
    type.changes = ++stored->changes;
  }
}

}  // namespace

struct Library::Impl {
  std::string path;
  std::string key;  // the store's key of path
  LibraryFailure lastFailure = LibraryFailure::None;
  MemoryLibrary& data() { return Store().libraries[key]; }
  const MemoryLibrary& data() const { return Store().libraries[key]; }
};

Library::Library(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Library::~Library() = default;

std::unique_ptr<Library> Library::open(const std::string& path, bool create, std::string* error, int busyTimeoutMs) {
  return openFile(path, create, false, error, busyTimeoutMs);
}

std::unique_ptr<Library> Library::openForWriting(const std::string& path, std::string* error, int busyTimeoutMs) {
  return openFile(path, true, true, error, busyTimeoutMs);
}

std::unique_ptr<Library> Library::openFile(const std::string& path, bool create, bool forWriting, std::string* error,
                                           int /*busyTimeoutMs*/) {
  std::error_code ec;
  const std::string key = Lowered(std::filesystem::absolute(path, ec).lexically_normal().string());
  std::lock_guard lock(Store().mutex);
  const bool known = Store().libraries.count(key) != 0;
  if (!known) {
    // Only a library this process made, or an empty file, is one of ours.
    const bool exists = std::filesystem::exists(path, ec);
    if (exists && std::filesystem::file_size(path, ec) != 0) {
      SetError(error, path + " is not a library file." + (forWriting ? " Nothing was written." : ""));
      return nullptr;
    }
    if (!exists && !create) {
      SetError(error, "The library " + path + " does not exist.");
      return nullptr;
    }
    if (!exists) {
      std::FILE* file = std::fopen(path.c_str(), "wb");
      if (file == nullptr) {
        SetError(error, "Cannot create the library " + path + "; nothing was written.");
        return nullptr;
      }
      std::fclose(file);
    }
    Store().libraries[key];
  }
  auto impl = std::make_unique<Impl>();
  impl->path = path;
  impl->key = key;
  return std::unique_ptr<Library>(new Library(std::move(impl)));
}

void Library::removeUnfinished(const std::string& path) {
  std::error_code ec;
  const std::string key = Lowered(std::filesystem::absolute(path, ec).lexically_normal().string());
  {
    std::lock_guard lock(Store().mutex);
    Store().libraries.erase(key);
  }
  std::filesystem::remove(path, ec);
}

const std::string& Library::path() const { return impl_->path; }
// The store lives in this process, so a kept connection always sees its latest state.
bool Library::fileUnchanged() const { return true; }
// Writes are counted only by the file-backed library, for the test runner's watch.
void Library::countCommitsIn(std::shared_ptr<std::uint64_t>) {}
void Library::setBusyTimeout(int) {}
LibraryFailure Library::lastFailure() const { return impl_->lastFailure; }
int Library::formatVersion() const { return kLibraryFormatVersion; }

std::vector<LibraryEntryInfo> Library::entries(std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  std::vector<LibraryEntryInfo> result;
  for (const auto& [key, entry] : impl_->data().entries) result.push_back(InfoOf(entry));
  return result;
}

std::optional<LibraryEntryInfo> Library::entryInfo(const std::string& entryName, std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  const auto& entries = impl_->data().entries;
  auto it = entries.find(Lowered(entryName));
  if (it == entries.end()) return std::nullopt;
  return InfoOf(it->second);
}

std::optional<std::string> Library::entrySource(const std::string& entryName, std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  const auto& entries = impl_->data().entries;
  auto it = entries.find(Lowered(entryName));
  if (it == entries.end()) return std::nullopt;
  return it->second.source;
}

bool Library::writeEntry(const std::string& entryName, const std::string& source, const std::string& comment,
                         std::string* error) {
  std::int64_t changes = 0;
  return writeEntryIfUnchanged(entryName, source, comment, kAnyChanges, &changes, error) == WriteOutcome::Written;
}

WriteOutcome Library::writeEntryIfUnchanged(const std::string& entryName, const std::string& source,
                                            const std::string& comment, std::int64_t expectedChanges,
                                            std::int64_t* changes, std::string* error) {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  MemoryLibrary& library = impl_->data();
  auto it = library.entries.find(Lowered(entryName));
  const std::int64_t found = it == library.entries.end() ? 0 : it->second.changes;
  if (expectedChanges != kAnyChanges && expectedChanges != found) {
    if (changes) *changes = found;
    return WriteOutcome::Changed;
  }
  UpsertEntry(library, entryName, source, comment);
  if (changes) *changes = library.entries[Lowered(entryName)].changes;
  return WriteOutcome::Written;
}

std::vector<StoredObject> Library::objects(std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  std::vector<StoredObject> result;
  for (const auto& [id, owner] : impl_->data().objects) result.push_back(owner.object);
  std::sort(result.begin(), result.end(),
            [](const StoredObject& a, const StoredObject& b) { return Lowered(a.name) < Lowered(b.name); });
  return result;
}

std::optional<StoredObject> Library::object(const std::string& name, std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  for (const auto& [id, owner] : impl_->data().objects)
    if (Lowered(owner.object.name) == Lowered(name)) return owner.object;
  return std::nullopt;
}

std::optional<StoredObject> Library::objectById(std::int32_t id, std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  const auto& objects = impl_->data().objects;
  auto it = objects.find(id);
  if (it == objects.end()) return std::nullopt;
  return it->second.object;
}

bool Library::writeObject(const StoredObject& object, std::string* error) {
  std::lock_guard lock(Store().mutex);
  MemoryLibrary& library = impl_->data();
  if (NameTakenByOther(library, object)) {
    SetError(error, "Another object is named " + object.name + " in " + impl_->path + ".");
    return false;
  }
  library.objects[object.id].object = object;
  return true;
}

std::vector<StoredLocalType> Library::localTypes(std::int32_t objectId, std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  const auto& objects = impl_->data().objects;
  auto it = objects.find(objectId);
  return it == objects.end() ? std::vector<StoredLocalType>{} : it->second.types;
}

bool Library::writeLocalTypes(std::int32_t objectId, const std::vector<StoredLocalType>& types, std::string* error) {
  std::lock_guard lock(Store().mutex);
  auto& objects = impl_->data().objects;
  auto it = objects.find(objectId);
  if (it == objects.end()) {
    SetError(error, "No object has the id " + std::to_string(objectId) + " in " + impl_->path + ".");
    return false;
  }
  std::vector<StoredLocalType> copy = types;
  UpsertLocals(it->second, copy);
  return true;
}

bool Library::writeObjectTypes(const StoredObject& object, const std::vector<StoredLocalType>& types,
                               std::string* error) {
  std::vector<StoredLocalType> copy = types;
  for (StoredLocalType& type : copy) type.changes = kAnyChanges;
  return writeObjectTypesIfUnchanged(object, copy, error) == WriteOutcome::Written;
}

WriteOutcome Library::writeObjectTypesIfUnchanged(const StoredObject& object, std::vector<StoredLocalType>& types,
                                                  std::string* error) {
  std::lock_guard lock(Store().mutex);
  MemoryLibrary& library = impl_->data();
  if (NameTakenByOther(library, object)) {
    SetError(error, "Another object is named " + object.name + " in " + impl_->path + ".");
    return WriteOutcome::Failed;
  }
  MemoryObject& owner = library.objects[object.id];
  for (const StoredLocalType& type : types) {
    const StoredLocalType* stored = FindLocal(owner, type.name);
    const std::int64_t found = stored ? stored->changes : 0;
    if (type.changes != kAnyChanges && type.changes != found) return WriteOutcome::Changed;
  }
  owner.object = object;
  UpsertLocals(owner, types);
  return WriteOutcome::Written;
}

std::vector<Library::StoredEntry> Library::storedEntries(std::string* error) const {
  if (error) error->clear();
  std::lock_guard lock(Store().mutex);
  std::vector<StoredEntry> result;
  for (const auto& [key, entry] : impl_->data().entries)
    result.push_back({entry.name, entry.source, entry.comment, entry.modified});
  return result;
}

bool Library::writeAll(const std::vector<StoredEntry>& entries, const std::vector<ObjectTypes>& objects,
                       std::string* error) {
  std::lock_guard lock(Store().mutex);
  MemoryLibrary& library = impl_->data();
  MemoryLibrary updated = library;  // all or nothing
  for (const StoredEntry& entry : entries) UpsertEntry(updated, entry.name, entry.source, entry.comment);
  for (const ObjectTypes& item : objects) {
    if (NameTakenByOther(updated, item.object)) {
      SetError(error, "Another object is named " + item.object.name + " in " + impl_->path + ".");
      return false;
    }
    MemoryObject& owner = updated.objects[item.object.id];
    owner.object = item.object;
    std::vector<StoredLocalType> copy = item.types;
    UpsertLocals(owner, copy);
  }
  library = std::move(updated);
  return true;
}

}  // namespace quill
