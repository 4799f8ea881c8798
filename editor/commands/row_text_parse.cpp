// Pasted row text read back into rows' type, name and decimals.
#include "editor/commands/row_text_parse.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>

#include "editor/persistence/structure_source.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/word_bytes.h"
#include "qst/host_pool.h"
#include "qst/type_vocabulary.h"

// A decimal line is the longer of the two forms: TAB, type, blank, "{", a signed
// 32-bit number, "}", TAB, name, CR, LF and the NUL.
static_assert(kVariableLineMax + 1 <= kRowLineBufferSize);

namespace {

struct Word {
  const char* text;
  std::uint32_t length;
};

// What each byte is to a line of row text, looked up once a byte: a paste
// reads every byte of its text.
enum class ByteKind : unsigned char { kSeparator, kWord, kLineEnd };

constexpr std::array<ByteKind, 256> ByteKinds() {
  std::array<ByteKind, 256> kinds{};
  for (int byte = 0; byte < 256; ++byte) {
    const char c = static_cast<char>(byte);
    kinds[static_cast<std::size_t>(byte)] = c == '\0' || c == '\n' ? ByteKind::kLineEnd
                                            : IsNameByte(c)        ? ByteKind::kWord
                                                                   : ByteKind::kSeparator;
  }
  return kinds;
}
constexpr std::array<ByteKind, 256> kByteKinds = ByteKinds();

ByteKind KindOf(char c) { return kByteKinds[static_cast<unsigned char>(c)]; }

// Eight bytes at a time, a flag in the top bit of each byte that is below '0'
// or above '}' (from 0x80 up included): every byte that may end a word, and
// the four punctuation bytes a word may hold. Bytes above the lowest flagged
// one may be flagged wrongly (borrows and carries run upwards); only the
// lowest is used.
std::uint64_t MayEndWord(std::uint64_t bytes) {
  constexpr std::uint64_t kOnes = ~std::uint64_t{0} / 255;
  constexpr std::uint64_t kHigh = kOnes * 0x80;
  const std::uint64_t below = (bytes - kOnes * '0') & ~bytes & kHigh;
  const std::uint64_t above = ((bytes + kOnes * (0x7F - '}')) | bytes) & kHigh;
  return below | above;
}

// The end of the word that starts at p. With the text's end known, whole
// blocks of eight bytes are looked at before single bytes; the blocks never
// reach past the text's NUL.
const char* WordEnd(const char* p, const char* textEnd) {
  if constexpr (std::endian::native == std::endian::little) {
    while (textEnd != nullptr && textEnd - p >= 8) {
      std::uint64_t bytes;
      std::memcpy(&bytes, p, sizeof bytes);
      const std::uint64_t flags = MayEndWord(bytes);
      if (flags == 0) {
        p += 8;
        continue;
      }
      p += std::countr_zero(flags) / 8;
      if (KindOf(*p) != ByteKind::kWord) return p;
      ++p;  // punctuation inside the word
    }
  }
  while (KindOf(*p) == ByteKind::kWord) ++p;
  return p;
}

// Takes the next word at or after *p, within the line: skips separators, stops
// at the line's end (LF or NUL), and leaves *p just past the word. A word longer
// than a cell takes is cut; the rest of it is skipped all the same. The word is
// empty when the line ends first.
// Inlined: a paste takes three words a line, and a call each costs as much as the
// scan of a short word.
[[gnu::always_inline]] inline Word TakeWord(const char** p, const char* textEnd) {
  const char* start = *p;
  while (KindOf(*start) == ByteKind::kSeparator) ++start;
  const char* end = WordEnd(start, textEnd);
  *p = end;
  const auto length = static_cast<std::size_t>(end - start);
  return {start, static_cast<std::uint32_t>(std::min<std::size_t>(length, kPastedWordMax))};
}

// Whether the word is the decimal type's name, compared in place: most types
// differ from it in their first byte, and the name is a few bytes.
bool IsDecimalWord(const Word& word, const DecimalWord& decimalWord) {
  if (word.length != decimalWord.length || word.length == 0 || word.text[0] != decimalWord.text[0]) return false;
  for (std::uint32_t k = 1; k < word.length; ++k) {
    if (word.text[k] != decimalWord.text[k]) return false;
  }
  return true;
}

}  // namespace

// A module without its string table must not make every empty type word look
// like that name.
void LoadDecimalWord(char* buffer) {
  if (LoadModuleString(kDecimalTypeId, buffer, kStringBufferSize) <= 0 || buffer[0] == '\0') {
    std::strcpy(buffer, kDecimalTypeName);
  }
}

void LoadDecimalWord(DecimalWord* word) {
  LoadDecimalWord(word->text);
  word->length = static_cast<std::uint32_t>(std::strlen(word->text));
}

const char* ScanRowLine(const char* position, const char* textEnd, RowLineWords* line, const DecimalWord& decimalWord) {
  *line = RowLineWords{0, 0, nullptr, 0, nullptr, 0};
  if (position == nullptr || *position == '\0') return nullptr;

  const char* p = position;
  const Word type = TakeWord(&p, textEnd);
  Word name{nullptr, 0};
  std::int32_t isDecimal = 0;
  std::int32_t decimals = 0;
  if (IsDecimalWord(type, decimalWord)) {
    isDecimal = 1;
    const Word word = TakeWord(&p, textEnd);
    if (word.length != 0 && word.text[0] == '{') {
      // "{N}" gives the decimal positions; "{N" without a brace is neither decimals nor name.
      // The number is read in place: it ends at the first byte that is no
      // digit, at the brace at the latest.
      const auto* close = static_cast<const char*>(std::memchr(word.text + 1, '}', word.length - 1));
      if (close != nullptr) decimals = PoolTextToInt(word.text + 1);
    } else {
      name = word;
    }
  }
  if (name.text == nullptr) name = TakeWord(&p, textEnd);

  // Whatever else the line holds is passed over.
  while (KindOf(*p) != ByteKind::kLineEnd) ++p;
  const char* next = p;
  if (*p == '\n') {
    next = p + 1;
    // An empty line, or a CR alone, holds no row; the lines after it still count.
    if (p - position < 2) return next;
  } else if (type.length == 0) {
    // The text after the last line feed is a line too when it holds a word:
    // text copied without its final line break must not lose its last row.
    return nullptr;
  }
  *line = RowLineWords{decimals, isDecimal, type.text, type.length, name.text, name.length};
  return next;
}

char* ParseRowLine(char* position, RowLine* line) {
  DecimalWord decimalWord;
  LoadDecimalWord(&decimalWord);
  RowLineWords words;
  const char* next = ScanRowLine(position, nullptr, &words, decimalWord);
  *line = RowLine{words.decimals, words.isDecimal, nullptr, nullptr};
  if (words.name != nullptr) {
    // The words lie in the caller's text: end them there. The byte after a
    // word is a separator, the line's end or the part of a word cut off.
    line->type = position + (words.type - position);
    line->name = position + (words.name - position);
    line->type[words.typeLength] = '\0';
    line->name[words.nameLength] = '\0';
  }
  return next != nullptr ? position + (next - position) : nullptr;
}
