// Peak resident memory per row with a large structure open: each case runs in a
// fresh process of this program (a child started with --memory-child), so the
// peak is that of a process that did only this, as a user's session would.
//   make:      fill an editor with N rows and save them as a new entry;
//   open-save: open that entry from the library and save it again.
// The child prints its resident size before the rows, its peak after the fill
// or open and its peak after the save (getrusage); the case reports bytes per row.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_main.h"
#include "bench_rows.h"
#include "editor/persistence/open_structure.h"
#include "editor/persistence/save_structure.h"
#include "process_memory.h"
#include "qst/grid_engine.h"

namespace {

constexpr int kSaveCommand = 1452;

using benchmemory::PeakKb;
using benchmemory::ResidentKb;

struct ChildFigures {
  long baseKb = 0;
  long loadedPeakKb = 0;  // after the fill or the open
  long peakKb = 0;        // after the save
  bool ok = false;
};

ChildFigures RunChild(const std::string& mode, std::uint32_t rows, const std::string& library) {
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  ChildFigures figures;
  if (length <= 0) return figures;
  self[length] = '\0';
  const std::string command =
      std::string("'") + self + "' --memory-child " + mode + " " + std::to_string(rows) + " '" + library + "'";
  std::FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return figures;
  int read = std::fscanf(child, "%ld %ld %ld", &figures.baseKb, &figures.loadedPeakKb, &figures.peakKb);
  figures.ok = pclose(child) == 0 && read == 3;
  return figures;
}

void BM_PeakMemoryOpenAndSave(benchmark::State& state) {
  const auto rows = static_cast<std::uint32_t>(state.range(0));
  const auto directory = std::filesystem::temp_directory_path() / ("quill-bench-memory-" + std::to_string(getpid()));
  std::filesystem::create_directories(directory);
  const std::string library = (directory / "bench.lib").string();
  ChildFigures made, opened;
  for (auto _ : state) {
    std::filesystem::remove(library);
    made = RunChild("make", rows, library);
    opened = RunChild("open-save", rows, library);
    if (!made.ok || !opened.ok) state.SkipWithError("a child failed");
  }
  std::filesystem::remove_all(directory);
  auto perRow = [rows](long kb) { return static_cast<double>(kb) * 1024.0 / rows; };
  state.counters["fill_save_B_row"] = perRow(made.peakKb);
  state.counters["fill_B_row"] = perRow(made.loadedPeakKb);
  state.counters["open_B_row"] = perRow(opened.loadedPeakKb);
  state.counters["open_save_B_row"] = perRow(opened.peakKb);
  state.counters["open_save_above_start_B_row"] = perRow(opened.peakKb - opened.baseKb);
  state.counters["start_MB"] = static_cast<double>(opened.baseKb) / 1024.0;
}
BENCHMARK(BM_PeakMemoryOpenAndSave)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

namespace quillbench {

int RunMemoryChild(int argc, char** argv) {
  if (argc != 5) return 2;
  const std::string mode = argv[2];
  const auto rows = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
  EntryFrontEnd frontEnd;
  frontEnd.library = argv[4];
  quilltest::EditorHarness harness;
  quilltest::EditorOptions options;
  options.library = frontEnd.library;
  if (!harness.open(frontEnd, options)) return 3;
  EditorInstance* editor = harness.editor();
  const long baseKb = ResidentKb();
  if (mode == "make") {
    quilltest::FillNumberedRows(editor, rows, 4);
  } else if (mode != "open-save" || OpenGlobalStructure(editor) != 1 || GridRowCount(editor->gridWindow) != rows + 1) {
    return 4;
  }
  const long loadedPeakKb = PeakKb();
  editor->document.changed = 1;
  if (SaveStructure(editor, kSaveCommand) != 1) return 5;
  std::printf("%ld %ld %ld\n", baseKb, loadedPeakKb, PeakKb());
  return 0;
}

}  // namespace quillbench
