// Pasted row text read back, one variable line at a time.
#pragma once

#include <cstdint>

struct RowLine {
  std::int32_t decimals;
  std::int32_t isDecimal;
  char* type;
  char* name;
};

// The longest line one row gives as text.
constexpr int kRowLineBufferSize = 108;
// The longest word a pasted line may put into a cell: the grid reports a cell's
// text length in 16 bits.
constexpr std::uint32_t kPastedWordMax = 32767;

// Loads the one type name with decimal positions into buffer (room for
// kStringBufferSize bytes).
void LoadDecimalWord(char* buffer);

// Splits the line at position into the record's type, name and decimals, ending
// the words in place. Returns the next line's start, or null when the text at
// position is empty, or is a last line (no line feed) without any word. A line
// with fewer than two bytes before its line feed leaves the record empty (name
// null): it is skipped.
char* ParseRowLine(char* position, RowLine* line);
// ParseRowLine with the decimal type word already loaded (a paste loads it once).
char* ParseRowLine(char* position, RowLine* line, const char* decimalWord);
