// Saving (source text, compile, library write) and opening again a structure of
// 1,000 to 1,000,000 variables through the editor's own save and load.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "editor/persistence/load_structure.h"
#include "editor/persistence/open_structure.h"
#include "editor/persistence/save_structure.h"
#include "editor/window/editor_instance.h"
#include "tests/support/editor_harness.h"

namespace {

// Answers every save dialog with one entry of one library and every question with Yes.
class BenchFrontEnd : public quilltest::QuietFrontEnd {
 public:
  std::string library;
  BenchFrontEnd() { messageAnswer = IDYES; }
  GlobalSaveChoice saveEntryDialog(HWND, const std::string&, const std::string&) override {
    GlobalSaveChoice choice{};
    std::snprintf(choice.name, sizeof choice.name, "s_bench");
    std::snprintf(choice.library, sizeof choice.library, "%s", library.c_str());
    return choice;
  }
};

// A host with one stand-alone editor holding `variables` rows (every fourth a
// decimal), saved once as s_bench in a fresh library so that later saves are
// plain saves.
class BenchEditor {
 public:
  explicit BenchEditor(int variables) {
    directory_ = std::filesystem::temp_directory_path() / ("quill-bench-" + std::to_string(variables));
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_);
    frontEnd_.library = (directory_ / "bench.lib").string();
    quilltest::EditorOptions options;
    options.library = frontEnd_.library;
    if (!harness_.open(frontEnd_, options)) return;
    quilltest::FillNumberedRows(instance(), static_cast<std::uint32_t>(variables), 4);
    instance()->document.changed = 1;
    saved_ = SaveStructure(instance(), 1454) == 1;
  }
  ~BenchEditor() {
    harness_.close();
    std::filesystem::remove_all(directory_);
  }
  bool saved() const { return saved_; }
  EditorInstance* instance() { return harness_.editor(); }

 private:
  std::filesystem::path directory_;
  BenchFrontEnd frontEnd_;
  quilltest::EditorHarness harness_;
  bool saved_ = false;
};

// Runs one save or load of the editor's structure a round.
template <typename Step>
void RunOnSavedStructure(benchmark::State& state, Step step) {
  BenchEditor editor(static_cast<int>(state.range(0)));
  if (!editor.saved()) {
    state.SkipWithError("the first save failed");
    return;
  }
  for (auto _ : state) step(state, editor.instance());
  state.SetComplexityN(state.range(0));
}

void BM_EditorSaveStructure(benchmark::State& state) {
  RunOnSavedStructure(state, [](benchmark::State& st, EditorInstance* instance) {
    instance->document.changed = 1;
    if (SaveStructure(instance, 1452) != 1) st.SkipWithError("save failed");
  });
}

void BM_EditorOpenStructure(benchmark::State& state) {
  RunOnSavedStructure(state, [](benchmark::State& st, EditorInstance* instance) {
    if (LoadStructure(instance) != 1) st.SkipWithError("load failed");
  });
}

BENCHMARK(BM_EditorSaveStructure)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK(BM_EditorOpenStructure)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

}  // namespace
