// A grid row read as a variable, with its type normalised.
#pragma once

#include <cstddef>
#include <cstdint>

#include "editor/window/editor_instance.h"
#include "editor/window/module_state.h"
#include "qst/type_vocabulary.h"

constexpr int kVariableTextMax = 41;

struct VariableRecord {
  std::int32_t decimals;
  char type[kVariableTextMax + 1];
  char name[kVariableTextMax + 1];
};

// The type words a row read compares with: the short forms with their
// full names, and the one type with decimal positions. An operation that reads
// many rows loads them once, not once a row.
struct TypeWords {
  char abbreviation[kTypeShortFormCount][kStringBufferSize];
  char full[kTypeShortFormCount][kStringBufferSize];
  char decimal[kStringBufferSize];
  // Their lengths: a text of another length is none of them, without comparing.
  std::size_t abbreviationLength[kTypeShortFormCount];
  std::size_t decimalLength;
};
void LoadTypeWords(TypeWords* words);

// Reads row into record, rewriting the row's type cell in normal form when it
// is non-empty. Returns 1 when the row holds a variable (name and type non-empty).
int ReadVariableRow(EditorInstance* instance, VariableRecord* record, std::uint32_t row);
// ReadVariableRow with the type words already loaded. When typeAsRead is given
// (kVariableTextMax + 1 bytes) it receives the type cell as it was before the
// read normalised it.
int ReadVariableRowWith(EditorInstance* instance, VariableRecord* record, std::uint32_t row, const TypeWords& words,
                        char* typeAsRead = nullptr);
// What a row read learnt beside the record: the texts' lengths (at most
// kVariableTextMax) and whether the type is the one with decimal positions.
// A copy writes each row's line from them without measuring again.
struct VariableLengths {
  int name;
  int type;
  bool isDecimal;
};
// ReadVariableRowWith that also gives the lengths.
int ReadVariableRowMeasured(EditorInstance* instance, VariableRecord* record, std::uint32_t row,
                            const TypeWords& words, VariableLengths* lengths, char* typeAsRead = nullptr);
// The first row above row holding a variable of exactly the same name, or 0.
std::uint32_t FindEarlierDuplicate(EditorInstance* instance, std::uint32_t row);

// True when type names the one type with decimal positions (any letter case).
bool IsDecimalType(const char* type);
bool IsDecimalTypeWith(const char* type, const TypeWords& words);
// IsDecimalTypeWith for a type whose length is known.
bool IsDecimalTypeOfLength(const char* type, std::size_t length, const TypeWords& words);
