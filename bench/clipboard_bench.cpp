// Rows through the clipboard at 1,000 to 1,000,000 rows: Copy of all
// rows, Cut of every other row and its undo, Paste of that many lines, Clear
// of all rows and its undo.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/commands/row_commands.h"
#include "editor/rows/row_selection.h"
#include "editor/rows/undo.h"
#include "platform/platform.h"
#include "qst/grid_engine.h"
#include "tests/support/editor_harness.h"

namespace {

// A fresh host and stand-alone editor for one benchmark.
class BenchEditor {
 public:
  BenchEditor() {
    if (!harness_.open(frontEnd_)) std::abort();
  }

  EditorInstance* ed() const { return harness_.editor(); }
  HWND grid() const { return harness_.grid(); }

  // count variables v1..vN (every third a decimal), then the marked entry row.
  void fill(std::uint32_t count) { quilltest::FillNumberedRows(ed(), count, 3); }
  // Selects rows first, first + step, ... up to last.
  void select(std::uint32_t first, std::uint32_t last, std::uint32_t step) {
    quilltest::SelectRows(grid(), first, last, step);
  }

 private:
  quilltest::QuietFrontEnd frontEnd_;
  quilltest::EditorHarness harness_;
};

// Selects every step-th row of rows (untimed), runs a row command on them and
// undoes it; the undo must bring every row back.
template <typename Command>
void RunAndUndo(benchmark::State& state, std::uint32_t step, Command command) {
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  BenchEditor editor;
  editor.fill(rows);
  for (auto _ : state) {
    state.PauseTiming();
    UnselectAllRows(editor.ed());
    editor.select(1, rows, step);
    state.ResumeTiming();
    command(editor.ed());
    UndoLastAction(editor.ed(), editor.ed()->editorWindow);
  }
  if (GridRowCount(editor.grid()) != rows + 1) state.SkipWithError("the undo did not restore every row");
}

void BM_CopyAllRows(benchmark::State& state) {
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  BenchEditor editor;
  editor.fill(rows);
  for (auto _ : state) {
    state.PauseTiming();
    editor.select(1, rows, 1);
    state.ResumeTiming();
    CutOrCopyCommand(editor.ed(), false);
  }
}
BENCHMARK(BM_CopyAllRows)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_CutEveryOtherRowAndUndo(benchmark::State& state) {
  RunAndUndo(state, 2, [](EditorInstance* ed) { CutOrCopyCommand(ed, true); });
}
BENCHMARK(BM_CutEveryOtherRowAndUndo)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_PasteLines(benchmark::State& state) {
  const auto lines = static_cast<std::uint32_t>(state.range(0));
  BenchEditor editor;
  editor.fill(0);
  std::string text;
  for (std::uint32_t i = 1; i <= lines; ++i) {
    char line[40];
    std::snprintf(line, sizeof line, "\tinteger\t\tp%u\r\n", i);
    text += line;
  }
  PlatformClipboardFromOutside(text.c_str());
  for (auto _ : state) {
    PasteCommand(editor.ed());
    state.PauseTiming();
    if (static_cast<std::uint32_t>(editor.ed()->undo.pastedCount) != lines)
      state.SkipWithError("not every line pasted");
    // The undo takes the rows out again; the grid keeps the room they took.
    UndoLastAction(editor.ed(), editor.ed()->editorWindow);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PasteLines)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_ClearAllRowsAndUndo(benchmark::State& state) {
  RunAndUndo(state, 1, [](EditorInstance* ed) { ClearCommand(ed); });
}
BENCHMARK(BM_ClearAllRowsAndUndo)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
