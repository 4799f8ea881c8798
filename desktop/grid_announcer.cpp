// Change notices of the grid for assistive technology.
#include "grid_announcer.h"

#include <QAccessible>

#include "grid_accessibility.h"
#include "grid_view.h"
#include "qst/grid_engine.h"
#include "quill/grid_sheet.h"

namespace desktop {
namespace {

GridAccessible* TableOf(GridView& view) {
  return static_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(&view));
}

}  // namespace

void GridAnnouncer::update() {
  auto* s = view_.sheet();
  if (!s || !QAccessible::isActive()) return;
  GridAccessible* table = TableOf(view_);
  if (!table) return;

  if (const std::uint32_t rows = s->rowCount(); rows != rows_) {
    const bool added = rows > rows_;
    QAccessibleTableModelChangeEvent change(
        &view_, added ? QAccessibleTableModelChangeEvent::RowsInserted : QAccessibleTableModelChangeEvent::RowsRemoved);
    change.setFirstRow(static_cast<int>(std::min(rows, rows_)));
    change.setLastRow(static_cast<int>(std::max(rows, rows_)) - 1);
    rows_ = rows;
    table->dropRowsAfter(rows);
    QAccessible::updateAccessibility(&change);
  }

  const std::uint32_t row = s->currentRow();
  const int column = s->currentColumn();
  const QString text = row != 0 ? view_.cellDisplay(row, column) : QString();
  if (row != row_ || column != column_) {
    row_ = row;
    column_ = column;
    text_ = text;
    if (view_.hasFocus()) tellFocus();
  } else if (text != text_ && row != 0) {
    text_ = text;
    if (QAccessibleInterface* cell = table->cell(row, column)) {
      QAccessibleEvent name(cell, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&name);
      QAccessibleValueChangeEvent value(cell, text);
      QAccessible::updateAccessibility(&value);
    }
  }

  QList<std::uint32_t> selection = table->selectedGridRows(GridAccessible::kListedSelection);
  if (selection != selection_) {
    // Each row that joined or left the selection, then the table's selection as a whole.
    for (std::uint32_t r : selection)
      if (!selection_.contains(r))
        if (QAccessibleInterface* header = table->cell(r, ColRowIndicator)) {
          QAccessibleEvent add(header, QAccessible::SelectionAdd);
          QAccessible::updateAccessibility(&add);
        }
    for (std::uint32_t r : selection_)
      if (!selection.contains(r) && r <= s->rowCount())
        if (QAccessibleInterface* header = table->cell(r, ColRowIndicator)) {
          QAccessibleEvent remove(header, QAccessible::SelectionRemove);
          QAccessible::updateAccessibility(&remove);
        }
    selection_ = std::move(selection);
    QAccessibleEvent within(&view_, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&within);
  }
}

void GridAnnouncer::focusIn() {
  if (!QAccessible::isActive()) return;
  update();
  tellFocus();
}

void GridAnnouncer::tellFocus() {
  GridAccessible* table = TableOf(view_);
  if (QAccessibleInterface* cell = table ? table->focusChild() : nullptr) {
    QAccessibleEvent focus(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
  }
}

void GridAnnouncer::errorsChanged() {
  if (!QAccessible::isActive()) return;
  GridAccessible* table = TableOf(view_);
  if (!table) return;
  table->forEachCachedCell([](std::uint32_t row, int, QAccessibleInterface* cell) {
    if (row == 0 || !cell) return;
    QAccessibleEvent description(cell, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
  });
}

}  // namespace desktop
