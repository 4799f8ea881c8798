// Arbitrary clipboard bytes through the row text parser and the paste: every
// line is parsed in a private copy, and the bytes are pasted as a clipboard
// block (no NUL added) consecutively and at recorded rows into a live editor.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editor/commands/row_text_copy.h"
#include "editor/commands/row_text_paste.h"
#include "platform/platform.h"
#include "qst/grid_engine.h"
#include "row_text_checks.h"
#include "tests/support/editor_harness.h"

namespace {

// One editor for the whole run: the host and its module are made once.
struct Editor {
  quilltest::QuietFrontEnd frontEnd;
  quilltest::EditorHarness harness;

  Editor() {
    if (!harness.open(frontEnd)) std::abort();
  }
  EditorInstance* instance() const { return harness.editor(); }

  // Three variables, their row numbers recorded as if they had been cut, and the entry row.
  void Reset() {
    HWND grid = harness.grid();
    GridRemoveAllRows(grid);
    for (const char* name : {"a", "b", "c"}) quilltest::AppendRow(grid, name, "integer");
    quilltest::AppendMarkedEntryRow(instance());
    for (std::uint32_t row : {1u, 3u}) GridSelectRow(grid, row, true);
    GlobalFree(CopySelectedRowsToText(instance()));
    for (std::uint32_t row : {1u, 3u}) GridSelectRow(grid, row, false);
  }
};

Editor& TheEditor() {
  static Editor editor;
  return editor;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillfuzz::ParseEveryLine(data, size);

  Editor& editor = TheEditor();
  editor.Reset();
  HGLOBAL block = quilltest::GlobalBlockOf(data, size);
  if (block == nullptr) return 0;
  const std::uint32_t rowsBefore = GridRowCount(editor.instance()->gridWindow);
  const std::uint32_t pasted = InsertRowsFromText(editor.instance(), block, 2, RowPlacement::Consecutive);
  const std::uint32_t restored = InsertRowsFromText(editor.instance(), block, 0, RowPlacement::Restore);
  GlobalFree(block);
  if (restored > 2 || GridRowCount(editor.instance()->gridWindow) != rowsBefore + pasted + restored) std::abort();
  return 0;
}
