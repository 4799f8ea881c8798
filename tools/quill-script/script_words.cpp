// Splitting scenario lines into words.
#include "script_words.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace script {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes the escape starting at line[i] (the character after the backslash);
// advances i past it. False for an escape the language does not know.
bool DecodeEscape(std::string_view line, std::size_t* i, std::string* out) {
  char c = line[*i];
  switch (c) {
    case 't': *out += '\t'; break;
    case 'r': *out += '\r'; break;
    case 'n': *out += '\n'; break;
    case '\\': *out += '\\'; break;
    case '"': *out += '"'; break;
    case 'x': {
      int hi = *i + 1 < line.size() ? HexDigit(line[*i + 1]) : -1;
      int lo = *i + 2 < line.size() ? HexDigit(line[*i + 2]) : -1;
      if (hi < 0 || lo < 0) return false;
      *out += static_cast<char>(hi * 16 + lo);
      *i += 2;
      break;
    }
    default: return false;
  }
  ++*i;
  return true;
}

}  // namespace

bool SplitWords(std::string_view line, std::vector<Word>* words, std::string* error) {
  words->clear();
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
      continue;
    }
    Word word;
    bool startsQuoted = line[i] == '"';
    bool onlyQuoted = startsQuoted;
    int quotedParts = 0;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
      if (line[i] != '"') {
        word.text += line[i++];
        if (quotedParts > 0 || !startsQuoted) onlyQuoted = false;
        continue;
      }
      ++i;  // opening quote
      ++quotedParts;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          ++i;
          closed = true;
          break;
        }
        if (line[i] == '\\') {
          ++i;
          if (i >= line.size() || !DecodeEscape(line, &i, &word.text)) {
            *error = "a known escape (\\t \\r \\n \\\\ \\\" \\xHH) after the backslash";
            return false;
          }
          continue;
        }
        word.text += line[i++];
      }
      if (!closed) {
        *error = "a closing quote";
        return false;
      }
    }
    word.quoted = onlyQuoted && quotedParts == 1;
    words->push_back(std::move(word));
  }
  return true;
}

std::optional<std::int64_t> ParseNumber(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
  std::int64_t signedValue = static_cast<std::int64_t>(value);
  return negative ? -signedValue : signedValue;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
          char hex[8];
          std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
          out += hex;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::optional<std::string> OptionValue(const Word& word, std::string_view key) {
  if (word.quoted) return std::nullopt;
  if (word.text.size() <= key.size() || word.text.compare(0, key.size(), key) != 0 || word.text[key.size()] != '=')
    return std::nullopt;
  return word.text.substr(key.size() + 1);
}

}  // namespace script
