// Row operations on large structures: each must stay linear in the rows.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "editor/host/grid_engine.h"
#include "editor/host/host_shell.h"
#include "editor/rows/grid_events.h"
#include "editor/rows/row_moves.h"
#include "editor/rows/variable_row.h"
#include "editor/shell/module_state.h"
#include "platform/platform.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"

namespace {

class BenchFrontEnd : public quill::HostFrontEnd {
 public:
  bool shift = false;
  int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDNO; }
  void beep(UINT) override {}
  SHORT asyncKeyState(int vkey) override { return vkey == VK_SHIFT && shift ? static_cast<SHORT>(0x8000) : 0; }
  GlobalOpenChoice openEntryDialog(HWND, const std::string&, const std::vector<quill::LibraryEntryInfo>&) override {
    return GlobalOpenChoice{};
  }
  EmbeddedOpenChoice openLocalTypeDialog(HWND, const std::string&, const std::vector<std::string>&) override {
    return EmbeddedOpenChoice{};
  }
  GlobalSaveChoice saveEntryDialog(HWND, const std::string&, const std::string&) override { return GlobalSaveChoice{}; }
  EmbeddedSaveChoice saveLocalTypeDialog(HWND, const std::string&, const std::string&) override {
    return EmbeddedSaveChoice{};
  }
  void showCompileErrors(HWND, const std::vector<quill::CompileError>&) override {}
  void setStatus(HWND, const std::string&) override {}
  void print(HWND, const std::vector<quill::PrintedEntry>&) override {}
};

std::string ModulePath() {
  if (const char* path = std::getenv("QST_MODULE")) return path;
  char self[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string();
  dir = dir.substr(0, dir.find_last_of('/'));
  return dir + "/../lib/libqst.so";
}

// One stand-alone editor holding rows distinct variables and the entry row.
struct BenchEditor {
  BenchFrontEnd frontEnd;
  std::unique_ptr<quill::Host> host;
  EditorInstance* ed = nullptr;
  HWND grid = nullptr;
  quill::GridSheet* sheet = nullptr;

  bool Open(std::uint32_t rows) {
    PlatformReset();
    quill::HostOptions options;
    options.modulePath = ModulePath();
    host = std::make_unique<quill::Host>(frontEnd, options);
    if (!host->loadModule()) return false;
    SetModuleInstance(host->module());
    quill::EditorSession* session = host->createEditor(kContextStandAlone, 0);
    if (session == nullptr) return false;
    ed = static_cast<EditorInstance*>(ShellInstanceOf(0, session->editor));
    grid = ed->gridWindow;
    sheet = quill::GridSheet::fromWindow(grid);
    GridSetRedraw(grid, false);
    GridRemoveAllRows(grid);
    char name[24];
    for (std::uint32_t r = 1; r <= rows; ++r) {
      GridInsertRow(grid, 0);
      wsprintfA(name, "v%u", r);
      GridSetItemText(grid, r, 1, name);
      GridSetItemText(grid, r, 2, "integer");
    }
    ed->entryRow = static_cast<std::int32_t>(GridInsertRow(grid, 0));
    GridSetItemText(grid, static_cast<std::uint32_t>(ed->entryRow), 4, kEntryRowMarker);
    return true;
  }
  ~BenchEditor() {
    host.reset();
    PlatformReset();
  }
};

void BM_SaveRulesDistinctNames(benchmark::State& state) {
  BenchEditor editor;
  if (!editor.Open(static_cast<std::uint32_t>(state.range(0)))) return state.SkipWithError("no editor");
  for (auto _ : state) {
    UINT id = 0;
    std::uint32_t row = 0;
    benchmark::DoNotOptimize(CheckSaveRules(editor.ed, &id, &row));
  }
}

void BM_DragEveryOtherRowToTheTopAndUndo(benchmark::State& state) {
  BenchEditor editor;
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  if (!editor.Open(rows)) return state.SkipWithError("no editor");
  for (std::uint32_t r = 2; r <= rows; r += 2) GridSelectRow(editor.grid, r, true);
  for (auto _ : state) {
    editor.ed->dropRow = 1;
    MoveSelectedRows(editor.ed, 1, kMoveModeMove);
    MoveSelectedRows(editor.ed, 0, kMoveModeUndo);  // puts the rows back, selected
  }
}

void BM_ShiftSelectAllRows(benchmark::State& state) {
  BenchEditor editor;
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  if (!editor.Open(rows)) return state.SkipWithError("no editor");
  for (auto _ : state) {
    editor.frontEnd.shift = false;
    editor.sheet->userMousePress("var_row", 1);
    editor.sheet->userMouseRelease("var_row", 1);
    editor.frontEnd.shift = true;
    editor.sheet->userMousePress("var_row", rows);
    editor.sheet->userMouseRelease("var_row", rows);
  }
}

// One name typed into the entry row of a structure of n rows opens the next
// entry row; the cost must not depend on n.
void BM_EntryRowGrowthByTyping(benchmark::State& state) {
  BenchEditor editor;
  if (!editor.Open(static_cast<std::uint32_t>(state.range(0)))) return state.SkipWithError("no editor");
  for (auto _ : state) {
    const auto entry = static_cast<std::uint32_t>(editor.ed->entryRow);
    editor.sheet->userSetCurrentCell(entry, 1);
    editor.sheet->userTypeChar('n');
    state.PauseTiming();
    // Take the new variable out again so every round types into the same grid.
    editor.sheet->userSetCurrentCell(1, 1);
    GridDeleteRow(editor.grid, entry + 1);
    GridSetItemText(editor.grid, entry, 1, "");
    GridSetItemText(editor.grid, entry, 2, "");
    GridSetItemText(editor.grid, entry, 4, kEntryRowMarker);
    editor.ed->entryRow = static_cast<std::int32_t>(entry);
    state.ResumeTiming();
  }
}

BENCHMARK(BM_SaveRulesDistinctNames)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragEveryOtherRowToTheTopAndUndo)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShiftSelectAllRows)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EntryRowGrowthByTyping)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
