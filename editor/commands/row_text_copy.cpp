// The selected rows written as variable lines into a clipboard block.
#include "editor/commands/row_text_copy.h"

#include <cstring>

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

// Records the selected rows, top to bottom, in a new cutRowList (count first):
// one pass over the selection, sized by the grid's row count so the rows need
// not be counted first. Null when memory ran out (the list then absent).
std::uint32_t* ListSelectedRows(EditorInstance* instance, std::uint32_t first) {
  HWND grid = instance->gridWindow;
  const std::uint32_t capacity = GridRowCount(grid);
  std::uint32_t* rows = NewCutRowList(instance, capacity);
  if (rows == nullptr) return nullptr;
  std::uint32_t k = 0;
  for (std::uint32_t row = first; row != 0 && k < capacity; row = GridNextSelectedRow(grid, row)) rows[++k] = row;
  rows[0] = k;
  if (k == capacity) return rows;
  // The list keeps only its own rows: a few rows of a large grid need not hold
  // room for all of them until the next copy.
  auto* exact = static_cast<std::uint32_t*>(PoolAlloc(instance->pool, 4 * k + 4, 0));
  if (exact == nullptr) return rows;
  std::memcpy(exact, rows, 4 * static_cast<std::size_t>(k) + 4);
  RestoreCutRowList(instance, exact);
  return exact;
}

// The listed rows' text in a new block; *length is the text's length.
HGLOBAL CopyListedRowsToText(EditorInstance* instance, const std::uint32_t* rows, std::size_t* length) {
  const std::uint32_t count = rows[0];
  if (count == 0 || count > kMaxCopiedRows) return nullptr;
  TypeWords words;
  LoadTypeWords(&words);

  const SIZE_T blockSize = static_cast<SIZE_T>(kRowTextBytesPerRow) * count;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
  char* text = block != nullptr ? static_cast<char*>(GlobalLock(block)) : nullptr;
  if (text == nullptr) {
    if (block != nullptr) GlobalFree(block);
    return nullptr;
  }

  // The end of the text is tracked, so building stays linear in the row count.
  char* end = text;
  *end = '\0';
  for (std::uint32_t k = 1; k <= count; ++k) {
    VariableRecord record;
    VariableLengths lengths;
    if (ReadVariableRowMeasured(instance, &record, rows[k], words, &lengths) == 0) continue;
    // The source text's line writer, straight into the block. A row's share of
    // the block holds its longest line, so the bound never stops a copy; it
    // only guards the block.
    if (end + kRowLineBufferSize > text + blockSize) continue;
    end += FormatMeasuredVariableLine(record, lengths, end);
  }
  *length = static_cast<std::size_t>(end - text);
  GlobalUnlock(block);
  return block;
}

// CopySelectedRowsToText from the first selected row on; *length is the text's length.
HGLOBAL CopyRowsFrom(EditorInstance* instance, std::uint32_t first, std::size_t* length) {
  const std::uint32_t* rows = ListSelectedRows(instance, first);
  HGLOBAL block = rows != nullptr ? CopyListedRowsToText(instance, rows, length) : nullptr;
  if (block == nullptr) ForgetCutRowList(instance);
  return block;
}

}  // namespace

HGLOBAL CopySelectedRowsToText(EditorInstance* instance) {
  const std::uint32_t first = GridNextSelectedRow(instance->gridWindow, 0);
  std::size_t length = 0;
  return first != 0 ? CopyRowsFrom(instance, first, &length) : nullptr;
}

HGLOBAL CopySelectedRowsKeepingText(EditorInstance* instance, char** copy) {
  *copy = nullptr;
  const std::uint32_t first = GridNextSelectedRow(instance->gridWindow, 0);
  if (first == 0) return nullptr;
  std::uint32_t* kept = TakeCutRowList(instance);
  std::size_t length = 0;
  HGLOBAL block = CopyRowsFrom(instance, first, &length);
  const char* built = block != nullptr ? static_cast<const char*>(GlobalLock(block)) : nullptr;
  // The text and the NUL after it: the block is zero-filled and larger than
  // its text, which fits 32 bits as the block does.
  auto* text = built != nullptr ? static_cast<char*>(PoolAlloc(instance->pool, static_cast<std::uint32_t>(length + 1), 0))
                                : nullptr;
  if (text != nullptr) std::memcpy(text, built, length + 1);
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
