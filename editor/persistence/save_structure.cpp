// Save: the save-time rules, the choice between global and embedded save, the close question.
#include "editor/persistence/save_structure.h"

#include "editor/persistence/pool_strings.h"
#include "editor/persistence/save_embedded.h"
#include "editor/persistence/save_global.h"
#include "editor/rows/save_rules.h"
#include "editor/rows/variable_row.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "qst/string_ids.h"

namespace {

// Beeps and shows the failed rule's message; moves to its cell, if any.
void ReportRuleFailure(EditorInstance* instance, const SaveRuleFailure& failure) {
  char caption[kStringBufferSize];
  GetWindowTextA(instance->gridWindow, caption, static_cast<int>(sizeof caption));
  caption[sizeof caption - 1] = '\0';
  MessageBeep(0);
  const auto stringId = static_cast<int>(failure.stringId);
  const UINT style = MB_OK | MB_ICONEXCLAMATION;
  if (failure.argument[0] != '\0') {
    ShellMessageBox(instance->hostContext, instance->gridWindow, caption, style, ModuleInstance(), stringId,
                    failure.argument);
  } else {
    ShellMessageBox(instance->hostContext, instance->gridWindow, caption, style, ModuleInstance(), stringId);
  }
  if (failure.row == 0) return;
  GridSetRedraw(instance->gridWindow, false);
  GridSetCurrentCell(instance->gridWindow, failure.row, failure.column);
  RedrawOn(instance);
}

// The name the close question shows: "(Untitled)", "\n<library>(<name>)" for a
// global structure, else the bare name. Composed within name (size bytes).
void ComposeCloseName(EditorInstance* instance, char* name, std::size_t size) {
  if (instance->document.untitled || instance->document.structureName == nullptr) {
    LoadModuleString(IdsUntitled, name, static_cast<int>(size));
  } else if (instance->document.contextCode == kContextStandAlone) {
    char format[kStringBufferSize];
    LoadModuleString(IdsLibraryAndName, format, sizeof format);
    const char* library = instance->document.libraryName != nullptr ? instance->document.libraryName : "";
    FormatBounded(name, size, format, library, instance->document.structureName);
  } else {
    CopyBounded(name, size, instance->document.structureName);
  }
}

}  // namespace

// Applies the save-time rules and saves by context. Returns the save's result,
// or 0 after reporting the first failed rule.
int SaveStructure(EditorInstance* instance, int commandId) {
  SaveRuleFailure failure;
  if (!CheckSaveRules(instance, &failure)) {
    ReportRuleFailure(instance, failure);
    return 0;
  }
  if (instance->document.contextCode == kContextStandAlone) return SaveGlobalStructure(instance, commandId);
  return SaveEmbeddedStructure(instance, commandId);
}

// Asks "Save changes to %s?" over the frame. Returns 1 to go on (No, or Yes and
// the save succeeded), 0 to stop (Cancel, or a save that did not succeed).
int QueryCloseStructure(EditorInstance* instance, int commandId) {
  HWND frame = GetParent(instance->editorWindow);
  char caption[kStringBufferSize];
  GetWindowTextA(frame, caption, static_cast<int>(sizeof caption));
  caption[sizeof caption - 1] = '\0';
  // Room for a full library path and name: the question must name the entry whole.
  char name[1025];
  ComposeCloseName(instance, name, sizeof name);
  int answer = ShellMessageBox(instance->hostContext, frame, caption, MB_YESNOCANCEL | MB_ICONQUESTION,
                               ModuleInstance(), static_cast<int>(IdsSaveChanges), name);
  if (answer == IDCANCEL) return 0;
  if (answer != IDYES) return 1;
  GridPrepareSave(instance->gridWindow, instance->document.entryRow);
  return SaveStructure(instance, commandId) != 0 ? 1 : 0;
}
