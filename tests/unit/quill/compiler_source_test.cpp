// The structure compiler, driven by a table of sources with the exact errors
// and members each must give.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "quill/compiler.h"

namespace quill {
namespace {

struct Expected {
  int line;
  std::string variable;
  std::string message;
};

struct Case {
  const char* title;
  std::string source;
  std::vector<Expected> errors;
  std::vector<Runtime::Member> members = {};  // checked only when the source compiles
  std::vector<std::string> known = {};
  CompileExpectation expectation = {};
  // What each known structure holds (lowercase names), looked up ignoring case.
  std::map<std::string, std::vector<std::string>> holds = {};
};

std::string Lowercase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

const std::string kGlobalHeader = "global type s_t from structure\r\n";
const std::string kEnd = "end type";

std::string Global(const std::string& lines) { return kGlobalHeader + lines + kEnd; }

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"editor's own output with plain and decimal lines",
       Global("\tinteger\t\tqty\r\n\tdecimal {2}\tamount\r\n"),
       {},
       {{"qty", "", "integer", 0}, {"amount", "", "decimal", 2}}},
      {"local header, LF line ends and any blanks between words",
       "type s_line from structure\n  string   name\n\tDecimal {0}  price\nEnd   Type\n",
       {},
       {{"name", "", "string", 0}, {"price", "", "Decimal", 0}}},
      {"a structure without variables", Global(""), {}, {}},
      {"array suffixes, bounded and unbounded",
       Global("\tlong\t\tcounts[10]\r\n\tstring\t\tnames[]\r\n"),
       {},
       {{"counts", "[10]", "long", 0}, {"names", "[]", "string", 0}}},
      {"any, blob and a structure of the same library, ignoring case",
       Global("\tany\t\tvalue\r\n\tBLOB\t\tdata\r\n\tS_Address\t\thome\r\n"),
       {},
       {{"value", "", "any", 0}, {"data", "", "BLOB", 0}, {"home", "", "S_Address", 0}},
       {"s_address"}},
      {"unknown types are named",
       Global("\tinteger\t\ta\r\n\tint\t\tb\r\n\ts_missing\t\tc\r\n"),
       {{3, "b", "Unknown type \"int\"."}, {4, "c", "Unknown type \"s_missing\"."}}},
      {"a structure cannot contain itself even when known",
       Global("\ts_T\t\tinner\r\n"),
       {{2, "inner", "A structure cannot contain itself."}},
       {},
       {"s_t"}},
      {"decimal positions 0 and 18 pass, 19, negative and text fail",
       Global("\tdecimal {0}\ta\r\n\tdecimal {18}\tb\r\n\tdecimal {19}\tc\r\n\tdecimal {-1}\td\r\n"
              "\tdecimal {x}\te\r\n\tdecimal {2\tf\r\n"),
       {{4, "c", "Decimal positions must be between 0 and 18."},
        {5, "d", "Decimal positions must be between 0 and 18."},
        {6, "e", "Decimal positions must be between 0 and 18."},
        {7, "f", "Decimal positions must be between 0 and 18."}}},
      {"decimal positions on another type",
       Global("\tinteger {2}\tn\r\n"),
       {{2, "n", "Only decimal variables have decimal positions."}}},
      {"variable names: first letter, characters, length, suffix form",
       Global("\tinteger\t\t1st\r\n\tinteger\t\t_a\r\n\tinteger\t\ta_b$c#d%e-f\r\n"
              "\tinteger\t\tabcdefghijabcdefghijabcdefghijabcdefghij\r\n"
              "\tinteger\t\tabcdefghijabcdefghijabcdefghijabcdefghijk\r\n"
              "\tinteger\t\tx[0]\r\n\tinteger\t\ty[ab]\r\n\tinteger\t\tz[3\r\n\tinteger\t\tw.v\r\n"),
       {{2, "1st", "Invalid variable name."},
        {3, "_a", "Invalid variable name."},
        {6, "abcdefghijabcdefghijabcdefghijabcdefghijk", "Invalid variable name."},
        {7, "x[0]", "Invalid variable name."},
        {8, "y[ab]", "Invalid variable name."},
        {9, "z[3", "Invalid variable name."},
        {10, "w.v", "Invalid variable name."}}},
      {"duplicates, exact and differing only in letter case, suffix ignored",
       Global("\tinteger\t\tAmount\r\n\tinteger\t\tamount\r\n\tinteger\t\tAmount[2]\r\n"),
       {{3, "amount", "Duplicate variable name: same as \"Amount\" apart from letter case."},
        {4, "Amount[2]", "Duplicate variable name."}}},
      {"member lines with a word missing or too many",
       Global("\tinteger\r\n\tinteger\t\ta\tb\r\n"),
       {{2, "", "Expected a type and a variable name."}, {3, "a", "Unexpected text after the variable name."}}},
      {"every error of a line is reported",
       Global("\tnumber {3}\t9x\r\n"),
       {{2, "9x", "Unknown type \"number\"."},
        {2, "9x", "Only decimal variables have decimal positions."},
        {2, "9x", "Invalid variable name."}}},
      {"missing header",
       "\tinteger\t\ta\r\nend type",
       {{1, "", "The first line must be \"global type NAME from structure\" or \"type NAME from structure\"."}}},
      {"misspelt header keeps checking the members",
       "global type s_t form structure\r\n\tinteger\t\t1a\r\nend type",
       {{1, "", "The first line must be \"global type NAME from structure\" or \"type NAME from structure\"."},
        {2, "1a", "Invalid variable name."}}},
      {"invalid structure name", "global type 1abc from structure\r\nend type", {{1, "", "Invalid structure name."}}},
      {"missing end type", "global type s_t from structure\r\n\tinteger\t\ta\r\n", {{2, "", "Missing \"end type\"."}}},
      {"text after end type",
       Global("") + "\r\n\tinteger\t\tlate\r\n",
       {{3, "", "Unexpected text after \"end type\"."}}},
      {"empty text",
       "",
       {{1, "", "The first line must be \"global type NAME from structure\" or \"type NAME from structure\"."},
        {1, "", "Missing \"end type\"."}}},
      {"text stops at its NUL", Global("") + std::string(1, '\0') + "\tjunk", {}, {}},
      {"local text where a global structure is expected",
       "type s_t from structure\r\nend type",
       {{1, "", "The first line must be \"global type NAME from structure\"."}},
       {},
       {},
       {true, "s_t"}},
      {"the header must name the structure being saved",
       Global(""),
       {{1, "", "The first line must name the structure s_other."}},
       {},
       {},
       {true, "s_other"}},
      {"the saved name may differ in letter case", Global(""), {}, {}, {}, {true, "S_T"}},
      {"a language type is no structure name",
       "global type string from structure\r\nend type",
       {{1, "", "Invalid structure name."}}},
      {"nor in another letter case, local or expected by name",
       "type Integer from structure\r\nend type",
       {{1, "", "Invalid structure name."}},
       {},
       {},
       {false, "Integer"}},
      {"a name with a blank is a bad name, not a bad first line",
       "global type s line from structure\r\n\tinteger\t\ta\r\nend type",
       {{1, "", "Invalid structure name."}},
       {},
       {},
       {true, "s line"}},
      {"a name with another character no identifier has",
       "type s.line from structure\r\nend type",
       {{1, "", "Invalid structure name."}}},
      {"no name at all is a bad first line",
       "global type from structure\r\nend type",
       {{1, "", "The first line must be \"global type NAME from structure\" or \"type NAME from structure\"."}}},
      {"a member whose structure holds this one closes a circle",
       Global("\tinteger\t\ta\r\n\ts_b\t\tinner\r\n"),
       {{3, "inner", "A structure cannot contain itself."}},
       {},
       {"s_b"},
       {},
       {{"s_b", {"integer", "s_t"}}}},
      {"through two others, letter case and array suffixes ignored",
       Global("\tS_B\t\tfirst[3]\r\n\ts_c\t\tsecond\r\n"),
       {{2, "first[3]", "A structure cannot contain itself."}, {3, "second", "A structure cannot contain itself."}},
       {},
       {"s_b", "S_C", "s_d"},
       {},
       {{"s_b", {"s_c"}}, {"s_c", {"string", "s_d"}}, {"s_d", {"S_T"}}}},
      {"nested structures without a way back, and a circle among others, compile",
       Global("\ts_b\t\tb\r\n\ts_x\t\tx\r\n"),
       {},
       {{"b", "", "s_b", 0}, {"x", "", "s_x", 0}},
       {"s_b", "s_c", "s_x", "s_y"},
       {},
       {{"s_b", {"s_c", "s_c"}}, {"s_c", {"long"}}, {"s_x", {"s_y"}}, {"s_y", {"s_x"}}}},
      {"an unknown type is not followed, even when the lookup knows it",
       Global("\ts_gone\t\tg\r\n"),
       {{2, "g", "Unknown type \"s_gone\"."}},
       {},
       {},
       {},
       {{"s_gone", {"s_t"}}}},
  };
  return cases;
}

