// Saving a global structure: target dialog, group, source, compile and library write.
#include "editor/persistence/save_global.h"

#include <cstring>

#include "editor/document/document_state.h"
#include "editor/persistence/long_operation.h"
#include "editor/persistence/pool_strings.h"
#include "editor/persistence/structure_source.h"
#include "editor/window/module_state.h"
#include "qst/command_ids.h"
#include "qst/host_compiler.h"
#include "qst/host_library.h"
#include "qst/host_runtime.h"
#include "qst/host_shell.h"
#include "qst/string_ids.h"

namespace {

constexpr std::size_t kLibraryPathSize = 260;

enum class GlobalSaveMode { New, SaveAs, Save };

// Where the save goes: the dialog's choice, or the instance's own names for a
// plain save (used in place, so no name or path is ever cut to fit the record).
struct GlobalTarget {
  GlobalSaveChoice choice;
  const char* name;
  const char* library;
  const char* comment;
};

GlobalSaveMode ChooseMode(const EditorInstance* instance, int commandId) {
  // A structure without a name or library has no entry to save into, whatever
  // `untitled` says; asking for one is the only safe course.
  if (instance->document.untitled || instance->document.structureName == nullptr ||
      instance->document.libraryName == nullptr) {
    return GlobalSaveMode::New;
  }
  return commandId == CmdSaveAs ? GlobalSaveMode::SaveAs : GlobalSaveMode::Save;
}

// Fills target for the mode; returns 0 when the user cancelled the dialog.
int ChooseTarget(EditorInstance* instance, GlobalSaveMode mode, GlobalTarget* target) {
  if (mode == GlobalSaveMode::Save) {
    target->name = instance->document.structureName;
    target->library = instance->document.libraryName;
    target->comment = "";
    return 1;
  }
  if (mode == GlobalSaveMode::New) {
    char defaultLibrary[kLibraryPathSize];
    ReadDefaultLibrary(instance, defaultLibrary);
    target->choice = LibrarySaveEntryDialog(instance->hostContext, kLibraryKindStructure, instance->gridWindow, nullptr,
                                            defaultLibrary, 0);
  } else {
    target->choice = LibrarySaveEntryDialog(instance->hostContext, kLibraryKindStructure, instance->gridWindow,
                                            instance->document.structureName, instance->document.libraryName, 0);
  }
  GlobalSaveChoice& choice = target->choice;
  if (choice.cancelled == 1) return 0;
  choice.comment[sizeof choice.comment - 1] = '\0';
  choice.name[sizeof choice.name - 1] = '\0';
  choice.library[sizeof choice.library - 1] = '\0';
  target->name = choice.name;
  target->library = choice.library;
  target->comment = choice.comment;
  return 1;
}

void ReportWriteFailure(EditorInstance* instance) {
  char caption[kLibraryPathSize];
  GetWindowTextA(instance->gridWindow, caption, static_cast<int>(sizeof caption));
  caption[sizeof caption - 1] = '\0';
  ShellMessageBox(instance->hostContext, instance->gridWindow, caption, MB_OK | MB_ICONEXCLAMATION, ModuleInstance(),
                  static_cast<int>(IdsSaveFailed));
}

// Stores, compiles and writes text as the entry of target in group as type.
// Takes text. Returns 1 when the library file was written.
int StoreCompileWrite(EditorInstance* instance, const GlobalTarget& target, std::uint16_t group, std::int32_t type,
                      char* text) {
  HostRuntime* runtime = instance->hostContext->runtime;
  HostCompiler* compiler = instance->hostContext->compiler;
  RuntimeStoreTypeSource(runtime, type, text, static_cast<std::uint32_t>(std::strlen(text) + 1));
  if (CompilerCompileGroup(compiler, group) != 1) {
    ShellShowCompileErrors(instance->hostContext, instance->gridWindow);
    CompilerEnd(compiler);
    return 0;
  }
  if (RuntimeWriteGroup(runtime, group, target.library, target.comment) != 1) {
    ReportWriteFailure(instance);
    CompilerEnd(compiler);
    return 0;
  }
  CompilerEnd(compiler);
  return 1;
}

}  // namespace

void ReadDefaultLibrary(EditorInstance* instance, char* buffer) {
  char section[41];
  char key[41];
  LoadModuleString(IdsProfileSection, section, sizeof section);
  LoadModuleString(IdsProfileDefLib, key, sizeof key);
  ShellReadProfileString(instance->hostContext, section, key, "", buffer, static_cast<int>(kLibraryPathSize));
  buffer[kLibraryPathSize - 1] = '\0';
}

// Saves the grid as a global structure entry: asks for library, name and comment
// when new or on Save As, then stores, compiles and writes the entry. Returns 1
// when the library file was written, 0 when cancelled or failed (reported to the
// user). The instance's group, type and names change only when the save succeeds,
// so a failed save never leaves them pointing at different entries.
int SaveGlobalStructure(EditorInstance* instance, int commandId) {
  GlobalSaveMode mode = ChooseMode(instance, commandId);
  GlobalTarget target{};
  if (!ChooseTarget(instance, mode, &target)) return 0;

  HCURSOR kept = BeginLongOperation(instance, IdsSavingStatus);
  // The text comes first: without it nothing may reach the runtime or compiler.
  char* text = BuildStructureSource(instance, target.name);
  int saved = 0;
  if (text != nullptr) {
    HostRuntime* runtime = instance->hostContext->runtime;
    std::uint16_t group = instance->document.groupId;
    std::int32_t type = instance->document.globalTypeId;
    if (mode != GlobalSaveMode::Save) {
      group = RuntimeCreateEntryGroup(runtime, target.library, target.name, kRuntimeKindStructure);
      type = RuntimeDeclareType(runtime, group, target.name, kRuntimeKindStructure, kDeclareTypeFlags);
    }
    saved = StoreCompileWrite(instance, target, group, type, text);
    if (saved) {
      instance->document.groupId = group;
      instance->document.globalTypeId = type;
      MarkDocumentUnchanged(instance);
      instance->document.untitled = 0;
      if (mode != GlobalSaveMode::Save) {
        ReplacePoolString(instance, &instance->document.structureName, target.name);
        ReplacePoolString(instance, &instance->document.libraryName, target.library);
      }
    }
  }
  EndLongOperation(instance, kept);
  return saved;
}
