// Tells assistive technology what changed in the grid after each input: the
// current cell (focus), its text (value), the selected rows and the row count,
// so that a screen reader follows the user through the hand-painted grid.
#pragma once

#include <QList>
#include <QString>

#include <cstdint>

namespace desktop {

class GridView;

class GridAnnouncer {
 public:
  explicit GridAnnouncer(GridView& view) : view_(view) {}

  // Compares the grid with what was told last and tells the differences.
  // Costs a few reads when nothing changed; nothing at all without a reader.
  void update();
  // The grid got the keyboard: its current cell is where the reader is.
  void focusIn();
  // The rows' errors changed: the descriptions of the cells a reader has seen.
  void errorsChanged();

 private:
  void tellFocus();

  GridView& view_;
  std::uint32_t rows_ = 0;
  std::uint32_t row_ = 0;
  int column_ = 0;
  QString text_;
  QList<std::uint32_t> selection_;
  int selected_ = 0;
};

}  // namespace desktop
