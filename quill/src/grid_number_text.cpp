// Locale-independent reading and writing of the decimals column's numbers.
#include "grid_number_text.h"

#include <charconv>
#include <cmath>

namespace quill::grid {

std::string FormatGridNumber(double value) {
  char buffer[64];
  // General format with precision 6 writes what printf's %g writes, without the locale.
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  if (result.ec != std::errc{}) return {};
  return std::string(buffer, result.ptr);
}

std::optional<double> ParseGridNumber(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
  // from_chars takes a minus sign but no plus sign.
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  }
  double value = 0;
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (result.ec != std::errc{} || result.ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace quill::grid
