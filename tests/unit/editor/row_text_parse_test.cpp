// How one line of pasted text splits into type, name and decimal positions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/commands/row_text_parse.h"

namespace {

struct ParseCase {
  const char* text;
  const char* type;  // null: the line gives no fields
  const char* name;
  int decimals;
  int isDecimal;
  int nextOffset;  // where the next line starts; -1 for none
};

std::ostream& operator<<(std::ostream& out, const ParseCase& c) { return out << '"' << c.text << '"'; }

class ParseRowLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseRowLineTest, SplitsTheLine) {
  const ParseCase& c = GetParam();
  std::vector<char> text(c.text, c.text + std::strlen(c.text) + 1);
  RowLine line{};
  char* next = ParseRowLine(text.data(), &line);

  if (c.nextOffset < 0) {
    EXPECT_EQ(next, nullptr);
  } else {
    EXPECT_EQ(next, text.data() + c.nextOffset);
  }
  if (c.type == nullptr) {
    EXPECT_EQ(line.name, nullptr);
    return;
  }
  ASSERT_NE(line.type, nullptr);
  ASSERT_NE(line.name, nullptr);
  EXPECT_STREQ(line.type, c.type);
  EXPECT_STREQ(line.name, c.name);
  EXPECT_EQ(line.decimals, c.decimals);
  EXPECT_EQ(line.isDecimal, c.isDecimal);
}

// Every case is read both ways: split in place, and scanned with the text's end
// known, which reads words eight bytes at a time.
const ParseCase kParseCases[] = {
    // The two forms the copy writes.
    ParseCase{"\tinteger\t\tcount\r\n", "integer", "count", 0, 0, 17},
    ParseCase{"\tdecimal {2}\tamount\r\n", "decimal", "amount", 2, 1, 21},
    // Blanks for tabs, LF alone, no leading tab.
    ParseCase{"\tinteger count\n", "integer", "count", 0, 0, 15},
    ParseCase{"integer\t\tcount\n", "integer", "count", 0, 0, 15},
    // The decimal word and its forms.
    ParseCase{"\tdecimal {2\tamount\r\n", "decimal", "amount", 0, 1, 20},
    ParseCase{"\tdecimal amount\r\n", "decimal", "amount", 0, 1, 17},
    ParseCase{"\tdecimal {12}abc\tname\n", "decimal", "name", 12, 1, 22},
    ParseCase{"\tdecimal {}\tx\n", "decimal", "x", 0, 1, 14}, ParseCase{"\tdecimal {3}\n", "decimal", "", 3, 1, 13},
    ParseCase{"\tDecimal {2} amount\r\n", "Decimal", "{2}", 0, 0, 21},
    ParseCase{"\tDECIMAL\t\tx\n", "DECIMAL", "x", 0, 0, 12},
    // Short lines: the type alone, TAB and CR alone.
    ParseCase{"\tstring\r\n", "string", "", 0, 0, 9}, ParseCase{"\t\r\n", "", "", 0, 0, 3},
    // Every byte a name may hold stays in the word, in types as in names.
    ParseCase{"\tinteger\t\tbad-name\r\n", "integer", "bad-name", 0, 0, 20},
    ParseCase{"\tinteger\t\tcost$\r\n", "integer", "cost$", 0, 0, 17},
    ParseCase{"\tinteger\t\tno#1\r\n", "integer", "no#1", 0, 0, 16},
    ParseCase{"\ts-x$#%\t\tpct%[3]\r\n", "s-x$#%", "pct%[3]", 0, 0, 18},
    ParseCase{"\tdecimal {2}\t-$#%\n", "decimal", "-$#%", 2, 1, 18},
    // A byte from 0x80 up still ends a name.
    ParseCase{"\tinteger\t\tcaf\xE9s\r\n", "integer", "caf", 0, 0, 17},
    // The word characters run from '0' to '}' inclusive with # $ % -; the
    // other punctuation below '0', and '~', separate.
    ParseCase{"\t0}\t\t:;<=>?@[\\]^_`{|}\n", "0}", ":;<=>?@[\\]^_`{|}", 0, 0, 22},
    ParseCase{"a/b~c\n", "a", "b", 0, 0, 6}, ParseCase{"a!b\"c&d'e(f\n", "a", "b", 0, 0, 12},
    ParseCase{"a*b+c,d.e\n", "a", "b", 0, 0, 10},
    // A last line without its line feed, when it holds a word character.
    ParseCase{"\tinteger\t\tx", "integer", "x", 0, 0, 11},
    ParseCase{"\tdecimal {2}\tamount", "decimal", "amount", 2, 1, 19}, ParseCase{"?", "?", "", 0, 0, 1},
    // Lines that give no fields: skipped when a line follows, else the end.
    ParseCase{"\r\n\tinteger\t\tx\r\n", nullptr, nullptr, 0, 0, 2}, ParseCase{"\n", nullptr, nullptr, 0, 0, 1},
    ParseCase{"x\n\tinteger\t\ty\n", nullptr, nullptr, 0, 0, 2}, ParseCase{" \t\r", nullptr, nullptr, 0, 0, -1},
    ParseCase{"\r", nullptr, nullptr, 0, 0, -1}, ParseCase{"", nullptr, nullptr, 0, 0, -1},
    // Words longer than a block, with punctuation and line ends at every offset in one.
    ParseCase{"\tinteger\t\tlong-name$with%more#bytes\r\n", "integer", "long-name$with%more#bytes", 0, 0, 37},
    ParseCase{"\tabcdefghijklmnop\t\tqrstuvwxyz0123456789", "abcdefghijklmnop", "qrstuvwxyz0123456789", 0, 0, 39},
    ParseCase{"abcdefg-\nx", "abcdefg-", "", 0, 0, 9}, ParseCase{"abcdefgh\n", "abcdefgh", "", 0, 0, 9},
    ParseCase{"abcdefghi\xE9jklmnopq rest\n", "abcdefghi", "jklmnopq", 0, 0, 24},
    ParseCase{"\tdecimal {1234567}xyzxyzxyz\tnamenamename\n", "decimal", "namenamename", 1234567, 1, 41}};

