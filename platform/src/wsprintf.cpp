// wsprintfA and wvsprintfA: integer and string conversions only, output
// limited to 1024 characters plus the terminating NUL.
#include <algorithm>
#include <cstdarg>
#include <cstring>
#include <cwchar>
#include <string>

#include "window_registry.h"

namespace platform {
namespace {

constexpr int kMaxOutput = 1024;
constexpr int kMaxField = 4096;  // widths and precisions beyond the output are pointless

struct Spec {
  bool left = false;
  bool prefix = false;
  bool zero = false;
  int width = 0;
  int precision = -1;
  char size = 0;  // 'l', 'h' or none
  char type = 0;
};

class Output {
 public:
  explicit Output(char* buffer) : buffer_(buffer) {}
  void put(char c) {
    if (length_ < kMaxOutput) buffer_[length_++] = c;
  }
  void put(const std::string& s) {
    for (char c : s) put(c);
  }
  void repeat(char c, int n) {
    for (int i = 0; i < n; ++i) put(c);
  }
  int finish() {
    buffer_[length_] = '\0';
    return length_;
  }

 private:
  char* buffer_;
  int length_ = 0;
};

int readNumber(const char*& p) {
  int n = 0;
  while (*p >= '0' && *p <= '9') {
    n = std::min(kMaxField, n * 10 + (*p - '0'));
    ++p;
  }
  return n;
}

// Flags come in the fixed order '-', '#', '0'; there is no '+' or ' ' flag.
const char* parseSpec(const char* p, Spec& s) {
  s.left = *p == '-';
  if (s.left) ++p;
  s.prefix = *p == '#';
  if (s.prefix) ++p;
  s.zero = *p == '0';
  if (s.zero) ++p;
  s.width = readNumber(p);
  if (*p == '.') {
    ++p;
    s.precision = readNumber(p);
  }
  if (*p == 'l' || *p == 'h') s.size = *p++;
  s.type = *p;
  return *p != '\0' ? p + 1 : p;
}

// Pads text (with its sign or 0x prefix kept in front of zero padding) to the width.
void emitField(Output& out, const Spec& s, const std::string& lead, const std::string& body) {
  const int pad = s.width - static_cast<int>(lead.size() + body.size());
  if (s.left) {
    out.put(lead);
    out.put(body);
    out.repeat(' ', pad);
  } else if (s.zero) {
    out.put(lead);
    out.repeat('0', pad);
    out.put(body);
  } else {
    out.repeat(' ', pad);
    out.put(lead);
    out.put(body);
  }
}

std::string digitsOf(std::uint32_t value, unsigned base, bool upper) {
  const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string s;
  do {
    s.insert(s.begin(), set[value % base]);
    value /= base;
  } while (value != 0);
  return s;
}

void emitNumber(Output& out, const Spec& s, std::int64_t value) {
  const bool hex = s.type == 'x' || s.type == 'X';
  const bool negative = (s.type == 'd' || s.type == 'i') && value < 0;
  const auto magnitude = static_cast<std::uint32_t>(negative ? -value : value);
  std::string body = digitsOf(magnitude, hex ? 16 : 10, s.type == 'X');
  if (s.precision > static_cast<int>(body.size()))
    body.insert(0, static_cast<std::size_t>(s.precision) - body.size(), '0');
  std::string lead = negative ? "-" : "";
  if (hex && s.prefix && magnitude != 0) lead = s.type == 'X' ? "0X" : "0x";
  emitField(out, s, lead, body);
}

std::string narrowed(const wchar_t* text, int precision) {
  std::string s;
  for (; *text != L'\0' && (precision < 0 || static_cast<int>(s.size()) < precision); ++text)
    s.push_back(*text >= 0 && *text < 0x100 ? static_cast<char>(*text) : '?');
  return s;
}

std::string limited(const char* text, int precision) {
  const std::size_t n = precision < 0 ? std::strlen(text) : strnlen(text, static_cast<std::size_t>(precision));
  return std::string(text, n);
}

}  // namespace
}  // namespace platform

using namespace platform;

// Formats into buffer, which must hold 1025 bytes. Returns the number of
// characters written, not counting the NUL. A conversion it does not know is
// written as its letter, taking no argument.
int wvsprintfA(LPSTR buffer, LPCSTR format, std::va_list args) {
  if (buffer == nullptr) return 0;
  Output out(buffer);
  if (format == nullptr) return out.finish();
  std::va_list ap;
  va_copy(ap, args);
  for (const char* p = format; *p != '\0';) {
    if (*p != '%') {
      out.put(*p++);
      continue;
    }
    Spec s;
    p = parseSpec(p + 1, s);
    const bool wide = s.size == 'l' || s.type == 'S' || s.type == 'C';
    switch (s.type) {
      case 'c':
      case 'C': {
        const int c = va_arg(ap, int);
        const char ch = wide && (c < 0 || c > 0xFF) ? '?' : static_cast<char>(c);
        emitField(out, s, "", std::string(1, ch));
        break;
      }
      case 's':
      case 'S': {
        std::string text;
        if (wide) {
          const wchar_t* w = va_arg(ap, const wchar_t*);
          text = w != nullptr ? narrowed(w, s.precision) : limited("(null)", s.precision);
        } else {
          const char* a = va_arg(ap, const char*);
          text = limited(a != nullptr ? a : "(null)", s.precision);
        }
        emitField(out, s, "", text);
        break;
      }
      case 'd':
      case 'i': {
        // long is 32 bits where this format comes from: only the low 32 bits count.
        std::int32_t v = s.size == 'l' ? static_cast<std::int32_t>(va_arg(ap, long)) : va_arg(ap, int);
        if (s.size == 'h') v = static_cast<std::int16_t>(v);
        emitNumber(out, s, v);
        break;
      }
      case 'u':
      case 'x':
      case 'X': {
        std::uint32_t v = s.size == 'l' ? static_cast<std::uint32_t>(va_arg(ap, unsigned long)) : va_arg(ap, unsigned);
        if (s.size == 'h') v = static_cast<std::uint16_t>(v);
        emitNumber(out, s, v);
        break;
      }
      case '\0': break;
      default: out.put(s.type); break;
    }
  }
  va_end(ap);
  return out.finish();
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  std::va_list args;
  va_start(args, format);
  const int n = wvsprintfA(buffer, format, args);
  va_end(args);
  return n;
}
