// The runtime's owning objects, their groups of local structures, the current
// library and the library writes.
#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

#include "quill/compiler.h"
#include "quill/library.h"
#include "quill/src/runtime_state.h"

namespace quill {
namespace {

constexpr std::array<std::string_view, 4> kObjectKinds = {"window", "menu", "userobject", "function"};

bool ValidObjectName(const std::string& name) {
  std::string suffix;
  return SplitVariableName(name, nullptr, &suffix) && suffix.empty();
}

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

// Why a write the user declined did not happen.
std::string DeclinedReplace(const std::string& library) {
  return "You kept the version in " + library + "; your rows are unchanged.";
}

// After a guarded write of an owner's local structures found other counters:
// asks about each structure someone else wrote since it was read here and,
// where the user agrees, expects the counter found. False (with *error) when
// the user keeps the other version or the counters cannot be read.
bool ConfirmLocalReplacements(Runtime::Impl& impl, const Library& library, std::int32_t objectId,
                              const std::string& shownLibrary, std::vector<StoredLocalType>& changed,
                              std::string* error) {
  std::string reason;
  std::vector<StoredLocalType> now = library.localTypes(objectId, &reason);
  if (!reason.empty()) {
    SetError(error, reason);
    return impl.libraryFailed(reason);
  }
  for (StoredLocalType& mine : changed) {
    auto found = std::find_if(now.begin(), now.end(), [&](const auto& t) { return SameName(t.name, mine.name); });
    std::int64_t counter = found == now.end() ? 0 : found->changes;
    if (counter == mine.changes) continue;
    const auto stored = found == now.end() ? std::nullopt : std::optional<std::string>(found->source);
    if (!impl.askReplace(mine.name, shownLibrary, stored, mine.source)) {
      SetError(error, DeclinedReplace(shownLibrary));
      return impl.libraryFailed(DeclinedReplace(shownLibrary));
    }
    mine.changes = counter;  // replace exactly the version the user was asked about
  }
  return true;
}

// Writes the owner's object and these local structures in one transaction,
// each only while its counter is still the one expected; a structure someone
// else wrote meanwhile is asked about first. Afterwards each holds its new
// counter. False (with *error, and the reason kept for the next message box)
// when the user keeps the other version or the write fails.
bool WriteLocalTypes(Runtime::Impl& impl, const RuntimeObject& owner, std::vector<StoredLocalType>& types,
                     std::string* error) {
  const std::string shown = impl.shownLibrary(owner.library);
  auto library = impl.openLibraryForWriting(shown, error);
  if (!library) return impl.libraryFailed(error ? *error : "");
  const StoredObject object{owner.id, owner.kind, owner.name};
  WriteOutcome outcome;
  while ((outcome = library->writeObjectTypesIfUnchanged(object, types, error)) == WriteOutcome::Changed) {
    if (!ConfirmLocalReplacements(impl, *library, owner.id, shown, types, error)) return false;
  }
  if (outcome == WriteOutcome::Failed) return impl.libraryFailed(error ? *error : "");
  return true;
}

// Members compiled from text that was not kept describe nothing the runtime
// holds: the next request compiles the stored source again.
void DropCompiledMembers(RuntimeType& type) {
  type.members.clear();
  type.hasMembers = false;
  type.membersCurrent = false;
}

}  // namespace

// ---- Current library and objects ------------------------------------------------

bool Runtime::setCurrentLibrary(const std::string& path, std::string* error) {
  std::string normal = NormalLibraryPath(path);
  auto library = impl_->openLibrary(path, true, error);
  if (!library) return false;
  // The caller's text is what the dialogs offer and the editor gets back; the
  // normal form only tells whether objects belong to this library.
  // A library whose objects cannot be read is not one without objects.
  std::string unread;
  std::vector<StoredObject> objects = library->objects(&unread);
  if (!unread.empty()) {
    SetError(error, unread);
    return false;
  }
  impl_->currentLibrary = path;
  impl_->currentLibraryKey = normal;
  for (const StoredObject& stored : objects) {
    RuntimeObject* known = impl_->object(stored.id);
    if (known && known->library != normal) continue;  // an id of another library keeps its owner
    auto gid = static_cast<std::uint16_t>(static_cast<std::uint32_t>(stored.id) & 0xFFFFu);
    if (known) {
      // Assign only what changed: RuntimeObjectName handed out pointers to these texts.
      if (known->kind != stored.kind) known->kind = stored.kind;
      if (known->name != stored.name) known->name = stored.name;
      continue;
    }
    if (stored.id <= 0 || !impl_->groupIdFree(gid)) continue;
    impl_->objects[stored.id] = RuntimeObject{stored.id, stored.kind, stored.name, normal};
  }
  return true;
}

const std::string& Runtime::currentLibrary() const { return impl_->currentLibrary; }

std::int32_t Runtime::addObject(const std::string& kind, const std::string& name, std::optional<std::int32_t> id,
                                std::string* error) {
  if (std::find(kObjectKinds.begin(), kObjectKinds.end(), kind) == kObjectKinds.end()) {
    SetError(error, "Unknown object kind \"" + kind + "\".");
    return 0;
  }
  if (!ValidObjectName(name)) {
    SetError(error, "Invalid object name \"" + name + "\".");
    return 0;
  }
  for (const auto& [known, info] : impl_->objects) {
    if (info.library != impl_->currentLibraryKey || !SameName(info.name, name)) continue;
    if (!id || *id == known) return known;
    SetError(error, "An object named " + name + " already exists.");
    return 0;
  }
  std::int32_t chosen = 0;
  if (id) {
    auto gid = static_cast<std::uint16_t>(static_cast<std::uint32_t>(*id) & 0xFFFFu);
    if (*id <= 0 || impl_->objects.count(*id) || !impl_->groupIdFree(gid)) {
      SetError(error, "The object id " + std::to_string(*id) + " is taken or not usable.");
      return 0;
    }
    chosen = *id;
  } else {
    std::int32_t candidate = impl_->objects.empty() ? 1 : impl_->objects.rbegin()->first + 1;
    for (; candidate > 0; ++candidate) {
      auto gid = static_cast<std::uint16_t>(static_cast<std::uint32_t>(candidate) & 0xFFFFu);
      if (impl_->groupIdFree(gid)) break;
    }
    if (candidate <= 0) {
      SetError(error, "No object id is left.");
      return 0;
    }
    chosen = candidate;
  }
  RuntimeObject made{chosen, kind, name, impl_->currentLibraryKey};
  if (!made.library.empty()) {
    auto library = impl_->openLibrary(made.library, true, error);
    if (!library || !library->writeObject(StoredObject{chosen, kind, name}, error)) return 0;
  }
  impl_->objects[chosen] = made;
  return chosen;
}

std::optional<std::int32_t> Runtime::findObject(const std::string& name) const {
  for (const auto& [id, info] : impl_->objects) {
    if (SameName(info.name, name) && (info.library == impl_->currentLibraryKey)) return id;
  }
  for (const auto& [id, info] : impl_->objects) {
    if (SameName(info.name, name)) return id;
  }
  return std::nullopt;
}

std::string Runtime::objectName(std::int32_t id) const {
  RuntimeObject* info = impl_->object(id);
  return info ? info->name : std::string();
}

std::uint16_t Runtime::objectGroup(std::int32_t objectId, std::string* readError) {
  RuntimeObject* info = impl_->object(objectId);
  if (!info) return kNoGroup;
  auto gid = static_cast<std::uint16_t>(static_cast<std::uint32_t>(objectId) & 0xFFFFu);
  auto it = impl_->groups.find(gid);
  RuntimeGroup* g = nullptr;
  if (it == impl_->groups.end()) {
    g = impl_->group(gid);  // made and loaded
  } else if (it->second.owner && it->second.objectId == objectId) {
    g = &it->second;
    impl_->loadLocalTypes(*g);  // pick up what was written since
  }
  if (g && readError) *readError = g->unread;
  return g ? gid : kNoGroup;
}

std::vector<std::string> Runtime::localTypeNames(std::int32_t objectId) const {
  std::vector<std::string> names;
  RuntimeGroup* g = impl_->object(objectId) ? impl_->group(static_cast<std::uint16_t>(objectId & 0xFFFF)) : nullptr;
  if (!g || g->objectId != objectId) return names;
  for (std::int32_t id : g->types) {
    RuntimeType* t = impl_->type(id);
    if (t && t->source) names.push_back(t->name);
  }
  return names;
}

std::int32_t Runtime::localTypeId(std::int32_t objectId, const std::string& name) {
  std::uint16_t gid = objectGroup(objectId);
  RuntimeGroup* g = impl_->group(gid);
  RuntimeType* t = g ? impl_->findType(*g, name) : nullptr;
  if (t && t->source) return t->id;
  // The load that follows fails; its box tells why.
  if (g && !g->unread.empty()) {
    impl_->libraryFailed(g->unread);
  } else if (RuntimeObject* owner = impl_->object(objectId)) {
    impl_->libraryFailed(owner->name + " has no local structure " + name + ".");
  }
  return 0;
}

std::optional<std::string> Runtime::localTypeSource(std::int32_t objectId, const std::string& name) const {
  RuntimeGroup* g = impl_->object(objectId) ? impl_->group(static_cast<std::uint16_t>(objectId & 0xFFFF)) : nullptr;
  if (!g || g->objectId != objectId) return std::nullopt;
  RuntimeType* t = impl_->findType(*g, name);
  return t ? t->source : std::nullopt;
}

// ---- Writing --------------------------------------------------------------------

bool Runtime::writeObjectGroup(std::int32_t objectId, std::string* error) {
  RuntimeObject* info = impl_->object(objectId);
  std::uint16_t gid = objectGroup(objectId);
  RuntimeGroup* g = impl_->group(gid);
  if (!info || !g) {
    SetError(error, "There is no object with id " + std::to_string(objectId) + ".");
    return false;
  }
  if (info->library.empty()) {
    SetError(error, "The object " + info->name + " belongs to no library.");
    return false;
  }
  std::vector<StoredLocalType> changed;
  std::vector<RuntimeType*> written;
  std::string failed;
  for (std::int32_t id : g->types) {
    RuntimeType* t = impl_->type(id);
    if (!t || !t->source || !t->dirty) continue;
    // Only text that compiles reaches the library.
    if (!t->membersCurrent && !compileType(id, nullptr, nullptr)) {
      failed += (failed.empty() ? "" : ", ") + t->name;
      continue;
    }
    // A structure this program never read must not be there yet either (0).
    changed.push_back({t->name, *t->source, t->libraryChanges.value_or(0)});
    written.push_back(t);
  }
  // Nothing saved since the last write: the file is not touched (nor need it be free).
  if (changed.empty() && failed.empty()) return true;
  if (!WriteLocalTypes(*impl_, *info, changed, error)) {
    // What the library refused is forgotten: whoever opens these structures
    // next gets what the file holds.
    for (RuntimeType* t : written) {
      t->source.reset();
      t->dirty = false;
      t->libraryChanges.reset();
      DropCompiledMembers(*t);
    }
    impl_->loadLocalTypes(*g);
    return false;
  }
  for (std::size_t i = 0; i < written.size(); ++i) {
    written[i]->dirty = false;
    written[i]->libraryChanges = changed[i].changes;
  }
  if (!failed.empty()) {
    SetError(error, "Not written because they do not compile: " + failed + ".");
    return false;
  }
  return true;
}

bool Runtime::saveLocalType(HostRuntime* editor, std::int32_t type, const std::string& text) {
  RuntimeType* t = impl_->type(type);
  RuntimeGroup* g = t ? impl_->group(t->group) : nullptr;
  const RuntimeObject* owner = g ? impl_->groupOwner(*g) : nullptr;
  if (!owner || !editor || !editor->live) return true;
  std::string reason;
  if (owner->library.empty()) {
    reason = "The object " + owner->name + " belongs to no library; nothing was written.";
  } else {
    // The version this editor started from; a structure it never read must be
    // the one the runtime holds (the one a replace question named), or new.
    auto known = editor->localChanges.find(type);
    const std::int64_t expected = known != editor->localChanges.end() ? known->second : t->libraryChanges.value_or(0);
    std::vector<StoredLocalType> changed{{t->name, text, expected}};
    if (WriteLocalTypes(*impl_, *owner, changed, &reason)) {
      t->libraryChanges = changed[0].changes;
      editor->localChanges[type] = changed[0].changes;
      t->pendingWritten = true;
      return true;
    }
  }
  // The text never becomes the stored source: the runtime keeps what it held.
  t->pendingText.reset();
  t->pendingWritten = false;
  DropCompiledMembers(*t);
  impl_->libraryFailure.clear();  // told here, not under some later box
  if (impl_->failureNotice) impl_->failureNotice(t->name + " was not saved to " + owner->name + ".", reason);
  return false;
}

bool Runtime::writeGroup(std::uint16_t group, const std::string& library, const std::string& comment,
                         std::string* error, std::optional<std::int64_t>* knownChanges) {
  RuntimeGroup* g = impl_->group(group);
  if (!g) {
    SetError(error, "There is nothing to write.");
    return false;
  }
  if (g->owner) return writeObjectGroup(g->objectId, error);
  RuntimeType* t = impl_->findType(*g, g->entry);
  if (!t || !t->source) {
    SetError(error, "The structure " + g->entry + " has no source text to write.");
    return false;
  }
  // A group whose last compile failed is never written.
  std::vector<CompileError> errors;
  if (!t->membersCurrent && !compileType(t->id, nullptr, &errors)) {
    SetError(error, "The structure " + t->name + " does not compile; nothing was written.");
    return false;
  }
  // The caller's own text names the file in every message; it is the same file.
  const std::string path = library.empty() ? impl_->shownLibrary(g->library) : library;
  if (path.empty()) {
    SetError(error, "No library was chosen for " + t->name + "; nothing was written.");
    return impl_->libraryFailed("No library was chosen.");
  }
  std::error_code ignored;
  const bool existed = std::filesystem::exists(path, ignored);
  auto file = impl_->openLibraryForWriting(path, error);
  if (!file) return impl_->libraryFailed(error ? *error : "");
  std::int64_t expected = knownChanges && *knownChanges ? **knownChanges : kAnyChanges;
  std::int64_t changes = 0;
  WriteOutcome outcome;
  while ((outcome = file->writeEntryIfUnchanged(t->name, *t->source, comment, expected, &changes, error)) ==
         WriteOutcome::Changed) {
    if (!impl_->askReplace(t->name, path, file->entrySource(t->name), *t->source)) {
      SetError(error, DeclinedReplace(path));
      return impl_->libraryFailed(DeclinedReplace(path));
    }
    expected = changes;  // replace exactly the version the user was asked about
  }
  if (outcome == WriteOutcome::Failed) {
    // A library this save began and could not complete is no library: remove it,
    // unless another program has it open (and may have written to it).
    if (!existed && file->lastFailure() != LibraryFailure::InUse) {
      file.reset();
      impl_->connections.forget(path);
      Library::removeUnfinished(path);
    }
    return impl_->libraryFailed(error ? *error : "");
  }
  if (knownChanges) *knownChanges = changes;
  t->dirty = false;
  return true;
}

const std::string& Runtime::lastError() const { return impl_->lastError; }

}  // namespace quill
