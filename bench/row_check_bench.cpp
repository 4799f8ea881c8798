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
    const std::uint32_t row = i + 1;
    if (i == kRows / 2) {
      quill::AddCheckedRow(row, {name, "nosuch", {}}, &request);  // one error in the middle
      continue;
    }
    switch (i % 4) {
      case 0: quill::AddCheckedRow(row, {name, "int", {}}, &request); break;
      case 1: quill::AddCheckedRow(row, {name, "decimal", 2.0}, &request); break;
      case 2: quill::AddCheckedRow(row, {name, "s_address", {}}, &request); break;
      default: quill::AddCheckedRow(row, {"", "", {}}, &request); break;
    }
  }
  return request;
}

void BM_CheckHundredThousandRows(benchmark::State& state) {
  const quill::RowCheckRequest request = HundredThousandRows();
  // The check uses its request up; the copy is the rows' read from the grid.
  for (auto _ : state) benchmark::DoNotOptimize(quill::CheckRows(request));
}
BENCHMARK(BM_CheckHundredThousandRows)->Unit(benchmark::kMillisecond);

}  // namespace
