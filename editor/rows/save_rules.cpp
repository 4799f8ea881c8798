#include <cstring>

#include "editor/host/grid_engine.h"
#include "editor/host/host_pool.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/variable_row.h"

// The duplicate rule reads every row once, in grid order, and remembers each
// variable's name in an open-addressing hash table from the instance's pool.
// The first row whose name was seen before is the one FindEarlierDuplicate
// would report first, and every row up to it has been read (and so its type
// cell normalised) just as the row-by-row search does.
namespace {

struct NameTable {
  char (*names)[kVariableTextMax + 1];  // the names in the order they were added
  std::uint32_t* slots;                 // index + 1 into names, 0 for an empty slot
  std::uint32_t slotCount;              // a power of two, at least twice the rows
  std::uint32_t used;
};

std::uint32_t HashName(const char* name) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p != 0; ++p) {
    hash = (hash ^ *p) * 16777619u;
  }
  return hash;
}

// Allocates a table for rows names; 0 when the pool has no room.
int CreateNameTable(HostPool* pool, std::uint32_t rows, NameTable* table) {
  table->names = nullptr;
  table->slots = nullptr;
  if (rows > (1u << 24)) return 0;  // sizes below must not overflow
  std::uint32_t slots = 16;
  while (slots < rows * 2u) slots <<= 1;
  table->names = static_cast<char (*)[kVariableTextMax + 1]>(PoolAlloc(pool, rows * (kVariableTextMax + 1u), 0));
  table->slots = static_cast<std::uint32_t*>(PoolAlloc(pool, slots * sizeof(std::uint32_t), 0));
  table->slotCount = slots;
  table->used = 0;
  if (table->names != nullptr && table->slots != nullptr) {
    std::memset(table->slots, 0, slots * sizeof(std::uint32_t));
    return 1;
  }
  PoolFree(pool, table->names);
  PoolFree(pool, table->slots);
  return 0;
}

void DestroyNameTable(HostPool* pool, NameTable* table) {
  PoolFree(pool, table->names);
  PoolFree(pool, table->slots);
}

// Adds name; returns 1 when it was there already (byte for byte).
int AddName(NameTable* table, const char* name) {
  const std::uint32_t mask = table->slotCount - 1;
  std::uint32_t slot = HashName(name) & mask;
  for (; table->slots[slot] != 0; slot = (slot + 1) & mask) {
    if (std::strcmp(table->names[table->slots[slot] - 1], name) == 0) return 1;
  }
  std::strcpy(table->names[table->used], name);
  table->slots[slot] = ++table->used;
  return 0;
}

// The first row that repeats an earlier variable's name, or 0.
std::uint32_t FirstDuplicateRow(EditorInstance* instance, std::uint32_t rows) {
  NameTable table;
  if (!CreateNameTable(instance->pool, rows, &table)) {
    // Short of memory the slow search still gives the same answer.
    for (std::uint32_t r = 1; r <= rows; ++r) {
      if (FindEarlierDuplicate(instance, r) != 0) return r;
    }
    return 0;
  }
  std::uint32_t found = 0;
  for (std::uint32_t r = 1; r <= rows && found == 0; ++r) {
    VariableRecord record;
    if (ReadVariableRow(instance, &record, r) == 1 && AddName(&table, record.name) == 1) found = r;
  }
  DestroyNameTable(instance->pool, &table);
  return found;
}

}  // namespace

int CheckSaveRules(EditorInstance* instance, UINT* stringId, std::uint32_t* rowToShow) {
  *stringId = 0;
  *rowToShow = 0;
  const std::uint32_t rows = GridRowCount(instance->gridWindow);
  if (rows <= 1) {
    *stringId = IdsNeedOneVariable;
    return 0;
  }
  const std::uint32_t duplicate = FirstDuplicateRow(instance, rows);
  if (duplicate != 0) {
    *stringId = IdsDuplicateName;
    *rowToShow = duplicate;
    return 0;
  }
  return 1;
}
