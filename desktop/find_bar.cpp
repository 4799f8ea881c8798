// The find bar: searching the grid's names and types from the current row on.
#include "find_bar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <cctype>

#include "qst/grid_engine.h"
#include "quill/grid_sheet.h"

namespace desktop {
namespace {

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
  return std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         }) != text.end();
}

}  // namespace

std::optional<FoundCell> FindVariable(const quill::GridSheet& sheet, const std::string& text, std::uint32_t from,
                                      bool forward) {
  const std::uint32_t count = sheet.rowCount();
  if (text.empty() || count == 0) return std::nullopt;
  std::uint32_t row = std::min(from, count);
  for (std::uint32_t step = 0; step < count; ++step) {
    // From no row (0) the first step lands on row 1, or on the last row backwards.
    if (forward)
      row = row >= count ? 1 : row + 1;
    else
      row = row <= 1 ? count : row - 1;
    const bool wrapped = forward ? (from != 0 && row <= from) : (from == 0 || row >= from);
    if (ContainsIgnoringCase(sheet.cellText(row, ColName), text)) return FoundCell{row, ColName, wrapped};
    if (ContainsIgnoringCase(sheet.cellText(row, ColType), text)) return FoundCell{row, ColType, wrapped};
  }
  return std::nullopt;
}

FindBar::FindBar(QWidget* parent) : QToolBar(QStringLiteral("Find"), parent) {
  setMovable(false);
  addWidget(new QLabel(QStringLiteral("Find name or type: "), this));
  field_ = new QLineEdit(this);
  field_->setClearButtonEnabled(true);
  field_->setAccessibleName(QStringLiteral("Find name or type"));
  addWidget(field_);
  QAction* next = addAction(QStringLiteral("Next"));
  QAction* previous = addAction(QStringLiteral("Previous"));
  QAction* close = addAction(QStringLiteral("Close"));
  next->setToolTip(QStringLiteral("Find the next match (Enter, F3)"));
  previous->setToolTip(QStringLiteral("Find the previous match (Shift+Enter, Shift+F3)"));
  close->setToolTip(QStringLiteral("Close the find bar (Escape)"));
  connect(next, &QAction::triggered, this, [this] { emit findRequested(field_->text(), true); });
  connect(previous, &QAction::triggered, this, [this] { emit findRequested(field_->text(), false); });
  connect(close, &QAction::triggered, this, [this] {
    hide();
    emit closed();
  });
  connect(field_, &QLineEdit::returnPressed, this, [this] { emit findRequested(field_->text(), true); });
  hide();
}

void FindBar::start() {
  show();
  field_->setFocus();
  field_->selectAll();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  switch (event->key()) {
    case Qt::Key_Escape:
      hide();
      emit closed();
      return;
    case Qt::Key_F3: emit findRequested(field_->text(), !shift); return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (shift) {
        emit findRequested(field_->text(), false);
        return;
      }
      break;
    default: break;
  }
  QToolBar::keyPressEvent(event);
}

}  // namespace desktop
