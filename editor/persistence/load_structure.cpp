// Filling the grid from a stored structure's members, row by row.
#include "editor/persistence/load_structure.h"

#include <cstring>

#include "editor/document/document_rows.h"
#include "editor/document/document_state.h"
#include "editor/persistence/long_operation.h"
#include "editor/persistence/pool_strings.h"
#include "editor/rows/entry_row.h"
#include "editor/window/module_state.h"
#include "editor/window/window_title.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"
#include "qst/host_runtime.h"
#include "qst/host_shell.h"
#include "qst/string_ids.h"

namespace {

// Writes member into the (new, empty) grid row: name with its suffix, type, and
// for decimals the positions from the flags.
void WriteMemberRow(EditorInstance* instance, const MemberRecord& member, std::uint32_t row, const char* decimalType) {
  HostRuntime* runtime = instance->hostContext->runtime;
  char name[1025];
  CopyBounded(name, sizeof name, member.name);
  if (member.flags & kMemberHasSuffix) {
    char* suffix = RuntimeMemberSuffix(runtime, &member);
    if (suffix != nullptr) {
      std::size_t used = std::strlen(name);
      CopyBounded(name + used, sizeof name - used, suffix);
      RuntimeFree(runtime, suffix);
    }
  }
  WriteCellText(instance, row, ColName, name);
  if (member.typeName == nullptr) return;
  WriteCellText(instance, row, ColType, member.typeName);
  if (_stricmp(member.typeName, decimalType) == 0) {
    double decimals = static_cast<double>((member.flags & kMemberDecimalsMask) >> 1);
    WriteCellNumber(instance, row, ColDecimals, &decimals);
  }
}

// The type to read: stand-alone, the entry's type found through its group (which
// replaces groupId and globalTypeId); embedded, the local type in the owner's group.
// Returns 0 when the group cannot be had.
int FindTypeToRead(EditorInstance* instance, std::int32_t* type) {
  if (instance->document.contextCode == kContextStandAlone) {
    HostRuntime* runtime = instance->hostContext->runtime;
    const char* library = instance->document.libraryName != nullptr ? instance->document.libraryName : "";
    instance->document.groupId =
        RuntimeOpenEntryGroup(runtime, library, instance->document.structureName, kRuntimeKindStructure);
    if (instance->document.groupId != kNoGroup)
      instance->document.globalTypeId =
          RuntimeFindType(runtime, instance->document.groupId, instance->document.structureName);
    *type = instance->document.globalTypeId;
  } else {
    *type = instance->document.localTypeId;
  }
  return instance->document.groupId != kNoGroup;
}

}  // namespace

// Fills the emptied grid with the members of the structure the instance names,
// one row each in the runtime's order. Returns 0 (reporting nothing) when there
// is no name, no group or no member list; every failure comes before the first row.
int ReadStructureMembers(EditorInstance* instance) {
  char decimalType[kStringBufferSize];
  LoadModuleString(IdsTypeDecimal, decimalType, sizeof decimalType);
  if (instance->document.structureName == nullptr) return 0;
  std::int32_t type = 0;
  if (!FindTypeToRead(instance, &type)) return 0;
  std::uint32_t count = 0;
  MemberRecord* members = RuntimeTypeMembers(instance->hostContext->runtime, type, &count);
  if (members == nullptr) return 0;
  int written = 1;
  for (std::uint32_t i = 0; i < count && written; ++i) {
    std::uint32_t row = InsertDocumentRow(instance, 0);
    if (row != 0) WriteMemberRow(instance, members[i], row, decimalType);
    written = row != 0;
  }
  PoolFree(instance->pool, members);
  return written;
}

// Replaces the grid's rows by the structure the instance names, under the wait
// cursor. Success leaves an entry row after the members with the current cell in
// it; failure is reported ("Error loading structure %s.") and leaves the grid empty.
int LoadStructure(EditorInstance* instance) {
  HCURSOR kept = BeginLongOperation(instance, IdsOpeningStatus);
  GridSetRedraw(instance->gridWindow, false);
  RemoveAllDocumentRows(instance);
  int loaded = ReadStructureMembers(instance);
  if (loaded) {
    MarkDocumentUnchanged(instance);
    AppendEntryRow(instance);
    GridSetCurrentCell(instance->gridWindow, instance->document.entryRow, ColName);
    instance->document.untitled = 0;
    SetEditorTitle(instance, instance->document.structureName);
  } else {
    char caption[kStringBufferSize];
    LoadModuleString(IdsOpenCaption, caption, sizeof caption);
    const char* name = instance->document.structureName != nullptr ? instance->document.structureName : "";
    ShellMessageBox(instance->hostContext, instance->gridWindow, caption, MB_OK | MB_ICONEXCLAMATION, ModuleInstance(),
                    static_cast<int>(IdsLoadError), name);
  }
  EndLongOperation(instance, kept);
  RedrawOn(instance);
  return loaded;
}
