// Drives the real desktop program with mouse and key events on the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QHelpEvent>
#include <QListWidget>
#include <QToolTip>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "application.h"
#include "find_bar.h"
#include "frame_window.h"
#include "grid_view.h"
#include "quill/grid_sheet.h"
#include "type_completion.h"
#include "quill/library.h"

using desktop::FrameWindow;
using desktop::GridView;

namespace {

// Answers the next modal dialog once it is shown. The timer ends with its answer;
// delete it to withdraw an answer that was not needed.
QTimer* WhenDialogShows(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    timer->stop();
    timer->deleteLater();
    answer(modal);
  });
  timer->start();
  return timer;
}

// Acts on the next pop-up menu once it is shown.
void WhenPopupShows(std::function<void(QMenu*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    timer->stop();
    timer->deleteLater();
    act(menu);
  });
  timer->start();
}

QPushButton* ButtonNamed(QWidget* dialog, const QString& text) {
  for (auto* button : dialog->findChildren<QPushButton*>())
    if (button->text().remove(QLatin1Char('&')) == text) return button;
  return nullptr;
}

void Click(QWidget* dialog, const QString& text) {
  QPushButton* button = ButtonNamed(dialog, text);
  QVERIFY2(button, qPrintable(QStringLiteral("no button ") + text));
  button->click();
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<desktop::Application> app_;
  QString library_;

  FrameWindow* newStructure() {
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("New")); });
    FrameWindow* frame = app_->newGlobalEditor();
    if (frame) {
      frame->resize(700, 420);
      QApplication::processEvents();
    }
    return frame;
  }

  static quill::GridSheet& Sheet(FrameWindow* frame) { return *frame->gridView()->sheet(); }

  // The toolbar button and the Edit menu item of a command.
  static QAction* ToolAction(FrameWindow* frame, int id) {
    for (QAction* action : frame->findChild<QToolBar*>()->actions())
      if (action->data().toInt() == id) return action;
    return nullptr;
  }
  static QMenu* EditMenu(FrameWindow* frame) { return frame->menuBar()->actions().at(1)->menu(); }

  static QString Names(FrameWindow* frame) {
    QStringList names;
    for (std::uint32_t row = 1; row <= Sheet(frame).rowCount(); ++row)
      names << QString::fromStdString(Sheet(frame).cellText(row, 1));
    return names.join(QLatin1Char(','));
  }
  static QString Selected(FrameWindow* frame) {
    QStringList rows;
    for (std::uint32_t row = 1; row <= Sheet(frame).rowCount(); ++row)
      if (Sheet(frame).isSelected(row)) rows << QString::number(row);
    return rows.join(QLatin1Char(','));
  }

  void saveAs(FrameWindow* frame, const QString& name) {
    WhenDialogShows([name](QWidget* dialog) {
      dialog->findChildren<QLineEdit*>().at(0)->setText(name);
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
  }

  static void ClickCell(FrameWindow* frame, std::uint32_t row, int column, Qt::KeyboardModifiers mods = {}) {
    GridView* view = frame->gridView();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, mods, view->cellRect(row, column).center());
  }

  static void TypeRow(FrameWindow* frame, const char* name, const char* type) {
    GridView* view = frame->gridView();
    QTest::keyClicks(view, QString::fromLatin1(name));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QString::fromLatin1(type));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClick(view, Qt::Key_Enter);
    // Enter went down from the decimals cell; go back to the name column of that row.
    QTest::keyClick(view, Qt::Key_Tab);
  }

  FrameWindow* threeVariables() {
    FrameWindow* frame = newStructure();
    if (!frame) return nullptr;
    ClickCell(frame, 1, 1);
    GridView* view = frame->gridView();
    QTest::keyClicks(view, QStringLiteral("qty"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("int"));
    QTest::keyClick(view, Qt::Key_Enter);
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QStringLiteral("price"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("dec"));
    QTest::keyClick(view, Qt::Key_Enter);
    ClickCell(frame, 3, 1);
    QTest::keyClicks(view, QStringLiteral("label"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("char"));
    QTest::keyClick(view, Qt::Key_Enter);
    return frame;
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    // Layout settings the tests make stay in the test's own folder.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("settings")));
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillmaker"), QStringLiteral("layout")).clear();
    library_ = dir_.filePath(QStringLiteral("test%1.lib").arg(QRandomGenerator::global()->generate()));
    desktop::AppOptions options;
    options.library = library_;
    options.profilePath = dir_.filePath(QStringLiteral("none.ini"));
    options.modulePath = qEnvironmentVariable("QST_MODULE", QStringLiteral(QUILL_MODULE_PATH));
    app_ = std::make_unique<desktop::Application>(options);
    QVERIFY2(app_->start(), qPrintable(app_->error()));
  }

  void cleanup() {
    for (FrameWindow* frame : FrameWindow::all()) {
      QPointer<QTimer> answer = WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("No")); });
      frame->close();
      delete answer.data();
    }
    app_.reset();
  }

  void typesThreeVariablesWithAbbreviationsExpanded() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    auto& sheet = Sheet(frame);
    QCOMPARE(QString::fromStdString(sheet.cellText(1, 1)), QStringLiteral("qty"));
    QCOMPARE(QString::fromStdString(sheet.cellText(1, 2)), QStringLiteral("integer"));
    QCOMPARE(QString::fromStdString(sheet.cellText(2, 2)), QStringLiteral("decimal"));
    QCOMPARE(QString::fromStdString(sheet.cellText(3, 1)), QStringLiteral("label"));
    QCOMPARE(QString::fromStdString(sheet.cellText(3, 2)), QStringLiteral("character"));
    QCOMPARE(sheet.rowCount(), 4u);
    QCOMPARE(sheet.cellText(4, 4), std::string("\xAE"));
    QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Structure - (Untitled)")));
  }

  void typingWithNoCurrentCellStartsInTheEntryRow() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    auto& sheet = Sheet(frame);
    QCOMPARE(sheet.currentRow(), 0u);
    QTest::keyClicks(frame->gridView(), QStringLiteral("qty"));
    QTest::keyClick(frame->gridView(), Qt::Key_Tab);
    QCOMPARE(sheet.cellText(1, 1), std::string("qty"));
    QCOMPARE(sheet.cellText(1, 2), std::string("string"));
    QCOMPARE(sheet.cellText(2, 4), std::string("\xAE"));
  }

  void dragsTwoRowsAndUndoesWithCtrlZ() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    ClickCell(frame, 2, 0);
    ClickCell(frame, 3, 0, Qt::ShiftModifier);
    auto& sheet = Sheet(frame);
    QVERIFY(sheet.isSelected(2) && sheet.isSelected(3));
    // Press on a selected row's indicator, drag over row 1, release there.
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->cellRect(3, 0).center());
    QTest::mouseMove(view->viewport(), view->cellRect(2, 0).center());
    QTest::mouseMove(view->viewport(), view->cellRect(1, 0).center());
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, view->cellRect(1, 0).center());
    QCOMPARE(QString::fromStdString(sheet.cellText(1, 1)), QStringLiteral("price"));
    QCOMPARE(QString::fromStdString(sheet.cellText(2, 1)), QStringLiteral("label"));
    QCOMPARE(QString::fromStdString(sheet.cellText(3, 1)), QStringLiteral("qty"));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(sheet.cellText(1, 1)), QStringLiteral("qty"));
    QCOMPARE(QString::fromStdString(sheet.cellText(2, 1)), QStringLiteral("price"));
    QCOMPARE(QString::fromStdString(sheet.cellText(3, 1)), QStringLiteral("label"));
  }

  void cutsAndPastesRowsThroughTheSystemClipboard() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    ClickCell(frame, 1, 0);
    QTest::keyClick(view, Qt::Key_X, Qt::ControlModifier);
    auto& sheet = Sheet(frame);
    QCOMPARE(QString::fromStdString(sheet.cellText(1, 1)), QStringLiteral("price"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("\tinteger\t\tqty\r\n"));
    // Text from another program pastes as rows too.
    QApplication::clipboard()->setText(QStringLiteral("\tstring\t\tnote\r\n"));
    ClickCell(frame, 1, 1);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(sheet.cellText(1, 1)), QStringLiteral("note"));
    QCOMPARE(QString::fromStdString(sheet.cellText(2, 1)), QStringLiteral("price"));
  }

  void savesWithCtrlSThroughTheDialogAndReopens() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    WhenDialogShows([](QWidget* dialog) {
      dialog->findChildren<QLineEdit*>().at(0)->setText(QStringLiteral("s_order"));
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Structure - s_order - ")));
    std::string error;
    auto library = quill::Library::open(library_.toStdString(), false, &error);
    QVERIFY2(library, error.c_str());
    QVERIFY(library->entrySource("s_order").has_value());
    frame->close();
    QTRY_VERIFY(FrameWindow::all().empty());

    WhenDialogShows([](QWidget* dialog) {
      auto* list = dialog->findChild<QTreeWidget*>();
      QVERIFY(list && list->topLevelItemCount() == 1);
      list->setCurrentItem(list->topLevelItem(0));
      Click(dialog, QStringLiteral("Open"));
    });
    FrameWindow* reopened = app_->newGlobalEditor();
    QVERIFY(reopened);
    auto& sheet = Sheet(reopened);
    QCOMPARE(sheet.rowCount(), 4u);
    QCOMPARE(QString::fromStdString(sheet.cellText(2, 1)), QStringLiteral("price"));
    QCOMPARE(QString::fromStdString(sheet.cellText(3, 2)), QStringLiteral("character"));
  }

  // A name in use: No keeps the dialog open for another name. A name whose bytes
  // its record cannot hold is refused, the dialog still open, not cut short.
  void saveDialogAsksBeforeReplacingAndRefusesNamesTooLongForTheRecord() {
    quill::Library::open(library_.toStdString(), true, nullptr)
        ->writeEntry("s_order", "global type s_order from structure\r\n\tstring\t\tx\r\nend type", "", nullptr);
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    QString question, refusal;
    bool openAfterNo = false, openAfterRefusal = false;
    WhenDialogShows([&](QWidget* dialog) {
      QLineEdit* name = dialog->findChildren<QLineEdit*>().at(0);
      name->setText(QStringLiteral("S_ORDER"));
      WhenDialogShows([&](QWidget* box) {
        question = static_cast<QMessageBox*>(box)->text();
        Click(box, QStringLiteral("No"));
      });
      Click(dialog, QStringLiteral("Save"));
      openAfterNo = dialog->isVisible();
      name->setText(QString(39, QChar(0xE9)));  // 39 characters, 78 bytes
      WhenDialogShows([&](QWidget* box) {
        refusal = static_cast<QMessageBox*>(box)->text();
        Click(box, QStringLiteral("OK"));
      });
      Click(dialog, QStringLiteral("Save"));
      openAfterRefusal = dialog->isVisible();
      Click(dialog, QStringLiteral("Cancel"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(question, QStringLiteral("s_order already exists in %1.\nDo you want to replace it?").arg(library_));
    QVERIFY(openAfterNo);
    QCOMPARE(refusal, QStringLiteral("The name is too long: it may hold at most 40 bytes."));
    QVERIFY(openAfterRefusal);
    QCOMPARE(frame->windowTitle(), QStringLiteral("Structure - (Untitled)[*]"));
  }

  // Why a save failed stands under the module's message.
  void failedSaveShowsTheReasonAsInformativeText() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    const QString folder = dir_.path();  // a folder is no library
    QString text, detail;
    WhenDialogShows([&](QWidget* dialog) {
      QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
      fields.at(0)->setText(QStringLiteral("s_order"));
      fields.at(1)->setText(folder);
      WhenDialogShows([&](QWidget* box) {
        text = static_cast<QMessageBox*>(box)->text();
        detail = static_cast<QMessageBox*>(box)->informativeText();
        Click(box, QStringLiteral("OK"));
      });
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(text, QStringLiteral("Save of structure failed."));
    QCOMPARE(detail, folder + QStringLiteral(" is not a library file."));
  }

  void asksBeforeClosingAChangedStructure() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    QString question;
    WhenDialogShows([&question](QWidget* dialog) {
      question = static_cast<QMessageBox*>(dialog)->text();
      Click(dialog, QStringLiteral("Cancel"));
    });
    frame->close();
    QCOMPARE(question, QStringLiteral("Save changes to (Untitled)?"));
    QCOMPARE(FrameWindow::all().size(), std::size_t(1));
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("No")); });
    frame->close();
    QTRY_VERIFY(FrameWindow::all().empty());
  }

  // The toolbar shows the Edit states at once, without the Edit menu being opened.
  void toolbarAgreesWithTheEditMenu() {
    constexpr int kUndo = 1258, kCut = 1260, kCopy = 1262, kClear = 1266;
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    QVERIFY(!ToolAction(frame, kUndo)->isEnabled());
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("qty"));
    QVERIFY(ToolAction(frame, kUndo)->isEnabled());
    QVERIFY(!ToolAction(frame, kCut)->isEnabled());
    QVERIFY(!ToolAction(frame, kCopy)->isEnabled());
    // Selecting the typed text, then a row, enables what acts on a selection.
    QTest::keyClick(frame->gridView(), Qt::Key_Home, Qt::ShiftModifier);
    QVERIFY(ToolAction(frame, kCut)->isEnabled());
    QTest::keyClick(frame->gridView(), Qt::Key_End);
    QVERIFY(!ToolAction(frame, kClear)->isEnabled());
    ClickCell(frame, 1, 0);
    QVERIFY(ToolAction(frame, kCut)->isEnabled() && ToolAction(frame, kClear)->isEnabled());
    // Opening the Edit menu changes nothing on the toolbar: both already agree.
    QMenu* edit = EditMenu(frame);
    std::vector<bool> before;
    for (int id : {kUndo, kCut, kCopy, 1264, kClear}) before.push_back(ToolAction(frame, id)->isEnabled());
    emit edit->aboutToShow();
    int i = 0;
    for (int id : {kUndo, kCut, kCopy, 1264, kClear}) {
      QCOMPARE(ToolAction(frame, id)->isEnabled(), before[i++]);
      for (QAction* item : edit->actions())
        if (item->data().toInt() == id) QCOMPARE(item->isEnabled(), ToolAction(frame, id)->isEnabled());
    }
  }

  void selectsAndMovesRowsByKeyboard() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    ClickCell(frame, 1, 2);
    QTest::keyClick(view, Qt::Key_Space, Qt::ShiftModifier);
    QCOMPARE(Selected(frame), QStringLiteral("1"));
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(Selected(frame), QStringLiteral("1,2"));
    QCOMPARE(Sheet(frame).currentRow(), 2u);
    QCOMPARE(Sheet(frame).currentColumn(), 2);
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(Names(frame), QStringLiteral("label,qty,price,"));
    QCOMPARE(Selected(frame), QStringLiteral("2,3"));
    // Not across the entry row.
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    QCOMPARE(Names(frame), QStringLiteral("label,qty,price,"));
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Names(frame), QStringLiteral("qty,price,label,"));
    QVERIFY(frame->isWindowModified());

    // Shift+Up from the top of a selection grows it upwards, then shrinks it back.
    ClickCell(frame, 3, 1);
    QTest::keyClick(view, Qt::Key_Space, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);
    QCOMPARE(Selected(frame), QStringLiteral("1,2,3"));
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(Selected(frame), QStringLiteral("2,3"));

    // Ctrl+Space toggles single rows; Alt+Up moves them as one block.
    ClickCell(frame, 3, 1);
    QCOMPARE(Selected(frame), QString());
    QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(Selected(frame), QString());
    QTest::keyClick(view, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(Selected(frame), QStringLiteral("3"));
    QTest::keyClick(view, Qt::Key_Up, Qt::AltModifier);
    QTest::keyClick(view, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(Names(frame), QStringLiteral("label,qty,price,"));
    QCOMPARE(Sheet(frame).currentRow(), 1u);
    QTest::keyClick(view, Qt::Key_Up, Qt::AltModifier);  // already at the top
    QCOMPARE(Names(frame), QStringLiteral("label,qty,price,"));
    // One level of undo, as for a drag: the last move goes back.
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Names(frame), QStringLiteral("qty,label,price,"));
  }

  void gridKeysWidthsMenuFindAndDecimals() {
    QString rows;
    for (int i = 1; i <= 60; ++i)
      rows += i == 30 ? QStringLiteral("\tdecimal {2}\t\tv30\r\n") : QStringLiteral("\tinteger\t\tv%1\r\n").arg(i);
    QApplication::clipboard()->setText(rows);
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    auto& sheet = Sheet(frame);
    ClickCell(frame, 1, 1);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(sheet.rowCount(), 61u);

    // Paging and the ends of the grid.
    const std::uint32_t page = (view->viewport()->height() - view->headerHeight()) / view->rowHeight();
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(sheet.currentRow(), 61u);
    QVERIFY(view->viewport()->rect().contains(view->cellRect(61, 1)));
    QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(sheet.currentRow(), 1u);
    QTest::keyClick(view, Qt::Key_PageDown);
    QCOMPARE(sheet.currentRow(), 1 + page);
    QTest::keyClick(view, Qt::Key_PageUp);
    QCOMPARE(sheet.currentRow(), 1u);

    // A column widened by its header border stays wide in the next window.
    const QRect name = view->cellRect(1, 1);
    const QPoint border(name.right() + 1, view->headerHeight() / 2);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, border);
    QTest::mouseMove(view->viewport(), border + QPoint(40, 0));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, border + QPoint(40, 0));
    QCOMPARE(view->cellRect(1, 1).width(), name.width() + 40);
    FrameWindow* second = newStructure();
    QVERIFY(second);
    QCOMPARE(second->gridView()->cellRect(1, 1).width(), name.width() + 40);
    second->close();

    // The right button on a row's header selects it and offers the Edit commands.
    QStringList offered;
    WhenPopupShows([&offered](QMenu* menu) {
      for (QAction* action : menu->actions())
        if (!action->isSeparator()) offered << action->text().section(QLatin1Char('\t'), 0, 0) + (action->isEnabled() ? "" : "-");
      for (QAction* action : menu->actions())
        if (action->text().startsWith(QStringLiteral("Cu&t"))) action->trigger();
      menu->close();
    });
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, view->cellRect(2, 0).center());
    QCOMPARE(offered.mid(1, 4), QStringList({"Cu&t", "&Copy", "&Paste", "Cl&ear"}));
    QCOMPARE(QString::fromStdString(sheet.cellText(2, 1)), QStringLiteral("v3"));

    // Ctrl+F finds by type or name, goes round the ends, and goes backwards.
    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    QLineEdit* field = frame->findChild<desktop::FindBar*>()->field();
    QVERIFY(field->isVisible());
    QTest::keyClicks(field, QStringLiteral("DEC"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(QString::fromStdString(sheet.cellText(sheet.currentRow(), 1)), QStringLiteral("v30"));
    QCOMPARE(sheet.currentColumn(), 2);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(QString::fromStdString(sheet.cellText(sheet.currentRow(), 1)), QStringLiteral("v30"));
    QVERIFY(frame->statusBar()->currentMessage().contains(QStringLiteral("from the top")));
    field->clear();
    QTest::keyClicks(field, QStringLiteral("v1"));
    QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(QString::fromStdString(sheet.cellText(sheet.currentRow(), 1)), QStringLiteral("v19"));
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!field->isVisible());

    // The Dec cell takes digits for 0 to 18 and says why it refuses anything else.
    const std::uint32_t v30 = sheet.currentRow() + 11;
    QCOMPARE(QString::fromStdString(sheet.cellText(v30, 1)), QStringLiteral("v30"));
    ClickCell(frame, v30, 3);
    QTest::keyClicks(view, QStringLiteral("x"));
    QVERIFY(frame->statusBar()->currentMessage().contains(QStringLiteral("digits only")));
    QTest::keyClicks(view, QStringLiteral("44"));
    QVERIFY(frame->statusBar()->currentMessage().contains(QStringLiteral("44 is too many")));
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(sheet.cellNumber(v30, 3), std::optional<double>(4));
  }

  static QStringList Offered(FrameWindow* frame) {
    QStringList labels;
    desktop::TypeCompletion* list = frame->gridView()->typeCompletion();
    if (list->isVisible())
      for (int i = 0; i < list->count(); ++i) labels << list->item(i)->text();
    return labels;
  }

  void typeCellOffersTypesAndStructures() {
    FrameWindow* saved = newStructure();
    QVERIFY(saved);
    ClickCell(saved, 1, 1);
    QTest::keyClicks(saved->gridView(), QStringLiteral("street"));
    saveAs(saved, QStringLiteral("s_addr"));
    // A structure is never offered to itself.
    ClickCell(saved, 1, 2);
    QTest::keyClick(saved->gridView(), Qt::Key_F4);
    QVERIFY(!Offered(saved).isEmpty());
    QVERIFY(!Offered(saved).contains(QStringLiteral("s_addr (structure)")));
    QTest::keyClick(saved->gridView(), Qt::Key_Escape);
    QVERIFY(Offered(saved).isEmpty());

    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    ClickCell(frame, 1, 1);
    QTest::keyClicks(view, QStringLiteral("home"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("S"));
    QCOMPARE(Offered(frame), QStringList({"singlelineedit", "statictext", "string", "s_addr (structure)"}));
    QTest::keyClicks(view, QStringLiteral("_"));
    QCOMPARE(Offered(frame), QStringList({"s_addr (structure)"}));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(Offered(frame).isEmpty());
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(QString::fromStdString(Sheet(frame).cellText(1, 2)), QStringLiteral("s_addr"));

    // The drop-down lists everything, abbreviations shown; typing filters it.
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QStringLiteral("qty"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClick(view, Qt::Key_Down, Qt::AltModifier);
    const QStringList all = Offered(frame);
    QCOMPARE(all.size(), 41);
    QVERIFY(all.contains(QStringLiteral("integer (int)")) && all.contains(QStringLiteral("decimal (dec)")) &&
            all.contains(QStringLiteral("character (char)")));
    QCOMPARE(all.last(), QStringLiteral("s_addr (structure)"));
    QTest::keyClicks(view, QStringLiteral("INT"));
    QCOMPARE(Offered(frame), QStringList({"integer (int)"}));
    // A click on an entry chooses it as typing would: one undoable typing edit.
    desktop::TypeCompletion* list = view->typeCompletion();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(QString::fromStdString(Sheet(frame).cellText(2, 2)), QStringLiteral("integer"));

    // An embedded editor also offers its owner's other local structures.
    app_->host().addObject("window", "w_main");
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("New")); });
    FrameWindow* local = app_->newEmbeddedEditor(QStringLiteral("w_main"));
    QVERIFY(local);
    ClickCell(local, 1, 1);
    QTest::keyClicks(local->gridView(), QStringLiteral("a"));
    saveAs(local, QStringLiteral("s_local"));
    QTest::keyClick(local->gridView(), Qt::Key_N, Qt::ControlModifier);
    ClickCell(local, 1, 1);
    QTest::keyClicks(local->gridView(), QStringLiteral("b"));
    QTest::keyClick(local->gridView(), Qt::Key_Tab);
    QTest::keyClick(local->gridView(), Qt::Key_F4);
    QCOMPARE(Offered(local).mid(40), QStringList({"s_addr (structure)", "s_local (local structure)"}));
  }

  static QStringList Panel(FrameWindow* frame) {
    QStringList lines;
    auto* dock = frame->findChild<QDockWidget*>();
    if (dock && dock->isVisible())
      for (int i = 0; i < dock->findChild<QListWidget*>()->count(); ++i)
        lines << dock->findChild<QListWidget*>()->item(i)->text();
    return lines;
  }
  static QString RowTip(FrameWindow* frame, std::uint32_t row) {
    GridView* view = frame->gridView();
    const QPoint at = view->cellRect(row, 0).center();
    QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  }

  void errorsShowAsYouWork() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    ClickCell(frame, 1, 1);
    QTest::keyClicks(view, QStringLiteral("qty"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("nosuch"));
    QTest::keyClick(view, Qt::Key_Tab);
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QStringLiteral("QTY"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("dec"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("9"));
    // Nothing is checked while the keys come: only once the user pauses.
    QVERIFY(Panel(frame).isEmpty());
    const QStringList expected = {"Row 1: qty: Unknown type \"nosuch\".",
                                  "Row 2: QTY: Duplicate variable name: same as \"qty\" apart from letter case."};
    QTRY_COMPARE(Panel(frame), expected);
    QCOMPARE(RowTip(frame, 1), QStringLiteral("Unknown type \"nosuch\"."));
    QTRY_COMPARE(RowTip(frame, 3), QString());  // the tip fades out

    // A failed save lists the same errors at once, by row.
    saveAs(frame, QStringLiteral("s_checked"));
    QCOMPARE(Panel(frame), expected);
    // Fixed rows clear the marks and the panel.
    ClickCell(frame, 1, 2);
    QTest::keyClicks(view, QStringLiteral("long"));
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QStringLiteral("price"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTRY_VERIFY(Panel(frame).isEmpty());
    QTRY_COMPARE(RowTip(frame, 1), QString());
    saveAs(frame, QStringLiteral("s_checked"));
    QVERIFY(!frame->isWindowModified());
    QVERIFY(Panel(frame).isEmpty());
  }

  void titleShowsLibraryAndUnsavedMark() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    QCOMPARE(frame->windowTitle(), QStringLiteral("Structure - (Untitled)[*]"));
    QVERIFY(!frame->isWindowModified());
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("q"));
    QVERIFY(frame->isWindowModified());
    saveAs(frame, QStringLiteral("s_mark"));
    const QString file = QFileInfo(library_).fileName();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Structure - s_mark - %1[*]").arg(file));
    QVERIFY(!frame->isWindowModified());
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Saved s_mark to %1").arg(library_));
    // Moving about is no change, also out of a type cell the editor reads again; a typed character is.
    ClickCell(frame, 1, 2);
    QTest::keyClick(frame->gridView(), Qt::Key_Tab);
    QTest::keyClick(frame->gridView(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!frame->isWindowModified());
    ClickCell(frame, 1, 1);
    QTest::keyClick(frame->gridView(), Qt::Key_Down);
    QVERIFY(!frame->isWindowModified());
    QTest::keyClicks(frame->gridView(), QStringLiteral("x"));
    QVERIFY(frame->isWindowModified());
    // A failed save keeps the mark: the rows still differ from the library.
    ClickCell(frame, 2, 2);
    QTest::keyClicks(frame->gridView(), QStringLiteral("nosuchtype"));
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(frame->isWindowModified());
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("No")); });
    frame->close();
    QTRY_VERIFY(FrameWindow::all().empty());
    // Opened again from the library: clean, and named after its library.
    FrameWindow* reopened = app_->newGlobalEditor(QStringLiteral("s_mark"));
    QVERIFY(reopened);
    QCOMPARE(reopened->windowTitle(), QStringLiteral("Structure - s_mark - %1[*]").arg(file));
    QVERIFY(!reopened->isWindowModified());
  }
};

QTEST_MAIN(DesktopTest)
#include "desktop_tests.moc"
