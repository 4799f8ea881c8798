// The library the desktop benchmark opens: one entry of numbered rows, filled and
// saved by a headless editor as the other benchmarks fill theirs.
#include "bench_rows.h"
#include "desktop_bench.h"
#include "editor/persistence/save_structure.h"

namespace desktopbench {

int MakeLibrary(std::uint32_t rows, const char* library) {
  constexpr int kSaveCommand = 1452;
  quillbench::EntryFrontEnd frontEnd;
  frontEnd.library = library;
  quilltest::EditorHarness harness;
  quilltest::EditorOptions options;
  options.library = frontEnd.library;
  if (!harness.open(frontEnd, options)) return 3;
  EditorInstance* editor = harness.editor();
  quilltest::FillNumberedRows(editor, rows, 4);
  editor->document.changed = 1;
  return SaveStructure(editor, kSaveCommand) == 1 ? 0 : 4;
}

}  // namespace desktopbench
