// Private to the runtime: its types, groups, objects and editor handles.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "quill/library.h"
#include "quill/runtime.h"
#include "quill/src/library_connections.h"

struct HostRuntime {
  quill::Runtime* runtime = nullptr;
  HostPool* pool = nullptr;  // the editor's pool: member arrays come from it, stored text goes back to it
  bool live = true;
  // The change counter of each entry group this editor opened or wrote, as it
  // was then: a later write of it by this editor expects to find it unchanged.
  std::map<std::uint16_t, std::int64_t> entryChanges;
  // The same for the local structures it loaded or wrote, by type id: two
  // editors of one structure each expect the version they started from.
  std::map<std::int32_t, std::int64_t> localChanges;
  quill::Runtime::Trail trail;  // what the editor last loaded and stored through this handle
};

namespace quill {

struct RuntimeType {
  std::int32_t id = 0;
  std::uint16_t group = kNoGroup;
  std::string name;
  std::optional<std::string> source;  // as stored (from the editor or the library)
  MemberTable members;                // of the last successful compile
  bool hasMembers = false;
  bool membersCurrent = false;  // members were compiled from the stored source
  // The structures the members of the last successful compile name: what a
  // compile of the same source again needs to know, without the library.
  std::vector<std::string> structuresUsed;
  std::optional<std::string> pendingText;      // text of a successful callback compile, not stored yet
  bool pendingWritten = false;                 // the library holds pendingText already
  bool dirty = false;                          // stored since the library last had it
  std::optional<std::int64_t> libraryChanges;  // local structures: the counter when read or written
};

struct RuntimeGroup {
  std::uint16_t id = kNoGroup;
  bool owner = false;
  std::string library;        // NormalLibraryPath of the entry's or owner's library ("" for none)
  std::string entry;          // entry groups: the entry (and structure) name
  std::int32_t objectId = 0;  // owner groups
  std::string unread;         // owner groups: why the latest load from the library failed ("" when it did not)
  std::vector<std::int32_t> types;
};

struct RuntimeObject {
  std::int32_t id = 0;
  std::string kind;
  std::string name;
  std::string library;  // NormalLibraryPath of its library; "" until the host names one
};

struct Runtime::Impl {
  std::string currentLibrary;     // as the caller wrote it: what dialogs offer and checks read
  std::string currentLibraryKey;  // the same file as NormalLibraryPath gives it, for comparing
  std::string lastError;
  std::string libraryFailure;  // for the next message box's detail
  Runtime::ReplaceQuestion replaceQuestion;
  std::function<void(const std::string&, const std::string&)> failureNotice;
  int busyTimeoutMs = kLibraryBusyTimeoutMs;
  std::unordered_map<std::int32_t, RuntimeType> types;
  std::int32_t nextType = 1;
  std::map<std::uint16_t, RuntimeGroup> groups;
  std::unordered_map<std::string, std::uint16_t> entryGroups;  // library + '\n' + lowered entry
  std::map<std::int32_t, RuntimeObject> objects;
  std::vector<std::unique_ptr<HostRuntime>> handles;
  std::unordered_set<void*> blocks;  // handed out by RuntimeMemberSuffix / RuntimeListTypes
  mutable LibraryConnections connections;

  RuntimeType* type(std::int32_t id);
  // The group of that id; an owner's group is made (and loaded) on first use.
  RuntimeGroup* group(std::uint16_t id);
  RuntimeType* findType(const RuntimeGroup& group, const std::string& name);
  // The type of that name in the group, made when missing; a new spelling renames it.
  RuntimeType& declareType(RuntimeGroup& group, const std::string& name);
  // Finds or makes the group of a global entry; kNoGroup when every id is taken.
  std::uint16_t entryGroup(const std::string& library, const std::string& entry);
  RuntimeObject* object(std::int32_t id);
  const RuntimeObject* groupOwner(const RuntimeGroup& group) const;
  // Makes the members of a type whose stored source compiled before (they were
  // handed to an editor and dropped) from that source again, knowing only the
  // structures that compile found. False when there is no such compile to repeat.
  bool recompileHeldMembers(RuntimeType& type);
  // Reads the owner's local structures from its library into its group,
  // keeping any the editor stored since the last write; group.unread says why
  // when the library cannot be read.
  void loadLocalTypes(RuntimeGroup& group);
  bool groupIdFree(std::uint16_t id) const;
  void* allocateBlock(std::size_t size);
  // Opens a library with this runtime's busy timeout (Library::open), or for a
  // write that follows (Library::openForWriting); a connection of an earlier
  // call is used again while nobody else changed the file.
  std::shared_ptr<Library> openLibrary(const std::string& path, bool create, std::string* error) const;
  std::shared_ptr<Library> openLibraryForWriting(const std::string& path, std::string* error) const;
  // Notes why a library could not be used, for the next message box; returns false.
  bool libraryFailed(const std::string& reason);
  // The library as the user named it: the current library's own text when it is
  // that file, else the normal path.
  std::string shownLibrary(const std::string& normal) const;
  // Asks whether to replace name in library, which someone else changed.
  // storedSource: the version someone else wrote (none when it is gone);
  // mySource: the one this write would put in its place.
  bool askReplace(const std::string& name, const std::string& library, const std::optional<std::string>& storedSource,
                  const std::string& mySource) const;
};

// The library path as the runtime keys it, so that two spellings of one file
// (relative or absolute, with . or .. parts, through a symbolic link) are one
// library: absolute, normal and resolved as far as the file exists. Only for
// recognising and reaching files; whatever is shown or handed back keeps the
// caller's own text. "" stays "" (no library), never the working directory.
std::string NormalLibraryPath(const std::string& path);
std::string LoweredName(const std::string& name);
bool SameName(const std::string& a, const std::string& b);

}  // namespace quill
