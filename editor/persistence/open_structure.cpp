// Open: the open dialogs, loading a structure's members into the grid, owner kinds.
#include "editor/persistence/open_structure.h"

#include "editor/document/document_rows.h"
#include "editor/persistence/load_structure.h"
#include "editor/persistence/pool_strings.h"
#include "editor/rows/entry_row.h"
#include "editor/window/editor_lifecycle.h"
#include "editor/window/module_state.h"
#include "editor/window/window_title.h"
#include "qst/command_ids.h"
#include "qst/grid_engine.h"
#include "qst/host_library.h"
#include "qst/host_runtime.h"

namespace {

struct OwnerKindEntry {
  std::uint16_t runtimeKind;
  std::int32_t ownerKind;
};

constexpr OwnerKindEntry kOwnerKinds[] = {
    {kObjectKindWindow, 10},   {kObjectKindMenu, 11},      {kObjectKindUserObject, 12},
    {kObjectKindFunction, 13}, {kObjectKindFunction2, 13},
};
constexpr std::int32_t kOwnerKindOther = 14;

// Loads the structure the instance's names now point at; a failed load has been
// reported and closes the editor.
void LoadOrClose(EditorInstance* instance) {
  if (!LoadStructure(instance)) PostCloseToFrame(instance);
}

// The end of an Open whose structure was chosen (its names already stored): it
// is loaded, and the editor holds a titled structure even when the load failed
// and the editor is closing. Returns 1.
int LoadChosenStructure(EditorInstance* instance) {
  LoadOrClose(instance);
  instance->document.untitled = 0;
  return 1;
}

// A cancelled Open leaves the editor as it was, except the very first one of an
// editor that started without a structure: that editor closes. Returns 0.
int CancelOpen(EditorInstance* instance, bool firstDialog) {
  if (firstDialog) PostCloseToFrame(instance);
  return 0;
}

// Runs the New command for the dialog's New choice. Returns 1 when it ran: its
// save question may be cancelled, and then the changed structure stays as it is.
int RunNewCommand(EditorInstance* instance) {
  SendMessageA(instance->editorWindow, WM_COMMAND, CmdNew, 0);
  return instance->document.changed == 0 ? 1 : 0;
}

}  // namespace

std::int32_t OwnerKindOf(std::uint16_t runtimeKind) {
  for (const OwnerKindEntry& entry : kOwnerKinds) {
    if (entry.runtimeKind == runtimeKind) return entry.ownerKind;
  }
  return kOwnerKindOther;
}

// Runs the library's open dialog for global structures. Returns 1 when a
// structure was opened (even if its load failed and the editor is closing) or
// the New command ran, 0 when nothing was done. Only the editor's first dialog,
// cancelled, closes it.
int OpenGlobalStructure(EditorInstance* instance) {
  GlobalOpenChoice choice =
      LibraryOpenEntryDialog(instance->hostContext, kLibraryKindStructure, instance->editorWindow);
  const bool first = instance->document.firstOpen != 0;
  instance->document.firstOpen = 0;  // whatever the answer, the next dialog is not the first
  choice.name[sizeof choice.name - 1] = '\0';
  choice.library[sizeof choice.library - 1] = '\0';
  switch (choice.action) {
    case kOpenActionOpen:
      ReplacePoolString(instance, &instance->document.structureName, choice.name);
      ReplacePoolString(instance, &instance->document.libraryName, choice.library);
      return LoadChosenStructure(instance);
    case kOpenActionCancel: return CancelOpen(instance, first);
    case kOpenActionNew: return RunNewCommand(instance);
    default: return 0;
  }
}

// Runs the library's open dialog for the local structures of the owning object.
// Results as OpenGlobalStructure; New empties the grid to one entry row here.
int OpenEmbeddedStructure(EditorInstance* instance) {
  std::uint16_t kind = RuntimeObjectKind(instance->hostContext->runtime, instance->document.ownerId);
  instance->document.ownerKind = OwnerKindOf(kind);
  EmbeddedOpenChoice choice = LibraryOpenLocalTypeDialog(instance->hostContext, instance->document.ownerKind,
                                                         instance->editorWindow, &instance->document.ownerId);
  const bool first = instance->document.firstOpen != 0;
  instance->document.firstOpen = 0;
  choice.name[sizeof choice.name - 1] = '\0';
  switch (choice.action) {
    case kOpenActionOpen:
      FreePoolString(instance, &instance->document.libraryName);
      ReplacePoolString(instance, &instance->document.structureName, choice.name);
      instance->document.localTypeId = choice.typeId;
      return LoadChosenStructure(instance);
    case kOpenActionCancel: return CancelOpen(instance, first);
    case kOpenActionNew:
      FreePoolString(instance, &instance->document.structureName);
      FreePoolString(instance, &instance->document.libraryName);
      RedrawOff(instance);
      RemoveAllDocumentRows(instance);
      AppendEntryRow(instance);
      GridSetCurrentCell(instance->gridWindow, instance->document.entryRow, ColName);
      RedrawOn(instance);
      // The frame must not go on naming the structure that was just put away.
      SetEditorTitle(instance, nullptr);
      instance->document.untitled = 1;
      return 1;
    default: return 0;
  }
}