INSTANTIATE_TEST_SUITE_P(RowText, ParseRowLineTest, ::testing::ValuesIn(kParseCases));

class ScanRowLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ScanRowLineTest, FindsTheSameWordsWithoutWriting) {
  const ParseCase& c = GetParam();
  const std::string text = c.text;
  DecimalWord decimalWord;
  LoadDecimalWord(&decimalWord);
  RowLineWords line{};
  const char* next = ScanRowLine(text.c_str(), text.c_str() + text.size(), &line, decimalWord);

  EXPECT_EQ(text, c.text);
  if (c.nextOffset < 0) {
    EXPECT_EQ(next, nullptr);
  } else {
    EXPECT_EQ(next, text.c_str() + c.nextOffset);
  }
  if (c.type == nullptr) {
    EXPECT_EQ(line.name, nullptr);
    return;
  }
  ASSERT_NE(line.name, nullptr);
  EXPECT_EQ(std::string(line.type, line.typeLength), c.type);
  EXPECT_EQ(std::string(line.name, line.nameLength), c.name);
  EXPECT_EQ(line.decimals, c.decimals);
  EXPECT_EQ(line.isDecimal, c.isDecimal);
}

INSTANTIATE_TEST_SUITE_P(RowText, ScanRowLineTest, ::testing::ValuesIn(kParseCases));

TEST(RowTextParse, EachLineIsParsedByItself) {
  char text[] = "\tstring\r\n\tinteger\t\tn\r\n";
  RowLine line{};
  char* next = ParseRowLine(text, &line);
  ASSERT_NE(next, nullptr);
  EXPECT_STREQ(line.type, "string");
  EXPECT_STREQ(line.name, "");
  next = ParseRowLine(next, &line);
  EXPECT_STREQ(line.type, "integer");
  EXPECT_STREQ(line.name, "n");
  EXPECT_EQ(ParseRowLine(next, &line), nullptr);
  EXPECT_EQ(line.name, nullptr);
}

TEST(RowTextParse, NullPositionIsEmptyText) {
  RowLine line{7, 1, nullptr, nullptr};
  EXPECT_EQ(ParseRowLine(nullptr, &line), nullptr);
  EXPECT_EQ(line.decimals, 0);
  EXPECT_EQ(line.isDecimal, 0);
  EXPECT_EQ(line.name, nullptr);
}

}  // namespace