TEST(CompileStructureSource, GivesExactlyTheExpectedErrorsAndMembers) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.title);
    CompiledStructure out;
    std::vector<CompileError> errors;
    CompileExpectation expectation = c.expectation;
    if (!c.holds.empty()) {
      expectation.memberTypesOf = [&c](const std::string& name) {
        auto it = c.holds.find(Lowercase(name));
        return it == c.holds.end() ? std::vector<std::string>{} : it->second;
      };
    }
    bool ok = CompileStructureSource(c.source, c.known, expectation, &out, &errors);
    EXPECT_EQ(ok, c.errors.empty());
    ASSERT_EQ(errors.size(), c.errors.size());
    for (std::size_t i = 0; i < errors.size(); ++i) {
      EXPECT_EQ(errors[i].line, c.errors[i].line) << i;
      EXPECT_EQ(errors[i].variable, c.errors[i].variable) << i;
      EXPECT_EQ(errors[i].message, c.errors[i].message) << i;
    }
    if (!ok) continue;
    ASSERT_EQ(out.members.size(), c.members.size());
    for (std::size_t i = 0; i < out.members.size(); ++i) {
      EXPECT_EQ(out.members[i].name, c.members[i].name);
      EXPECT_EQ(out.members[i].suffix, c.members[i].suffix);
      EXPECT_EQ(out.members[i].typeName, c.members[i].typeName);
      EXPECT_EQ(out.members[i].decimals, c.members[i].decimals);
    }
  }
}

