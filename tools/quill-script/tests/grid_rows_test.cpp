// How `expect grid` reads and compares rows, on a small grid of our own.
#include <gtest/gtest.h>

#include <map>

#include "grid_rows.h"
#include "qst/grid_engine.h"

namespace script {
namespace {

struct FakeRow {
  std::string name, type, hidden;
  std::optional<double> number;
  bool selected = false;
};

// Only the reading side is used by the checks.
class FakeSheet : public quill::GridSheet {
 public:
  std::vector<FakeRow> rows;
  HWND window() const override { return nullptr; }
  std::uint32_t rowCount() const override { return static_cast<std::uint32_t>(rows.size()); }
  std::string cellText(std::uint32_t row, int column) const override {
    const FakeRow& r = rows.at(row - 1);
    return column == ColName ? r.name : column == ColType ? r.type : column == ColMarker ? r.hidden : "";
  }
  std::optional<double> cellNumber(std::uint32_t row, int) const override { return rows.at(row - 1).number; }
  bool isSelected(std::uint32_t row) const override { return rows.at(row - 1).selected; }
  std::uint32_t currentRow() const override { return 0; }
  int currentColumn() const override { return 0; }
  HWND editControl() const override { return nullptr; }
  bool redrawEnabled() const override { return true; }
  std::string property(const std::string&) const override { return ""; }
  std::vector<std::string> takeAssignments() override { return {}; }
  void userSetCurrentCell(std::uint32_t, int) override {}
  bool userTypeChar(char) override { return false; }
  bool userSelectText(int, int) override { return false; }
  void userMousePress(const std::string&, std::uint32_t) override {}
  void userMouseMove(const std::string&, std::uint32_t) override {}
  void userMouseRelease(const std::string&, std::uint32_t) override {}
};

std::vector<Word> Words(std::string_view line) {
  std::vector<Word> words;
  std::string error;
  EXPECT_TRUE(SplitWords(line, &words, &error)) << error;
  return words;
}

TEST(GridRows, FormatsCellsFlagsAndHiddenText) {
  FakeSheet sheet;
  sheet.rows = {
      {"qty", "integer", "", std::nullopt, false},   {"price", "decimal", "", 2.0, true},
      {"", "", kEntryRowMarker, std::nullopt, true}, {"", "", "", std::nullopt, false},
      {"two words", ".", "junk", 0.5, false},        {"big", "decimal", "", 1e20, false},
  };
  EXPECT_EQ(FormatGridRow(sheet, 1), "qty integer . .");
  EXPECT_EQ(FormatGridRow(sheet, 2), "price decimal 2 S");
  EXPECT_EQ(FormatGridRow(sheet, 3), ". . . ES");
  EXPECT_EQ(FormatGridRow(sheet, 4), ". . . .");
  EXPECT_EQ(FormatGridRow(sheet, 5), "\"two words\" \".\" 0.5 . \"junk\"");
  EXPECT_EQ(FormatGridRow(sheet, 6), "big decimal 1e+20 .");
}

TEST(GridRows, WhatAFormattedRowSaysMatchesTheRow) {
  FakeSheet sheet;
  sheet.rows = {
      {"price", "decimal", "", 2.0, true},
      {"", "", kEntryRowMarker, std::nullopt, false},
      {"two words", ".", "junk", std::nullopt, false},
  };
  for (std::uint32_t row = 1; row <= sheet.rowCount(); ++row)
    EXPECT_TRUE(GridRowMatches(sheet, row, Words(FormatGridRow(sheet, row)))) << row;
}

TEST(GridRows, MismatchesAreSeen) {
  FakeSheet sheet;
  sheet.rows = {
      {"price", "decimal", "", 2.0, true},
      {"", "", kEntryRowMarker, std::nullopt, false},
      {".", "", "", std::nullopt, false},
  };
  EXPECT_TRUE(GridRowMatches(sheet, 1, Words("price decimal 2.0 S")));  // DEC compares as a number
  EXPECT_FALSE(GridRowMatches(sheet, 1, Words("price decimal 2 .")));
  EXPECT_FALSE(GridRowMatches(sheet, 1, Words("price decimal . S")));
  EXPECT_FALSE(GridRowMatches(sheet, 1, Words("price decimal 3 S")));
  EXPECT_FALSE(GridRowMatches(sheet, 1, Words("Price decimal 2 S")));
  EXPECT_FALSE(GridRowMatches(sheet, 1, Words("price decimal 2 S extra")));
  EXPECT_TRUE(GridRowMatches(sheet, 2, Words(". . . E")));
  EXPECT_FALSE(GridRowMatches(sheet, 2, Words(". . . .")));
  EXPECT_FALSE(GridRowMatches(sheet, 2, Words(". . 0 E")));
  // A bare dot is an empty cell; a cell holding a dot is written quoted.
  EXPECT_FALSE(GridRowMatches(sheet, 3, Words(". . . .")));
  EXPECT_TRUE(GridRowMatches(sheet, 3, Words("\".\" . . .")));
}

}  // namespace
}  // namespace script
