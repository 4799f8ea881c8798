// Row text parsed into new grid rows, consecutively or back at recorded rows.
#include "editor/commands/row_text_paste.h"

#include <cstring>

#include "editor/commands/row_text_parse.h"
#include "editor/document/document_rows.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"

namespace {

void WriteRowLine(EditorInstance* instance, std::uint32_t row, const RowLine& line) {
  WriteCellText(instance, row, ColName, line.name);
  WriteCellText(instance, row, ColType, line.type);
  if (line.isDecimal == 1) {
    const double decimals = line.decimals;
    WriteCellNumber(instance, row, ColDecimals, &decimals);
  }
}

// Inserts the rows of a working copy the caller frees (the parse ends words in it).
std::uint32_t InsertParsedRows(EditorInstance* instance, char* copy, std::uint32_t row, RowPlacement placement,
                               std::uint32_t* follow) {
  char decimalWord[kStringBufferSize];
  LoadDecimalWord(decimalWord);
  HWND grid = instance->gridWindow;

  std::uint32_t count = 0;
  for (char* position = copy; position != nullptr;) {
    RowLine line;
    char* next = ParseRowLine(position, &line, decimalWord);
    position = next;
    if (line.name == nullptr) continue;
    std::uint32_t target = row;
    if (placement == RowPlacement::Restore) {
      if (instance->undo.cutRowList == nullptr || count >= instance->undo.cutRowList[0]) break;
      target = instance->undo.cutRowList[count + 1];
    }
    // The row the grid reports is the one written, so a position the grid
    // refuses never leads to a write into a row that does not exist.
    const std::uint32_t inserted = InsertDocumentRow(instance, target);
    if (inserted == 0) break;
    if (follow != nullptr && inserted <= *follow) ++*follow;
    WriteRowLine(instance, inserted, line);
    if (placement == RowPlacement::Restore) GridSelectRow(grid, inserted, true);
    row = inserted + 1;
    ++count;
  }
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
  char* copy = PoolStrDup(instance->pool, text, 0);
  if (copy == nullptr) return 0;
  const std::uint32_t count = InsertParsedRows(instance, copy, row, placement, follow);
  PoolFree(instance->pool, copy);
  return count;
}