TEST(MemberTypeNames, ReadsTheTypeOfEveryMemberLineWithoutJudgingIt) {
  EXPECT_EQ(MemberTypeNames(Global("\tinteger\t\ta\r\n\tdecimal {2}\tb\r\n\r\n\ts_x\t\t9bad\r\n")),
            (std::vector<std::string>{"integer", "decimal", "s_x"}));
  EXPECT_EQ(MemberTypeNames(Global("") + "\r\n\tlong\t\tlate\r\n"), std::vector<std::string>{});
  EXPECT_EQ(MemberTypeNames(""), std::vector<std::string>{});
}

TEST(CompileStructureSource, KnowsEveryTypeOfTheLanguage) {
  const char* types[] = {"boolean",
                         "character",
                         "checkbox",
                         "commandbutton",
                         "gridsheet",
                         "date",
                         "datetime",
                         "decimal",
                         "double",
                         "dropdownlistbox",
                         "gridsheetchild",
                         "editmask",
                         "graph",
                         "groupbox",
                         "hscrollbar",
                         "integer",
                         "line",
                         "listbox",
                         "long",
                         "menu",
                         "multilineedit",
                         "oval",
                         "picture",
                         "picturebutton",
                         "radiobutton",
                         "real",
                         "rectangle",
                         "roundrectangle",
                         "singlelineedit",
                         "statictext",
                         "string",
                         "time",
                         "transaction",
                         "unsignedinteger",
                         "unsignedlong",
                         "userobject",
                         "vscrollbar",
                         "window",
                         "any",
                         "blob"};
  std::string lines;
  int n = 0;
  for (const char* type : types) lines += std::string("\t") + type + "\t\tv" + std::to_string(n++) + "\r\n";
  CompiledStructure out;
  std::vector<CompileError> errors;
  EXPECT_TRUE(CompileStructureSource(Global(lines), {}, &out, &errors));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(out.members.size(), 40u);
  EXPECT_TRUE(out.global);
  EXPECT_EQ(out.name, "s_t");
}

}  // namespace
}  // namespace quill

