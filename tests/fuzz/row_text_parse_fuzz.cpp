// Arbitrary clipboard bytes through the row text parser alone: no host and no
// editor, so that the fuzzer spends its time in the parser.
#include <cstddef>
#include <cstdint>

#include "row_text_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  quillfuzz::ParseEveryLine(data, size);
  return 0;
}
