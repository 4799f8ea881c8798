// Row operations on large structures: each must stay linear in the rows.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "editor/rows/row_moves.h"
#include "editor/rows/row_selection.h"
#include "editor/rows/save_rules.h"
#include "editor/rows/variable_row.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "quill/grid_sheet.h"
#include "tests/support/editor_harness.h"

namespace {

// One stand-alone editor, the module loaded as hosts load it, holding rows
// distinct variables and the entry row.
struct BenchEditor {
  quilltest::QuietFrontEnd frontEnd;
  quilltest::EditorHarness harness;
  EditorInstance* ed = nullptr;
  HWND grid = nullptr;
  quill::GridSheet* sheet = nullptr;

  BenchEditor() { frontEnd.messageAnswer = IDNO; }

  bool Open(std::uint32_t rows) {
    quilltest::EditorOptions options;
    options.module = quilltest::ModuleSource::kLoaded;
    options.callerKind = 0;
    if (!harness.open(frontEnd, options)) return false;
    ed = harness.editor();
    grid = harness.grid();
    sheet = harness.sheet();
    GridSetRedraw(grid, false);
    quilltest::FillNumberedRows(ed, rows);
    return true;
  }
};

void BM_SaveRulesDistinctNames(benchmark::State& state) {
  BenchEditor editor;
  if (!editor.Open(static_cast<std::uint32_t>(state.range(0)))) return state.SkipWithError("no editor");
  for (auto _ : state) {
    SaveRuleFailure failure;
    benchmark::DoNotOptimize(CheckSaveRules(editor.ed, &failure));
  }
}

void BM_DragEveryOtherRowToTheTopAndUndo(benchmark::State& state) {
  BenchEditor editor;
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  if (!editor.Open(rows)) return state.SkipWithError("no editor");
  for (std::uint32_t r = 2; r <= rows; r += 2) GridSelectRow(editor.grid, r, true);
  for (auto _ : state) {
    editor.ed->selection.dropRow = 1;
    MoveSelectedRows(editor.ed, 1, MoveMode::Move);
    MoveSelectedRows(editor.ed, 0, MoveMode::Undo);  // puts the rows back, selected
  }
}

void BM_ShiftSelectAllRows(benchmark::State& state) {
  BenchEditor editor;
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  if (!editor.Open(rows)) return state.SkipWithError("no editor");
  for (auto _ : state) {
    // The anchor: a plain press on row 1 with no row selected. A press on a
    // selected row would start a drag, and its release would move every row.
    state.PauseTiming();
    UnselectAllRows(editor.ed);
    editor.frontEnd.shift = false;
    editor.sheet->userMousePress("var_row", 1);
    editor.sheet->userMouseRelease("var_row", 1);
    state.ResumeTiming();
    editor.frontEnd.shift = true;
    editor.sheet->userMousePress("var_row", rows);
    editor.sheet->userMouseRelease("var_row", rows);
  }
  if (GridNextSelectedRow(editor.grid, 0) != 1 || !GridIsRowSelected(editor.grid, rows))
    state.SkipWithError("the Shift press did not select every row");
}

// One name typed into the entry row of a structure of n rows opens the next
// entry row; the cost must not depend on n.
void BM_EntryRowGrowthByTyping(benchmark::State& state) {
  BenchEditor editor;
  if (!editor.Open(static_cast<std::uint32_t>(state.range(0)))) return state.SkipWithError("no editor");
  for (auto _ : state) {
    const auto entry = static_cast<std::uint32_t>(editor.ed->document.entryRow);
    editor.sheet->userSetCurrentCell(entry, 1);
    editor.sheet->userTypeChar('n');
    state.PauseTiming();
    // Take the new variable out again so every round types into the same grid.
    editor.sheet->userSetCurrentCell(1, 1);
    GridDeleteRow(editor.grid, entry + 1);
    GridSetItemText(editor.grid, entry, ColName, "");
    GridSetItemText(editor.grid, entry, ColType, "");
    GridSetItemText(editor.grid, entry, ColMarker, kEntryRowMarker);
    editor.ed->document.entryRow = static_cast<std::int32_t>(entry);
    state.ResumeTiming();
  }
}

BENCHMARK(BM_SaveRulesDistinctNames)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragEveryOtherRowToTheTopAndUndo)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftSelectAllRows)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryRowGrowthByTyping)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
