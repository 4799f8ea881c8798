// The selected rows written as variable lines into a clipboard block.
#include "editor/commands/row_text_copy.h"

#include "editor/commands/row_text_parse.h"
#include "editor/persistence/structure_source.h"
#include "editor/rows/grid_rows.h"
#include "editor/rows/undo_copy.h"
#include "editor/rows/variable_row.h"
#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_pool.h"

static_assert(kRowLineBufferSize < kRowTextBytesPerRow);

namespace {

// The most rows whose text block size still fits 32 bits.
constexpr std::uint32_t kMaxCopiedRows = 0xFFFFFFFFu / kRowTextBytesPerRow;

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
  std::uint32_t* cutRows = NewCutRowList(instance, count);
  if (cutRows == nullptr) return nullptr;

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
    cutRows[++k] = row;
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

HGLOBAL CopySelectedRowsToText(EditorInstance* instance) {
  return CopyCountedRowsToText(instance, CountSelectedRows(instance->gridWindow));
}

HGLOBAL CopySelectedRowsKeepingText(EditorInstance* instance, char** copy) {
  *copy = nullptr;
  const std::uint32_t count = CountSelectedRows(instance->gridWindow);
  if (count == 0 || count > kMaxCopiedRows) return nullptr;
  std::uint32_t* kept = TakeCutRowList(instance);
  HGLOBAL block = CopyCountedRowsToText(instance, count);
  const char* built = block != nullptr ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  // The block always ends in a NUL: it is zero-filled and larger than its text.
  char* text = built != nullptr ? PoolStrDup(instance->pool, built, 0) : nullptr;
  if (built != nullptr) GlobalUnlock(block);
  if (text == nullptr) {
    if (block != nullptr) GlobalFree(block);
    RestoreCutRowList(instance, kept);
    return nullptr;
  }
  PoolFree(instance->pool, kept);
  *copy = text;
  return block;
}
