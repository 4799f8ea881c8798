// A grid row read as a variable, with its type normalised.
#pragma once

#include <cstdint>

#include "editor/shell/editor_instance.h"

constexpr int kVariableTextMax = 41;

struct VariableRecord {
  std::int32_t decimals;
  char type[kVariableTextMax + 1];
  char name[kVariableTextMax + 1];
};

// Reads row into record, rewriting the row's type cell in normal form when it
// is non-empty. Returns 1 when the row holds a variable (name and type non-empty).
int ReadVariableRow(EditorInstance* instance, VariableRecord* record, std::uint32_t row);
// The first row above row holding a variable of exactly the same name, or 0.
std::uint32_t FindEarlierDuplicate(EditorInstance* instance, std::uint32_t row);

// The save-time rules. Returns 1 when the rows may be saved; otherwise 0 with
// the message's string id and the row to show (0 for none).
int CheckSaveRules(EditorInstance* instance, UINT* stringId, std::uint32_t* rowToShow);

// True when type names the one type with decimal positions (any letter case).
bool IsDecimalType(const char* type);
