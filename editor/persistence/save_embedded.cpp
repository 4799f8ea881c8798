// Saving a structure into its owning object's group.
#include "editor/persistence/save_embedded.h"

#include <cstring>

#include "editor/document/document_state.h"
#include "editor/persistence/long_operation.h"
#include "editor/persistence/pool_strings.h"
#include "editor/persistence/structure_source.h"
#include "editor/window/module_state.h"
#include "qst/command_ids.h"
#include "qst/entry_points.h"
#include "qst/host_compiler.h"
#include "qst/host_library.h"
#include "qst/host_pool.h"
#include "qst/host_runtime.h"
#include "qst/host_shell.h"
#include "qst/string_ids.h"

namespace {

// Asks "Replace existing %s?" for every structure type of the owner's group
// that name would replace: the language ignores letter case, so S_Line takes
// the place of s_line. Returns 0 when the user declined. A Yes brings the wait
// cursor back after the question.
int ConfirmReplace(EditorInstance* instance, const char* name) {
  HostRuntime* runtime = instance->hostContext->runtime;
  std::uint32_t count = 0;
  TypeListEntry* types = RuntimeListTypes(runtime, instance->document.groupId, kRuntimeKindStructure, &count);
  int proceed = 1;
  for (std::uint32_t i = 0; types != nullptr && i < count && proceed; ++i) {
    if (types[i].name == nullptr || _stricmp(types[i].name, name) != 0) continue;
    char caption[260];
    GetWindowTextA(instance->gridWindow, caption, static_cast<int>(sizeof caption));
    caption[sizeof caption - 1] = '\0';
    int answer = ShellMessageBox(instance->hostContext, instance->gridWindow, caption,
                                 MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, ModuleInstance(),
                                 static_cast<int>(IdsReplaceExisting), name);
    if (answer == IDNO) {
      proceed = 0;
    } else {
      SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    }
    UpdateWindow(instance->gridWindow);
  }
  if (count != 0 && types != nullptr) RuntimeFree(runtime, types);
  return proceed;
}

// Compiles text as type through the get-character callback. Returns 1 on success;
// a failure has been shown by the host's compile-error report.
int CompileThroughCallback(EditorInstance* instance, std::int32_t type, const char* text) {
  HostCompiler* compiler = instance->hostContext->compiler;
  SetSourceReadPointer(text);
  int compiled = CompilerCompileType(compiler, type, &QST_UpdateStructureGetChar) != 0;
  SetSourceReadPointer(nullptr);
  if (!compiled) ShellShowCompileErrors(instance->hostContext, instance->gridWindow);
  CompilerEnd(compiler);
  return compiled;
}

// Builds, declares (for a new name) and compiles the structure named name; on
// success hands the text to the runtime. Returns 1 on success.
int CompileAndStore(EditorInstance* instance, const char* name, bool askedForName) {
  char* text = BuildStructureSource(instance, name);
  if (text == nullptr) return 0;
  HostRuntime* runtime = instance->hostContext->runtime;
  std::int32_t type = instance->document.localTypeId;
  if (askedForName)
    type = RuntimeDeclareType(runtime, instance->document.groupId, name, kRuntimeKindStructure, kDeclareTypeFlags);
  if (!CompileThroughCallback(instance, type, text)) {
    PoolFree(instance->pool, text);
    return 0;
  }
  RuntimeStoreTypeSource(runtime, type, text, static_cast<std::uint32_t>(std::strlen(text) + 1));
  instance->document.localTypeId = type;
  return 1;
}

}  // namespace

// Saves the grid as a structure local to the owning object: asks for a name when
// untitled or on Save As (and before replacing a structure of that name),
// compiles through the get-character callback and stores the source only after a
// successful compile. Returns 1 when saved, 0 when cancelled, declined or failed.
// localTypeId and the name change only on success.
int SaveEmbeddedStructure(EditorInstance* instance, int commandId) {
  bool askForName =
      instance->document.untitled || instance->document.structureName == nullptr || commandId == CmdSaveAs;
  EmbeddedSaveChoice choice{};
  if (askForName) {
    const char* initialName = instance->document.untitled ? nullptr : instance->document.structureName;
    choice = LibrarySaveLocalTypeDialog(instance->hostContext, instance->document.ownerKind, instance->gridWindow,
                                        initialName, &instance->document.ownerId);
    UpdateWindow(instance->gridWindow);
    if (choice.cancelled == 1) return 0;
    choice.name[sizeof choice.name - 1] = '\0';
  }
  const char* name = askForName ? choice.name : instance->document.structureName;

  HCURSOR kept = BeginLongOperation(instance, IdsSavingStatus);
  int saved = (!askForName || ConfirmReplace(instance, name)) && CompileAndStore(instance, name, askForName);
  if (saved) {
    instance->document.untitled = 0;
    MarkDocumentUnchanged(instance);
    if (askForName) ReplacePoolString(instance, &instance->document.structureName, name);
  }
  EndLongOperation(instance, kept);
  return saved;
}
