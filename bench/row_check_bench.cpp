// Checking 100,000 rows as they stand: the compile the desktop runs beside the
// user interface once the user pauses, from rows already read from the grid.
#include <benchmark/benchmark.h>

#include <string>

#include "quill/row_check.h"

namespace {

constexpr std::uint32_t kRows = 100'000;

quill::RowCheckRequest HundredThousandRows() {
  quill::RowCheckRequest request;
  request.structure = "s_big";
  request.knownStructures = {"s_address", "s_point"};
  for (std::uint32_t i = 0; i < kRows; ++i) {
    const std::string name = "v" + std::to_string(i);
    switch (i % 4) {
      case 0: request.rows.push_back({name, "int", {}}); break;
      case 1: request.rows.push_back({name, "decimal", 2.0}); break;
      case 2: request.rows.push_back({name, "s_address", {}}); break;
      default: request.rows.push_back({"", "", {}}); break;
    }
  }
  request.rows[kRows / 2].type = "nosuch";  // one error in the middle
  return request;
}

void BM_CheckHundredThousandRows(benchmark::State& state) {
  const quill::RowCheckRequest request = HundredThousandRows();
  for (auto _ : state) benchmark::DoNotOptimize(quill::CheckRows(request));
}
BENCHMARK(BM_CheckHundredThousandRows)->Unit(benchmark::kMillisecond);

}  // namespace
