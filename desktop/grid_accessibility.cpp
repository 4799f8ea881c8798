// The grid's table interface and its cells, answered from the grid engine on
// each question: nothing is walked over all rows.
#include "grid_accessibility.h"

#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "grid_view.h"
#include "qst/grid_engine.h"
#include "quill/grid_sheet.h"

namespace desktop {
namespace {

constexpr int kBand = kLastDataColumn + 1;  // children a row has: its header and its cells

QAccessibleInterface* GridFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("desktop::GridView") && object && object->isWidgetType())
    return new GridAccessible(static_cast<GridView*>(object));
  return nullptr;
}

}  // namespace

void InstallGridAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(GridFactory);
}

// ---- The table ----------------------------------------------------------------

GridAccessible::GridAccessible(GridView* view) : QAccessibleWidget(view, QAccessible::Table) {}

GridAccessible::~GridAccessible() {
  for (const auto& [key, id] : cells_) QAccessible::deleteAccessibleInterface(id);
}

GridView* GridAccessible::view() const { return static_cast<GridView*>(widget()); }

QAccessibleInterface* GridAccessible::cell(std::uint32_t row, int column) const {
  auto* s = view()->sheet();
  if (!s || row > s->rowCount() || column < 0 || column > kLastDataColumn) return nullptr;
  const Key key{row, column};
  if (auto found = cells_.find(key); found != cells_.end()) {
    // The last asked for is kept longest: a reader may still hold the cell it asked about.
    made_.erase(std::find(made_.begin(), made_.end(), key));
    made_.push_back(key);
    return QAccessible::accessibleInterface(found->second);
  }
  auto* made = new GridCellAccessible(view(), row, column);
  cells_[key] = QAccessible::registerAccessibleInterface(made);
  made_.push_back(key);
  // A reader holds cells by id and asks again when one is gone, so the oldest may go.
  while (cells_.size() > kCachedCells) {
    const Key oldest = made_.front();
    made_.pop_front();
    if (auto it = cells_.find(oldest); it != cells_.end()) {
      QAccessible::deleteAccessibleInterface(it->second);
      cells_.erase(it);
    }
  }
  return made;
}

void GridAccessible::dropRowsAfter(std::uint32_t lastRow) {
  for (auto it = cells_.upper_bound(Key{lastRow, kLastDataColumn}); it != cells_.end();) {
    QAccessible::deleteAccessibleInterface(it->second);
    it = cells_.erase(it);
  }
  std::erase_if(made_, [lastRow](const Key& key) { return key.first > lastRow; });
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

int GridAccessible::rowCount() const {
  auto* s = view()->sheet();
  return s ? static_cast<int>(std::min<std::uint32_t>(s->rowCount(), INT_MAX / kBand - 1)) : 0;
}

int GridAccessible::columnCount() const { return kLastDataColumn; }

int GridAccessible::childCount() const { return (rowCount() + 1) * kBand; }

QAccessibleInterface* GridAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  return cell(static_cast<std::uint32_t>(index / kBand), index % kBand);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (const auto& [key, id] : cells_)
    if (QAccessible::accessibleInterface(id) == child) return static_cast<int>(key.first) * kBand + key.second;
  return -1;
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
  const QPoint point = view()->viewport()->mapFromGlobal(QPoint(x, y));
  if (point.y() >= 0 && point.y() < view()->headerHeight())
    for (int column = ColRowIndicator; column <= kLastDataColumn; ++column)
      if (const QRect rect = view()->cellRect(1, column); point.x() >= rect.left() && point.x() <= rect.right())
        return cell(0, column);
  const auto [object, row] = view()->objectAt(point);
  const int column = GridColumnOfObject(object);
  return row != 0 && column >= 0 ? cell(row, column) : nullptr;
}

QAccessibleInterface* GridAccessible::focusChild() const {
  auto* s = view()->sheet();
  if (!s || s->currentRow() == 0 || s->currentColumn() == ColRowIndicator) return nullptr;
  return cell(s->currentRow(), s->currentColumn());
}

QAccessible::State GridAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.multiSelectable = true;
  state.extSelectable = true;
  return state;
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
  return cell(static_cast<std::uint32_t>(row) + 1, column + 1);
}

QString GridAccessible::columnDescription(int column) const { return GridView::columnTitle(column + 1); }

QString GridAccessible::rowDescription(int row) const {
  return row >= 0 ? view()->errorText(static_cast<std::uint32_t>(row) + 1) : QString();
}

