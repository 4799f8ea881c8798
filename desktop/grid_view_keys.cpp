// The grid's keys: moving the current cell, editing its text, the Type cell's
// list, and the keys for rows, paging, find and the context menu.
#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

#include "frame_window.h"
#include "grid_view.h"
#include "key_map.h"
#include "qt_front_end.h"
#include "quill/grid_sheet.h"
#include "quill/row_check.h"
#include "row_keys.h"
#include "type_completion.h"

namespace desktop {
namespace {

constexpr int kMaxDecimals = 18;
constexpr int kMaxNameLength = 40;

}  // namespace

void GridView::moveCurrent(int rowDelta, int columnDelta) {
  auto* s = sheet();
  if (!s || s->rowCount() == 0) return;
  int row = static_cast<int>(s->currentRow());
  int column = s->currentColumn();
  if (row == 0) {
    s->userSetCurrentCell(1, ColName);
    return;
  }
  column += columnDelta;
  if (column > kLastDataColumn) {
    column = kFirstDataColumn;
    ++row;
  } else if (column < kFirstDataColumn) {
    column = kLastDataColumn;
    --row;
  }
  row += rowDelta;
  row = std::clamp(row, 1, static_cast<int>(s->rowCount()));
  s->userSetCurrentCell(static_cast<std::uint32_t>(row), column);
}

void GridView::moveCaret(int key, bool extend) {
  auto* s = sheet();
  if (!s || s->currentRow() == 0) return;
  HWND edit = s->editControl();
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const int length = GetWindowTextLengthA(edit);
  int caret = static_cast<int>(end);
  switch (key) {
    case Qt::Key_Left: caret = std::max(0, caret - 1); break;
    case Qt::Key_Right: caret = std::min(length, caret + 1); break;
    case Qt::Key_Home: caret = 0; break;
    case Qt::Key_End: caret = length; break;
  }
  const int anchor = extend ? static_cast<int>(start) : caret;
  s->userSelectText(anchor, caret);
}

// Typing with no current cell starts in the entry row's name, where a person expects it.
void GridView::enterEntryRow() {
  auto* s = sheet();
  if (!s || s->rowCount() == 0) return;
  // Only empty rows follow the entry row, so from the end it is found at once.
  std::uint32_t row = s->rowCount();
  while (row > 0 && s->cellText(row, ColMarker) != kEntryRowMarker) --row;
  s->userSetCurrentCell(std::max<std::uint32_t>(row, 1), ColName);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  auto* s = sheet();
  if (!s) return;
  const Qt::KeyboardModifiers mods = event->modifiers();
  frontEnd_.setEventModifiers(static_cast<int>(mods));
  const int key = event->key();
  // What the status bar said was about the last key; this key may say its own.
  if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
    frame_.clearStatusText();
  const bool shift = mods & Qt::ShiftModifier;
  const bool typeCell = s->currentRow() != 0 && s->currentColumn() == ColType;
  if (completion_->isVisible() && completionKey(key)) {
    afterInput();
    return;
  }
  // Alt+Down opens the list unless the current row is selected: then it moves rows.
  const bool altDown = key == Qt::Key_Down && (mods & Qt::AltModifier) && !s->isSelected(s->currentRow());
  if (typeCell && (key == Qt::Key_F4 || altDown)) {
    updateCompletion(true);
    frontEnd_.setEventModifiers(-1);
    return;
  }
  if (rowKey(key, mods) || navigationKey(key, mods)) {
    afterInput();
    return;
  }
  if ((mods & (Qt::ControlModifier | Qt::AltModifier)) || key == Qt::Key_Delete) {
    frame_.translateAccelerator(VirtualKeyOf(key), mods);
    afterInput();
    return;
  }
  switch (key) {
    case Qt::Key_Tab: moveCurrent(0, 1); break;
    case Qt::Key_Backtab: moveCurrent(0, -1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down: moveCurrent(1, 0); break;
    case Qt::Key_Up: moveCurrent(-1, 0); break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End: moveCaret(key, shift); break;
    case Qt::Key_Backspace:
      s->userTypeChar('\b');
      if (typeCell) updateCompletion(false);
      break;
    default: {
      const QByteArray text = event->text().toLatin1();
      if (!text.isEmpty() && s->currentRow() == 0) enterEntryRow();
      for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F && decimalsAccept(c) && nameAccepts())
          s->userTypeChar(c);
      if (typeCell && !text.isEmpty()) updateCompletion(false);
    }
  }
  afterInput();
}

void GridView::updateCompletion(bool dropDown) {
  auto* s = sheet();
  auto* host = frontEnd_.host();
  auto* session = frame_.session();
  if (!s || !host || !session || s->currentColumn() != ColType || s->currentRow() == 0) return;
  if (!completion_->isVisible() || completionRow_ != s->currentRow()) {
    choices_ = quill::TypeChoicesFor(*host, *session);
    completionRow_ = s->currentRow();
  }
  char text[512] = {};
  GetWindowTextA(s->editControl(), text, sizeof text);
  completion_->showFor(choices_, QString::fromLatin1(text), cellRect(s->currentRow(), ColType), dropDown);
}

bool GridView::completionKey(int key) {
  switch (key) {
    case Qt::Key_Down: completion_->step(1); return true;
    case Qt::Key_Up: completion_->step(-1); return true;
    case Qt::Key_PageDown: completion_->step(10); return true;
    case Qt::Key_PageUp: completion_->step(-10); return true;
    case Qt::Key_Escape: completion_->hide(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: {
      if (completion_->typedInFull()) {  // Enter commits the typed type and goes on, as without a list
        completion_->hide();
        return false;
      }
      const QString name = completion_->chosen();
      completion_->hide();
      if (name.isEmpty()) return false;
      typeChosen(name);
      return key != Qt::Key_Tab;  // Tab goes on to the next cell with the choice in place
    }
    default: return false;
  }
}

void GridView::typeChosen(const QString& name) {
  auto* s = sheet();
  if (!s || s->currentRow() == 0) return;
  completion_->hide();
  s->userSelectText(0, GetWindowTextLengthA(s->editControl()));
  for (char c : name.toLatin1()) s->userTypeChar(c);
}

// Paging, the ends of the grid, find and the context menu; true when the key was one of them.
bool GridView::navigationKey(int key, Qt::KeyboardModifiers mods) {
  auto* s = sheet();
  const Qt::KeyboardModifiers held = mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const int column = s->currentColumn() != ColRowIndicator ? s->currentColumn() : ColName;
  if (held == Qt::NoModifier && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
    moveCurrent(key == Qt::Key_PageUp ? -visibleRows() : visibleRows(), 0);
  } else if (held == Qt::ControlModifier && (key == Qt::Key_Home || key == Qt::Key_End)) {
    if (s->rowCount() != 0) s->userSetCurrentCell(key == Qt::Key_Home ? 1 : s->rowCount(), column);
  } else if (held == Qt::ControlModifier && key == Qt::Key_F) {
    frame_.startFind();
  } else if (key == Qt::Key_F3 && (held == Qt::NoModifier || held == Qt::ShiftModifier)) {
    frame_.findAgain(held == Qt::NoModifier);
  } else if ((held == Qt::NoModifier && key == Qt::Key_Menu) || (held == Qt::ShiftModifier && key == Qt::Key_F10)) {
    showEditMenu(cellRect(std::max<std::uint32_t>(s->currentRow(), 1), column).bottomLeft());
  } else {
    return false;
  }
  return true;
}

bool GridView::nameAccepts() {
  auto* s = sheet();
  if (s->currentColumn() != ColName || s->currentRow() == 0) return true;
  HWND edit = s->editControl();
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // One character more, less the selection it replaces.
  if (GetWindowTextLengthA(edit) - static_cast<int>(end - start) < kMaxNameLength) return true;
  frame_.setStatusText(QStringLiteral("A variable name has at most %1 characters.").arg(kMaxNameLength));
  QApplication::beep();
  return false;
}

bool GridView::decimalsAccept(char c) {
  auto* s = sheet();
  if (s->currentColumn() != ColDecimals || s->currentRow() == 0) return true;
  // The save writes decimal positions for a decimal only: anything else would be lost unseen.
  if (!quill::IsDecimalTypeText(s->cellText(s->currentRow(), ColType))) {
    frame_.setStatusText(QStringLiteral("Only a decimal has decimal positions."));
    QApplication::beep();
    return false;
  }
  if (c < '0' || c > '9') {
    frame_.setStatusText(QStringLiteral("The Dec column takes digits only: the number of decimal positions, 0 to 18."));
    QApplication::beep();
    return false;
  }
  // The text as it would be with the selection replaced by the digit.
  HWND edit = s->editControl();
  char text[64] = {};
  GetWindowTextA(edit, text, sizeof text);
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  QString value = QString::fromLatin1(text);
  value.replace(static_cast<int>(start), static_cast<int>(end - start), QLatin1Char(c));
  if (value.toInt() > kMaxDecimals || value.size() > 2) {
    frame_.setStatusText(QStringLiteral("A decimal has at most 18 decimal positions; %1 is too many.").arg(value));
    QApplication::beep();
    return false;
  }
  return true;
}

// Row selection and moves by keyboard; true when the key was one of them.
bool GridView::rowKey(int key, Qt::KeyboardModifiers mods) {
  RowKeys rows(frontEnd_, *sheet());
  const Qt::KeyboardModifiers held = mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (key == Qt::Key_Space && held == Qt::ShiftModifier) {
    rows.selectCurrentRow();
  } else if (key == Qt::Key_Space && held == Qt::ControlModifier) {
    rows.toggleCurrentRow();
  } else if ((key == Qt::Key_Up || key == Qt::Key_Down) && held == Qt::ShiftModifier) {
    rows.extendSelection(key == Qt::Key_Up ? -1 : 1);
  } else if ((key == Qt::Key_Up || key == Qt::Key_Down) && held == Qt::AltModifier) {
    if (!rows.moveRows(key == Qt::Key_Up ? -1 : 1)) QApplication::beep();
  } else {
    return false;
  }
  return true;
}

}  // namespace desktop
