// The grid on screen: paints the visible rows of the grid engine and passes the
// user's keys and mouse to it as the headless grid receives them.
#pragma once

#include <QAbstractScrollArea>

#include <array>
#include <cstdint>
#include <string>

#include "grid_announcer.h"
#include "platform/win.h"
#include "qst/grid_engine.h"
#include "quill/row_check.h"
#include "quill/type_choices.h"

namespace quill {
class GridSheet;
}

namespace desktop {

class FrameWindow;
class QtFrontEnd;
class TypeCompletion;

class GridView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  GridView(QtFrontEnd& frontEnd, FrameWindow& frame, HWND grid);

  quill::GridSheet* sheet() const;
  // Repaints after the grid changed, keeping the current cell in view.
  void gridChanged();
  // Makes the row of the variable current (from the compile-error list).
  void showVariable(const QString& name);
  // Makes a cell current as the keyboard does, and shows it.
  void goTo(std::uint32_t row, int column);
  // The layout object and row under a point of the viewport ("" and 0 over none).
  std::pair<std::string, std::uint32_t> objectAt(QPoint point) const;
  // The viewport rectangle of a cell (column 0 is the row indicator).
  QRect cellRect(std::uint32_t row, int column) const;
  int rowHeight() const;
  int headerHeight() const;
  TypeCompletion* typeCompletion() const { return completion_; }
  // Rows with errors, each with its messages: a mark in the row header and a tooltip.
  // Errors of row 0 (the structure as a whole) mark no row.
  void setRowErrors(std::vector<quill::RowError> errors);

  // What the grid shows, as assistive technology reads it.
  static QString columnTitle(int column);
  // A cell's text as shown: the current cell's is the text being edited.
  QString cellDisplay(std::uint32_t row, int column) const;
  QString errorText(std::uint32_t row) const;  // the row's messages, a line each
  bool isEntryRow(std::uint32_t row) const;
  bool rowInView(std::uint32_t row) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool focusNextPrevChild(bool next) override;
  void focusInEvent(QFocusEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  std::array<int, kGridColumnCount> columnWidths() const;  // by column number; 0 for a column not shown
  int editorWidth(int column) const;                       // as the editor laid the column out
  int preferredWidth(int column) const;                    // the user's width, else the editor's
  // Moves the border being dragged by delta pixels from where the drag began.
  void resizeColumn(int delta);
  int visibleRows() const;
  // The data column whose right border lies under x in the header band, or 0.
  int columnBorderAt(int x) const;
  void loadColumnWidths();
  void saveColumnWidths() const;
  bool navigationKey(int key, Qt::KeyboardModifiers mods);
  // False (and the reason in the status bar) when c may not go into the Dec cell.
  bool decimalsAccept(char c);
  // False (and the reason in the status bar) when the Name cell is full.
  bool nameAccepts();
  void showEditMenu(QPoint at);
  // The Type cell's list: while typing (filtered) or as a drop-down (Alt+Down, F4).
  void updateCompletion(bool dropDown);
  // Keys the open list takes; true when the key was used up.
  bool completionKey(int key);
  // Puts a chosen type into the cell as if it had been typed.
  void typeChosen(const QString& name);
  int firstVisibleRow() const;
  void updateScrollRange();
  void moveCurrent(int rowDelta, int columnDelta);
  void moveCaret(int key, bool extend);
  void afterInput();
  bool rowKey(int key, Qt::KeyboardModifiers mods);
  void enterEntryRow();
  void paintCell(QPainter& painter, std::uint32_t row, int column, const QRect& rect);

  QtFrontEnd& frontEnd_;
  FrameWindow& frame_;
  HWND grid_;
  bool dragging_ = false;
  std::array<int, kGridColumnCount> userWidths_{};  // widths the user gave the edited columns; 0 for the editor's
  int resizing_ = ColRowIndicator;                  // the column whose border is being dragged
  TypeCompletion* completion_ = nullptr;
  std::vector<quill::TypeChoice> choices_;  // read when the list opens in a cell
  std::uint32_t completionRow_ = 0;
  // Looked up for the rows in view only: a check may find an error in each of a million rows.
  std::vector<quill::RowError> rowErrors_;  // by row
  bool hasError(std::uint32_t row) const;
  GridAnnouncer announcer_{*this};
  int resizeFromX_ = 0;
  std::array<int, kGridColumnCount> resizeFrom_{};  // the columns' widths when the drag began
};

}  // namespace desktop
