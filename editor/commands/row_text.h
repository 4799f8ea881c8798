// Rows as clipboard text.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

struct RowLine {
  std::int32_t decimals;
  std::int32_t isDecimal;
  char* type;
  char* name;
};

HGLOBAL CopySelectedRowsToText(EditorInstance* instance);
HGLOBAL CopySelectedRowsKeepingText(EditorInstance* instance, char** copy);
char* ParseRowLine(char* position, RowLine* line);
std::uint32_t InsertRowsFromText(EditorInstance* instance, HGLOBAL block, std::uint32_t row, int restore);
// follow, when given, is a row number kept on the same row while rows are
// inserted at or above it.
std::uint32_t InsertRowsFromCopy(EditorInstance* instance, const char* text, std::uint32_t row, int restore,
                                 std::uint32_t* follow = nullptr);
char* CopyBlockText(EditorInstance* instance, HGLOBAL block);
std::uint32_t DeleteSelectedRows(EditorInstance* instance);

// Bytes of clipboard block reserved per selected row, and the longest line one row gives.
constexpr std::uint32_t kRowTextBytesPerRow = 123;
constexpr int kRowLineBufferSize = 108;
// The longest word a pasted line may put into a cell: the grid reports a cell's
// text length in 16 bits.
constexpr std::uint32_t kPastedWordMax = 32767;
