// Normalising a variable row's type and decimals.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "editor/resources/module_resources.h"
#include "editor/rows/save_rules.h"
#include "editor/rows/variable_row.h"
#include "rows_editor_fixture.h"

namespace rows_test {
namespace {

using VariableRowTest = RowsEditorTest;

TEST_F(VariableRowTest, NormalisesAbbreviationsAndWritesTheTypeBack) {
  SetRow(1, "qty", "INT");
  SetRow(2, "amount", "Dec");
  SetDecimals(2, 2.0);
  SetRow(3, "code", "Char");
  SetRow(4, "total", "Long");
  SetRow(5, "pad", " int");
  SetRow(6, "x", "integ");
  SetRow(7, "y", "decimals");
  VariableRecord v;
  EXPECT_EQ(ReadVariableRow(ed_, &v, 1), 1);
  EXPECT_STREQ(v.type, "integer");
  EXPECT_EQ(v.decimals, 0);
  EXPECT_EQ(Type(1), "integer");
  EXPECT_EQ(ReadVariableRow(ed_, &v, 2), 1);
  EXPECT_STREQ(v.type, "decimal");
  EXPECT_EQ(v.decimals, 2);
  ReadVariableRow(ed_, &v, 3);
  EXPECT_EQ(Type(3), "character");
  ReadVariableRow(ed_, &v, 4);
  EXPECT_EQ(Type(4), "long");
  // Only whole texts are abbreviations.
  ReadVariableRow(ed_, &v, 5);
  EXPECT_EQ(Type(5), " int");
  ReadVariableRow(ed_, &v, 6);
  EXPECT_EQ(Type(6), "integ");
  ReadVariableRow(ed_, &v, 7);
  EXPECT_EQ(Type(7), "decimals");
}

TEST_F(VariableRowTest, DecimalsOnlyForTheDecimalType) {
  SetRow(1, "a", "decimal");
  SetRow(2, "b", "double");
  SetDecimals(2, 5);
  SetRow(3, "c", "DECIMAL");
  SetDecimals(3, 2.9);
  VariableRecord v;
  ReadVariableRow(ed_, &v, 1);
  EXPECT_EQ(v.decimals, 0);
  ReadVariableRow(ed_, &v, 2);
  EXPECT_EQ(v.decimals, 0);
  EXPECT_EQ(sheet_->cellNumber(2, 3).value_or(-1), 5);
  ReadVariableRow(ed_, &v, 3);
  EXPECT_EQ(v.decimals, 2);
}

TEST_F(VariableRowTest, RowsWithoutNameOrTypeHoldNoVariable) {
  SetRow(1, "name_only", "");
  SetRow(2, "", "INT");
  VariableRecord v;
  EXPECT_EQ(ReadVariableRow(ed_, &v, 1), 0);
  EXPECT_STREQ(v.name, "name_only");
  EXPECT_EQ(Type(1), "");
  EXPECT_EQ(ReadVariableRow(ed_, &v, 2), 0);
  EXPECT_STREQ(v.type, "integer");
  EXPECT_EQ(ReadVariableRow(ed_, &v, 99), 0);
}

TEST_F(VariableRowTest, LongTextIsCutTo41Characters) {
  const std::string longName(60, 'n');
  const std::string longType(50, 'T');
  SetRow(1, longName.c_str(), longType.c_str());
  VariableRecord v;
  EXPECT_EQ(ReadVariableRow(ed_, &v, 1), 1);
  EXPECT_EQ(std::string(v.name), std::string(41, 'n'));
  EXPECT_EQ(std::string(v.type), std::string(41, 't'));
  EXPECT_EQ(Type(1), std::string(41, 't'));
  EXPECT_EQ(sheet_->cellText(1, 1), longName);  // the name cell is only read
}

// Around the longest type a record holds: a cell just one character longer,
// even in normal form already, is cut and written back.
TEST_F(VariableRowTest, TypeCellsAroundTheLongestAreCutOnlyWhenLonger) {
  struct Case {
    std::size_t length;
    char letter;
  };
  const Case cases[] = {{40, 't'}, {41, 't'}, {41, 'T'}, {42, 't'}, {42, 'T'}, {43, 't'}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.length) + c.letter);
    SetRow(1, "v", std::string(c.length, c.letter).c_str());
    VariableRecord v;
    EXPECT_EQ(ReadVariableRow(ed_, &v, 1), 1);
    const std::string expected(std::min<std::size_t>(c.length, 41), 't');
    EXPECT_EQ(std::string(v.type), expected);
    EXPECT_EQ(Type(1), expected);
  }
}

