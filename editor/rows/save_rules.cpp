// The rules rows must meet before a save: names, types, duplicates, at least one variable.
#include "editor/rows/save_rules.h"

#include <cstring>

#include "editor/resources/module_resources.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"

// The duplicate rule reads every row once, in grid order, and remembers each
// variable's name by its hash and row in an open-addressing table from the
// instance's pool. The first row whose name was seen before is the one
// FindEarlierDuplicate would report first, and every row up to it has been
// read (and so its type cell normalised) just as the row-by-row search does.
namespace {

struct NameSlot {
  std::uint32_t hash;
  std::uint32_t row;  // 0 for an empty slot
};

struct NameTable {
  NameSlot* slots;
  std::uint32_t slotCount;  // a power of two, at least twice the rows
};

std::uint32_t HashName(const char* name) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p != 0; ++p) {
    hash = (hash ^ *p) * 16777619u;
  }
  return hash;
}

// The slot a hash starts at. FNV's low bits barely differ between names that
// differ only in their last digits (v1, v2, ...), so the high bits are mixed
// in first; without that, probe runs grow long and a million rows take many
// times ten times what a hundred thousand take.
std::uint32_t FirstSlot(std::uint32_t hash, std::uint32_t mask) {
  hash ^= hash >> 16;
  hash *= 0x85EBCA6Bu;
  hash ^= hash >> 13;
  hash *= 0xC2B2AE35u;
  hash ^= hash >> 16;
  return hash & mask;
}

// Allocates a table for rows names; 0 when the pool has no room.
int CreateNameTable(HostPool* pool, std::uint32_t rows, NameTable* table) {
  table->slots = nullptr;
  if (rows > (1u << 24)) return 0;  // the sizes below must not overflow
  std::uint32_t slots = 16;
  while (slots < 2u * rows) slots <<= 1;  // half full at most: short probe runs
  table->slots = static_cast<NameSlot*>(PoolAlloc(pool, slots * sizeof(NameSlot), 0));
  table->slotCount = slots;
  if (table->slots == nullptr) return 0;
  std::memset(table->slots, 0, slots * sizeof(NameSlot));
  return 1;
}

// Column's text of row as ReadVariableRow takes it (41 characters at most).
void ReadCell(HWND grid, std::uint32_t row, std::uint16_t column, char* text) {
  text[0] = '\0';
  int copied = GridGetItemText(grid, row, column, text, kVariableTextMax);
  if (copied < 0) copied = 0;
  if (copied > kVariableTextMax) copied = kVariableTextMax;
  text[copied] = '\0';
}

// Adds the variable of row; returns 1 when an earlier variable has its name.
int AddName(EditorInstance* instance, NameTable* table, const char* name, std::uint32_t row) {
  const std::uint32_t mask = table->slotCount - 1;
  const std::uint32_t hash = HashName(name);
  std::uint32_t slot = FirstSlot(hash, mask);
  for (; table->slots[slot].row != 0; slot = (slot + 1) & mask) {
    if (table->slots[slot].hash != hash) continue;
    char earlier[kVariableTextMax + 1];
    ReadCell(instance->gridWindow, table->slots[slot].row, 1, earlier);
    if (std::strcmp(earlier, name) == 0) return 1;
  }
  table->slots[slot] = NameSlot{hash, row};
  return 0;
}

// A table this large no longer fits the caches, and every name lands on a slot
// far from the last one: the slot of a name some rows ahead is fetched early.
constexpr std::uint32_t kPrefetchedTableSlots = 1u << 19;
constexpr std::uint32_t kPrefetchDistance = 16;

// Starts fetching the slot where the name of row will be looked for. Reading
// a name changes nothing in the grid, unlike reading a whole row.
void PrefetchNameSlot(EditorInstance* instance, const NameTable* table, std::uint32_t row) {
  char name[kVariableTextMax + 1];
  ReadCell(instance->gridWindow, row, ColName, name);
  __builtin_prefetch(&table->slots[FirstSlot(HashName(name), table->slotCount - 1)]);
}

// What one pass over the rows found.
struct RowScan {
  std::uint32_t variables = 0;
  std::uint32_t duplicateRow = 0;              // the first row repeating an earlier variable's name
  std::uint32_t halfRow = 0;                   // the first row, not the entry row, with a name or a type only
  std::uint16_t emptyColumn = 0;               // its empty cell
  char filledText[kVariableTextMax + 1] = "";  // its filled cell: the name, or the type as typed
};

// Notes row as the first half-filled one when it has a name without a type or
// a type without a name. typeAsTyped is the type cell before it was normalised.
void NoteHalfFilledRow(const VariableRecord& record, const char* typeAsTyped, std::uint32_t row, RowScan* scan) {
  if (record.name[0] != '\0' && record.type[0] == '\0') {
    scan->emptyColumn = ColType;
    std::memcpy(scan->filledText, record.name, sizeof scan->filledText);
  } else if (record.name[0] == '\0' && typeAsTyped[0] != '\0') {
    scan->emptyColumn = ColName;
    std::memcpy(scan->filledText, typeAsTyped, sizeof scan->filledText);
  } else {
    return;
  }
  scan->halfRow = row;
}

// Reads every row once, in grid order, up to the first duplicate name. Without
// a name table (the pool is short) the row-by-row search gives the same answer.
void ScanRows(EditorInstance* instance, std::uint32_t rows, RowScan* scan) {
  NameTable table;
  const bool hashed = CreateNameTable(instance->pool, rows, &table) == 1;
  const auto entryRow = instance->document.entryRow;
  TypeWords words;
  LoadTypeWords(&words);
  const bool prefetch = hashed && table.slotCount >= kPrefetchedTableSlots;
  for (std::uint32_t r = 1; r <= rows && scan->duplicateRow == 0; ++r) {
    if (prefetch && rows - r >= kPrefetchDistance) PrefetchNameSlot(instance, &table, r + kPrefetchDistance);
    const bool mayBeHalf = scan->halfRow == 0 && r != entryRow;
    // A nameless row's type is kept as typed for the message, before the read normalises it.
    char typeAsTyped[kVariableTextMax + 1];
    VariableRecord record;
    if (ReadVariableRowWith(instance, &record, r, words, typeAsTyped) == 0) {
      if (mayBeHalf) NoteHalfFilledRow(record, typeAsTyped, r, scan);
      continue;
    }
    ++scan->variables;
    const bool repeated =
        hashed ? AddName(instance, &table, record.name, r) == 1 : FindEarlierDuplicate(instance, r) != 0;
    if (repeated) scan->duplicateRow = r;
  }
  if (hashed) PoolFree(instance->pool, table.slots);
}

SaveRuleFailure Failure(UINT stringId, std::uint32_t row = 0, std::uint16_t column = ColName,
                        const char* argument = "") {
  SaveRuleFailure failure{stringId, row, column, ""};
  std::memcpy(failure.argument, argument, std::strlen(argument) + 1);
  return failure;
}

}  // namespace

// The rules in order: more than one row; no two variables of one name; no row
// but the entry row with a name or a type only; at least one variable.
int CheckSaveRules(EditorInstance* instance, SaveRuleFailure* failure) {
  *failure = Failure(0);
  const std::uint32_t rows = GridRowCount(instance->gridWindow);
  if (rows <= 1) {
    *failure = Failure(IdsNeedOneVariable);
    return 0;
  }
  RowScan scan;
  ScanRows(instance, rows, &scan);
  if (scan.duplicateRow != 0) {
    *failure = Failure(IdsDuplicateName, scan.duplicateRow);
  } else if (scan.halfRow != 0) {
    UINT id = scan.emptyColumn == ColType ? IdsVariableWithoutType : IdsTypeWithoutVariable;
    *failure = Failure(id, scan.halfRow, scan.emptyColumn, scan.filledText);
  } else if (scan.variables == 0) {
    *failure = Failure(IdsNeedOneVariable);
  } else {
    return 1;
  }
  return 0;
}
