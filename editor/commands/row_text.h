// Rows as clipboard text.
#pragma once

#include <cstdint>

#include "editor/shell/editor_instance.h"

struct RowLine {
  std::int32_t decimals;
  std::int32_t isDecimal;
  char* type;
  char* name;
};

HGLOBAL CopySelectedRowsToText(EditorInstance* instance);
char* ParseRowLine(char* position, RowLine* line);
std::uint32_t InsertRowsFromText(EditorInstance* instance, HGLOBAL block, std::uint32_t row, int restore);
std::uint32_t DeleteSelectedRows(EditorInstance* instance);