namespace quill {
namespace {

// Duplicates among many members: each found however far from its first, named
// after the first as written, and reported in line order among the other errors.
TEST(CompileStructureSource, FindsDuplicatesAmongManyMembersInLineOrder) {
  std::string lines;
  for (int i = 0; i < 50'000; ++i) lines += "\tinteger\t\tv" + std::to_string(i) + "\r\n";
  lines += "\tinteger\t\tV0\r\n";            // line 50,002: case of the first member
  lines += "\tinteger\t\tv49999 extra\r\n";  // line 50,003: trailing text, then the duplicate
  lines += "\tnothing\t\tv7[3]\r\n";         // line 50,004: unknown type, then the duplicate
  lines += "\tinteger\t\tv0\r\n";            // line 50,005: exact copy of the first
  CompiledStructure out;
  std::vector<CompileError> errors = {{1, "", "an error of an earlier compile"}};
  EXPECT_FALSE(CompileStructureSource(Global(lines), {}, &out, &errors));
  const std::vector<Expected> expected = {
      {1, "", "an error of an earlier compile"},
      {50'002, "V0", "Duplicate variable name: same as \"v0\" apart from letter case."},
      {50'003, "v49999", "Unexpected text after the variable name."},
      {50'003, "v49999", "Duplicate variable name."},
      {50'004, "v7[3]", "Unknown type \"nothing\"."},
      {50'004, "v7[3]", "Duplicate variable name."},
      {50'005, "v0", "Duplicate variable name."},
  };
  ASSERT_EQ(errors.size(), expected.size());
  for (std::size_t i = 0; i < errors.size(); ++i) {
    EXPECT_EQ(errors[i].line, expected[i].line) << i;
    EXPECT_EQ(errors[i].variable, expected[i].variable) << i;
    EXPECT_EQ(errors[i].message, expected[i].message) << i;
  }
}

TEST(MemberTable, KeepsEachMemberAndEachTypeNameOnce) {
  MemberTable table;
  table.reserve(4, 16);
  table.add("a", "", "integer", 0);
  table.add("b", "[10]", "integer", 0);
  table.add("c", "", "decimal", 18);
  table.add("d", "[]", "", 0);
  table.add("e", "", "integer", 0);
  table.shrink();
  table.add("f", "", "decimal", 2);  // after shrinking, adding still works
  ASSERT_EQ(table.size(), 6u);
  const std::vector<MemberInfo> expected = {{"a", "", "integer", 0},  {"b", "[10]", "integer", 0},
                                            {"c", "", "decimal", 18}, {"d", "[]", "", 0},
                                            {"e", "", "integer", 0},  {"f", "", "decimal", 2}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(table[i].name, expected[i].name) << i;
    EXPECT_EQ(table[i].suffix, expected[i].suffix) << i;
    EXPECT_EQ(table[i].typeName, expected[i].typeName) << i;
    EXPECT_EQ(table[i].decimals, expected[i].decimals) << i;
  }
  EXPECT_EQ(table.typeNumber(0), table.typeNumber(4));
  EXPECT_EQ(table.type(table.typeNumber(3)), "");
  EXPECT_GE(table.typeCount(), 3u);
  table.clear();
  EXPECT_TRUE(table.empty());
}

}  // namespace
}  // namespace quill
