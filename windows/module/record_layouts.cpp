// The byte layouts of every record the module exchanges with the host, checked
// where they matter: on the 32-bit Windows target this DLL is built for.
// Nothing here runs; the build fails when a layout is off.
#include <cstddef>
#include <type_traits>

#include "qst/entry_points.h"
#include "qst/host_compiler.h"
#include "qst/host_library.h"
#include "qst/host_pool.h"
#include "qst/host_print.h"
#include "qst/host_runtime.h"

static_assert(sizeof(void*) == 4 && sizeof(HWND) == 4 && sizeof(WPARAM) == 4 && sizeof(LPARAM) == 4 &&
                  sizeof(LRESULT) == 4,
              "the module is a 32-bit DLL");

// The four exports take and return 32-bit values with the callee popping the
// arguments; their types say so.
static_assert(std::is_same_v<decltype(&QST_Main), WNDPROC>);
static_assert(std::is_same_v<decltype(&QST_Create), QST_CreateFn>);
static_assert(std::is_same_v<decltype(&QST_UpdateStructureGetChar), CompilerGetChar>);

// HostContext: the host's record; the module reads the words at 8, 24, 28 and 40.
static_assert(sizeof(HostContext) == 48);
static_assert(offsetof(HostContext, frameWindow) == 8);
static_assert(offsetof(HostContext, compiler) == 24);
static_assert(offsetof(HostContext, runtime) == 28);
static_assert(offsetof(HostContext, pool) == 40);

// EditorClassRecord: filled by QST_Create for the host, packed.
static_assert(offsetof(EditorClassRecord, zero) == 0);
static_assert(offsetof(EditorClassRecord, menuId) == 4);
static_assert(offsetof(EditorClassRecord, acceleratorId) == 8);
static_assert(offsetof(EditorClassRecord, five) == 12);
static_assert(offsetof(EditorClassRecord, instanceSize) == 16);
static_assert(offsetof(EditorClassRecord, windowProc) == 20);
static_assert(offsetof(EditorClassRecord, moduleInstance) == 24);
static_assert(offsetof(EditorClassRecord, classWord) == 28);
static_assert(offsetof(EditorClassRecord, iconId) == 34);
static_assert(sizeof(EditorClassRecord) == 38);

// OpenRequest: the first 301 bytes of a GlobalOpenChoice.
static_assert(sizeof(OpenRequest) == 301);
static_assert(offsetof(OpenRequest, structureName) == 0);
static_assert(offsetof(OpenRequest, libraryName) == 41);

// The dialogs' records, returned by value and packed.
static_assert(sizeof(GlobalOpenChoice) == 305);
static_assert(offsetof(GlobalOpenChoice, name) == 0);
static_assert(offsetof(GlobalOpenChoice, library) == 41);
static_assert(offsetof(GlobalOpenChoice, action) == 301);
static_assert(sizeof(EmbeddedOpenChoice) == 59);
static_assert(offsetof(EmbeddedOpenChoice, name) == 0);
static_assert(offsetof(EmbeddedOpenChoice, action) == 41);
static_assert(offsetof(EmbeddedOpenChoice, typeId) == 45);
static_assert(sizeof(GlobalSaveChoice) == 560);
static_assert(offsetof(GlobalSaveChoice, comment) == 0);
static_assert(offsetof(GlobalSaveChoice, name) == 255);
static_assert(offsetof(GlobalSaveChoice, library) == 296);
static_assert(offsetof(GlobalSaveChoice, cancelled) == 556);
static_assert(sizeof(EmbeddedSaveChoice) == 45);
static_assert(offsetof(EmbeddedSaveChoice, name) == 0);
static_assert(offsetof(EmbeddedSaveChoice, cancelled) == 41);

// The runtime's arrays.
static_assert(sizeof(MemberRecord) == 46);
static_assert(offsetof(MemberRecord, name) == 2);
static_assert(offsetof(MemberRecord, typeName) == 6);
static_assert(offsetof(MemberRecord, flags) == 14);
static_assert(sizeof(TypeListEntry) == 8);
static_assert(offsetof(TypeListEntry, name) == 0);

// The print list's entries and the pool's list nodes (the item is the third word).
static_assert(sizeof(PrintEntry) == 8);
static_assert(offsetof(PrintEntry, library) == 0);
static_assert(offsetof(PrintEntry, entryName) == 4);
static_assert(offsetof(PoolListNode, item) == 8);
static_assert(offsetof(PoolList, first) == 4);
static_assert(offsetof(PoolList, current) == 8);
