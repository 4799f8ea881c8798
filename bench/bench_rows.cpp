// The rows the benchmarks fill and the front end that answers their dialogs.
#include "bench_rows.h"

namespace quillbench {

std::vector<PlainRow> NumberedRows(std::uint32_t count, std::uint32_t decimalEvery) {
  std::vector<PlainRow> rows;
  rows.reserve(count);
  for (std::uint32_t i = 1; i <= count; ++i) {
    const bool decimal = decimalEvery != 0 && i % decimalEvery == 0;
    rows.push_back({"v" + std::to_string(i), decimal ? "decimal" : "integer", decimal ? 2 : 0});
  }
  return rows;
}

}  // namespace quillbench
