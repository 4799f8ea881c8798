// The grid as assistive technology sees it: a table of the variables, rows by
// number with the entry row named, columns Name, Type and Dec, each cell's text
// and state, and a marked row's errors as its header's description.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>

#include <cstdint>
#include <deque>
#include <map>
#include <utility>

namespace desktop {

class GridView;

// Installs the factory that gives every GridView this interface.
void InstallGridAccessibility();

// The table. Its children are the header band (a corner and the column headers),
// then for each row its header and its cells: index (row * 4) + column, with grid
// rows from 1 and column 0 the row header. Cells are made when asked for and kept
// in a bounded cache, so a million rows cost nothing until a reader visits them.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit GridAccessible(GridView* view);
  ~GridAccessible() override;

  // The most cell interfaces kept at once; older ones are given back to Qt.
  static constexpr std::size_t kCachedCells = 512;
  // Selected rows listed at most (a screen reader reads no more), well below the cache.
  static constexpr int kListedSelection = 100;

  // The interface of a grid cell: row 0 is the header band, column 0 the row header.
  QAccessibleInterface* cell(std::uint32_t row, int column) const;
  std::size_t cachedCells() const { return cells_.size(); }
  // The selected grid rows in order, at most limit of them: the grid finds the
  // next selected row without looking at the others.
  QList<std::uint32_t> selectedGridRows(int limit) const;
  // Forgets the cells of rows that no longer exist.
  void dropRowsAfter(std::uint32_t lastRow);
  // The cells asked for so far that are still kept, for change notices about them.
  template <typename Visit>
  void forEachCachedCell(Visit visit) const {
    for (const auto& [key, id] : cells_) visit(key.first, key.second, QAccessible::accessibleInterface(id));
  }

  // ---- QAccessibleInterface ---------------------------------------------------
  void* interface_cast(QAccessible::InterfaceType type) override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QAccessible::State state() const override;

  // ---- QAccessibleTableInterface ----------------------------------------------
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override;
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override;
  int columnCount() const override;
  int rowCount() const override;
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override;
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override;
  // The selection is the editor's: it changes by the user's keys and clicks only.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  GridView* view() const;

  using Key = std::pair<std::uint32_t, int>;
  mutable std::map<Key, QAccessible::Id> cells_;
  mutable std::deque<Key> made_;  // oldest first
};

// One cell of the grid, a row header, a column header or the corner.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  GridCellAccessible(GridView* view, std::uint32_t row, int column);

  std::uint32_t gridRow() const { return row_; }
  int gridColumn() const { return column_; }

  // ---- QAccessibleInterface ---------------------------------------------------
  bool isValid() const override;
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // ---- QAccessibleTableCellInterface (data cells only) -----------------------
  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override;
  QList<QAccessibleInterface*> rowHeaderCells() const override;
  int columnIndex() const override { return column_ - 1; }
  int rowIndex() const override { return static_cast<int>(row_) - 1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  GridAccessible* grid() const;
  bool isDataCell() const { return row_ != 0 && column_ != 0; }

  QPointer<GridView> view_;
  std::uint32_t row_;
  int column_;
};

}  // namespace desktop
