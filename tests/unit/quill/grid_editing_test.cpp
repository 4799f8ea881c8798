// The current cell, its edit control and when the grid commits and notifies.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "grid_test_support.h"

namespace grid_test {
namespace {

using Codes = std::vector<WORD>;

class GridEditingTest : public GridTest {
 protected:
  void SetUp() override {
    GridTest::SetUp();
    addRows(4);
    setText(1, 1, "alpha");
    setText(1, 2, "string");
    setText(2, 1, "beta");
    setText(2, 2, "decimal");
    const double two = 2;
    GridSetItemNumber(grid, 2, 3, &two);
    takeCodes();
  }
};

TEST_F(GridEditingTest, ACellBecomingCurrentLoadsItsTextAllSelected) {
  GridSetCurrentCell(grid, 2, 1);
  EXPECT_EQ(takeCodes(), (Codes{GN_CELLCHANGED, GN_CELLENTERED}));
  EXPECT_EQ(GridCurrentRow(grid), 2u);
  EXPECT_EQ(GridEditControl(grid), sheet->editControl());
  EXPECT_EQ(editText(), "beta");
  EXPECT_EQ(editSelection(), std::make_pair(0, 4));
  EXPECT_FALSE(editModified());

  sheet->userSetCurrentCell(2, 3);
  EXPECT_EQ(editText(), "2");
  sheet->userSetCurrentCell(1, 3);
  EXPECT_EQ(editText(), "");
  std::uint32_t row = 0;
  std::uint16_t column = 0;
  GridGetCurrentCell(grid, &row, &column);
  EXPECT_EQ(row, 1u);
  EXPECT_EQ(column, 3);
}

TEST_F(GridEditingTest, MovingToACellThatDoesNotExistDoesNothing) {
  GridSetCurrentCell(grid, 1, 1);
  takeCodes();
  GridSetCurrentCell(grid, 5, 1);
  GridSetCurrentCell(grid, 0, 1);
  GridSetCurrentCell(grid, 2, 4);
  sheet->userSetCurrentCell(2, 0);
  EXPECT_TRUE(takeCodes().empty());
  EXPECT_EQ(sheet->currentRow(), 1u);
  EXPECT_EQ(sheet->currentColumn(), 1);
}

TEST_F(GridEditingTest, TypingNotifiesEachChangeAndCommitsOnTheMove) {
  GridSetCurrentCell(grid, 1, 1);
  takeCodes();
  type("ab");
  EXPECT_EQ(takeCodes(), (Codes{GN_TEXTEDITED, GN_TEXTEDITED}));
  EXPECT_EQ(text(1, 1), "alpha");  // not yet committed
  sheet->userSetCurrentCell(2, 1);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED, GN_CELLCHANGED, GN_CELLENTERED}));
  EXPECT_EQ(text(1, 1), "ab");
}

TEST_F(GridEditingTest, NoModifiedNotificationWithoutARealChange) {
  GridSetCurrentCell(grid, 1, 1);
  // Unmodified: moving on commits nothing.
  GridSetCurrentCell(grid, 2, 1);
  // Retyping the same text leaves the edit control modified but the value unchanged.
  sheet->userSelectText(0, -1);
  type("beta");
  takeCodes();
  GridSetCurrentCell(grid, 1, 1);
  EXPECT_EQ(takeCodes(), (Codes{GN_CELLCHANGED, GN_CELLENTERED}));
  EXPECT_EQ(text(2, 1), "beta");
}

TEST_F(GridEditingTest, EditorWritesShowWhileTheEditControlIsUnmodified) {
  GridSetCurrentCell(grid, 1, 2);
  GridSetItemText(grid, 1, 2, "integer");
  EXPECT_EQ(editText(), "integer");
  EXPECT_FALSE(editModified());
  takeCodes();
  // Moving on must not write a stale text back.
  GridSetCurrentCell(grid, 2, 3);
  EXPECT_EQ(takeCodes(), (Codes{GN_CELLCHANGED, GN_CELLENTERED}));
  EXPECT_EQ(text(1, 2), "integer");
  GridSetItemNumber(grid, 2, 3, nullptr);
  EXPECT_EQ(editText(), "");
  // Once the user changed the text, the user's text stands and wins at the commit.
  type("5");
  const double four = 4;
  GridSetItemNumber(grid, 2, 3, &four);
  EXPECT_EQ(editText(), "5");
  GridSetCurrentCell(grid, 1, 1);
  EXPECT_EQ(sheet->cellNumber(2, 3), std::optional<double>(5));
}

