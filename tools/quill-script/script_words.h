// The words of one scenario line: blanks separate words, double quotes hold
// blanks and escapes, numbers are decimal or 0x hex.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

struct Word {
  std::string text;     // with quotes removed and escapes decoded
  bool quoted = false;  // the whole word was one quoted text
};

// Splits a line into words. A quote may start inside a word (comment="a b"),
// so key=value options can carry blanks. Escapes inside quotes: \t \r \n \\ \" \xHH.
// Returns false with a reason in *error for an unterminated quote or a bad escape.
bool SplitWords(std::string_view line, std::vector<Word>* words, std::string* error);

// A decimal or 0x hex number with an optional minus sign, fitting in 64 bits.
std::optional<std::int64_t> ParseNumber(std::string_view text);

// Text as a scenario would write it: quoted, with the escapes SplitWords reads.
std::string Quote(std::string_view text);

// The text in lower case, for keywords a scenario may capitalise (Yes, Shift, Save).
std::string Lower(std::string_view text);

// "key=value" → value when the word starts with key=, else nullopt.
std::optional<std::string> OptionValue(const Word& word, std::string_view key);

}  // namespace script
