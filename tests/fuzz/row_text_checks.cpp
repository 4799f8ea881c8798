// The properties every parse of clipboard bytes must have, shared by the fuzz targets.
#include "row_text_checks.h"

#include <cstdlib>
#include <vector>

#include "editor/commands/row_text_parse.h"

namespace quillfuzz {
namespace {

// What a word may hold: "0" to "}", and the punctuation a name may carry.
bool IsNameByte(unsigned char byte) {
  return (byte >= 0x30 && byte <= 0x7D) || byte == '#' || byte == '$' || byte == '%' || byte == '-';
}

}  // namespace

void ParseEveryLine(const std::uint8_t* data, std::size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  const char* end = text.data() + text.size();
  char* position = text.data();
  while (position != nullptr) {
    RowLine line;
    position = ParseRowLine(position, &line);
    if (position != nullptr && (position <= text.data() || position > end)) std::abort();
    if (line.name == nullptr) continue;
    // Words lie inside the copy, are terminated there and hold word bytes only.
    for (const char* word : {line.type, line.name}) {
      if (word < text.data() || word >= end) std::abort();
      for (const char* p = word; *p != '\0'; ++p) {
        if (!IsNameByte(static_cast<unsigned char>(*p))) std::abort();
      }
    }
  }
}

}  // namespace quillfuzz
