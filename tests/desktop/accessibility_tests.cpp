// The grid's answers to assistive technology inside the program: the table and
// its cells for a million rows without per-row objects, and a name for every
// control a reader lands on. The notices are read through the real bus
// (accessibility_bus_test.sh): Qt sends none without a reader listening.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "application.h"
#include "find_bar.h"
#include "frame_window.h"
#include "grid_accessibility.h"
#include "grid_view.h"
#include "gui_events.h"
#include "gui_grid.h"
#include "gui_session.h"
#include "quill/grid_sheet.h"

using desktop::FrameWindow;
using desktop::GridAccessible;
using gui::ClickCell;
using gui::Sheet;

namespace {

GridAccessible* Table(FrameWindow* frame) {
  return dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(frame->gridView()));
}

// The controls under root that a reader can land on and that have no name.
QStringList Unnamed(QWidget* root) {
  QStringList unnamed;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    // A button, or a field or list the keyboard reaches (a list's header is read by its sections).
    const bool control = qobject_cast<QAbstractButton*>(w) ||
                         ((qobject_cast<QAbstractItemView*>(w) || qobject_cast<QLineEdit*>(w) ||
                           w->inherits("desktop::GridView")) &&
                          w->focusPolicy() != Qt::NoFocus);
    if (!control || !w->isVisibleTo(root)) continue;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
      unnamed << QStringLiteral("%1 %2").arg(QLatin1String(w->metaObject()->className()), w->objectName());
  }
  return unnamed;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<desktop::Application> app_;

 private slots:
  void init() {
    const QString error = gui::StartFreshProgram(app_, dir_);
    QVERIFY2(error.isEmpty(), qPrintable(error));
  }
  void cleanup() { gui::EndProgram(app_); }

  // What a reader asks of a grid of a million rows is answered from the rows it
  // names: no cell exists before it is asked for, and asking for thousands keeps
  // only a bounded number.
  void aMillionRowsAreReadWithoutAnObjectPerRow() {
    FrameWindow* frame = gui::NewStructure(*app_);
    QVERIFY(frame);
    desktop::GridView* view = frame->gridView();
    ClickCell(frame, 1, 1);
    QTest::keyClicks(view, QStringLiteral("qty"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("nosuch"));
    QTest::keyClick(view, Qt::Key_Tab);
    // Marked while the grid is short: the check of a million rows takes its time.
    QTRY_VERIFY_WITH_TIMEOUT(view->errorText(1).contains(QStringLiteral("nosuch")), 20000);
    HWND grid = Sheet(frame).window();
    while (Sheet(frame).rowCount() < 1'000'000) GridInsertRow(grid, 0);
    view->gridChanged();
    const int rows = static_cast<int>(Sheet(frame).rowCount());

    GridAccessible* table = Table(frame);
    QVERIFY(table);
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Variables"));
    QCOMPARE(table->rowCount(), rows);
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(table->childCount(), (rows + 1) * 4);
    QCOMPARE(table->columnDescription(2), QStringLiteral("Dec"));
    QCOMPARE(table->cachedCells(), std::size_t{0});

    // The last row, its header, and the way back from a cell to its index.
    QAccessibleInterface* last = table->cellAt(rows - 1, 1);
    QVERIFY(last && last->tableCellInterface());
    QCOMPARE(last->role(), QAccessible::Cell);
    QCOMPARE(last->tableCellInterface()->rowIndex(), rows - 1);
    QVERIFY(last->state().editable && last->state().offscreen && !last->state().focused);
    QCOMPARE(last->tableCellInterface()->rowHeaderCells().value(0)->text(QAccessible::Name), QString::number(rows));
    QCOMPARE(last->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name), QStringLiteral("Type"));
    QCOMPARE(table->indexOfChild(last), rows * 4 + 2);
    QCOMPARE(table->child(rows * 4 + 2), last);
    QCOMPARE(last->parent(), table);

    // The typed row: its text, its error on the header, and the entry row after it.
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("qty"));
    QVERIFY(table->rowDescription(0).contains(QStringLiteral("nosuch")));
    QCOMPARE(table->child(4)->text(QAccessible::Description), table->rowDescription(0));
    QCOMPARE(table->child(8)->text(QAccessible::Name), QStringLiteral("2, entry row"));
    QCOMPARE(table->focusChild(), table->cellAt(0, 2));  // Dec of the typed row is current

    for (int row = 0; row < 5000; ++row) QVERIFY(table->cellAt(row * 199, row % 3));
    QVERIFY(table->cachedCells() <= GridAccessible::kCachedCells);
    QCOMPARE(table->selectedRowCount(), 0);
  }

  // Every control a reader lands on says what it is: the grid, the toolbar's
  // buttons (with a tooltip), the find bar, the completion list, the error panel
  // and the dialogs.
  void everyControlHasAName() {
    FrameWindow* frame = gui::NewStructure(*app_);
    QVERIFY(frame);
    desktop::GridView* view = frame->gridView();
    // The dialogs: Open while the structure holds nothing to save, Save As once it holds a variable.
    QStringList dialogs;
    auto inspect = [&dialogs, frame](const char* command) {
      gui::WhenDialogShows([&dialogs](QWidget* dialog) {
        dialogs << dialog->windowTitle() + QStringLiteral(": ") + Unnamed(dialog).join(QStringLiteral(", "));
        qobject_cast<QDialog*>(dialog)->reject();
      });
      for (QAction* menu : frame->menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
          if (item->text().remove(QLatin1Char('&')).startsWith(QLatin1String(command))) item->trigger();
    };
    inspect("Open");
    ClickCell(frame, 1, 1);
    QTest::keyClicks(view, QStringLiteral("qty"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("long"));
    QTest::keyClick(view, Qt::Key_Tab);
    inspect("Save As");
    QCOMPARE(dialogs, QStringList({"Open Structure: ", "Save Structure: "}));

    auto* toolbar = frame->findChild<QToolBar*>();
    QVERIFY(toolbar && !toolbar->actions().isEmpty());
    for (QAction* action : toolbar->actions())
      if (!action->isSeparator())
        QVERIFY2(!action->toolTip().isEmpty() && action->toolTip() != action->text().remove(QLatin1Char('&')) &&
                     !toolbar->widgetForAction(action)->accessibleName().isEmpty(),
                 qPrintable(action->text()));
    // The completion list and the error panel show.
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QStringLiteral("qty2"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("dat"));
    QTRY_VERIFY(view->typeCompletion()->isVisible());
    QTest::keyClick(view, Qt::Key_Escape);
    QTest::keyClicks(view, QStringLiteral("xyz"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTRY_VERIFY(frame->findChild<QDockWidget*>() && frame->findChild<QDockWidget*>()->isVisible());
    frame->startFind();
    QCOMPARE(Unnamed(frame), QStringList());
    QCOMPARE(QAccessible::queryAccessibleInterface(view->typeCompletion())->text(QAccessible::Name),
             QStringLiteral("Types"));

  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_tests.moc"
