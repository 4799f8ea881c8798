// The runtime's groups and types: declaring, compiling and writing them.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "quill/compiler.h"
#include "quill/library.h"
#include "quill/member_diff.h"
#include "quill/src/runtime_state.h"

namespace quill {

std::string NormalLibraryPath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) return path;
  std::filesystem::path normal = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? absolute.lexically_normal().string() : normal.string();
}

std::string LoweredName(const std::string& name) {
  std::string result = name;
  for (char& c : result) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return result;
}

bool SameName(const std::string& a, const std::string& b) { return LoweredName(a) == LoweredName(b); }

// ---- Impl -------------------------------------------------------------------

RuntimeType* Runtime::Impl::type(std::int32_t id) {
  auto it = types.find(id);
  return it == types.end() ? nullptr : &it->second;
}

RuntimeObject* Runtime::Impl::object(std::int32_t id) {
  auto it = objects.find(id);
  return it == objects.end() ? nullptr : &it->second;
}

const RuntimeObject* Runtime::Impl::groupOwner(const RuntimeGroup& g) const {
  auto it = objects.find(g.objectId);
  return g.owner && it != objects.end() ? &it->second : nullptr;
}

RuntimeGroup* Runtime::Impl::group(std::uint16_t id) {
  if (id == kNoGroup) return nullptr;
  auto it = groups.find(id);
  if (it != groups.end()) return &it->second;
  for (const auto& [objectId, info] : objects) {
    if ((static_cast<std::uint32_t>(objectId) & 0xFFFFu) != id) continue;
    RuntimeGroup& made = groups[id];
    made.id = id;
    made.owner = true;
    made.objectId = objectId;
    made.library = info.library;
    loadLocalTypes(made);
    return &made;
  }
  return nullptr;
}

RuntimeType* Runtime::Impl::findType(const RuntimeGroup& g, const std::string& name) {
  for (std::int32_t id : g.types) {
    RuntimeType* t = type(id);
    if (t && SameName(t->name, name)) return t;
  }
  return nullptr;
}

RuntimeType& Runtime::Impl::declareType(RuntimeGroup& g, const std::string& name) {
  if (RuntimeType* existing = findType(g, name)) {
    existing->name = name;
    return *existing;
  }
  std::int32_t id = nextType++;
  RuntimeType& made = types[id];
  made.id = id;
  made.group = g.id;
  made.name = name;
  g.types.push_back(id);
  return made;
}

bool Runtime::Impl::groupIdFree(std::uint16_t id) const {
  if (id == kNoGroup || groups.count(id)) return false;
  return std::none_of(objects.begin(), objects.end(),
                      [&](const auto& entry) { return (static_cast<std::uint32_t>(entry.first) & 0xFFFFu) == id; });
}

std::uint16_t Runtime::Impl::entryGroup(const std::string& library, const std::string& entry) {
  std::string normal = NormalLibraryPath(library);
  std::string key = normal + '\n' + LoweredName(entry);
  if (auto it = entryGroups.find(key); it != entryGroups.end()) return it->second;
  // Entry groups count down from the top so that they stay clear of the ids
  // owners get from their object ids, which count up.
  for (std::uint32_t id = kNoGroup - 1; id > 0; --id) {
    auto gid = static_cast<std::uint16_t>(id);
    if (!groupIdFree(gid)) continue;
    RuntimeGroup& made = groups[gid];
    made.id = gid;
    made.library = normal;
    made.entry = entry;
    entryGroups[key] = gid;
    return gid;
  }
  return kNoGroup;
}

void Runtime::Impl::loadLocalTypes(RuntimeGroup& g) {
  g.unread.clear();
  if (g.library.empty()) return;
  // The same file under the name the user gave it, which its messages use.
  auto library = openLibrary(shownLibrary(g.library), false, &g.unread);
  if (!library) return;
  for (const StoredLocalType& stored : library->localTypes(g.objectId, &g.unread)) {
    // The editor's newer version waits to be written, under the name it was
    // saved with: re-declaring it would put back the stored spelling, and its
    // counter stays the one its editor started from.
    if (RuntimeType* pending = findType(g, stored.name); pending && pending->dirty) continue;
    RuntimeType& t = declareType(g, stored.name);
    t.libraryChanges = stored.changes;
    if (t.source && *t.source == stored.source) continue;
    t.source = stored.source;
    t.membersCurrent = false;
  }
}

