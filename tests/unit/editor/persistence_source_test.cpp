// The structure source text built from a live grid, byte for byte, and the
// compiler's get-character callback.
#include <cstring>
#include <string>

#include "editor/persistence/structure_source.h"
#include "persistence_fixture.h"
#include "qst/entry_points.h"
#include "qst/host_pool.h"
#include "quill/src/pool.h"

namespace {

using persistence_test::EditorFixture;

class StructureSource : public EditorFixture {
 protected:
  // The text built for name; the block goes back to the pool.
  std::string Build(const char* name) {
    char* text = BuildStructureSource(instance_, name);
    EXPECT_NE(text, nullptr);
    if (text == nullptr) return "<null>";
    std::string result(text);
    PoolFree(instance_->pool, text);
    return result;
  }
};

TEST_F(StructureSource, StandAloneTextSkipsEmptyRowsAndEndsWithoutLineEnd) {
  KeepRows(4);
  SetRow(1, "x", "integer");
  SetRow(3, "amount", "decimal");
  SetDecimals(3, 2);
  EXPECT_EQ(Build("s_point"),
            "global type s_point from structure\r\n"
            "\tinteger\t\tx\r\n"
            "\tdecimal {2}\tamount\r\n"
            "end type");
}

TEST_F(StructureSource, EmbeddedHeaderHasNoGlobalPrefix) {
  instance_->document.contextCode = kContextEmbedded;
  KeepRows(2);
  SetRow(1, "qty", "long");
  EXPECT_EQ(Build("s_line"), "type s_line from structure\r\n\tlong\t\tqty\r\nend type");
  instance_->document.contextCode = 4711;  // any code but stand-alone takes the local header
  EXPECT_EQ(Build("s_line").rfind("type s_line from structure\r\n", 0), 0u);
}

TEST_F(StructureSource, DecimalFormOnlyForDecimalTypeInAnyCase) {
  KeepRows(5);
  SetRow(1, "a", "DeCiMaL");  // read back normalised to lower case
  SetRow(2, "b", "Dec");      // the abbreviation expands to decimal, no positions set: {0}
  SetRow(3, "c", "double");
  SetDecimals(3, 5);  // decimals of other types never reach the text
  SetRow(4, "d", "decimal");
  SetDecimals(4, -3);
  EXPECT_EQ(Build("s"),
            "global type s from structure\r\n"
            "\tdecimal {0}\ta\r\n"
            "\tdecimal {0}\tb\r\n"
            "\tdouble\t\tc\r\n"
            "\tdecimal {-3}\td\r\n"
            "end type");
}

TEST_F(StructureSource, HalfFilledRowsLeaveNoTrace) {
  KeepRows(5);
  SetRow(1, "a", "integer");
  SetRow(2, "nameonly", "");
  SetRow(3, "", "string");
  SetRow(4, "b", "string");
  EXPECT_EQ(Build("s"), "global type s from structure\r\n\tinteger\t\ta\r\n\tstring\t\tb\r\nend type");
}

TEST_F(StructureSource, NoVariablesGivesHeaderAndFooterOnly) {
  EXPECT_EQ(Build("empty"), "global type empty from structure\r\nend type");
}

TEST_F(StructureSource, LongestLinesFitTheirBlock) {
  // Two rows of 41-character types and names need more than 120 bytes a row;
  // the block must hold them whole (the sanitizer catches any overrun).
  std::string type(41, 't');
  std::string name(41, 'n');
  std::string structure(40, 's');
  KeepRows(2);
  SetRow(1, name.c_str(), type.c_str());
  SetRow(2, (name.substr(0, 40) + "m").c_str(), type.c_str());
  std::string text = Build(structure.c_str());
  std::string expected = "global type " + structure + " from structure\r\n" + "\t" + type + "\t\t" + name + "\r\n" +
                         "\t" + type + "\t\t" + name.substr(0, 40) + "m" + "\r\n" + "end type";
  EXPECT_EQ(text, expected);
  EXPECT_GT(text.size() + 1, 2u * 120u);
}

TEST_F(StructureSource, BlockIsExactlyTheSizeOfTheText) {
  KeepRows(3);
  SetRow(1, "a", "integer");
  SetRow(2, "b", "decimal");
  SetDecimals(2, 4);
  std::size_t before = instance_->pool->liveBytes();
  char* text = BuildStructureSource(instance_, "s");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(instance_->pool->liveBytes() - before, std::strlen(text) + 1);
  PoolFree(instance_->pool, text);
}

// A pool with room for the text but not for more gives the same text as one
// without a limit.
TEST_F(StructureSource, PoolWithRoomForTheTextAloneGivesTheSameText) {
  KeepRows(3);
  SetRow(1, "a", "int");
  SetRow(2, "b", "decimal");
  SetDecimals(2, 4);
  const std::string expected = "global type s from structure\r\n\tinteger\t\ta\r\n\tdecimal {4}\tb\r\nend type";
  for (const bool limited : {true, false}) {
    SCOPED_TRACE(limited ? "limited" : "unlimited");
    instance_->pool->setLimit(limited ? instance_->pool->liveBytes() + expected.size() + 1 : 0);
    EXPECT_EQ(Build("s"), expected);
  }
  instance_->pool->setLimit(0);
}

TEST_F(StructureSource, ExhaustedPoolGivesNoText) {
  SetRow(1, "a", "integer");
  instance_->pool->setLimit(instance_->pool->liveBytes() + 8);
  EXPECT_EQ(BuildStructureSource(instance_, "s"), nullptr);
  instance_->pool->setLimit(0);
}

TEST_F(StructureSource, TextsLongerThanAFieldAreCutToIt) {
  std::string longName(60, 'q');
  KeepRows(2);
  SetRow(1, longName.c_str(), "integer");
  EXPECT_EQ(Build("s"), "global type s from structure\r\n\tinteger\t\t" + longName.substr(0, 41) + "\r\nend type");
}

TEST(SourceGetChar, ServesTheTextThenItsNulAndNeverReadsPast) {
  const char text[] = "ab";
  SetSourceReadPointer(text);
  EXPECT_EQ(QST_UpdateStructureGetChar(), 'a');
  EXPECT_EQ(QST_UpdateStructureGetChar(), 'b');
  EXPECT_EQ(QST_UpdateStructureGetChar(), '\0');
  EXPECT_EQ(QST_UpdateStructureGetChar(), '\0');
  SetSourceReadPointer(nullptr);
  EXPECT_EQ(QST_UpdateStructureGetChar(), '\0');
}

TEST(VariableLine, FormatsTheTwoLineForms) {
  char line[kVariableLineMax + 1];
  VariableRecord decimal{-2147483647 - 1, "decimal", "amount"};
  EXPECT_EQ(FormatVariableLine(decimal, "decimal", line), 31);
  EXPECT_STREQ(line, "\tdecimal {-2147483648}\tamount\r\n");
  VariableRecord plain{7, "string", "s"};
  FormatVariableLine(plain, "decimal", line);
  EXPECT_STREQ(line, "\tstring\t\ts\r\n");
}

}  // namespace