TEST_F(GridEditingTest, DecimalsCellCommitsOnlyNumbers) {
  GridSetCurrentCell(grid, 2, 3);
  type("3");
  GridSetCurrentCell(grid, 1, 1);
  EXPECT_EQ(sheet->cellNumber(2, 3), std::optional<double>(3));

  GridSetCurrentCell(grid, 2, 3);
  type("x1");
  takeCodes();
  frontEnd.beeps = 0;
  GridSetCurrentCell(grid, 1, 1);
  EXPECT_EQ(frontEnd.beeps, 1);
  EXPECT_EQ(takeCodes(), (Codes{GN_CELLCHANGED, GN_CELLENTERED}));
  EXPECT_EQ(sheet->cellNumber(2, 3), std::optional<double>(3));

  // Emptied: the cell holds no number any more.
  GridSetCurrentCell(grid, 2, 3);
  SendMessageA(GridEditControl(grid), WM_CLEAR, 0, 0);
  takeCodes();
  GridPrepareSave(grid, 4);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED}));
  EXPECT_EQ(sheet->cellNumber(2, 3), std::nullopt);
}

TEST_F(GridEditingTest, BadNumberAtPrepareSaveBeepsAndShowsTheStoredValue) {
  GridSetCurrentCell(grid, 2, 3);
  type("two");
  takeCodes();
  GridPrepareSave(grid, 4);
  EXPECT_EQ(frontEnd.beeps, 1);
  EXPECT_TRUE(takeCodes().empty());
  EXPECT_EQ(sheet->cellNumber(2, 3), std::optional<double>(2));
  EXPECT_EQ(editText(), "2");
  EXPECT_FALSE(editModified());
}

TEST_F(GridEditingTest, PrepareSaveCommitsAndLeavesTheEditControlClean) {
  GridSetCurrentCell(grid, 3, 1);
  type("qty");
  takeCodes();
  GridPrepareSave(grid, 4);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED}));
  EXPECT_EQ(text(3, 1), "qty");
  EXPECT_EQ(sheet->currentRow(), 3u);
  EXPECT_FALSE(editModified());
  // A second save commits nothing new.
  GridPrepareSave(grid, 4);
  EXPECT_TRUE(takeCodes().empty());
  GridSetItemText(grid, 3, 1, "count");
  EXPECT_EQ(editText(), "count");
}

TEST_F(GridEditingTest, EditorEditsThroughTheControlSendModifiedNotTyping) {
  GridSetCurrentCell(grid, 1, 1);
  HWND edit = GridEditControl(grid);
  ASSERT_NE(edit, nullptr);
  takeCodes();
  SendMessageA(edit, EM_SETSEL, 0, 2);
  SendMessageA(edit, WM_CUT, 0, 0);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED}));
  EXPECT_EQ(editText(), "pha");
  EXPECT_TRUE(editModified());
  SendMessageA(edit, WM_UNDO, 0, 0);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED}));
  EXPECT_EQ(editText(), "alpha");
  SendMessageA(edit, EM_SETSEL, 5, 5);
  SendMessageA(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED}));
  EXPECT_EQ(editText(), "alphaal");
  GridSetCurrentCell(grid, 2, 1);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED, GN_CELLCHANGED, GN_CELLENTERED}));
  EXPECT_EQ(text(1, 1), "alphaal");
}

TEST_F(GridEditingTest, CurrentCellFollowsItsRow) {
  GridSetCurrentCell(grid, 3, 1);
  GridInsertRow(grid, 2);
  EXPECT_EQ(GridCurrentRow(grid), 4u);
  GridInsertRow(grid, 5);
  GridInsertRow(grid, 0);
  EXPECT_EQ(GridCurrentRow(grid), 4u);
  GridDeleteRow(grid, 1);
  EXPECT_EQ(GridCurrentRow(grid), 3u);
  GridDeleteRow(grid, 4);
  EXPECT_EQ(GridCurrentRow(grid), 3u);
  EXPECT_EQ(sheet->currentColumn(), 1);
}

