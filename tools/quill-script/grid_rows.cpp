// Grid rows as scenarios write them after `expect grid`.
#include "grid_rows.h"

#include <cstdio>
#include <cstdlib>

#include "qst/grid_engine.h"

namespace script {
namespace {

// A cell text as one word: bare when it reads back as itself, quoted otherwise.
std::string CellWord(const std::string& text) {
  if (text.empty()) return ".";
  bool plain = text != "." && text != "end" && text[0] != '#';
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u <= ' ' || u >= 0x7F || c == '"' || c == '\\') plain = false;
  }
  return plain ? text : Quote(text);
}

std::string NumberWord(const std::optional<double>& number) {
  if (!number) return ".";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%g", *number);
  return buffer;
}

struct RowWords {
  std::string name, type, dec, flags;
  std::optional<std::string> hidden;  // column 4 other than the marker
  std::optional<double> number;
};

RowWords ReadRow(const quill::GridSheet& grid, std::uint32_t row) {
  RowWords words;
  words.name = grid.cellText(row, ColName);
  words.type = grid.cellText(row, ColType);
  words.number = grid.cellNumber(row, ColDecimals);
  std::string column4 = grid.cellText(row, ColMarker);
  bool marked = column4 == kEntryRowMarker;
  if (!marked && !column4.empty()) words.hidden = column4;
  words.flags = std::string(marked ? "E" : "") + (grid.isSelected(row) ? "S" : "");
  if (words.flags.empty()) words.flags = ".";
  return words;
}

bool CellMatches(const std::string& text, const Word& expected) {
  if (!expected.quoted && expected.text == ".") return text.empty();
  return expected.text == text;
}

bool NumberMatches(const std::optional<double>& number, const Word& expected) {
  if (!expected.quoted && expected.text == ".") return !number;
  if (!number || expected.text.empty()) return false;
  char* end = nullptr;
  double value = std::strtod(expected.text.c_str(), &end);
  return end && *end == '\0' && value == *number;
}

}  // namespace

std::string FormatGridRow(const quill::GridSheet& grid, std::uint32_t row) {
  RowWords words = ReadRow(grid, row);
  std::string line =
      CellWord(words.name) + " " + CellWord(words.type) + " " + NumberWord(words.number) + " " + words.flags;
  if (words.hidden) line += " " + Quote(*words.hidden);
  return line;
}

bool GridRowMatches(const quill::GridSheet& grid, std::uint32_t row, const std::vector<Word>& expected) {
  RowWords words = ReadRow(grid, row);
  std::size_t count = words.hidden ? 5 : 4;
  if (expected.size() != count) return false;
  if (!CellMatches(words.name, expected[0]) || !CellMatches(words.type, expected[1])) return false;
  if (!NumberMatches(words.number, expected[2])) return false;
  // ES names both marks; SE says the same.
  const std::string& flags = expected[3].text == "SE" ? std::string("ES") : expected[3].text;
  if (expected[3].quoted || flags != words.flags) return false;
  return !words.hidden || expected[4].text == *words.hidden;
}

}  // namespace script