bool Runtime::Impl::recompileHeldMembers(RuntimeType& t) {
  RuntimeGroup* g = group(t.group);
  if (!g || !t.membersCurrent || !t.source) return false;
  // The earlier compile checked the members against the library and refused any
  // circle; the same text needs neither again, so the library is not read.
  CompileExpectation expectation{!g->owner, t.name, {}};
  CompiledStructure compiled;
  if (!CompileStructureSource(*t.source, t.structuresUsed, expectation, &compiled, nullptr)) return false;
  t.members = std::move(compiled.members);
  t.hasMembers = true;
  return true;
}

std::shared_ptr<Library> Runtime::Impl::openLibrary(const std::string& path, bool create, std::string* error) const {
  return connections.open(path, create, false, error, busyTimeoutMs);
}

std::shared_ptr<Library> Runtime::Impl::openLibraryForWriting(const std::string& path, std::string* error) const {
  return connections.open(path, true, true, error, busyTimeoutMs);
}

bool Runtime::Impl::libraryFailed(const std::string& reason) {
  libraryFailure = reason;
  return false;
}

std::string Runtime::Impl::shownLibrary(const std::string& normal) const {
  return !currentLibraryKey.empty() && normal == currentLibraryKey ? currentLibrary : normal;
}

namespace {

// The variables a source declares, as far as it compiles: the types it names
// need not be known to compare two versions.
MemberTable DeclaredMembers(const std::string& source) {
  CompiledStructure compiled;
  CompileStructureSource(source, {}, &compiled, nullptr);
  return std::move(compiled.members);
}

}  // namespace

bool Runtime::Impl::askReplace(const std::string& name, const std::string& library,
                               const std::optional<std::string>& storedSource, const std::string& mySource) const {
  if (!replaceQuestion) return false;
  // A version removed meanwhile declares nothing: every row of this one is added.
  std::vector<std::string> differences;
  for (const MemberChange& change : DiffMembers(DeclaredMembers(storedSource.value_or("")), DeclaredMembers(mySource)))
    differences.push_back(DescribeChange(change));
  return replaceQuestion(
      name + " was changed in " + library + " after you opened it.\nReplace that version with yours?", differences);
}

void* Runtime::Impl::allocateBlock(std::size_t size) {
  void* block = std::calloc(1, size == 0 ? 1 : size);
  if (block) blocks.insert(block);
  return block;
}

// ---- Runtime: types and compiling ---------------------------------------------

Runtime::Runtime() : impl_(std::make_unique<Impl>()) {}
Runtime::~Runtime() {
  for (void* block : impl_->blocks) std::free(block);
}

Runtime::Impl& Runtime::impl() { return *impl_; }

std::optional<std::string> Runtime::typeSource(std::int32_t type) const {
  RuntimeType* t = impl_->type(type);
  return t ? t->source : std::nullopt;
}

std::vector<std::int32_t> Runtime::groupTypes(std::uint16_t group) const {
  RuntimeGroup* g = impl_->group(group);
  return g ? g->types : std::vector<std::int32_t>{};
}

std::vector<std::string> Runtime::knownStructures(std::uint16_t group, std::string* readError) const {
  std::vector<std::string> names;
  RuntimeGroup* g = impl_->group(group);
  if (!g) return names;
  std::error_code ignored;
  // A library not made yet holds no structures; one that cannot be read is told.
  if (!g->library.empty() && std::filesystem::exists(g->library, ignored)) {
    std::string reason;
    auto library = impl_->openLibrary(impl_->shownLibrary(g->library), false, &reason);
    if (library) {
      for (const LibraryEntryInfo& entry : library->entries(&reason)) names.push_back(entry.name);
    }
    if (readError) *readError = reason;
  }
  for (std::int32_t id : g->types) {
    RuntimeType* t = impl_->type(id);
    if (t && t->source) names.push_back(t->name);
  }
  return names;
}

void Runtime::setTypeMembers(std::int32_t type, MemberTable members) {
  RuntimeType* t = impl_->type(type);
  if (!t) return;
  t->members = std::move(members);
  t->hasMembers = true;
}

