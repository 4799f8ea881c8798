// The grid control window: rows, selection, the current cell with its edit
// control, properties and the pointer, behind the GridEngine calls and messages.
//
// One GridControl lives per grid window, attached to it as GWLP_USERDATA from
// WM_CREATE until WM_DESTROY. Notifications go to the notify window as
// WM_COMMAND(MAKEWPARAM(control id, code), grid window) and may re-enter the
// grid or even destroy it; every sequence that goes on after a notification
// checks that the window still exists before it touches the object again.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid_layouts.h"
#include "grid_row_store.h"
#include "qst/grid_engine.h"
#include "quill/grid_sheet.h"

namespace quill::grid {

// Most rows a grid holds; an insert beyond it fails (returns row 0).
constexpr std::uint32_t kGridMaxRows = 10'000'000;
// Most property assignments kept for takeAssignments(); older ones are dropped
// so a front end that never reads the log does not grow it without end.
constexpr std::size_t kAssignmentLogMax = 4096;
// Control id of the cell edit control inside the grid.
constexpr WORD kCellEditId = 1;

struct GridCreateParams {
  HWND notifyWindow;
  const GridLayout* layout;
};

// The grid window procedure (class kGridControlClass).
LRESULT CALLBACK GridWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class GridControl final : public GridSheet {
 public:
  GridControl(HWND window, WORD controlId, const GridCreateParams& params);
  GridControl(const GridControl&) = delete;
  GridControl& operator=(const GridControl&) = delete;

  // The control of a live grid window, or null for any other window.
  static GridControl* of(HWND window);

  // Creates the cell edit control. False when the platform cannot.
  bool createEditControl();
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // ---- Rows (numbered from 1) ---------------------------------------------
  // The new row's number, or 0 when `before` is past count + 1 or the grid is full.
  std::uint32_t insertRow(std::uint32_t before);
  bool deleteRow(std::uint32_t row);
  void removeAllRows();
  bool selectRow(std::uint32_t row, bool select);
  std::uint32_t nextSelectedRow(std::uint32_t after) const;

  // ---- Cells ---------------------------------------------------------------
  bool isCell(std::uint32_t row, int column) const;
  // The cell as text: column 3 formats its number with %g ("" when none).
  std::string displayText(std::uint32_t row, int column) const;
  // The same without a copy: a text cell's stored text, or the number column's
  // text formatted into *scratch. Valid until the cell or scratch changes.
  std::string_view cellView(std::uint32_t row, int column, std::string* scratch) const;
  void setItemText(std::uint32_t row, int column, std::string_view text);
  void setItemNumber(std::uint32_t row, int column, const double* value);
  std::optional<double> itemNumber(std::uint32_t row, int column) const;

  // ---- Current cell and editing ------------------------------------------
  // Makes (row, column) current: commits the text being edited, loads the edit
  // control with the new cell's text, then sends 0x700 and 0x800. Does nothing
  // for a row or column that does not exist.
  void setCurrentCell(std::uint32_t row, int column);
  // Commits the text being edited, as before a save.
  void prepareSave();

  // ---- Properties and pointer --------------------------------------------
  void assign(std::string_view assignment);
  std::optional<std::string> propertyValue(std::string_view path) const;
  std::string pointerText() const;

  // ---- GridSheet -----------------------------------------------------------
  HWND window() const override { return window_; }
  std::uint32_t rowCount() const override { return static_cast<std::uint32_t>(rows_.size()); }
  std::string cellText(std::uint32_t row, int column) const override { return displayText(row, column); }
  std::optional<double> cellNumber(std::uint32_t row, int column) const override;
  bool isSelected(std::uint32_t row) const override;
  std::uint32_t currentRow() const override { return currentRow_; }
  int currentColumn() const override { return currentColumn_; }
  HWND editControl() const override { return edit_; }
  bool redrawEnabled() const override { return redraw_; }
  std::string property(const std::string& path) const override;
  std::vector<std::string> takeAssignments() override;
  std::uint64_t contentGeneration() const override { return contentGeneration_; }
  void userSetCurrentCell(std::uint32_t row, int column) override;
  bool userTypeChar(char c) override;
  bool userSelectText(int start, int end) override;
  void userMousePress(const std::string& object, std::uint32_t row) override;
  void userMouseMove(const std::string& object, std::uint32_t row) override;
  void userMouseRelease(const std::string& object, std::uint32_t row) override;

 private:
  bool hasRow(std::uint32_t row) const { return row >= 1 && row <= rows_.size(); }
  // Every message but the selection's.
  [[gnu::noinline]] LRESULT handleOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Sends a notification; false when the grid no longer exists afterwards.
  bool notify(WORD code);
  // The content a front end shows changed: tell it now, or when redraw comes back on.
  // Inline for the many writes an editor makes with redraw off.
  void contentChanged() {
    if (!redraw_) {
      changedWhileOff_ = true;
      return;
    }
    tellFrontEnd();
  }
  void tellFrontEnd();
  // What the rows hold changed (and so what is shown).
  void rowsEdited() {
    ++contentGeneration_;
    contentChanged();
  }
  void setRedraw(bool on);

  // Editing (grid_cell_editing.cpp).
  std::string editText() const;
  bool editModified() const;
  // Shows the current cell's text in the edit control, all selected, unmodified.
  void loadEditControl();
  // Writes the edit control's text into the current cell when the user changed
  // it. False when the grid went away while notifying.
  bool commitEdit();
  void onEditChanged();
  // An editor write to the current cell shows in an unmodified edit control.
  // Inline for the writes to other cells, which need nothing.
  void afterCellWrite(std::uint32_t row, int column) {
    if (row == currentRow_ && column == currentColumn_) reloadWrittenCell(row, column);
  }
  void reloadWrittenCell(std::uint32_t row, int column);

  // The pointer (grid_pointer.cpp).
  void setPointer(const std::string& object, std::uint32_t row);
  void sendMouse(WORD code, const std::string& object, std::uint32_t row);

  HWND window_;
  WORD controlId_;
  HWND notifyWindow_;
  const GridLayout* layout_;
  HWND edit_ = nullptr;

  GridRowStore rows_;
  std::uint32_t currentRow_ = 0;  // 0: no current cell
  int currentColumn_ = ColRowIndicator;

  std::uint64_t contentGeneration_ = 0;
  bool redraw_ = true;
  bool changedWhileOff_ = false;
  int settingText_ = 0;         // > 0 while the grid itself sets the edit control's text
  bool typingPending_ = false;  // the grid is delivering one typed character

  std::map<std::string, std::string, std::less<>> properties_;
  std::deque<std::string> assignments_;

  std::string pointerObject_;
  std::uint32_t pointerRow_ = 0;
};

}  // namespace quill::grid
