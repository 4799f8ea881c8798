// The grid control at 100,000 rows: building, thinning and walking the selection.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "platform/platform.h"
#include "qst/grid_engine.h"

namespace {

constexpr std::uint32_t kRows = 100'000;

LRESULT ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A fresh grid in a parent window; notifications go nowhere.
class BenchGrid {
 public:
  BenchGrid() {
    PlatformReset();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ParentProc;
    windowClass.lpszClassName = "GridBenchParent";
    RegisterClassA(&windowClass);
    parent_ = CreateWindowExA(0, "GridBenchParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr, nullptr,
                              nullptr);
    GridLayout* layout = GridLoadLayout(nullptr, 0, "structure_body", nullptr);
    grid_ = GridCreateControl(kGridControlClass, nullptr, WS_CHILD, 0, 0, 600, 400, parent_, nullptr, nullptr, layout);
  }
  ~BenchGrid() {
    DestroyWindow(parent_);
    PlatformReset();
  }
  BenchGrid(const BenchGrid&) = delete;
  BenchGrid& operator=(const BenchGrid&) = delete;

  HWND grid() const { return grid_; }
  void fill(std::uint32_t rows) {
    for (std::uint32_t i = 0; i < rows; ++i) GridInsertRow(grid_, 0);
  }

 private:
  HWND parent_ = nullptr;
  HWND grid_ = nullptr;
};

// Times op on a fresh grid of rows empty rows, once a round; making the grid
// and destroying it are not timed.
template <typename Op>
void OnFreshGrid(benchmark::State& state, std::uint32_t rows, Op op) {
  for (auto _ : state) {
    state.PauseTiming();
    auto bench = std::make_unique<BenchGrid>();
    bench->fill(rows);
    state.ResumeTiming();
    op(bench->grid());
    state.PauseTiming();
    bench.reset();
    state.ResumeTiming();
  }
}

void BM_GridAppendRows(benchmark::State& state) {
  OnFreshGrid(state, 0, [](HWND grid) {
    for (std::uint32_t i = 0; i < kRows; ++i) GridSetItemText(grid, GridInsertRow(grid, 0), ColName, "name");
  });
}
BENCHMARK(BM_GridAppendRows)->Unit(benchmark::kMillisecond);

// A block typed in the middle of the grid row by row, each below the previous.
void BM_GridInsertBlockInTheMiddle(benchmark::State& state) {
  OnFreshGrid(state, kRows, [](HWND grid) {
    std::uint32_t before = kRows / 2;
    for (std::uint32_t i = 0; i < kRows; ++i) before = GridInsertRow(grid, before) + 1;
  });
}
BENCHMARK(BM_GridInsertBlockInTheMiddle)->Unit(benchmark::kMillisecond);

// Deleting rows 1, 3, 5, ... of the original grid, from the top.
void BM_GridDeleteEveryOtherRow(benchmark::State& state) {
  OnFreshGrid(state, kRows, [](HWND grid) {
    for (std::uint32_t row = 1; row <= kRows / 2; ++row) GridDeleteRow(grid, row);
  });
}
BENCHMARK(BM_GridDeleteEveryOtherRow)->Unit(benchmark::kMillisecond);

// Walks the selection from the top, one "next selected row" query a step;
// the argument is the distance between selected rows.
void BM_GridNextSelectedWalk(benchmark::State& state) {
  BenchGrid bench;
  bench.fill(kRows);
  const auto spacing = static_cast<std::uint32_t>(state.range(0));
  for (std::uint32_t row = 1; row <= kRows; row += spacing) GridSelectRow(bench.grid(), row, true);
  for (auto _ : state) {
    std::uint32_t found = 0;
    for (std::uint32_t row = GridNextSelectedRow(bench.grid(), 0); row != 0;
         row = GridNextSelectedRow(bench.grid(), row)) {
      ++found;
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_GridNextSelectedWalk)->Arg(2)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
