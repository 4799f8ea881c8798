// HostLibrary: the dialogs that choose library entries, and the layouts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "qst/host_context.h"

constexpr int kLibraryKindStructure = 9;  // binary interface: the dialogs' entry kind

// Dialog actions (binary interface).
constexpr std::int32_t kOpenActionOpen = 0;
constexpr std::int32_t kOpenActionCancel = 1;
constexpr std::int32_t kOpenActionNew = 2;

// The dialogs' answers: layouts frozen by the binary interface (see the asserts).
#pragma pack(push, 1)
struct GlobalOpenChoice {
  char name[41];
  char library[260];
  std::int32_t action;
};
struct EmbeddedOpenChoice {
  char name[41];
  std::int32_t action;
  std::int32_t typeId;
  std::uint8_t reserved[10];
};
struct GlobalSaveChoice {
  char comment[255];
  char name[41];
  char library[260];
  std::int32_t cancelled;  // exactly 1 means cancelled
};
struct EmbeddedSaveChoice {
  char name[41];
  std::int32_t cancelled;
};
#pragma pack(pop)

static_assert(sizeof(GlobalOpenChoice) == 305 && offsetof(GlobalOpenChoice, action) == 301);
static_assert(sizeof(EmbeddedOpenChoice) == 59 && offsetof(EmbeddedOpenChoice, typeId) == 45);
static_assert(sizeof(GlobalSaveChoice) == 560 && offsetof(GlobalSaveChoice, library) == 296 &&
              offsetof(GlobalSaveChoice, cancelled) == 556);
static_assert(sizeof(EmbeddedSaveChoice) == 45);

extern "C" {
HOST_API GlobalOpenChoice LibraryOpenEntryDialog(HostContext* context, int libraryKind, HWND owner);
HOST_API EmbeddedOpenChoice LibraryOpenLocalTypeDialog(HostContext* context, int ownerKind, HWND owner,
                                                       std::int32_t* objectId);
HOST_API GlobalSaveChoice LibrarySaveEntryDialog(HostContext* context, int libraryKind, HWND owner,
                                                 const char* initialName, const char* initialLibrary, int reserved);
HOST_API EmbeddedSaveChoice LibrarySaveLocalTypeDialog(HostContext* context, int ownerKind, HWND owner,
                                                       const char* initialName, std::int32_t* objectId);
HOST_API void LibraryPrepareLayouts(HostContext* context);
}
