// Row selection and row moves from the keyboard. The editor hears them as the
// presses in the row-indicator column and the drag and drop a mouse would make,
// so its selection bounds, undo and changed flag stay its own.
#pragma once

#include <cstdint>

namespace quill {
class GridSheet;
}

namespace desktop {

class QtFrontEnd;

class RowKeys {
 public:
  RowKeys(QtFrontEnd& frontEnd, quill::GridSheet& sheet) : frontEnd_(frontEnd), sheet_(sheet) {}

  // Shift+Space: the current row alone is selected.
  void selectCurrentRow();
  // Shift+Up/Down: the selection runs from its far end to the row above or below.
  void extendSelection(int delta);
  // Ctrl+Space: the current row's selection is toggled.
  void toggleCurrentRow();
  // Alt+Up/Down: the selected rows (or the current row) move one place as one
  // block. False when they cannot: at the top, at the bottom, or across the entry row.
  bool moveRows(int delta);

 private:
  // A press and release in the row-indicator column of row, with those keys down.
  void click(std::uint32_t row, int modifiers);
  // Only rows anchor..end selected, anchored at anchor, as a mouse would leave them.
  void selectRange(std::uint32_t anchor, std::uint32_t end);
  // The press in the indicator column made the entry row current; the keyboard's cell goes back.
  void setCurrent(std::uint32_t row, int column);
  std::uint32_t entryRow() const;

  QtFrontEnd& frontEnd_;
  quill::GridSheet& sheet_;
};

}  // namespace desktop