QList<std::uint32_t> GridAccessible::selectedGridRows(int limit) const {
  QList<std::uint32_t> rows;
  auto* s = view()->sheet();
  if (!s) return rows;
  for (std::uint32_t row = GridNextSelectedRow(s->window(), 0); row != 0 && rows.size() < limit;
       row = GridNextSelectedRow(s->window(), row))
    rows.push_back(row);
  return rows;
}

int GridAccessible::selectedRowCount() const {
  auto* s = view()->sheet();
  int count = 0;
  if (s)
    for (std::uint32_t row = GridNextSelectedRow(s->window(), 0); row != 0; row = GridNextSelectedRow(s->window(), row))
      ++count;
  return count;
}

QList<int> GridAccessible::selectedRows() const {
  QList<int> rows;
  for (std::uint32_t row : selectedGridRows(kListedSelection)) rows.push_back(static_cast<int>(row) - 1);
  return rows;
}

int GridAccessible::selectedCellCount() const { return selectedRowCount() * columnCount(); }

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
  QList<QAccessibleInterface*> cells;
  for (std::uint32_t row : selectedGridRows(kListedSelection))
    for (int column = ColName; column <= kLastDataColumn; ++column) cells.push_back(cell(row, column));
  return cells;
}

bool GridAccessible::isRowSelected(int row) const {
  auto* s = view()->sheet();
  return s && row >= 0 && s->isSelected(static_cast<std::uint32_t>(row) + 1);
}

// ---- A cell -------------------------------------------------------------------

GridCellAccessible::GridCellAccessible(GridView* view, std::uint32_t row, int column)
    : view_(view), row_(row), column_(column) {}

GridAccessible* GridCellAccessible::grid() const {
  return view_ ? static_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(view_.data())) : nullptr;
}

bool GridCellAccessible::isValid() const {
  auto* s = view_ ? view_->sheet() : nullptr;
  return s && row_ <= s->rowCount();
}

QWindow* GridCellAccessible::window() const {
  return view_ ? view_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridCellAccessible::parent() const { return grid(); }

QString GridCellAccessible::text(QAccessible::Text t) const {
  if (!isValid()) return {};
  switch (t) {
    case QAccessible::Name:
      if (row_ == 0) return column_ == ColRowIndicator ? QStringLiteral("Row") : GridView::columnTitle(column_);
      if (column_ == ColRowIndicator)
        return view_->isEntryRow(row_) ? QStringLiteral("%1, entry row").arg(row_) : QString::number(row_);
      return view_->cellDisplay(row_, column_);
    case QAccessible::Value: return isDataCell() ? view_->cellDisplay(row_, column_) : QString();
    case QAccessible::Description:
      // A marked row's errors, on its header and on each of its cells, so that
      // moving through the cells reads them too.
      if (row_ == 0) return {};
      if (QString errors = view_->errorText(row_); !errors.isEmpty()) return errors;
      if (isDataCell() && view_->isEntryRow(row_)) return QStringLiteral("Entry row: type a name to add a variable.");
      return {};
    default: return {};
  }
}

QRect GridCellAccessible::rect() const {
  if (!isValid()) return {};
  QRect rect = view_->cellRect(row_ == 0 ? 1 : row_, column_);
  if (row_ == 0) rect = QRect(rect.left(), 0, rect.width(), view_->headerHeight());
  return QRect(view_->viewport()->mapToGlobal(rect.topLeft()), rect.size());
}

QAccessible::Role GridCellAccessible::role() const {
  if (row_ == 0) return QAccessible::ColumnHeader;
  return column_ == ColRowIndicator ? QAccessible::RowHeader : QAccessible::Cell;
}

QAccessible::State GridCellAccessible::state() const {
  QAccessible::State state;
  if (!isValid()) {
    state.invalid = true;
    return state;
  }
  auto* s = view_->sheet();
  if (row_ != 0) {
    state.selectable = true;
    state.selected = s->isSelected(row_);
    if (!view_->rowInView(row_)) state.offscreen = true;
  }
  if (isDataCell()) {
    state.focusable = true;
    state.editable = true;
    const bool current = s->currentRow() == row_ && s->currentColumn() == column_;
    state.active = current;
    state.focused = current && view_->hasFocus();
  }
  return state;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableCellInterface && isDataCell()) return static_cast<QAccessibleTableCellInterface*>(this);
  return nullptr;
}

bool GridCellAccessible::isSelected() const {
  auto* s = view_ ? view_->sheet() : nullptr;
  return s && row_ != 0 && s->isSelected(row_);
}

QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
  GridAccessible* table = grid();
  QAccessibleInterface* header = table ? table->cell(0, column_) : nullptr;
  return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
  GridAccessible* table = grid();
  QAccessibleInterface* header = table ? table->cell(row_, ColRowIndicator) : nullptr;
  return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

}  // namespace desktop
