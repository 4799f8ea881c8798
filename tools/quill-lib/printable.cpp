// Control characters made visible, for the terminal and for manifest fields.
#include "printable.h"

#include <cstdio>

namespace quill_lib {
namespace {

std::string Escaped(std::string_view text, bool field) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\\' && field) {
      out += "\\\\";
    } else if (byte >= 0x20 && byte != 0x7F) {
      out += c;
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, field ? "\\x%02X" : "\\x%02x", byte);
      out += hex;
    }
  }
  return out;
}

}  // namespace

std::string Printable(std::string_view text) { return Escaped(text, false); }

std::string EscapeField(std::string_view text) { return Escaped(text, true); }

}  // namespace quill_lib
