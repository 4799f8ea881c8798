// The module's exported functions: their names and signatures are the module's
// binary interface.
#pragma once

#include <cstdint>

#include "qst/host_context.h"

#if defined(_WIN32)
#define QST_EXPORT  // the module's .def file names its exports
#elif defined(__GNUC__)
#define QST_EXPORT __attribute__((visibility("default")))
#else
#define QST_EXPORT
#endif

extern "C" {
// Opens an editor window for the context code (kContextStandAlone or
// kContextEmbedded, qst/context_codes.h) and caller kind; request names a
// structure to open (stand-alone) or holds the owning object's id (embedded).
// context is the host's and never null. Returns the editor's frame window, or 0.
QST_EXPORT HWND QST_CALL QST_Create(std::uint32_t reserved, std::int32_t contextCode, std::int32_t callerKind,
                                    void* request, HostContext* context);
QST_EXPORT LRESULT QST_CALL QST_Main(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The next character of the source text being compiled.
QST_EXPORT char QST_CALL QST_UpdateStructureGetChar();
QST_EXPORT void QST_CALL WEP(std::uint32_t reserved);
// The platform loader's attach entry and resources.
QST_EXPORT void PlatformModuleAttach(HINSTANCE self);
struct ModuleResources;
QST_EXPORT const ModuleResources* PlatformModuleResources();
}

using QST_CreateFn = HWND(QST_CALL*)(std::uint32_t, std::int32_t, std::int32_t, void*, HostContext*);
