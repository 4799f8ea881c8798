// Checking rows as they stand: each error is tied to the grid row it came from.
#include <gtest/gtest.h>

#include "grid_test_support.h"
#include "quill/row_check.h"

namespace quill {
namespace {

std::string Describe(const std::vector<RowError>& errors) {
  std::string text;
  for (const RowError& e : errors) text += std::to_string(e.row) + " " + e.variable + ": " + e.message + "\n";
  return text;
}

// The rows from grid row 1; entryRow is known before they are added, as when read.
RowCheckRequest Rows(const std::vector<CheckedRow>& rows, std::uint32_t entryRow = 0) {
  RowCheckRequest request;
  request.entryRow = entryRow;
  for (std::size_t i = 0; i < rows.size(); ++i) AddCheckedRow(static_cast<std::uint32_t>(i + 1), rows[i], &request);
  request.knownStructures = {"s_address"};
  return request;
}

TEST(RowCheck, ErrorsNameTheirGridRows) {
  const struct {
    const char* what;
    std::vector<CheckedRow> rows;
    const char* expected;
  } cases[] = {
      {"clean rows, short forms and a known structure",
       {{"qty", "INT", {}}, {"price", "dec", 2.0}, {"home", "S_Address", {}}, {"", "", {}}},
       ""},
      {"unknown type after rows that hold no variable",
       {{"", "", {}}, {"a", "", {}}, {"b", "nosuch", {}}},
       "2 : Variable a has no type.\n3 b: Unknown type \"nosuch\".\n"},
      {"bad name", {{"1st", "string", {}}}, "1 1st: Invalid variable name.\n"},
      {"duplicate, ignoring case",
       {{"qty", "integer", {}}, {"", "", {}}, {"QTY", "integer", {}}},
       "3 QTY: Duplicate variable name: same as \"qty\" apart from letter case.\n"},
      {"decimals out of range", {{"p", "decimal", 19.0}}, "1 p: Decimal positions must be between 0 and 18.\n"},
      {"decimals far out of range", {{"p", "decimal", 1e300}}, "1 p: Decimal positions must be between 0 and 18.\n"},
      {"no decimals given counts as none", {{"p", "decimal", {}}}, ""},
      {"rows the save refuses before it compiles, in the save's words",
       {{"qty", "", {}}, {"", "Integer", {}}, {"", "", {}}, {"", "", 2.0}},
       "1 : Variable qty has no type.\n2 : The variable of type Integer has no name.\n"},
      {"decimals the save would leave out, among the compiler's errors in row order",
       {{"a", "nosuch", {}}, {"b", "int", 2.0}, {"c", "string", 0.0}, {"d", "DEC", 2.0}, {"e", "x", {}}},
       "1 a: Unknown type \"nosuch\".\n2 b: 2 is left out: only a decimal has decimal positions.\n"
       "5 e: Unknown type \"x\".\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Describe(CheckRows(Rows(c.rows))), c.expected) << c.what;
}

// The entry row may hold a name or a type while the user types into it: the save does not refuse it.
TEST(RowCheck, EntryRowIsNoHalfFilledRow) {
  RowCheckRequest request = Rows({{"qty", "integer", {}}, {"", "long", {}}, {"note", "", {}}}, 3);
  EXPECT_EQ(Describe(CheckRows(request)), "2 : The variable of type long has no name.\n");
}

// Header errors lead, the footer's close the list, whatever the rows hold.
TEST(RowCheck, StructureErrorsKeepTheirPlaceAroundRowErrors) {
  RowCheckRequest request = Rows({{"a", "", {}}, {"b", "integer", {}}});
  request.structure = "1bad";
  EXPECT_EQ(Describe(CheckRows(request)), "0 : Invalid structure name.\n1 : Variable a has no type.\n");
}

TEST(RowCheck, SettingAndNameOfTheStructure) {
  RowCheckRequest request = Rows({{"inner", "s_point", {}}});
  request.structure = "s_point";
  request.knownStructures = {"s_point"};
  // A structure never holds itself, whatever the library knows.
  EXPECT_EQ(Describe(CheckRows(request)), "1 inner: A structure cannot contain itself.\n");
  request = Rows({{"x", "integer", {}}});
  request.structure = "s_point";
  request.global = false;
  EXPECT_EQ(Describe(CheckRows(request)), "");
}

}  // namespace
}  // namespace quill

namespace grid_test {
namespace {

// The member lines read, each with its grid row.
std::string Names(const quill::RowCheckRequest& request) {
  std::string names;
  std::size_t line = 0;
  for (std::size_t at = 0; at < request.lines.size(); ++line) {
    const std::size_t end = request.lines.find('\n', at);
    names += std::to_string(request.rowOfLine.at(line)) + request.lines.substr(at, end - at - 1) + " ";
    at = end + 1;
  }
  return names + "of " + std::to_string(request.rowsAdded);
}

// A long grid is read a part at a time; whatever the parts, every row comes once, in order.
TEST_F(GridTest, RowsReadInPartsAreTheRowsReadAtOnce) {
  addRows(7);
  for (std::uint32_t row = 1; row <= 6; ++row) {
    const std::string name = "v" + std::to_string(row);
    setText(row, ColName, name.c_str());
    setText(row, ColType, row == 4 ? "decimal" : "integer");
  }
  const double places = 2;
  GridSetItemNumber(grid, 4, ColDecimals, &places);
  const char* expected =
      "1\tinteger\t\tv1 2\tinteger\t\tv2 3\tinteger\t\tv3 4\tdecimal {2}\tv4 5\tinteger\t\tv5 "
      "6\tinteger\t\tv6 of 7";
  const struct {
    const char* what;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> parts;
  } cases[] = {
      {"at once", {{1, 7}}},
      {"a row at a time", {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}}},
      {"uneven parts, the last past the end", {{1, 3}, {4, 5}, {6, 1000}}},
      {"row 0 is no row", {{0, 2}, {3, 7}}},
      {"a part past the end adds nothing", {{1, 7}, {8, 20}}},
  };
  for (const auto& c : cases) {
    quill::RowCheckRequest request;
    for (const auto& [first, last] : c.parts) quill::ReadCheckedRows(*sheet, first, last, &request);
    EXPECT_EQ(Names(request), expected) << c.what;
  }
}

// The read tells the entry row by its marker, so the check spares it as the save does.
TEST_F(GridTest, ReadNotesAnEntryRowThatHoldsANameOrType) {
  addRows(3);
  setText(1, ColName, "qty");
  setText(2, ColType, "long");
  setText(2, ColMarker, kEntryRowMarker);
  quill::RowCheckRequest request;
  quill::ReadCheckedRows(*sheet, 1, 3, &request);
  EXPECT_EQ(request.entryRow, 2u);
  EXPECT_EQ(quill::Describe(quill::CheckRows(request)), "1 : Variable qty has no type.\n");
}

}  // namespace
}  // namespace grid_test
