// The invariant checker: a sound editor passes, each kind of broken state is
// named, and in a debug build a broken one stops the program.
#include "editor/window/editor_invariants.h"

#include "qst_editor/undo_action.h"
#include "rows_editor_fixture.h"

namespace rows_test {
namespace {

class EditorInvariantsTest : public RowsEditorTest {};

TEST_F(EditorInvariantsTest, BrokenStatesAreNamed) {
  ed_->document.firstOpen = 0;  // past the first Open: the grid has its entry row
  MakeRows({"a", "b"});
  ASSERT_EQ(EditorInvariantFailure(ed_), nullptr);

  struct Case {
    const char* what;
    void (*breakIt)(EditorInstance*, HWND);
    const char* expected;
  };
  const Case cases[] = {
      {"a second marker", [](EditorInstance*, HWND g) { GridSetItemText(g, 1, ColMarker, kEntryRowMarker); },
       "several rows carry the entry-row marker"},
      {"entryRow elsewhere", [](EditorInstance* e, HWND) { e->document.entryRow = 1; },
       "entryRow does not name the marked row"},
      {"no marker beside a variable",
       [](EditorInstance* e, HWND g) { GridSetItemText(g, e->document.entryRow, ColMarker, ""); },
       "no row carries the entry-row marker"},
      {"last bound before the first",
       [](EditorInstance* e, HWND) {
         e->selection.selFirst = 3;
         e->selection.selLast = 2;
       },
       "selection bounds out of order"},
      {"last bound without a first", [](EditorInstance* e, HWND) { e->selection.selLast = 2; },
       "selection bounds out of order"},
      {"cut without its text", [](EditorInstance* e, HWND) { e->undo.lastAction = UndoRowsCut; },
       "a row edit to undo without its row text"},
      {"move without its snapshot", [](EditorInstance* e, HWND) { e->undo.lastAction = UndoDragDrop; },
       "a move to undo without its snapshot"},
      {"paste past the end",
       [](EditorInstance* e, HWND) {
         e->undo.lastAction = UndoRowsPaste;
         e->undo.undoRow = 3;
         e->undo.pastedCount = 2;
       },
       "pasted rows outside the grid"},
      {"unknown edit", [](EditorInstance* e, HWND) { e->undo.lastAction = 14; }, "lastAction holds no known edit"},
  };
  auto repair = [this] {
    MakeRows({"a", "b"});
    ed_->selection.selFirst = ed_->selection.selLast = 0;
    ed_->selection.dragState = DragIdle;
    ed_->undo.lastAction = UndoNone;
  };
  for (const Case& c : cases) {
    repair();
    c.breakIt(ed_, grid_);
    const char* failure = EditorInvariantFailure(ed_);
    EXPECT_STREQ(failure ? failure : "(none)", c.expected) << c.what;
  }
  MakeRows({"a", "b"});
}

// The cheap check reads the entry row's cell alone, so it misses a second
// marker (the full check's), and must still catch every other broken state.
TEST_F(EditorInvariantsTest, TheCheapCheckMissesOnlyASecondMarker) {
  ed_->document.firstOpen = 0;
  MakeRows({"a", "b"});
  EXPECT_EQ(CheapInvariantFailure(ed_), nullptr);
  GridSetItemText(grid_, 1, ColMarker, kEntryRowMarker);
  EXPECT_EQ(CheapInvariantFailure(ed_), nullptr);
  GridSetItemText(grid_, 1, ColMarker, "");

  const std::uint32_t entry = ed_->document.entryRow;
  ed_->document.entryRow = entry + 5;  // past the last row
  EXPECT_STREQ(CheapInvariantFailure(ed_), "entryRow does not name the marked row");
  ed_->document.entryRow = entry;
  GridSetItemText(grid_, entry, ColMarker, "");
  EXPECT_STREQ(CheapInvariantFailure(ed_), "no row carries the entry-row marker");
  GridSetItemText(grid_, entry, ColMarker, kEntryRowMarker);
  ed_->selection.selLast = 2;
  EXPECT_STREQ(CheapInvariantFailure(ed_), "selection bounds out of order");
  ed_->selection.selLast = 0;
  ed_->undo.lastAction = UndoRowsPasteUndone;
  EXPECT_STREQ(CheapInvariantFailure(ed_), "a row edit to undo without its row text");
  ed_->undo.lastAction = UndoNone;
}

TEST_F(EditorInvariantsTest, ABrokenMarkerStopsADebugBuild) {
#ifdef NDEBUG
  GTEST_SKIP() << "the check runs in debug builds only";
#else
  ed_->document.firstOpen = 0;
  MakeRows({"a"});
  GridSetItemText(grid_, 1, ColMarker, kEntryRowMarker);
  EXPECT_DEATH(CheckEditorInvariants(ed_), "editor invariant broken: several rows carry the entry-row marker");
  GridSetItemText(grid_, 1, ColMarker, "");
#endif
}

}  // namespace
}  // namespace rows_test
