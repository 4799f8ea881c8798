// The HostRuntime calls the editor makes, each on its runtime handle.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string_view>
#include <vector>

#include "qst/host_pool.h"
#include "quill/library.h"
#include "quill/src/runtime_state.h"

namespace {

using quill::Runtime;
using quill::RuntimeGroup;
using quill::RuntimeType;

// The runtime behind a live handle, or null: calls through an ended handle do nothing.
Runtime* Live(HostRuntime* rt) { return rt && rt->live && rt->runtime ? rt->runtime : nullptr; }

bool IsText(const char* text) { return text && *text; }

// Where a member's suffix text sits inside its MemberRecord's unread bytes.
constexpr std::size_t kSuffixSlot = 0;
static_assert(sizeof(MemberRecord::reserved16) >= kSuffixSlot + sizeof(const char*));

char* CopyIntoBlock(char*& cursor, std::string_view text) {
  char* start = cursor;
  if (!text.empty()) std::memcpy(cursor, text.data(), text.size());
  cursor[text.size()] = '\0';
  cursor += text.size() + 1;
  return start;
}

// One pool block holds the records and, after them, every text they point
// to, so the editor's single PoolFree of the array frees everything. A type
// name is written once and shared by every record of that type.
MemberRecord* BuildMemberArray(HostPool* pool, const quill::MemberTable& members) {
  std::size_t size = members.size() * sizeof(MemberRecord);
  for (std::uint32_t k = 1; k < members.typeCount(); ++k) size += members.type(k).size() + 1;
  for (std::size_t i = 0; i < members.size(); ++i) size += members.name(i).size() + members.suffix(i).size() + 2;
  if (size == 0) size = 1;  // an empty structure still answers with a block
  if (size > std::numeric_limits<std::uint32_t>::max()) return nullptr;
  // Allocated before the block, which nothing may leave behind once it is taken.
  std::vector<const char*> types(members.typeCount(), nullptr);
  auto* block = static_cast<char*>(PoolAlloc(pool, static_cast<std::uint32_t>(size), 0));
  if (!block) return nullptr;
  auto* records = reinterpret_cast<MemberRecord*>(block);
  char* cursor = block + members.size() * sizeof(MemberRecord);
  for (std::uint32_t k = 1; k < members.typeCount(); ++k) types[k] = CopyIntoBlock(cursor, members.type(k));
  for (std::size_t i = 0; i < members.size(); ++i) {
    MemberRecord record{};
    record.name = CopyIntoBlock(cursor, members.name(i));
    record.typeName = types[members.typeNumber(i)];
    record.flags = static_cast<std::uint16_t>((members.decimals(i) << 1) & kMemberDecimalsMask);
    const char* suffix = nullptr;
    if (!members.suffix(i).empty()) {
      record.flags |= kMemberHasSuffix;
      suffix = CopyIntoBlock(cursor, members.suffix(i));
    }
    std::memcpy(record.reserved16 + kSuffixSlot, &suffix, sizeof suffix);
    std::memcpy(&records[i], &record, sizeof record);
  }
  return records;
}

// Notes a local structure the editor loaded or stored; false for a global one.
bool NoteLocalStructure(Runtime::Impl& impl, HostRuntime& rt, const RuntimeType& type) {
  RuntimeGroup* g = impl.group(type.group);
  const quill::RuntimeObject* owner = g ? impl.groupOwner(*g) : nullptr;
  if (!owner) return false;
  rt.trail.structure = type.name;
  rt.trail.library = owner->library;
  rt.trail.owner = owner->id;
  // What this editor now holds is based on that version of the library's.
  if (type.libraryChanges)
    rt.localChanges[type.id] = *type.libraryChanges;
  else
    rt.localChanges.erase(type.id);
  return true;
}

// Gives the heap's free pages back to the system. A large structure's compile
// leaves tens of megabytes of freed blocks in the middle of the heap, which
// would otherwise stay resident while the editor fills its grid.
void ReturnFreeMemory() {
#if defined(_WIN32)
  _heapmin();
#else
  malloc_trim(0);
#endif
}

std::string FirstErrorText(const std::vector<quill::CompileError>& errors) {
  return "Line " + std::to_string(errors.front().line) + ": " + errors.front().message;
}

// Why stored source could not be loaded, for the box that says so: the
// library's own failure when it could not be read (the compile then knew no
// structure of it), else the first error of the text.
std::string LoadFailure(const std::vector<quill::CompileError>& errors) {
  for (const quill::CompileError& error : errors) {
    if (error.line == 0) return error.message;
  }
  return FirstErrorText(errors);
}

char* CopyToRuntimeBlock(Runtime::Impl& impl, const char* text) {
  std::size_t length = std::strlen(text);
  auto* block = static_cast<char*>(impl.allocateBlock(length + 1));
  if (block) std::memcpy(block, text, length + 1);
  return block;
}

// Ends a call from the module in which an allocation failed: the call fails
// and says so; no exception ever unwinds through the module's code. The
// reason fits a string's own buffer, so setting it allocates nothing.
template <typename Result>
Result OutOfMemory(HostRuntime* rt, Result failed) noexcept {
  if (Runtime* runtime = Live(rt)) {
    runtime->impl().lastError = "Out of memory.";
    runtime->impl().libraryFailed("Out of memory.");
  }
  return failed;
}

}  // namespace

