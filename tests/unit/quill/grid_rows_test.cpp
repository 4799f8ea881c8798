// Rows, cells, selection and properties of the grid control.
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "grid_test_support.h"

namespace grid_test {
namespace {

TEST(GridCreation, NeedsAKnownLayoutAndItsOwnClass) {
  PlatformReset();
  EXPECT_EQ(GridLoadLayout(nullptr, 0, "other_body", nullptr), nullptr);
  EXPECT_EQ(GridLoadLayout(nullptr, 0, nullptr, nullptr), nullptr);
  GridLayout* layout = GridLoadLayout(nullptr, 0, "structure_body", nullptr);
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(GridCreateControl(kGridControlClass, nullptr, WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GridCreateControl("SomethingElse", nullptr, WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, layout),
            nullptr);
  PlatformReset();
}

TEST_F(GridTest, NewGridIsEmptyWithoutCurrentCell) {
  EXPECT_EQ(GridRowCount(grid), 0u);
  EXPECT_EQ(GridCurrentRow(grid), 0u);
  std::uint32_t row = 99;
  std::uint16_t column = 99;
  GridGetCurrentCell(grid, &row, &column);
  EXPECT_EQ(row, 0u);
  EXPECT_EQ(column, 0u);
  // The edit control exists as the grid's child but is not offered without a current cell.
  ASSERT_NE(sheet->editControl(), nullptr);
  EXPECT_EQ(GetParent(sheet->editControl()), grid);
  EXPECT_EQ(GridEditControl(grid), nullptr);
  EXPECT_FALSE(sheet->userTypeChar('a'));
  EXPECT_FALSE(sheet->userSelectText(0, 1));
  EXPECT_EQ(quill::GridSheet::fromWindow(parent), nullptr);
  EXPECT_EQ(quill::GridSheet::fromWindow(nullptr), nullptr);
  EXPECT_EQ(sheet->window(), grid);
}

TEST_F(GridTest, InsertRowPositionsAndSentinels) {
  EXPECT_EQ(GridInsertRow(grid, 2), 0u);  // past count + 1 in an empty grid
  EXPECT_EQ(GridInsertRow(grid, 0), 1u);
  setText(1, 1, "b");
  EXPECT_EQ(GridInsertRow(grid, 2), 2u);  // count + 1 appends
  setText(2, 1, "d");
  EXPECT_EQ(GridInsertRow(grid, 1), 1u);
  setText(1, 1, "a");
  EXPECT_EQ(GridInsertRow(grid, 3), 3u);
  setText(3, 1, "c");
  EXPECT_EQ(GridInsertRow(grid, 6), 0u);
  ASSERT_EQ(GridRowCount(grid), 4u);
  EXPECT_EQ(text(1, 1) + text(2, 1) + text(3, 1) + text(4, 1), "abcd");
  EXPECT_EQ(text(3, 2), "");  // a new row is empty in every column
  EXPECT_EQ(GridItemTextLength(grid, 3, 4), 0);
}

TEST_F(GridTest, DeleteAndRemoveAllRows) {
  addRows(3);
  setText(1, 1, "a");
  setText(2, 1, "b");
  setText(3, 1, "c");
  GridDeleteRow(grid, 0);
  GridDeleteRow(grid, 4);
  EXPECT_EQ(GridRowCount(grid), 3u);
  GridDeleteRow(grid, 2);
  ASSERT_EQ(GridRowCount(grid), 2u);
  EXPECT_EQ(text(1, 1) + text(2, 1), "ac");
  GridRemoveAllRows(grid);
  EXPECT_EQ(GridRowCount(grid), 0u);
  EXPECT_EQ(GridInsertRow(grid, 0), 1u);
  EXPECT_EQ(text(1, 1), "");
}

TEST_F(GridTest, TextCellsReadBackBoundedAndUnterminated) {
  addRows(2);
  setText(1, 1, "amount");
  setText(1, 2, "decimal");
  setText(2, 4, "\xAE");
  EXPECT_EQ(GridItemTextLength(grid, 1, 1), 6);
  EXPECT_EQ(text(1, 2), "decimal");
  EXPECT_EQ(text(2, 4), "\xAE");
  char buffer[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
  EXPECT_EQ(GridGetItemText(grid, 1, 1, buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 4), "amo#");
  // Cells that do not exist read empty and are never written.
  setText(0, 1, "x");
  setText(3, 1, "x");
  setText(1, 5, "x");
  EXPECT_EQ(GridItemTextLength(grid, 0, 1), 0);
  EXPECT_EQ(GridItemTextLength(grid, 3, 1), 0);
  EXPECT_EQ(GridItemTextLength(grid, 1, 0), 0);
  EXPECT_EQ(GridGetItemText(grid, 9, 1, buffer, 8), 0);
  setText(1, 1, nullptr);
  EXPECT_EQ(GridItemTextLength(grid, 1, 1), 0);
}

TEST_F(GridTest, OverlongTextIsCutToWhatTheLengthCanCount) {
  addRows(1);
  std::string longText(40000, 'x');
  setText(1, 1, longText.c_str());
  EXPECT_EQ(GridItemTextLength(grid, 1, 1), 32767);
}

TEST_F(GridTest, NumberColumnHoldsADoubleOrNone) {
  addRows(1);
  double value = 7;
  GridGetItemNumber(grid, 1, 3, &value);
  EXPECT_EQ(value, 7);  // none: left alone
  EXPECT_EQ(GridItemTextLength(grid, 1, 3), 0);
  const double decimals = 2.5;
  GridSetItemNumber(grid, 1, 3, &decimals);
  GridGetItemNumber(grid, 1, 3, &value);
  EXPECT_EQ(value, 2.5);
  EXPECT_EQ(text(1, 3), "2.5");
  EXPECT_EQ(sheet->cellNumber(1, 3), std::optional<double>(2.5));
  const double big = 1234567;
  GridSetItemNumber(grid, 1, 3, &big);
  EXPECT_EQ(text(1, 3), "1.23457e+06");
  // Text that is no number leaves the number; an empty text clears it.
  setText(1, 3, "lots");
  EXPECT_EQ(sheet->cellNumber(1, 3), std::optional<double>(1234567));
  setText(1, 3, "4");
  EXPECT_EQ(sheet->cellNumber(1, 3), std::optional<double>(4));
  GridSetItemNumber(grid, 1, 3, nullptr);
  EXPECT_EQ(sheet->cellNumber(1, 3), std::nullopt);
  value = 9;
  GridGetItemNumber(grid, 1, 3, &value);
  EXPECT_EQ(value, 9);
}

TEST_F(GridTest, SelectionFollowsInsertsAndDeletes) {
  addRows(10);
  GridSelectRow(grid, 3, true);
  GridSelectRow(grid, 7, true);
  GridSelectRow(grid, 11, true);  // no such row
  EXPECT_EQ(GridNextSelectedRow(grid, 0), 3u);
  EXPECT_EQ(GridNextSelectedRow(grid, 3), 7u);
  EXPECT_EQ(GridNextSelectedRow(grid, 7), 0u);
  EXPECT_EQ(GridNextSelectedRow(grid, 100), 0u);
  GridInsertRow(grid, 1);
  EXPECT_TRUE(GridIsRowSelected(grid, 4));
  EXPECT_FALSE(GridIsRowSelected(grid, 3));
  EXPECT_FALSE(GridIsRowSelected(grid, 1));  // the new row
  EXPECT_EQ(GridNextSelectedRow(grid, 4), 8u);
  GridDeleteRow(grid, 4);
  EXPECT_EQ(GridNextSelectedRow(grid, 0), 7u);
  GridSelectRow(grid, 7, false);
  EXPECT_EQ(GridNextSelectedRow(grid, 0), 0u);
  EXPECT_FALSE(GridIsRowSelected(grid, 0));
  GridSelectRow(grid, 10, true);
  EXPECT_TRUE(sheet->isSelected(10));
  GridRemoveAllRows(grid);
  addRows(10);
  EXPECT_EQ(GridNextSelectedRow(grid, 0), 0u);
}

// Random edits against a plain vector: catches rows or selection bits lost as
// the store moves records around.
TEST_F(GridTest, RandomEditsMatchASimpleModel) {
  struct ModelRow {
    std::string name;
    bool selected;
  };
  std::vector<ModelRow> model;
  std::mt19937 random(12345);
  int serial = 0;
  for (int step = 0; step < 3000; ++step) {
    const auto count = static_cast<std::uint32_t>(model.size());
    const int op = static_cast<int>(random() % 10);
    if (op < 4 || count == 0) {
      const std::uint32_t before = static_cast<std::uint32_t>(random() % (count + 2));  // 0 appends
      const std::uint32_t row = GridInsertRow(grid, before);
      const std::uint32_t at = before == 0 ? count + 1 : before;
      ASSERT_EQ(row, at);
      const std::string name = "r" + std::to_string(serial++);
      setText(row, 1, name.c_str());
      model.insert(model.begin() + (at - 1), {name, false});
    } else if (op < 7) {
      const std::uint32_t row = 1 + random() % count;
      GridDeleteRow(grid, row);
      model.erase(model.begin() + (row - 1));
    } else {
      const std::uint32_t row = 1 + random() % count;
      const bool on = random() % 3 != 0;
      GridSelectRow(grid, row, on);
      model[row - 1].selected = on;
    }
  }
  ASSERT_EQ(GridRowCount(grid), model.size());
  std::uint32_t expectedNext = 0;
  for (std::uint32_t row = static_cast<std::uint32_t>(model.size()); row >= 1; --row) {
    ASSERT_EQ(text(row, 1), model[row - 1].name) << "row " << row;
    ASSERT_EQ(GridIsRowSelected(grid, row), model[row - 1].selected) << "row " << row;
    ASSERT_EQ(GridNextSelectedRow(grid, row), expectedNext) << "after row " << row;
    if (model[row - 1].selected) expectedNext = row;
  }
  EXPECT_EQ(GridNextSelectedRow(grid, 0), expectedNext);
}

TEST_F(GridTest, PropertiesAndTheAssignmentLog) {
  char* header = GridGetProperty(grid, "gridsheet.header.height");
  char* detail = GridGetProperty(grid, "gridsheet.detail.height");
  ASSERT_NE(header, nullptr);
  ASSERT_NE(detail, nullptr);
  EXPECT_STREQ(header, "24");
  EXPECT_STREQ(detail, "20");
  GridFreeText(grid, header);
  GridFreeText(grid, detail);
  EXPECT_EQ(GridGetProperty(grid, "dragline.y1"), nullptr);

  GridSetProperty(grid, "dragline.visible=FALSE");
  GridSetProperty(grid, "var_name.width=327");
  GridSetProperty(grid, "dragline.y1=64");
  GridSetProperty(grid, "dragline.visible=TRUE");
  GridSetProperty(grid, "no assignment");
  GridSetProperty(grid, "gridsheet.header.height=99");
  EXPECT_EQ(sheet->property("dragline.visible"), "TRUE");
  EXPECT_EQ(sheet->property("var_name.width"), "327");
  EXPECT_EQ(sheet->property("dragline.y1"), "64");
  EXPECT_EQ(sheet->property("dragline.y2"), "");
  EXPECT_EQ(sheet->property("gridsheet.header.height"), "24");
  char* width = GridGetProperty(grid, "var_name.width");
  ASSERT_NE(width, nullptr);
  EXPECT_STREQ(width, "327");
  GridFreeText(grid, width);

  EXPECT_EQ(sheet->takeAssignments(),
            (std::vector<std::string>{"dragline.visible=FALSE", "var_name.width=327", "dragline.y1=64",
                                      "dragline.visible=TRUE", "no assignment", "gridsheet.header.height=99"}));
  EXPECT_TRUE(sheet->takeAssignments().empty());
}

TEST_F(GridTest, PointerTextNamesObjectAndRow) {
  addRows(3);
  char buffer[32];
  GridPointerText(grid, buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "\t0");
  std::vector<std::string> seen;
  log.onNotify = [&](WORD) {
    GridPointerText(grid, buffer, sizeof buffer);
    seen.emplace_back(buffer);
  };
  sheet->userMouseMove("var_row", 2);
  sheet->userMouseMove("var_dec", 3);
  sheet->userMouseMove("var_dec", 4);  // below the last row
  sheet->userMouseRelease("", 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"var_row\t2", "var_dec\t3", "\t0", "\t0"}));
  EXPECT_EQ(takeCodes(), (std::vector<WORD>{GN_MOUSEMOVE, GN_MOUSEMOVE, GN_MOUSEMOVE, GN_BUTTONUP}));
  sheet->userMouseMove("var_name", 3);
  char small[5];
  GridPointerText(grid, small, sizeof small);
  EXPECT_STREQ(small, "var_");
}

TEST_F(GridTest, NotificationsCarryTheGridWindow) {
  addRows(1);
  sheet->userMousePress("var_row", 1);
  ASSERT_EQ(log.senders.size(), 1u);
  EXPECT_EQ(log.senders[0], grid);
}

TEST_F(GridTest, NoRepaintWhileRedrawIsOff) {
  addRows(1);
  EXPECT_TRUE(sheet->redrawEnabled());
  frontEnd.repaints = 0;
  GridSetRedraw(grid, false);
  EXPECT_FALSE(sheet->redrawEnabled());
  addRows(5);
  setText(2, 1, "x");
  GridSelectRow(grid, 2, true);
  EXPECT_EQ(frontEnd.repaints, 0);
  GridSetRedraw(grid, true);
  EXPECT_EQ(frontEnd.repaints, 1);
  setText(2, 1, "y");
  EXPECT_EQ(frontEnd.repaints, 2);
}

}  // namespace
}  // namespace grid_test