namespace {

// How the compiler learns what the structures a type of group may name hold:
// the owner's local structure of that name first, else the library's global
// entry, each as stored. The library is opened once, when first needed.
std::function<std::vector<std::string>(const std::string&)> MemberTypesLookup(Runtime::Impl& impl,
                                                                              const RuntimeGroup& group) {
  auto library = std::make_shared<std::shared_ptr<Library>>();
  return [&impl, id = group.id, path = impl.shownLibrary(group.library), library](const std::string& name) {
    RuntimeGroup* g = impl.group(id);
    RuntimeType* local = g && g->owner ? impl.findType(*g, name) : nullptr;
    if (local && local->source) return MemberTypeNames(*local->source);
    if (!path.empty() && !*library) *library = impl.openLibrary(path, false, nullptr);
    std::optional<std::string> source = *library ? (*library)->entrySource(name) : std::nullopt;
    return source ? MemberTypeNames(*source) : std::vector<std::string>{};
  };
}

// The structure types among a compiled structure's member types, each once.
std::vector<std::string> StructuresNamed(const MemberTable& members) {
  std::vector<std::string> names;
  for (std::uint32_t k = 1; k < members.typeCount(); ++k) {
    std::string name(members.type(k));
    if (!IsLanguageTypeName(name)) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

bool Runtime::compileType(std::int32_t type, const std::string* text, std::vector<CompileError>* errors) {
  RuntimeType* t = impl_->type(type);
  RuntimeGroup* g = t ? impl_->group(t->group) : nullptr;
  if (!t || !g) {
    if (errors) errors->push_back({0, "", "The structure to compile is unknown."});
    return false;
  }
  const std::string* source = text ? text : (t->source ? &*t->source : nullptr);
  if (!source) {
    if (errors) errors->push_back({0, "", "The structure " + t->name + " has no source text."});
    return false;
  }
  CompileExpectation expectation{!g->owner, t->name, MemberTypesLookup(*impl_, *g)};
  CompiledStructure compiled;
  std::string unread;
  if (!CompileStructureSource(*source, knownStructures(g->id, &unread), expectation, &compiled, errors)) {
    // A structure of the library may be unknown only because the library could not be read.
    if (errors && !unread.empty()) errors->push_back({0, "", unread});
    // A failed compile of new text leaves the stored source and its members as they were.
    if (text)
      t->pendingText.reset();
    else
      t->membersCurrent = false;
    return false;
  }
  t->structuresUsed = StructuresNamed(compiled.members);
  setTypeMembers(type, std::move(compiled.members));
  if (text) {
    t->pendingText = *text;
    t->pendingWritten = false;
    t->membersCurrent = t->source && *t->source == *text;
  } else {
    t->membersCurrent = true;
  }
  return true;
}

bool Runtime::compileGroup(std::uint16_t group, std::vector<CompileError>* errors) {
  RuntimeGroup* g = impl_->group(group);
  if (!g) {
    if (errors) errors->push_back({0, "", "The structure to compile is unknown."});
    return false;
  }
  bool ok = true, any = false;
  std::vector<std::int32_t> ids = g->types;
  for (std::int32_t id : ids) {
    RuntimeType* t = impl_->type(id);
    if (!t || !t->source) continue;
    any = true;
    ok = compileType(id, nullptr, errors) && ok;
  }
  if (!any && errors) errors->push_back({0, "", "There is no structure source to compile."});
  // A group is compiled to be written: nobody reads these members before the
  // type is next asked for its members, which compiles the stored source again.
  // Dropping them now keeps a large structure's members out of memory while the
  // library write holds its own copy of the text.
  for (std::int32_t id : ids) {
    RuntimeType* t = impl_->type(id);
    if (t && t->source && t->membersCurrent) {
      t->members.clear();
      t->hasMembers = false;
    }
  }
  return ok && any;
}

std::vector<LibraryEntryInfo> Runtime::listEntries(const std::string& library, std::string* error) const {
  auto file = impl_->openLibrary(library, false, error);
  return file ? file->entries(error) : std::vector<LibraryEntryInfo>{};
}

std::optional<std::string> Runtime::storedEntrySource(const std::string& library, const std::string& entry) const {
  auto file = impl_->openLibrary(library, false, nullptr);
  return file ? file->entrySource(entry) : std::nullopt;
}

std::optional<LibraryEntryInfo> Runtime::storedEntry(const std::string& library, const std::string& entry) const {
  std::error_code ignored;
  if (library.empty() || !std::filesystem::exists(library, ignored)) return std::nullopt;
  auto file = impl_->openLibrary(library, false, nullptr);
  return file ? file->entryInfo(entry) : std::nullopt;
}

std::string Runtime::takeLibraryFailure() {
  std::string reason = std::move(impl_->libraryFailure);
  impl_->libraryFailure.clear();
  return reason;
}

void Runtime::setReplaceQuestion(ReplaceQuestion ask) { impl_->replaceQuestion = std::move(ask); }

void Runtime::setFailureNotice(std::function<void(const std::string& message, const std::string& reason)> tell) {
  impl_->failureNotice = std::move(tell);
}

void Runtime::setBusyTimeout(int milliseconds) { impl_->busyTimeoutMs = milliseconds; }

std::uint64_t Runtime::libraryWrites() const { return impl_->connections.commits(); }

}  // namespace quill
