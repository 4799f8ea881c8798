// Saving (source text, compile, library write) and opening again a structure of
// 1,000 to 100,000 variables through the editor's own save and load.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editor/host/grid_engine.h"
#include "editor/host/host_pool.h"
#include "editor/host/host_shell.h"
#include "editor/persistence/open_structure.h"
#include "editor/persistence/save_structure.h"
#include "editor/shell/editor_instance.h"
#include "editor/shell/entry_points.h"
#include "platform/platform.h"
#include "platform/resources.h"
#include "quill/host.h"

namespace {

// Answers every save dialog with one entry of one library and every question with Yes.
class BenchFrontEnd : public quill::HostFrontEnd {
 public:
  std::string library;
  int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDYES; }
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
    std::snprintf(choice.name, sizeof choice.name, "s_bench");
    std::snprintf(choice.library, sizeof choice.library, "%s", library.c_str());
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

// A host with one stand-alone editor holding `variables` rows, saved once as
// s_bench in a fresh library so that later saves are plain saves.
class BenchEditor {
 public:
  explicit BenchEditor(int variables) {
    directory_ = std::filesystem::temp_directory_path() / ("quill-bench-" + std::to_string(variables));
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    frontEnd_.library = (directory_ / "bench.lib").string();
    PlatformReset();
    HINSTANCE module = PlatformRegisterModule(PlatformModuleResources());
    PlatformModuleAttach(module);
    host_ = std::make_unique<quill::Host>(frontEnd_, quill::HostOptions{});
    host_->useModule(module, &QST_Create);
    host_->setCurrentLibrary(frontEnd_.library);
    quill::EditorSession* session = host_->createEditor(kContextStandAlone, kCallerWindow);
    instance_ = static_cast<EditorInstance*>(ShellInstanceOf(0, session->editor));
    Fill(variables);
    instance_->changed = 1;
    saved_ = SaveStructure(instance_, 1454) == 1;
  }
  ~BenchEditor() {
    host_.reset();
    PlatformReset();
    std::filesystem::remove_all(directory_);
  }
  bool saved() const { return saved_; }
  EditorInstance* instance() { return instance_; }

 private:
  void Fill(int variables) {
    HWND grid = instance_->gridWindow;
    GridRemoveAllRows(grid);
    char name[32];
    for (int i = 0; i < variables; ++i) {
      std::uint32_t row = GridInsertRow(grid, 0);
      std::snprintf(name, sizeof name, "v%d", i);
      GridSetItemText(grid, row, 1, name);
      GridSetItemText(grid, row, 2, i % 4 == 0 ? "decimal" : "integer");
      if (i % 4 == 0) {
        double decimals = 2;
        GridSetItemNumber(grid, row, 3, &decimals);
      }
    }
    instance_->entryRow = static_cast<std::int32_t>(GridInsertRow(grid, 0));
  }

  std::filesystem::path directory_;
  BenchFrontEnd frontEnd_;
  std::unique_ptr<quill::Host> host_;
  EditorInstance* instance_ = nullptr;
  bool saved_ = false;
};

void BM_EditorSaveStructure(benchmark::State& state) {
  BenchEditor editor(static_cast<int>(state.range(0)));
  if (!editor.saved()) {
    state.SkipWithError("the first save failed");
    return;
  }
  for (auto _ : state) {
    editor.instance()->changed = 1;
    if (SaveStructure(editor.instance(), 1452) != 1) state.SkipWithError("save failed");
  }
  state.SetComplexityN(state.range(0));
}

void BM_EditorOpenStructure(benchmark::State& state) {
  BenchEditor editor(static_cast<int>(state.range(0)));
  if (!editor.saved()) {
    state.SkipWithError("the first save failed");
    return;
  }
  for (auto _ : state) {
    if (LoadStructure(editor.instance()) != 1) state.SkipWithError("load failed");
  }
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_EditorSaveStructure)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_EditorOpenStructure)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace
