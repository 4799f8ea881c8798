// Keyboard row selection and moves, sent to the editor as row-indicator presses and drags.
#include "row_keys.h"

#include <Qt>

#include <algorithm>
#include <vector>

#include "qst/grid_engine.h"
#include "qt_front_end.h"
#include "quill/grid_sheet.h"

namespace desktop {
namespace {

constexpr const char* kIndicator = kGridColumns[ColRowIndicator].object;

}  // namespace

void RowKeys::click(std::uint32_t row, int modifiers) {
  frontEnd_.setEventModifiers(modifiers);
  sheet_.userMousePress(kIndicator, row);
  sheet_.userMouseRelease(kIndicator, row);
}

void RowKeys::selectRange(std::uint32_t anchor, std::uint32_t end) {
  // A plain press on a selected row would start dragging it: unselect it first.
  if (sheet_.isSelected(anchor)) click(anchor, Qt::ControlModifier);
  click(anchor, Qt::NoModifier);
  if (end != anchor) click(end, Qt::ShiftModifier);
}

void RowKeys::setCurrent(std::uint32_t row, int column) {
  sheet_.userSetCurrentCell(row, std::clamp(column, kFirstDataColumn, kLastDataColumn));
}

std::uint32_t RowKeys::entryRow() const {
  for (std::uint32_t row = sheet_.rowCount(); row >= 1; --row)
    if (sheet_.cellText(row, ColMarker) == kEntryRowMarker) return row;
  return 0;
}

void RowKeys::selectCurrentRow() {
  const std::uint32_t row = sheet_.currentRow();
  if (row == 0) return;
  const int column = sheet_.currentColumn();
  selectRange(row, row);
  setCurrent(row, column);
}

void RowKeys::toggleCurrentRow() {
  const std::uint32_t row = sheet_.currentRow();
  if (row == 0) return;
  const int column = sheet_.currentColumn();
  click(row, Qt::ControlModifier);
  setCurrent(row, column);
}

void RowKeys::extendSelection(int delta) {
  const std::uint32_t row = sheet_.currentRow();
  const std::uint32_t count = sheet_.rowCount();
  if (row == 0) return;
  const int column = sheet_.currentColumn();
  const auto target = static_cast<std::uint32_t>(std::clamp<std::int64_t>(std::int64_t{row} + delta, 1, count));
  // The anchor is the far end of the selected block the current row is in.
  std::uint32_t anchor = row;
  if (sheet_.isSelected(row)) {
    std::uint32_t first = row, last = row;
    while (first > 1 && sheet_.isSelected(first - 1)) --first;
    while (last < count && sheet_.isSelected(last + 1)) ++last;
    anchor = (row == first && last > first) ? last : first;
  }
  selectRange(anchor, target);
  setCurrent(target, column);
}

bool RowKeys::moveRows(int delta) {
  const std::uint32_t count = sheet_.rowCount();
  const std::uint32_t current = sheet_.currentRow();
  const int column = sheet_.currentColumn();
  std::vector<std::uint32_t> rows;
  for (std::uint32_t row = 1; row <= count; ++row)
    if (sheet_.isSelected(row)) rows.push_back(row);
  if (rows.empty() && current != 0) rows.push_back(current);
  if (rows.empty()) return false;
  const std::uint32_t entry = entryRow();
  const bool movesEntry = std::find(rows.begin(), rows.end(), entry) != rows.end();
  // The block is dropped before target, as a drag onto that row would drop it.
  std::uint32_t neighbour = 0, target = 0;
  if (delta < 0) {
    if (rows.front() == 1) return false;
    neighbour = target = rows.front() - 1;
  } else {
    neighbour = rows.back() + 1;
    target = rows.back() + 2;
    if (target > count) return false;
  }
  // Variables stay above the entry row, and the empty rows below it stay empty.
  if (neighbour == entry && !movesEntry) return false;

  // The editor drops only what it knows as selected, within the bounds it knows.
  const bool contiguous = rows.back() - rows.front() + 1 == rows.size();
  if (contiguous) {
    selectRange(rows.front(), rows.back());
  } else {
    selectRange(rows.front(), rows.front());
    for (std::size_t i = 1; i < rows.size(); ++i) click(rows[i], Qt::ControlModifier);
  }
  frontEnd_.setEventModifiers(Qt::NoModifier);
  sheet_.userMousePress(kIndicator, rows.front());
  sheet_.userMouseMove(kIndicator, target);
  sheet_.userMouseRelease(kIndicator, target);

  // The moved rows stay selected and the current cell stays with its row, so the
  // next Alt+Up or Alt+Down moves them on.
  const auto moved = static_cast<std::uint32_t>(rows.size());
  const std::uint32_t start = delta < 0 ? target : target - moved;
  for (std::uint32_t i = 0; i < moved; ++i)
    SendMessageA(sheet_.window(), GM_SELECTROW, 1, static_cast<LPARAM>(start + i));
  const auto at = std::find(rows.begin(), rows.end(), current);
  setCurrent(at != rows.end() ? start + static_cast<std::uint32_t>(at - rows.begin()) : start, column);
  return true;
}

}  // namespace desktop
