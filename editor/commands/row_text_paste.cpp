// Row text parsed into new grid rows, consecutively or back at recorded rows.
#include "editor/commands/row_text_paste.h"

#include <algorithm>
#include <cstring>

#include "editor/commands/row_text_parse.h"
#include "editor/document/document_rows.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"

namespace {

// The words of a line written out as cells need their NULs: they are copied,
// one after the other, into a scratch block that holds any two of them. The
// copy is made before the row is inserted: the grid reads the words a whole
// vector at a time, and bytes stored just before such a read stall it.
class LineCells {
 public:
  explicit LineCells(char* scratch) : scratch_(scratch) {}

  void take(const RowLineWords& line) {
    type_ = scratch_;
    name_ = Terminated(type_, line.type, line.typeLength) + 1;
    Terminated(name_, line.name, line.nameLength);
    isDecimal_ = line.isDecimal == 1;
    decimals_ = line.decimals;
  }

  void write(EditorInstance* instance, std::uint32_t row) const {
    WriteCellText(instance, row, ColName, name_);
    WriteCellText(instance, row, ColType, type_);
    if (isDecimal_) WriteCellNumber(instance, row, ColDecimals, &decimals_);
  }

 private:
  // Copies the word to out and ends it; where its NUL is.
  static char* Terminated(char* out, const char* word, std::uint32_t length) {
    std::memcpy(out, word, length);
    out[length] = '\0';
    return out + length;
  }

  char* scratch_;
  char* type_ = nullptr;
  char* name_ = nullptr;
  bool isDecimal_ = false;
  double decimals_ = 0;
};

// The scratch block for a text of `length` bytes: a line's two words, with
// their NULs, never take more than the text and two bytes, nor more than two
// of the longest words.
std::uint32_t ScratchSize(std::size_t length) {
  const std::size_t most = 2 * (static_cast<std::size_t>(kPastedWordMax) + 1);
  return static_cast<std::uint32_t>(std::min(length + 2, most));
}

// Inserts the rows of the text, which is only read.
std::uint32_t InsertParsedRows(EditorInstance* instance, const char* text, std::uint32_t row, RowPlacement placement,
                               std::uint32_t* follow) {
  const char* textEnd = text + std::strlen(text);
  auto* scratch =
      static_cast<char*>(PoolAlloc(instance->pool, ScratchSize(static_cast<std::size_t>(textEnd - text)), 0));
  if (scratch == nullptr) return 0;
  LineCells cells(scratch);
  DecimalWord decimalWord;
  LoadDecimalWord(&decimalWord);
  HWND grid = instance->gridWindow;

  std::uint32_t count = 0;
  for (const char* position = text; position != nullptr;) {
    RowLineWords line;
    position = ScanRowLine(position, textEnd, &line, decimalWord);
    if (line.name == nullptr) continue;
    std::uint32_t target = row;
    if (placement == RowPlacement::Restore) {
      if (instance->undo.cutRowList == nullptr || count >= instance->undo.cutRowList[0]) break;
      target = instance->undo.cutRowList[count + 1];
    }
    // The row the grid reports is the one written, so a position the grid
    // refuses never leads to a write into a row that does not exist.
    cells.take(line);
    const std::uint32_t inserted = InsertDocumentRow(instance, target);
    if (inserted == 0) break;
    if (follow != nullptr && inserted <= *follow) ++*follow;
    cells.write(instance, inserted);
    if (placement == RowPlacement::Restore) GridSelectRow(grid, inserted, true);
    row = inserted + 1;
    ++count;
  }
  PoolFree(instance->pool, scratch);
  return count;
}

}  // namespace

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

std::uint32_t InsertRowsFromText(EditorInstance* instance, HGLOBAL block, std::uint32_t row, RowPlacement placement) {
  char* copy = CopyBlockText(instance, block);
  if (copy == nullptr) return 0;
  const std::uint32_t count = InsertParsedRows(instance, copy, row, placement, nullptr);
  PoolFree(instance->pool, copy);
  return count;
}

std::uint32_t InsertRowsFromCopy(EditorInstance* instance, const char* text, std::uint32_t row, RowPlacement placement,
                                 std::uint32_t* follow) {
  if (text == nullptr) return 0;
  return InsertParsedRows(instance, text, row, placement, follow);
}
