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

RowCheckRequest Rows(std::vector<CheckedRow> rows) {
  RowCheckRequest request;
  request.rows = std::move(rows);
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
       "3 b: Unknown type \"nosuch\".\n"},
      {"bad name", {{"1st", "string", {}}}, "1 1st: Invalid variable name.\n"},
      {"duplicate, ignoring case",
       {{"qty", "integer", {}}, {"", "", {}}, {"QTY", "integer", {}}},
       "3 QTY: Duplicate variable name: same as \"qty\" apart from letter case.\n"},
      {"decimals out of range", {{"p", "decimal", 19.0}}, "1 p: Decimal positions must be between 0 and 18.\n"},
      {"decimals far out of range", {{"p", "decimal", 1e300}}, "1 p: Decimal positions must be between 0 and 18.\n"},
      {"no decimals given counts as none", {{"p", "decimal", {}}}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Describe(CheckRows(Rows(c.rows))), c.expected) << c.what;
}

TEST(RowCheck, SettingAndNameOfTheStructure) {
  RowCheckRequest request = Rows({{"inner", "s_point", {}}});
  request.structure = "s_point";
  request.knownStructures = {"s_point"};
  // A structure never holds itself, whatever the library knows.
  EXPECT_EQ(Describe(CheckRows(request)), "1 inner: A structure cannot contain itself.\n");
  request.global = false;
  request.rows = {{"x", "integer", {}}};
  EXPECT_EQ(Describe(CheckRows(request)), "");
}

}  // namespace
}  // namespace quill

namespace grid_test {
namespace {

std::string Names(const quill::RowCheckRequest& request) {
  std::string names;
  for (const quill::CheckedRow& row : request.rows)
    names +=
        row.name + ":" + row.type + (row.decimals ? "/" + std::to_string(static_cast<int>(*row.decimals)) : "") + " ";
  return names;
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
  const char* expected = "v1:integer v2:integer v3:integer v4:decimal/2 v5:integer v6:integer : ";
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

}  // namespace
}  // namespace grid_test
