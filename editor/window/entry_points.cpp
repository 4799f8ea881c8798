// The module's exported entry points: QST_Create makes an editor and its first
// structure; the platform loader's attach and resource hooks.
#include "qst/entry_points.h"

#include <cassert>
#include <cstring>

#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/persistence/load_structure.h"
#include "editor/persistence/open_structure.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/undo_record.h"
#include "editor/window/editor_invariants.h"
#include "editor/window/module_state.h"
#include "editor/window/window_title.h"
#include "qst/command_ids.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"
#include "qst/host_shell.h"

namespace {

constexpr int kPrepareMenuKind = 1037;
constexpr std::uint16_t kClassWord = 1047;
constexpr int kNewStructureRows = 12;

EditorClassRecord MakeClassRecord(std::int32_t contextCode) {
  const bool standAlone = contextCode == kContextStandAlone;
  EditorClassRecord record;
  std::memset(&record, 0, sizeof record);
  record.zero = 0;
  record.menuId = standAlone ? kMenuStandAlone : kMenuEmbedded;
  record.acceleratorId = standAlone ? kAcceleratorsStandAlone : kAcceleratorsEmbedded;
  record.five = 5;
  record.instanceSize = sizeof(EditorInstance);
  record.windowProc = QST_Main;
  record.moduleInstance = ModuleInstance();
  record.classWord = kClassWord;
  record.iconId = kEditorIcon;
  return record;
}

// A stand-alone editor asked to open a named structure loads it at once; a
// structure that cannot be loaded closes the editor again. Such an editor has
// had its structure: no later Open dialog is its first.
void OpenRequestedStructure(EditorInstance* instance, void* request) {
  instance->document.firstOpen = 0;
  const auto* named = static_cast<const OpenRequest*>(request);
  char structureName[sizeof named->structureName + 1] = {};
  char libraryName[sizeof named->libraryName + 1] = {};
  std::memcpy(structureName, named->structureName, sizeof named->structureName);
  std::memcpy(libraryName, named->libraryName, sizeof named->libraryName);
  instance->document.libraryName = PoolStrDup(instance->pool, libraryName, 0);
  instance->document.structureName = PoolStrDup(instance->pool, structureName, 0);
  instance->document.contextCode = kContextStandAlone;
  if (!LoadStructure(instance)) PostMessageA(GetParent(instance->editorWindow), WM_CLOSE, 0, 0);
  PoolFree(instance->pool, request);
}

// Any other start: an untitled grid of empty rows, and the open dialog first.
void StartUntitled(EditorInstance* instance, std::int32_t contextCode, void* request, HostContext* context) {
  RedrawOff(instance);
  for (int i = 0; i < kNewStructureRows; ++i) InsertDocumentRow(instance, 0);
  RedrawOn(instance);
  if (contextCode == kContextEmbedded && request != nullptr) {
    std::int32_t owner = 0;
    std::memcpy(&owner, request, sizeof owner);
    instance->document.ownerId = owner;
    instance->document.groupId = static_cast<std::uint16_t>(owner & 0xFFFF);
  }
  SetEditorTitle(instance, nullptr);
  PostMessageA(context->frameWindow, WM_COMMAND, CmdOpen, 0);
}

}  // namespace

namespace {

// The editor's frame, or null; *editorWindow the editor window inside it.
HWND CreateEditor(std::int32_t contextCode, std::int32_t callerKind, void* request, HostContext* context,
                  HWND* editorWindow) {
  SetCurrentContextCode(contextCode);
  const EditorClassRecord record = MakeClassRecord(contextCode);
  ShellPrepareMenu(context, kPrepareMenuKind, static_cast<std::uint16_t>(record.menuId));
  HWND window = ShellCreateEditorWindow(context, &record);
  if (window == nullptr) return nullptr;
  *editorWindow = window;
  EditorInstance* instance = InstanceOf(window);
  if (instance == nullptr || instance->gridWindow == nullptr) {
    // A host that kept a window whose creation failed: an editor without its
    // grid would crash on the first row operation, so it is not offered.
    HWND frame = GetParent(window);
    DestroyWindow(frame != nullptr ? frame : window);
    return nullptr;
  }
  instance->editMenu = ShellEditMenuOf(instance->hostContext, instance->editorWindow);
  MarkDocumentUnchanged(instance);
  instance->document.firstOpen = 1;
  SetEntryRow(instance, 1);
  instance->document.autoAppendArmed = 1;
  instance->cursor.curColumn = 0;
  instance->cursor.curRow = 0;
  StartUndoRecord(instance);
  instance->document.callerKind = callerKind;
  if (contextCode == kContextStandAlone && request != nullptr) {
    OpenRequestedStructure(instance, request);
  } else {
    StartUntitled(instance, contextCode, request, context);
  }
  return GetParent(instance->editorWindow);
}

}  // namespace

extern "C" QST_EXPORT HWND QST_CALL QST_Create(std::uint32_t /*reserved*/, std::int32_t contextCode,
                                               std::int32_t callerKind, void* request, HostContext* context) {
  // Every host hands its context; a release build still refuses the call safely.
  assert(context != nullptr && "QST_Create needs the host's context");
  if (context == nullptr) return nullptr;
  EnterModuleCall();
  HWND editorWindow = nullptr;
  HWND frame = CreateEditor(contextCode, callerKind, request, context, &editorWindow);
  LeaveModuleCall(frame != nullptr ? editorWindow : nullptr);
  return frame;
}

extern "C" QST_EXPORT void QST_CALL WEP(std::uint32_t /*reserved*/) {}

extern "C" QST_EXPORT void PlatformModuleAttach(HINSTANCE self) {
  assert(self != nullptr && "the loader attaches a loaded module");
  SetModuleInstance(self);
}