extern "C" {

std::uint16_t RuntimeOpenEntryGroup(HostRuntime* rt, const char* library, const char* entry, int kind) try {
  Runtime* runtime = Live(rt);
  if (!runtime || kind != kRuntimeKindStructure || !IsText(library) || !IsText(entry)) return kNoGroup;
  auto& impl = runtime->impl();
  impl.libraryFailure.clear();
  auto file = impl.openLibrary(library, false, &impl.lastError);
  if (!file) {
    impl.libraryFailed(impl.lastError);
    return kNoGroup;
  }
  std::optional<quill::LibraryEntryInfo> info = file->entryInfo(entry, &impl.lastError);
  std::optional<std::string> source = info ? file->entrySource(info->name, &impl.lastError) : std::nullopt;
  if (!source) {
    // A read that failed says why; otherwise the entry is not there.
    if (impl.lastError.empty())
      impl.lastError = std::string("The library ") + library + " has no structure " + entry + ".";
    impl.libraryFailed(impl.lastError);
    return kNoGroup;
  }
  std::uint16_t gid = impl.entryGroup(library, info->name);
  RuntimeGroup* g = impl.group(gid);
  if (!g) return kNoGroup;
  rt->entryChanges[gid] = info->changes;
  // Opening reads the library anew: what another editor stored but never
  // wrote does not count, the file does.
  RuntimeType& t = impl.declareType(*g, info->name);
  if (!(t.source && *t.source == *source && t.membersCurrent)) {
    t.source = std::move(*source);
    t.membersCurrent = false;
  }
  t.dirty = false;
  t.pendingText.reset();
  rt->trail.structure = info->name;
  rt->trail.library = library;
  return gid;
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, kNoGroup);
}

std::int32_t RuntimeFindType(HostRuntime* rt, std::uint16_t group, const char* name) try {
  Runtime* runtime = Live(rt);
  if (!runtime || !IsText(name)) return 0;
  RuntimeGroup* g = runtime->impl().group(group);
  RuntimeType* t = g ? runtime->impl().findType(*g, name) : nullptr;
  return t ? t->id : 0;
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, std::int32_t{0});
}

MemberRecord* RuntimeTypeMembers(HostRuntime* rt, std::int32_t type, std::uint32_t* count) try {
  if (count) *count = 0;
  Runtime* runtime = Live(rt);
  if (!runtime || !count) return nullptr;
  auto& impl = runtime->impl();
  RuntimeType* t = impl.type(type);
  if (!t) return nullptr;
  if ((!t->membersCurrent || !t->hasMembers) && t->source) {
    std::vector<quill::CompileError> errors;
    if (!impl.recompileHeldMembers(*t) && !runtime->compileType(type, nullptr, &errors) && !errors.empty()) {
      impl.lastError = FirstErrorText(errors);
      impl.libraryFailed(LoadFailure(errors));
    }
    ReturnFreeMemory();  // what the compile needed only while it ran
  }
  if (!t->hasMembers) return nullptr;
  MemberRecord* records = BuildMemberArray(rt->pool, t->members);
  if (records) {
    try {
      NoteLocalStructure(runtime->impl(), *rt, *t);
    } catch (const std::bad_alloc&) {
      PoolFree(rt->pool, records);  // the editor never got it
      throw;
    }
    *count = static_cast<std::uint32_t>(t->members.size());
    ++rt->trail.loads;
  }
  // The members stay: the next open of the same stored version needs no
  // compile. Whoever replaces the source marks them stale.
  return records;
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, static_cast<MemberRecord*>(nullptr));
}

char* RuntimeMemberSuffix(HostRuntime* rt, const MemberRecord* member) try {
  Runtime* runtime = Live(rt);
  if (!runtime) return nullptr;
  const char* suffix = nullptr;
  if (member && (member->flags & kMemberHasSuffix))
    std::memcpy(&suffix, member->reserved16 + kSuffixSlot, sizeof suffix);
  return CopyToRuntimeBlock(runtime->impl(), suffix ? suffix : "");
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, static_cast<char*>(nullptr));
}

void RuntimeFree(HostRuntime* rt, void* block) {
  Runtime* runtime = Live(rt);
  if (!runtime || !block) return;
  // Only blocks this runtime handed out are freed; anything else is left alone.
  if (runtime->impl().blocks.erase(block)) std::free(block);
}

// The editor does not test this result, so any library text, even none, gets a
// group: the declare, store and compile then work, and RuntimeWriteGroup is
// where an unusable library fails, through the save's own failure message.
std::uint16_t RuntimeCreateEntryGroup(HostRuntime* rt, const char* library, const char* entry, int kind) try {
  Runtime* runtime = Live(rt);
  if (!runtime || kind != kRuntimeKindStructure || !IsText(entry)) return kNoGroup;
  return runtime->impl().entryGroup(library ? library : "", entry);
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, kNoGroup);
}

std::int32_t RuntimeDeclareType(HostRuntime* rt, std::uint16_t group, const char* name, int kind, int flags) try {
  (void)flags;
  Runtime* runtime = Live(rt);
  if (!runtime || kind != kRuntimeKindStructure || !IsText(name)) return 0;
  RuntimeGroup* g = runtime->impl().group(group);
  return g ? runtime->impl().declareType(*g, name).id : 0;
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, std::int32_t{0});
}

void RuntimeStoreTypeSource(HostRuntime* rt, std::int32_t type, char* text, std::uint32_t length) {
  Runtime* runtime = Live(rt);
  if (!runtime || !text) return;  // without a live handle the block's pool may be gone: leave it
  RuntimeType* t = runtime->impl().type(type);
  // The old text goes before the new one is copied, so that a large structure
  // is not held three times at once (the old text, the block and the copy).
  if (t) t->source.reset();
  std::string copy;
  try {
    copy.assign(text, strnlen(text, length));
  } catch (const std::bad_alloc&) {
    // The text is not stored: the save that follows finds none and fails.
    PoolFree(rt->pool, text);
    OutOfMemory(rt, 0);
    return;
  }
  PoolFree(rt->pool, text);
  if (!t) return;
  const bool compiled = t->pendingText && *t->pendingText == copy;
  t->membersCurrent = compiled;
  // A local structure's save wrote this text already; anything else waits for a write.
  t->dirty = !(compiled && t->pendingWritten);
  t->pendingText.reset();
  t->pendingWritten = false;
  t->source = std::move(copy);
  // A local structure's source is stored only once it compiled: that is its save.
  // A global one is stored before its compile; its save is the write of its group.
  if (NoteLocalStructure(runtime->impl(), *rt, *t)) {
    ++rt->trail.saves;
    rt->trail.savedTo = runtime->objectName(rt->trail.owner);
  }
}