TEST_F(GridEditingTest, DeletingTheCurrentRowDropsTheTextBeingEdited) {
  setText(3, 1, "gamma");
  GridSetCurrentCell(grid, 2, 1);
  type("typed");
  takeCodes();
  GridDeleteRow(grid, 2);
  EXPECT_TRUE(takeCodes().empty());
  EXPECT_EQ(GridCurrentRow(grid), 2u);  // the row that took its place
  EXPECT_EQ(editText(), "gamma");
  EXPECT_FALSE(editModified());
  GridSetCurrentCell(grid, 1, 1);
  EXPECT_EQ(text(2, 1), "gamma");
  EXPECT_EQ(text(1, 1), "alpha");

  GridSetCurrentCell(grid, 3, 1);  // the last row
  GridDeleteRow(grid, 3);
  EXPECT_EQ(GridCurrentRow(grid), 2u);
  GridRemoveAllRows(grid);
  EXPECT_EQ(GridCurrentRow(grid), 0u);
  EXPECT_EQ(GridEditControl(grid), nullptr);
  EXPECT_FALSE(sheet->userTypeChar('z'));
}

TEST_F(GridEditingTest, PressOnADataCellNotifiesBeforeTheFocusMoves) {
  GridSetCurrentCell(grid, 1, 1);
  type("x");
  takeCodes();
  char pointer[32] = "";
  std::uint32_t rowAtPress = 99;
  log.onNotify = [&](WORD code) {
    if (code != GN_BUTTONDOWN) return;
    GridPointerText(grid, pointer, sizeof pointer);
    rowAtPress = GridCurrentRow(grid);
  };
  sheet->userMousePress("var_type", 2);
  EXPECT_EQ(takeCodes(), (Codes{GN_BUTTONDOWN, GN_MODIFIED, GN_CELLCHANGED, GN_CELLENTERED}));
  EXPECT_STREQ(pointer, "var_type\t2");
  EXPECT_EQ(rowAtPress, 1u);
  EXPECT_EQ(sheet->currentRow(), 2u);
  EXPECT_EQ(sheet->currentColumn(), 2);

  // The row indicator is no cell: the focus stays.
  sheet->userMousePress("var_row", 3);
  sheet->userMouseRelease("var_row", 3);
  EXPECT_EQ(takeCodes(), (Codes{GN_BUTTONDOWN, GN_BUTTONUP}));
  EXPECT_EQ(sheet->currentRow(), 2u);
}

TEST_F(GridEditingTest, GridDestroyedByANotificationHandlerIsLeftAlone) {
  GridSetCurrentCell(grid, 1, 1);
  type("x");
  log.onNotify = [&](WORD code) {
    if (code == GN_MODIFIED) DestroyWindow(grid);
  };
  takeCodes();
  GridSetCurrentCell(grid, 2, 1);
  EXPECT_EQ(takeCodes(), (Codes{GN_MODIFIED}));
  EXPECT_FALSE(IsWindow(grid));
  EXPECT_EQ(quill::GridSheet::fromWindow(grid), nullptr);
  EXPECT_EQ(GridRowCount(grid), 0u);
}

}  // namespace
}  // namespace grid_test

namespace grid_test {
namespace {

// The generation the live check compares to tell changed rows: rows and what
// they hold count, moving about and selecting do not.
TEST_F(GridEditingTest, ContentGenerationCountsChangesOfWhatRowsHold) {
  struct Step {
    const char* what;
    std::function<void()> act;
    bool changes;
  };
  const Step steps[] = {
      {"current cell", [this] { GridSetCurrentCell(grid, 1, 1); }, false},
      {"row selected", [this] { GridSelectRow(grid, 2, true); }, false},
      {"text selected", [this] { sheet->userSelectText(0, 2); }, false},
      {"typing", [this] { type("x"); }, true},
      {"commit of the typed text", [this] { GridSetCurrentCell(grid, 2, 1); }, true},
      {"own text written back", [this] { setText(2, 2, "decimal"); }, false},
      {"own number written back",
       [this] {
         const double two = 2;
         GridSetItemNumber(grid, 2, 3, &two);
       },
       false},
      {"text written", [this] { setText(3, 1, "gamma"); }, true},
      {"number written",
       [this] {
         const double one = 1;
         GridSetItemNumber(grid, 3, 3, &one);
       },
       true},
      {"row inserted", [this] { GridInsertRow(grid, 2); }, true},
      {"row deleted", [this] { GridDeleteRow(grid, 2); }, true},
  };
  for (const Step& step : steps) {
    const std::uint64_t before = sheet->contentGeneration();
    step.act();
    EXPECT_EQ(sheet->contentGeneration() != before, step.changes) << step.what;
  }
}

}  // namespace
}  // namespace grid_test
