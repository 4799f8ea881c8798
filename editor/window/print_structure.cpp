// Printing: the editor renders nothing itself; it hands the host's print
// service the structure's stored source entry, "NAME.srs" in its library.
#include "editor/window/print_structure.h"

#include <cstring>

#include "qst/host_pool.h"
#include "qst/host_print.h"

namespace {

constexpr const char* kSourceExtension = ".srs";
// Longest entry name built here: a structure name far beyond any the save
// dialog accepts, and the extension.
constexpr std::size_t kEntryNameMax = 255;

// Builds "NAME.srs" into buffer (kEntryNameMax + 1 bytes); false when it does not fit.
bool BuildEntryName(const char* structureName, char* buffer) {
  const std::size_t nameLength = std::strlen(structureName);
  const std::size_t extensionLength = std::strlen(kSourceExtension);
  if (nameLength + extensionLength > kEntryNameMax) return false;
  std::memcpy(buffer, structureName, nameLength);
  std::memcpy(buffer + nameLength, kSourceExtension, extensionLength + 1);
  return true;
}

// A print list holding one PrintEntry for the structure, or null (nothing
// left allocated) when the pool cannot supply the list, the entry or its name.
PoolList* MakePrintList(EditorInstance* instance, const char* entryName) {
  PoolList* list = PoolListCreate(instance->pool, 0);
  if (list == nullptr) return nullptr;
  auto* entry = static_cast<PrintEntry*>(PoolAlloc(instance->pool, sizeof(PrintEntry), 0));
  if (entry != nullptr) {
    entry->library = instance->document.libraryName;  // the instance's own string, not a copy
    entry->entryName = PoolStrDup(instance->pool, entryName, 0);
    if (entry->entryName != nullptr) {
      PoolListAppend(list, entry);
      // The list's own fields tell whether the append took the entry.
      if (list->first != nullptr && list->first->item == entry) return list;
    }
    PoolFree(instance->pool, entry->entryName);
    PoolFree(instance->pool, entry);
  }
  PoolListDestroy(list);
  return nullptr;
}

// Frees the entry found through the list's first node, then the list. The
// library string stays: it belongs to the instance.
void FreePrintList(EditorInstance* instance, PoolList* list) {
  list->current = list->first;
  if (list->current != nullptr) {
    auto* entry = static_cast<PrintEntry*>(list->current->item);
    if (entry != nullptr) {
      PoolFree(instance->pool, entry->entryName);
      PoolFree(instance->pool, entry);
    }
  }
  PoolListClear(list);
  PoolListDestroy(list);
}

}  // namespace

// Prints the structure's stored source through HostPrint under the wait cursor.
// A structure without a name has no stored entry: nothing is printed then, nor
// when the pool cannot supply the print list.
void PrintStructure(EditorInstance* instance, int flag) {
  if (instance->document.structureName == nullptr) return;
  char entryName[kEntryNameMax + 1];
  if (!BuildEntryName(instance->document.structureName, entryName)) return;

  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  PoolList* list = MakePrintList(instance, entryName);
  if (list != nullptr) {
    HostContext* context = instance->hostContext;
    PrintEntries(context, context->frameWindow, list, flag);
    FreePrintList(instance, list);
  }
  SetCursor(previous);
}
