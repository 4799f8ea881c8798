// Pasted row text read back into rows' type, name and decimals.
#include "editor/commands/row_text_parse.h"

#include <cstddef>
#include <cstring>

#include "editor/persistence/structure_source.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/word_bytes.h"
#include "editor/window/module_state.h"
#include "qst/host_pool.h"
#include "qst/type_vocabulary.h"

// A decimal line is the longer of the two forms: TAB, type, blank, "{", a signed
// 32-bit number, "}", TAB, name, CR, LF and the NUL.
static_assert(kVariableLineMax + 1 <= kRowLineBufferSize);

namespace {

// Takes the next word at or after p: skips separators, ends the word in place
// with a NUL (unless the line ends there) and sets *next to where the search
// goes on. The word is empty when the line ends first.
char* TakeWord(char* p, char** next) {
  while (*p != '\0' && !IsNameByte(*p)) ++p;
  char* word = p;
  while (IsNameByte(*p)) ++p;
  if (*p != '\0') {
    *p = '\0';
    *next = p + 1;
  } else {
    *next = p;
  }
  if (p - word > static_cast<std::ptrdiff_t>(kPastedWordMax)) word[kPastedWordMax] = '\0';
  return word;
}

bool HoldsWordByte(const char* text) {
  for (; *text != '\0'; ++text) {
    if (IsNameByte(*text)) return true;
  }
  return false;
}

}  // namespace

// A module without its string table must not make every empty type word look
// like that name.
void LoadDecimalWord(char* buffer) {
  if (LoadModuleString(kDecimalTypeId, buffer, kStringBufferSize) <= 0 || buffer[0] == '\0') {
    std::strcpy(buffer, kDecimalTypeName);
  }
}

char* ParseRowLine(char* position, RowLine* line, const char* decimalWord) {
  *line = RowLine{0, 0, nullptr, nullptr};
  if (position == nullptr || *position == '\0') return nullptr;

  char* nextLine = nullptr;
  if (char* lineFeed = std::strchr(position, '\n'); lineFeed != nullptr) {
    *lineFeed = '\0';
    nextLine = lineFeed + 1;
    // An empty line, or a CR alone, holds no row; the lines after it still count.
    if (lineFeed - position < 2) return nextLine;
  } else {
    // The text after the last line feed is a line too when it holds a word:
    // text copied without its final line break must not lose its last row.
    if (!HoldsWordByte(position)) return nullptr;
    nextLine = position + std::strlen(position);
  }

  char* rest = nullptr;
  line->type = TakeWord(position, &rest);
  if (std::strcmp(line->type, decimalWord) == 0) {
    line->isDecimal = 1;
    char* word = TakeWord(rest, &rest);
    if (word[0] == '{') {
      // "{N}" gives the decimal positions; "{N" without a brace is neither decimals nor name.
      char* close = std::strchr(word + 1, '}');
      if (close != nullptr) {
        *close = '\0';
        line->decimals = PoolTextToInt(word + 1);
      }
    } else {
      line->name = word;
    }
  }
  if (line->name == nullptr) line->name = TakeWord(rest, &rest);
  return nextLine;
}

char* ParseRowLine(char* position, RowLine* line) {
  char decimalWord[kStringBufferSize];
  LoadDecimalWord(decimalWord);
  return ParseRowLine(position, line, decimalWord);
}
