// A library of 10,000 entries (about 30 MB) as one user works in it: the open
// dialog's list, the editor's Open of one entry (list, read, compile, grid) and a
// plain save of it. Each should take under 50 ms once the library's connection
// is open; the first open of a connection pays the file's integrity check,
// measured on its own.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_rows.h"
#include "editor/persistence/open_structure.h"
#include "editor/persistence/save_structure.h"
#include "editor/window/editor_instance.h"
#include "qst/host_library.h"
#include "quill/library.h"
#include "tests/support/editor_harness.h"

namespace {

constexpr int kVariablesPerEntry = 120;

// The source of entry i: string and decimal variables, and for most entries
// two earlier entries as members (i/2 and i/3), so that compiling one reads the
// few dozen structures it contains, as in a library whose structures nest a
// few levels deep.
std::string EntrySource(int i) {
  std::string name = "s_" + std::to_string(i);
  std::string source = "global type " + name + " from structure\r\n";
  for (int v = 0; v < kVariablesPerEntry; ++v)
    source += (v % 3 == 0 ? "\tdecimal {2}\tamount_" : "\tstring\t\tfield_") + std::to_string(v) + "\r\n";
  if (i >= 3) {
    source += "\ts_" + std::to_string(i / 2) + "\t\tinner\r\n";
    source += "\ts_" + std::to_string(i / 3) + "\t\tother\r\n";
  }
  return source + "end type";
}

// The library file, made once for every case of the run and removed at its end.
class ScaleFile {
 public:
  explicit ScaleFile(int entries) {
    std::filesystem::remove(file_);
    auto library = quill::Library::open(file_.string(), true, nullptr);
    std::vector<quill::Library::StoredEntry> all;
    for (int i = 0; i < entries; ++i)
      all.push_back({"s_" + std::to_string(i), EntrySource(i), "Entry number " + std::to_string(i), ""});
    if (library && library->writeAll(all, {}, nullptr)) path_ = file_.string();
  }
  ~ScaleFile() { std::filesystem::remove(file_); }
  const std::string& path() const { return path_; }

 private:
  std::filesystem::path file_ = std::filesystem::temp_directory_path() / "quill-library-scale-bench.lib";
  std::string path_;
};

const std::string& ScaleLibrary(int entries) {
  static ScaleFile file(entries);
  return file.path();
}

// One editor on a host whose current library is the big one, its dialogs
// answered with entry s_<middle>.
class ScaleEditor {
 public:
  explicit ScaleEditor(int entries) {
    const std::string& library = ScaleLibrary(entries);
    if (library.empty()) return;
    frontEnd_.library = library;
    frontEnd_.entry = "s_" + std::to_string(entries / 2);
    quilltest::EditorOptions options;
    options.library = library;
    ok_ = harness_.open(frontEnd_, options) && OpenGlobalStructure(harness_.editor()) == 1;
  }
  bool ok() const { return ok_; }
  EditorInstance* instance() { return harness_.editor(); }

 private:
  quillbench::EntryFrontEnd frontEnd_;
  quilltest::EditorHarness harness_;
  bool ok_ = false;
};

template <typename Step>
void RunOnScaleEditor(benchmark::State& state, Step step) {
  ScaleEditor editor(static_cast<int>(state.range(0)));
  if (!editor.ok()) {
    state.SkipWithError("the library or its first open failed");
    return;
  }
  for (auto _ : state) step(state, editor.instance());
}

// The list the open dialog shows, through the host call the module makes.
void BM_LibraryScaleList(benchmark::State& state) {
  RunOnScaleEditor(state, [](benchmark::State& st, EditorInstance* instance) {
    GlobalOpenChoice choice = LibraryOpenEntryDialog(instance->hostContext, kLibraryKindStructure, nullptr);
    if (choice.action != kOpenActionOpen) st.SkipWithError("the dialog failed");
  });
}

// The editor's whole Open command: the dialog's list, the read, the compile, the grid.
void BM_LibraryScaleOpen(benchmark::State& state) {
  RunOnScaleEditor(state, [](benchmark::State& st, EditorInstance* instance) {
    if (OpenGlobalStructure(instance) != 1) st.SkipWithError("open failed");
  });
}

// A plain save of the open entry (compile, save rules, the write).
void BM_LibraryScaleSave(benchmark::State& state) {
  RunOnScaleEditor(state, [](benchmark::State& st, EditorInstance* instance) {
    instance->document.changed = 1;
    if (SaveStructure(instance, 1452) != 1) st.SkipWithError("save failed");
  });
}

// What a connection pays once: the file's checks on open, then the list.
void BM_LibraryScaleFirstOpen(benchmark::State& state) {
  const std::string& path = ScaleLibrary(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto library = quill::Library::open(path, false, nullptr);
    if (!library || library->entries().empty()) state.SkipWithError("the library cannot be read");
  }
}

}  // namespace

BENCHMARK(BM_LibraryScaleList)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryScaleOpen)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryScaleSave)->Arg(10'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibraryScaleFirstOpen)->Arg(10'000)->Unit(benchmark::kMillisecond);