// 1 when the group reached the library file. A global entry needs the library
// the user chose: with none (an empty save dialog kept as it was) nothing is
// written and the result is 0, never a write to some other file.
int RuntimeWriteGroup(HostRuntime* rt, std::uint16_t group, const char* library, const char* comment) try {
  Runtime* runtime = Live(rt);
  if (!runtime) return 0;
  auto& impl = runtime->impl();
  impl.lastError.clear();
  impl.libraryFailure.clear();
  RuntimeGroup* g = impl.group(group);
  if (g && !g->owner && !IsText(library)) {
    impl.lastError = "No library was chosen for " + g->entry + "; nothing was written.";
    impl.libraryFailed("No library was chosen.");
    return 0;
  }
  // This editor's counter of the entry, when it opened or wrote it before.
  std::optional<std::int64_t> known;
  if (auto it = rt->entryChanges.find(group); it != rt->entryChanges.end()) known = it->second;
  if (!runtime->writeGroup(group, library ? library : "", comment ? comment : "", &impl.lastError, &known)) return 0;
  if (known) rt->entryChanges[group] = *known;
  if (g && !g->owner) {
    rt->trail.structure = g->entry;
    rt->trail.library = library;
    rt->trail.savedTo = library;
    ++rt->trail.saves;
  }
  return 1;
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, 0);
}

TypeListEntry* RuntimeListTypes(HostRuntime* rt, std::uint16_t group, int kind, std::uint32_t* count) try {
  if (count) *count = 0;
  Runtime* runtime = Live(rt);
  if (!runtime || !count || kind != kRuntimeKindStructure) return nullptr;
  auto& impl = runtime->impl();
  RuntimeGroup* g = impl.group(group);
  if (!g) return nullptr;
  std::vector<const RuntimeType*> listed;
  std::size_t size = 0;
  for (std::int32_t id : g->types) {
    const RuntimeType* t = impl.type(id);
    if (!t || !t->source) continue;  // declared but never stored: not a structure yet
    listed.push_back(t);
    size += sizeof(TypeListEntry) + t->name.size() + 1;
  }
  if (listed.empty()) return nullptr;
  auto* block = static_cast<char*>(impl.allocateBlock(size));
  if (!block) return nullptr;
  auto* entries = reinterpret_cast<TypeListEntry*>(block);
  char* cursor = block + listed.size() * sizeof(TypeListEntry);
  for (std::size_t i = 0; i < listed.size(); ++i) {
    TypeListEntry entry{};
    entry.name = CopyIntoBlock(cursor, listed[i]->name);
    std::memcpy(&entries[i], &entry, sizeof entry);
  }
  *count = static_cast<std::uint32_t>(listed.size());
  return entries;
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, static_cast<TypeListEntry*>(nullptr));
}

std::uint16_t RuntimeObjectKind(HostRuntime* rt, std::int32_t objectId) try {
  Runtime* runtime = Live(rt);
  quill::RuntimeObject* info = runtime ? runtime->impl().object(objectId) : nullptr;
  if (!info) return 0;
  if (info->kind == "window") return kObjectKindWindow;
  if (info->kind == "menu") return kObjectKindMenu;
  if (info->kind == "userobject") return kObjectKindUserObject;
  if (info->kind == "function") return kObjectKindFunction;
  return 0;
} catch (const std::bad_alloc&) {
  return OutOfMemory(rt, std::uint16_t{0});
}

const char* RuntimeObjectName(HostRuntime* rt, std::int32_t objectId) {
  Runtime* runtime = Live(rt);
  quill::RuntimeObject* info = runtime ? runtime->impl().object(objectId) : nullptr;
  return info ? info->name.c_str() : "";
}

void RuntimeRelease(HostRuntime* rt) {
  if (rt && rt->runtime) rt->runtime->closeHandle(rt);
}

}  // extern "C"