TEST_F(VariableRowTest, DecimalsCellValuesNoCountCanHoldAreBounded) {
  struct Case {
    double cell;
    std::int32_t expected;
  };
  const Case cases[] = {
      {-0.5, 0},
      {-3.7, -3},
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {1e300, std::numeric_limits<std::int32_t>::max()},
      {-1e300, std::numeric_limits<std::int32_t>::min()},
      {std::numeric_limits<double>::infinity(), std::numeric_limits<std::int32_t>::max()},
      {4294967296.0 + 3, std::numeric_limits<std::int32_t>::max()},
  };
  SetRow(1, "d", "decimal");
  for (const Case& c : cases) {
    SetDecimals(1, c.cell);
    VariableRecord v;
    ReadVariableRow(ed_, &v, 1);
    EXPECT_EQ(v.decimals, c.expected) << c.cell;
  }
}

TEST_F(VariableRowTest, FindEarlierDuplicateComparesExactNamesOfVariables) {
  SetRow(1, "a", "integer");
  SetRow(2, "b", "integer");
  SetRow(3, "a", "integer");
  SetRow(4, "Total", "integer");
  SetRow(5, "total", "integer");
  SetRow(6, "b", "");
  EXPECT_EQ(FindEarlierDuplicate(ed_, 3), 1u);
  EXPECT_EQ(FindEarlierDuplicate(ed_, 2), 0u);
  EXPECT_EQ(FindEarlierDuplicate(ed_, 1), 0u);
  EXPECT_EQ(FindEarlierDuplicate(ed_, 5), 0u);
  EXPECT_EQ(FindEarlierDuplicate(ed_, 6), 0u);
}

TEST_F(VariableRowTest, SaveRulesCountRowsThenReportTheFirstDuplicate) {
  SaveRuleFailure failure{};
  GridRemoveAllRows(grid_);
  SetRow(1, "only", "integer");
  EXPECT_EQ(CheckSaveRules(ed_, &failure), 0);
  EXPECT_EQ(failure.stringId, static_cast<UINT>(IdsNeedOneVariable));
  EXPECT_EQ(failure.row, 0u);

  // Rows without a single variable are no structure, however many there are.
  GridRemoveAllRows(grid_);
  for (int i = 0; i < 10; ++i) GridInsertRow(grid_, 0);
  EXPECT_EQ(CheckSaveRules(ed_, &failure), 0);
  EXPECT_EQ(failure.stringId, static_cast<UINT>(IdsNeedOneVariable));
  EXPECT_EQ(failure.row, 0u);

  GridRemoveAllRows(grid_);
  SetRow(1, "a", "INT");
  SetRow(2, "b", "Dec");
  SetRow(3, "b", "");  // no type: not a variable, no duplicate
  SetRow(4, "c", "CHAR");
  SetRow(5, "a", "x");
  SetRow(6, "c", "x");
  SetRow(7, "z", "CHAR");
  EXPECT_EQ(CheckSaveRules(ed_, &failure), 0);
  EXPECT_EQ(failure.stringId, static_cast<UINT>(IdsDuplicateName));
  EXPECT_EQ(failure.row, 5u);
  EXPECT_EQ(failure.column, 1u);
  EXPECT_STREQ(failure.argument, "");
  // Every row up to the failing one was read and normalised, none after it.
  EXPECT_EQ(Type(1), "integer");
  EXPECT_EQ(Type(2), "decimal");
  EXPECT_EQ(Type(4), "character");
  EXPECT_EQ(Type(7), "CHAR");
}

TEST_F(VariableRowTest, IsDecimalTypeIgnoresCase) {
  EXPECT_TRUE(IsDecimalType("decimal"));
  EXPECT_TRUE(IsDecimalType("DeCiMaL"));
  EXPECT_FALSE(IsDecimalType("dec"));
  EXPECT_FALSE(IsDecimalType(""));
}

}  // namespace
}  // namespace rows_test
