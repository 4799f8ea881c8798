// The mouse over the grid: what lies under the pointer and the button notifications.
#include <string_view>

#include "grid_control.h"

namespace quill::grid {

namespace {
// The edited column whose layout object is named; the row indicator for any other.
int DataColumnOf(std::string_view object) {
  const int column = GridColumnOfObject(object);
  return column >= 0 && IsEditableColumn(column) ? column : int{ColRowIndicator};
}

bool IsPointerObject(std::string_view object) { return GridColumnOfObject(object) >= 0; }
}  // namespace

void GridControl::setPointer(const std::string& object, std::uint32_t row) {
  // Below the last row, or over something that is no column, there is nothing.
  if (!hasRow(row) || !IsPointerObject(object)) {
    pointerObject_.clear();
    pointerRow_ = 0;
    return;
  }
  pointerObject_ = object;
  pointerRow_ = row;
}

std::string GridControl::pointerText() const { return pointerObject_ + '\t' + std::to_string(pointerRow_); }

void GridControl::sendMouse(WORD code, const std::string& object, std::uint32_t row) {
  setPointer(object, row);
  notify(code);
}

void GridControl::userMousePress(const std::string& object, std::uint32_t row) {
  setPointer(object, row);
  const std::uint32_t pressedRow = pointerRow_;
  const int column = DataColumnOf(pointerObject_);
  if (!notify(GN_BUTTONDOWN)) return;
  // A press on a data cell moves the focus there, after the editor saw the press.
  if (column != ColRowIndicator) setCurrentCell(pressedRow, column);
}

void GridControl::userMouseMove(const std::string& object, std::uint32_t row) { sendMouse(GN_MOUSEMOVE, object, row); }

void GridControl::userMouseRelease(const std::string& object, std::uint32_t row) {
  sendMouse(GN_BUTTONUP, object, row);
}

}  // namespace quill::grid
