#include <cstring>

#include "editor/host/grid_engine.h"
#include "editor/host/host_pool.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/variable_row.h"

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
  std::uint32_t slotCount;  // a power of two, at least 1.25 times the rows
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
  table->slots = nullptr;
  if (rows > (1u << 24)) return 0;  // the sizes below must not overflow
  std::uint32_t slots = 16;
  while (slots < rows + rows / 4u) slots <<= 1;
  table->slots = static_cast<NameSlot*>(PoolAlloc(pool, slots * sizeof(NameSlot), 0));
  table->slotCount = slots;
  if (table->slots == nullptr) return 0;
  std::memset(table->slots, 0, slots * sizeof(NameSlot));
  return 1;
}

// The name of an earlier row exactly as ReadVariableRow took it (41 at most).
void ReadName(HWND grid, std::uint32_t row, char* name) {
  int copied = GridGetItemText(grid, row, 1, name, kVariableTextMax);
  if (copied < 0) copied = 0;
  if (copied > kVariableTextMax) copied = kVariableTextMax;
  name[copied] = '\0';
}

// Adds the variable of row; returns 1 when an earlier variable has its name.
int AddName(EditorInstance* instance, NameTable* table, const char* name, std::uint32_t row) {
  const std::uint32_t mask = table->slotCount - 1;
  const std::uint32_t hash = HashName(name);
  std::uint32_t slot = hash & mask;
  for (; table->slots[slot].row != 0; slot = (slot + 1) & mask) {
    if (table->slots[slot].hash != hash) continue;
    char earlier[kVariableTextMax + 1];
    ReadName(instance->gridWindow, table->slots[slot].row, earlier);
    if (std::strcmp(earlier, name) == 0) return 1;
  }
  table->slots[slot] = NameSlot{hash, row};
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
    if (ReadVariableRow(instance, &record, r) == 1 && AddName(instance, &table, record.name, r) == 1) found = r;
  }
  PoolFree(instance->pool, table.slots);
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
