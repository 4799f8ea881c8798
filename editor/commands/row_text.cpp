// Rows as clipboard text: the selected rows written as variable lines, pasted
// text parsed back into rows, and the deletion of the selected rows.
#include "editor/commands/row_text.h"

#include <cstring>

#include "editor/persistence/structure_source.h"
#include "editor/resources/module_resources.h"
#include "editor/rows/grid_rows.h"
#include "editor/rows/undo_copy.h"
#include "editor/rows/variable_row.h"
#include "editor/rows/word_bytes.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"

namespace {

// A decimal line is the longer of the two forms: TAB, type, blank, "{", a signed
// 32-bit number, "}", TAB, name, CR, LF and the NUL.
static_assert(kVariableLineMax + 1 <= kRowLineBufferSize);
static_assert(kRowLineBufferSize < kRowTextBytesPerRow);

// The most rows whose text block size still fits 32 bits.
constexpr std::uint32_t kMaxCopiedRows = 0xFFFFFFFFu / kRowTextBytesPerRow;

// Loads the one type name with decimal positions. A module without its string
// table must not make every empty type word look like that name.
void LoadDecimalWord(char* buffer) {
  if (LoadModuleString(IdsTypeDecimal, buffer, kStringBufferSize) <= 0 || buffer[0] == '\0') {
    std::strcpy(buffer, "decimal");
  }
}

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

// ParseRowLine with the decimal type word already loaded (the paste loads it once).
char* ParseRowLineWith(char* position, RowLine* line, const char* decimalWord) {
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

void WriteRowLine(HWND grid, std::uint32_t row, const RowLine& line) {
  GridSetItemText(grid, row, ColName, line.name);
  GridSetItemText(grid, row, ColType, line.type);
  if (line.isDecimal == 1) {
    const double decimals = line.decimals;
    GridSetItemNumber(grid, row, ColDecimals, &decimals);
  }
}

// CopySelectedRowsToText once the selected rows are counted.
HGLOBAL CopyCountedRowsToText(EditorInstance* instance, std::uint32_t count) {
  char decimalWord[kStringBufferSize];
  LoadDecimalWord(decimalWord);
  TypeWords words;
  LoadTypeWords(&words);
  HWND grid = instance->gridWindow;
  if (count == 0) return nullptr;

  ForgetCutRowList(instance);
  if (count > kMaxCopiedRows) return nullptr;
  if (NewCutRowList(instance, count) == nullptr) return nullptr;

  const SIZE_T blockSize = static_cast<SIZE_T>(kRowTextBytesPerRow) * count;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
  char* text = block != nullptr ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (text == nullptr) {
    ForgetCutRowList(instance);
    if (block != nullptr) GlobalFree(block);
    return nullptr;
  }

  // The end of the text is tracked, so building stays linear in the row count.
  char* end = text;
  *end = '\0';
  std::uint32_t k = 0;
  for (std::uint32_t row = GridNextSelectedRow(grid, 0); row != 0 && k < count; row = GridNextSelectedRow(grid, row)) {
    instance->undo.cutRowList[++k] = row;
    VariableRecord record{};
    if (ReadVariableRowWith(instance, &record, row, words) == 0) continue;
    record.type[kVariableTextMax] = '\0';
    record.name[kVariableTextMax] = '\0';
    // The source text's line writer, straight into the block. A row's share of
    // the block holds its longest line, so the bound never stops a copy; it
    // only guards the block.
    if (end + kRowLineBufferSize > text + blockSize) continue;
    end += FormatVariableLine(record, decimalWord, end);
  }
  GlobalUnlock(block);
  return block;
}

}  // namespace

// Copies a clipboard block into a new NUL-terminated pool block. The block's
// text is read only up to its own size, so a block without a NUL is safe.
// Returns null when the pool has no room; an unlockable block gives "".
char* CopyBlockText(EditorInstance* instance, HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  if (size >= 0xFFFFFFFFu) return nullptr;
  auto* copy = static_cast<char*>(PoolAlloc(instance->pool, static_cast<std::uint32_t>(size) + 1, 0));
  if (copy == nullptr) return nullptr;
  copy[0] = '\0';
  if (size == 0) return copy;
  const auto* text = static_cast<const char*>(GlobalLock(block));
  if (text != nullptr) {
    const void* nul = std::memchr(text, '\0', size);
    const SIZE_T length = nul != nullptr ? static_cast<SIZE_T>(static_cast<const char*>(nul) - text) : size;
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    GlobalUnlock(block);
  }
  return copy;
}

// Builds the row text of the selected rows in a new moveable global block and
// records every selected row's number in cutRowList (count first).
// Returns the block, or null when no row is selected (cutRowList untouched) or
// memory ran out (cutRowList then absent). Reading normalises each type cell.
HGLOBAL CopySelectedRowsToText(EditorInstance* instance) {
  return CopyCountedRowsToText(instance, CountSelectedRows(instance->gridWindow));
}

// CopySelectedRowsToText that also gives the editor its own copy of the text
// (a pool block, in *copy) for undoing the command. When the pool has no room
// for the copy, null is returned and cutRowList is still the one the last
// command's undo may need: the new list replaces it only once the copy is made.
HGLOBAL CopySelectedRowsKeepingText(EditorInstance* instance, char** copy) {
  *copy = nullptr;
  const std::uint32_t count = CountSelectedRows(instance->gridWindow);
  if (count == 0 || count > kMaxCopiedRows) return nullptr;
  std::uint32_t* kept = instance->undo.cutRowList;
  instance->undo.cutRowList = nullptr;
  HGLOBAL block = CopyCountedRowsToText(instance, count);
  const char* built = block != nullptr ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  // The block always ends in a NUL: it is zero-filled and larger than its text.
  char* text = built != nullptr ? PoolStrDup(instance->pool, built, 0) : nullptr;
  if (built != nullptr) GlobalUnlock(block);
  if (text == nullptr) {
    if (block != nullptr) GlobalFree(block);
    ForgetCutRowList(instance);
    instance->undo.cutRowList = kept;
    return nullptr;
  }
  PoolFree(instance->pool, kept);
  *copy = text;
  return block;
}

// Splits the line at position into the record's type, name and decimals, ending
// the words in place. Returns the next line's start, or null when the text at
// position is empty, or is a last line (no line feed) without any word. A line
// with fewer than two bytes before its line feed leaves the record empty (name
// null): it is skipped.
char* ParseRowLine(char* position, RowLine* line) {
  char decimalWord[kStringBufferSize];
  LoadDecimalWord(decimalWord);
  return ParseRowLineWith(position, line, decimalWord);
}

namespace {

// Inserts the rows of a working copy the caller frees (the parse ends words in it).
std::uint32_t InsertParsedRows(EditorInstance* instance, char* copy, std::uint32_t row, int restore,
                               std::uint32_t* follow) {
  char decimalWord[kStringBufferSize];
  LoadDecimalWord(decimalWord);
  HWND grid = instance->gridWindow;

  std::uint32_t count = 0;
  for (char* position = copy; position != nullptr;) {
    RowLine line;
    char* next = ParseRowLineWith(position, &line, decimalWord);
    position = next;
    if (line.name == nullptr) continue;
    std::uint32_t target = row;
    if (restore != 0) {
      if (instance->undo.cutRowList == nullptr || count >= instance->undo.cutRowList[0]) break;
      target = instance->undo.cutRowList[count + 1];
    }
    // The row the grid reports is the one written, so a position the grid
    // refuses never leads to a write into a row that does not exist.
    const std::uint32_t inserted = GridInsertRow(grid, target);
    if (inserted == 0) break;
    if (follow != nullptr && inserted <= *follow) ++*follow;
    WriteRowLine(grid, inserted, line);
    if (restore != 0) GridSelectRow(grid, inserted, true);
    row = inserted + 1;
    ++count;
  }
  return count;
}

}  // namespace

// Inserts one grid row per line of the clipboard block: consecutively from row
// (restore 0; row 0 appends), or at the rows recorded in cutRowList, paired by
// position and selected (restore 1). The block is only read. Returns the number
// of rows inserted; 0 when the pool cannot hold the working copy.
std::uint32_t InsertRowsFromText(EditorInstance* instance, HGLOBAL block, std::uint32_t row, int restore) {
  char* copy = CopyBlockText(instance, block);
  if (copy == nullptr) return 0;
  const std::uint32_t count = InsertParsedRows(instance, copy, row, restore, nullptr);
  PoolFree(instance->pool, copy);
  return count;
}

// InsertRowsFromText for row text the editor keeps itself; the text is only read.
std::uint32_t InsertRowsFromCopy(EditorInstance* instance, const char* text, std::uint32_t row, int restore,
                                 std::uint32_t* follow) {
  if (text == nullptr) return 0;
  char* copy = PoolStrDup(instance->pool, text, 0);
  if (copy == nullptr) return 0;
  const std::uint32_t count = InsertParsedRows(instance, copy, row, restore, follow);
  PoolFree(instance->pool, copy);
  return count;
}

// Deletes every selected row, topmost first. Returns how many of them stood
// above the entry row; entryRow itself is left to the caller.
std::uint32_t DeleteSelectedRows(EditorInstance* instance) {
  HWND grid = instance->gridWindow;
  std::uint32_t above = 0;
  std::uint32_t rows = GridRowCount(grid);
  std::uint32_t row = GridNextSelectedRow(grid, 0);
  while (row != 0) {
    GridDeleteRow(grid, row);
    // Rows above the deleted one are unselected, so the search can resume there.
    const std::uint32_t next = GridNextSelectedRow(grid, row - 1);
    // A row the grid will not delete would be found again forever. Another
    // row found proves the delete; the same number may be the next selected
    // row moved up into its place, and only the row count tells.
    if (next == row) {
      const std::uint32_t after = GridRowCount(grid);
      if (after >= rows) break;
      rows = after;
    } else {
      --rows;
    }
    if (static_cast<std::int64_t>(row) < static_cast<std::int64_t>(instance->document.entryRow) - above) ++above;
    row = next;
  }
  return above;
}
