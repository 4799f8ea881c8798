// HostRuntime: the host's type system: groups, types, members, stored source and
// library writes. Every call takes the editor's runtime handle first.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qst/host_api.h"

// Kinds, flags and masks. All frozen by the module's binary interface; none is
// stored in the library file, which keeps source text and kind names.
constexpr int kRuntimeKindStructure = 0x405a;        // binary interface: the kind of a structure type
constexpr int kDeclareTypeFlags = 0xC000;            // binary interface: flags of RuntimeDeclareType
constexpr std::uint16_t kNoGroup = 0xFFFF;           // binary interface: no group found
constexpr std::uint16_t kMemberHasSuffix = 0x2000;   // binary interface: MemberRecord flag
constexpr std::uint16_t kMemberDecimalsMask = 0x3E;  // binary interface: decimals in bits 1-5

// Runtime kinds of owning objects (binary interface: RuntimeObjectKind's answers).
constexpr std::uint16_t kObjectKindWindow = 0x4062;
constexpr std::uint16_t kObjectKindMenu = 0x4059;
constexpr std::uint16_t kObjectKindUserObject = 0x408a;
constexpr std::uint16_t kObjectKindFunction = 0x405b;
constexpr std::uint16_t kObjectKindFunction2 = 0x4061;

#pragma pack(push, 1)
struct MemberRecord {
  std::uint16_t reserved0;
  const char* name;
  const char* typeName;  // may be null
  std::uint32_t reserved10;
  std::uint16_t flags;  // bits 1-5 decimals, 0x2000 name suffix
  std::uint8_t reserved16[30];
};
struct TypeListEntry {
  const char* name;
  std::uint32_t reserved;
};
#pragma pack(pop)

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(MemberRecord) == 46 && offsetof(MemberRecord, name) == 2 &&
              offsetof(MemberRecord, typeName) == 6 && offsetof(MemberRecord, flags) == 14);
static_assert(sizeof(TypeListEntry) == 8);
#endif

extern "C" {
HOST_API std::uint16_t RuntimeOpenEntryGroup(HostRuntime* rt, const char* library, const char* entry, int kind);
HOST_API std::int32_t RuntimeFindType(HostRuntime* rt, std::uint16_t group, const char* name);
// Member array allocated from the editor's pool (the editor frees it), or null.
HOST_API MemberRecord* RuntimeTypeMembers(HostRuntime* rt, std::int32_t type, std::uint32_t* count);
// Suffix text of a member's name ("[10]"); free with RuntimeFree.
HOST_API char* RuntimeMemberSuffix(HostRuntime* rt, const MemberRecord* member);
HOST_API void RuntimeFree(HostRuntime* rt, void* block);
HOST_API std::uint16_t RuntimeCreateEntryGroup(HostRuntime* rt, const char* library, const char* entry, int kind);
HOST_API std::int32_t RuntimeDeclareType(HostRuntime* rt, std::uint16_t group, const char* name, int kind, int flags);
// Takes ownership of text (a block of the editor's pool).
HOST_API void RuntimeStoreTypeSource(HostRuntime* rt, std::int32_t type, char* text, std::uint32_t length);
// 1 when the group was written to the library file.
HOST_API int RuntimeWriteGroup(HostRuntime* rt, std::uint16_t group, const char* library, const char* comment);
// The group's types of that kind (free with RuntimeFree), or null with *count 0.
HOST_API TypeListEntry* RuntimeListTypes(HostRuntime* rt, std::uint16_t group, int kind, std::uint32_t* count);
HOST_API std::uint16_t RuntimeObjectKind(HostRuntime* rt, std::int32_t objectId);
// The object's name, owned by the runtime; "" for an unknown id.
HOST_API const char* RuntimeObjectName(HostRuntime* rt, std::int32_t objectId);
HOST_API void RuntimeRelease(HostRuntime* rt);
}
