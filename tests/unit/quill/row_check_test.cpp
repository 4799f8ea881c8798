// Checking rows as they stand: each error is tied to the grid row it came from.
#include <gtest/gtest.h>

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
