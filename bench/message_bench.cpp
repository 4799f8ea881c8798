// What one message costs: SendMessageA to a window procedure and back, beside
// a plain call of the same procedure, and one of the grid's own messages (the
// module reads selections through them, one or more a row). Each case is one
// message a round, so the time column reads in nanoseconds a message.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/platform.h"
#include "qst/grid_engine.h"
#include "tests/support/editor_harness.h"

namespace {

LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return static_cast<LRESULT>(wParam) + lParam;
  return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window of a class whose procedure answers WM_USER with a sum.
HWND CountingWindow() {
  static const bool registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = CountingProcedure;
    cls.lpszClassName = "BenchCountingWindow";
    return RegisterClassA(&cls) != 0;
  }();
  HWND window = registered ? CreateWindowExA(0, "BenchCountingWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                             nullptr, nullptr)
                           : nullptr;
  if (window == nullptr) std::abort();
  return window;
}

void BM_MessageDirectCall(benchmark::State& state) {
  HWND window = CountingWindow();
  // Through a pointer the compiler cannot see through, as a send must call.
  WNDPROC procedure = CountingProcedure;
  benchmark::DoNotOptimize(procedure);
  WPARAM n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(procedure(window, WM_USER, ++n, 1));
  DestroyWindow(window);
}
BENCHMARK(BM_MessageDirectCall);

void BM_MessageSendRoundTrip(benchmark::State& state) {
  HWND window = CountingWindow();
  WPARAM n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(SendMessageA(window, WM_USER, ++n, 1));
  DestroyWindow(window);
}
BENCHMARK(BM_MessageSendRoundTrip);

// Alternating between two windows: the case a single remembered window does not cover.
void BM_MessageSendTwoWindows(benchmark::State& state) {
  HWND windows[2] = {CountingWindow(), CountingWindow()};
  WPARAM n = 0;
  for (auto _ : state) {
    ++n;
    benchmark::DoNotOptimize(SendMessageA(windows[n & 1], WM_USER, n, 1));
  }
  DestroyWindow(windows[0]);
  DestroyWindow(windows[1]);
}
BENCHMARK(BM_MessageSendTwoWindows);

// The grid's next-selected-row message on a grid of 1,000 rows, all selected.
void BM_MessageGridNextSelectedRow(benchmark::State& state) {
  quilltest::QuietFrontEnd frontEnd;
  quilltest::EditorHarness harness;
  if (!harness.open(frontEnd)) std::abort();
  quilltest::FillNumberedRows(harness.editor(), 1'000, 3);
  quilltest::SelectRows(harness.grid(), 1, 1'000, 1);
  std::uint32_t row = 0;
  for (auto _ : state) {
    row = GridNextSelectedRow(harness.grid(), row);
    if (row >= 1'000) row = 0;
  }
}
BENCHMARK(BM_MessageGridNextSelectedRow);

}  // namespace
