// Pasted row text read back, one variable line at a time.
#pragma once

#include <cstdint>

#include "editor/window/module_state.h"

struct RowLine {
  std::int32_t decimals;
  std::int32_t isDecimal;
  char* type;
  char* name;
};

// One line of row text as words of the text itself, which is only read. The
// words are not terminated: each is its start and length.
struct RowLineWords {
  std::int32_t decimals;
  std::int32_t isDecimal;
  const char* type;
  std::uint32_t typeLength;
  const char* name;  // null: the line gives no row
  std::uint32_t nameLength;
};

// The one type name with decimal positions, and its length.
struct DecimalWord {
  char text[kStringBufferSize];
  std::uint32_t length;
};

// The longest line one row gives as text.
constexpr int kRowLineBufferSize = 108;
// The longest word a pasted line may put into a cell: the grid reports a cell's
// text length in 16 bits.
constexpr std::uint32_t kPastedWordMax = 32767;

// Loads the one type name with decimal positions into buffer (room for
// kStringBufferSize bytes).
void LoadDecimalWord(char* buffer);
void LoadDecimalWord(DecimalWord* word);

// Splits the line at position into the record's type, name and decimals, ending
// the words in place. Returns the next line's start, or null when the text at
// position is empty, or is a last line (no line feed) without any word. A line
// with fewer than two bytes before its line feed leaves the record empty (name
// null): it is skipped.
char* ParseRowLine(char* position, RowLine* line);
// ParseRowLine without writing to the text: the words are spans of it.
// textEnd, when known, is the NUL that ends the whole text: the scan then reads
// words a block of bytes at a time.
const char* ScanRowLine(const char* position, const char* textEnd, RowLineWords* line, const DecimalWord& decimalWord);
