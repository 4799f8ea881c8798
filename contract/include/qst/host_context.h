// The host's record for one editor, and the record with which the module asks
// the host for its editor window. Both layouts are frozen by the module's binary
// interface (the asserts hold them where pointers are 32 bits).
#pragma once

#include <cstddef>
#include <cstdint>

#include "qst/host_api.h"

namespace quill {
class Host;
}

// Owned by the host; the editor reads it and never frees it. Where pointers are
// 32 bits the fields the editor reads sit at the byte offsets 8, 24, 28 and 40.
struct HostContext {
  quill::Host* host;  // the host that made this editor (host-private)
  std::uint32_t reserved4;
  HWND frameWindow;
  std::uint32_t reserved12[3];
  HostCompiler* compiler;
  HostRuntime* runtime;
  std::uint32_t reserved32[2];
  HostPool* pool;
  std::uint32_t reserved44;
};

// Filled by QST_Create for ShellCreateEditorWindow; the host reads only the
// fields named here.
#pragma pack(push, 1)
struct EditorClassRecord {
  std::uint32_t zero;           // 0
  std::uint32_t menuId;         // 2000 stand-alone, else 2001
  std::uint32_t acceleratorId;  // 2002 stand-alone, else 2003
  std::uint32_t five;           // 5
  std::uint32_t instanceSize;   // size of the EditorInstance to attach
  WNDPROC windowProc;           // QST_Main
  HINSTANCE moduleInstance;     // where menu, accelerators and icon are found
  std::uint16_t classWord;      // 1047
  std::uint16_t reserved30;
  std::uint16_t reserved32;
  std::uint32_t iconId;  // 3110, unaligned
};
#pragma pack(pop)

// Stand-alone open request (same bytes as GlobalOpenChoice's first 301).
struct OpenRequest {
  char structureName[41];
  char libraryName[260];
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(offsetof(HostContext, frameWindow) == 8);
static_assert(offsetof(HostContext, compiler) == 24);
static_assert(offsetof(HostContext, runtime) == 28);
static_assert(offsetof(HostContext, pool) == 40);
static_assert(offsetof(EditorClassRecord, windowProc) == 20);
static_assert(offsetof(EditorClassRecord, moduleInstance) == 24);
static_assert(offsetof(EditorClassRecord, classWord) == 28);
static_assert(offsetof(EditorClassRecord, iconId) == 34);
#endif
static_assert(offsetof(OpenRequest, libraryName) == 41);
