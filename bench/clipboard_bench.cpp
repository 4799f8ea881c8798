// Rows through the clipboard at 1,000, 10,000 and 100,000 rows: Copy of all
// rows, Cut of every other row and its undo, Paste of that many lines, Clear
// of all rows and its undo.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "editor/commands/row_commands.h"
#include "editor/host/grid_engine.h"
#include "editor/host/host_shell.h"
#include "editor/rows/grid_events.h"
#include "editor/rows/undo.h"
#include "editor/shell/entry_points.h"
#include "platform/platform.h"
#include "platform/resources.h"
#include "quill/host.h"

namespace {

class QuietFrontEnd : public quill::HostFrontEnd {
 public:
  int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDCANCEL; }
  void beep(UINT) override {}
  SHORT asyncKeyState(int) override { return 0; }
  GlobalOpenChoice openEntryDialog(HWND, const std::string&, const std::vector<quill::LibraryEntryInfo>&) override {
    GlobalOpenChoice choice{};
    choice.action = kOpenActionCancel;
    return choice;
  }
  EmbeddedOpenChoice openLocalTypeDialog(HWND, const std::string&, const std::vector<std::string>&) override {
    EmbeddedOpenChoice choice{};
    choice.action = kOpenActionCancel;
    return choice;
  }
  GlobalSaveChoice saveEntryDialog(HWND, const std::string&, const std::string&) override {
    GlobalSaveChoice choice{};
    choice.cancelled = 1;
    return choice;
  }
  EmbeddedSaveChoice saveLocalTypeDialog(HWND, const std::string&, const std::string&) override {
    EmbeddedSaveChoice choice{};
    choice.cancelled = 1;
    return choice;
  }
  void showCompileErrors(HWND, const std::vector<quill::CompileError>&) override {}
  void setStatus(HWND, const std::string&) override {}
  void print(HWND, const std::vector<quill::PrintedEntry>&) override {}
};

// A fresh host and stand-alone editor for one benchmark.
class BenchEditor {
 public:
  BenchEditor() {
    PlatformReset();
    HINSTANCE module = PlatformRegisterModule(PlatformModuleResources());
    PlatformModuleAttach(module);
    host_ = std::make_unique<quill::Host>(frontEnd_, quill::HostOptions{});
    if (!host_->useModule(module, &QST_Create)) std::abort();
    quill::EditorSession* session = host_->createEditor(kContextStandAlone, kCallerWindow);
    if (session == nullptr) std::abort();
    ed_ = static_cast<EditorInstance*>(ShellInstanceOf(0, session->editor));
    if (ed_ == nullptr) std::abort();
  }
  ~BenchEditor() {
    host_.reset();
    PlatformReset();
  }
  BenchEditor(const BenchEditor&) = delete;
  BenchEditor& operator=(const BenchEditor&) = delete;

  EditorInstance* ed() const { return ed_; }
  HWND grid() const { return ed_->gridWindow; }

  // count variables v1..vN (every third a decimal), then the marked entry row.
  void fill(std::uint32_t count) {
    GridRemoveAllRows(grid());
    const double decimals = 2;
    for (std::uint32_t i = 1; i <= count; ++i) {
      const std::uint32_t row = GridInsertRow(grid(), 0);
      char name[16];
      std::snprintf(name, sizeof name, "v%u", i);
      GridSetItemText(grid(), row, 1, name);
      GridSetItemText(grid(), row, 2, i % 3 == 0 ? "decimal" : "integer");
      if (i % 3 == 0) GridSetItemNumber(grid(), row, 3, &decimals);
    }
    ed_->entryRow = static_cast<std::int32_t>(GridInsertRow(grid(), 0));
    GridSetItemText(grid(), static_cast<std::uint32_t>(ed_->entryRow), 4, kEntryRowMarker);
  }
  // Selects rows first, first + step, ... up to last.
  void select(std::uint32_t first, std::uint32_t last, std::uint32_t step) {
    for (std::uint32_t row = first; row <= last; row += step) GridSelectRow(grid(), row, true);
  }

 private:
  QuietFrontEnd frontEnd_;
  std::unique_ptr<quill::Host> host_;
  EditorInstance* ed_ = nullptr;
};

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
BENCHMARK(BM_CopyAllRows)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_CutEveryOtherRowAndUndo(benchmark::State& state) {
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  BenchEditor editor;
  editor.fill(rows);
  for (auto _ : state) {
    state.PauseTiming();
    UnselectAllRows(editor.ed());
    editor.select(1, rows, 2);
    state.ResumeTiming();
    CutOrCopyCommand(editor.ed(), true);
    UndoLastAction(editor.ed(), editor.ed()->editorWindow);
  }
  if (GridRowCount(editor.grid()) != rows + 1) state.SkipWithError("the undo did not restore every row");
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
    if (static_cast<std::uint32_t>(editor.ed()->pastedCount) != lines) state.SkipWithError("not every line pasted");
    // The undo takes the rows out again; the grid keeps the room they took.
    UndoLastAction(editor.ed(), editor.ed()->editorWindow);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_PasteLines)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_ClearAllRowsAndUndo(benchmark::State& state) {
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  BenchEditor editor;
  editor.fill(rows);
  for (auto _ : state) {
    state.PauseTiming();
    UnselectAllRows(editor.ed());
    editor.select(1, rows, 1);
    state.ResumeTiming();
    ClearCommand(editor.ed());
    UndoLastAction(editor.ed(), editor.ed()->editorWindow);
  }
  if (GridRowCount(editor.grid()) != rows + 1) state.SkipWithError("the undo did not restore every row");
}
BENCHMARK(BM_ClearAllRowsAndUndo)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
