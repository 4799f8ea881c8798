// The structure's source text built from the grid, and the compiler's read pointer.
#pragma once
#include <cstddef>

#include "editor/rows/variable_row.h"
#include "editor/window/editor_instance.h"

// A new pool block with the structure's source text, or null.
char* BuildStructureSource(EditorInstance* instance, const char* structureName);
// Points the compiler's read pointer at text (for QST_UpdateStructureGetChar).
void SetSourceReadPointer(const char* text);

// Longest variable line: the decimal form with a 41-character type, an int32
// (11 characters at most) and a 41-character name.
constexpr std::size_t kVariableLineMax = (sizeof kLineStart - 1) + kVariableTextMax + (sizeof kDecimalsOpen - 1) + 11 +
                                         (sizeof kDecimalsClose - 1) + kVariableTextMax + (sizeof kLineEnd - 1);

// Formats one variable as a source line ("\t%s {%i}\t%s\r\n" for the type
// decimalType, compared ignoring case, else "\t%s\t\t%s\r\n") into line, which
// holds kVariableLineMax + 1 bytes. Returns the line's length. The clipboard's row
// text uses the same two forms.
int FormatVariableLine(const VariableRecord& record, const char* decimalType, char* line);
// FormatVariableLine for a record whose lengths and decimal type a row read
// has already found.
int FormatMeasuredVariableLine(const VariableRecord& record, const VariableLengths& lengths, char* line);
