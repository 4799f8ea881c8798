// Drives the real desktop program with mouse and key events on the offscreen platform.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QTreeWidget>

#include <functional>
#include <set>

#include "application.h"
#include "find_bar.h"
#include "frame_window.h"
#include "grid_view.h"
#include "gui_events.h"
#include "gui_grid.h"
#include "gui_session.h"
#include "live_check.h"
#include "qst/command_ids.h"
#include "quill/grid_sheet.h"
#include "quill/library.h"
#include "type_completion.h"

using desktop::FrameWindow;
using desktop::GridView;
using gui::ClickCell;
using gui::Offered;
using gui::Sheet;
using gui::ButtonNamed;
using gui::Click;
using gui::WhenDialogShows;
using gui::WhenPopupShows;

namespace {

// Replaces a field's text as the user would: select everything, type.
void TypeInto(QWidget* field, const QString& text) {
  field->setFocus();
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, text);
}

// The letters marked with & in texts; a letter given twice is reported.
QString RepeatedMnemonics(const QStringList& texts) {
  std::set<QChar> seen;
  QString repeated;
  for (const QString& text : texts) {
    const qsizetype at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
    if (at < 0) continue;
    const QChar letter = text.at(at + 1).toLower();
    if (!seen.insert(letter).second) repeated += letter;
  }
  return repeated;
}

// The access keys of a window: its buttons and the labels that lead to a field.
QStringList Mnemonics(QWidget* window) {
  QStringList texts;
  for (auto* button : window->findChildren<QAbstractButton*>())
    if (button->isVisible()) texts << button->text();
  for (auto* label : window->findChildren<QLabel*>())
    if (label->isVisible() && label->buddy()) texts << label->text();
  return texts;
}

// Texts a window shows with an & the user would see as such: a label's & is
// an access key only when it leads to a field.
QStringList LiteralAmpersands(QWidget* window) {
  QStringList shown;
  if (window->windowTitle().contains(QLatin1Char('&'))) shown << window->windowTitle();
  for (auto* label : window->findChildren<QLabel*>())
    if (label->isVisible() && !label->buddy() && label->textFormat() != Qt::RichText &&
        label->text().contains(QLatin1Char('&')))
      shown << label->text();
  return shown;
}

// Whether a comes before b as one reads: rows from the top, then from the left.
bool ReadsBefore(QWidget* a, QWidget* b) {
  const QRect ra(a->mapToGlobal(QPoint(0, 0)), a->size());
  const QRect rb(b->mapToGlobal(QPoint(0, 0)), b->size());
  if (ra.bottom() < rb.top() + rb.height() / 2 && rb.top() > ra.top()) return true;
  if (rb.bottom() < ra.top() + ra.height() / 2 && ra.top() > rb.top()) return false;
  return ra.left() < rb.left();
}

// Walks the dialog's Tab order from its focus widget once round; "" when it
// follows the reading order, else the names of the first pair out of order.
QString TabOrderFault(QWidget* dialog) {
  QList<QWidget*> chain;
  QWidget* start = dialog->focusWidget();
  for (QWidget* at = start; at && !chain.contains(at) && chain.size() < 30; at = dialog->focusWidget()) {
    chain << at;
    QTest::keyClick(at, Qt::Key_Tab);
  }
  if (chain.size() < 2) return QStringLiteral("no Tab order in ") + dialog->windowTitle();
  // Start the round at the field that reads first.
  qsizetype first = 0;
  for (qsizetype i = 1; i < chain.size(); ++i)
    if (ReadsBefore(chain[i], chain[first])) first = i;
  std::rotate(chain.begin(), chain.begin() + first, chain.end());
  for (qsizetype i = 0; i + 1 < chain.size(); ++i)
    if (!ReadsBefore(chain[i], chain[i + 1]))
      return QStringLiteral("%1: %2 before %3")
          .arg(dialog->windowTitle(), chain[i]->metaObject()->className(), chain[i + 1]->metaObject()->className());
  return {};
}

QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(20000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<desktop::Application> app_;
  QString library_;
  desktop::AppOptions options_;

  FrameWindow* newStructure() { return gui::NewStructure(*app_); }


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

  // Answers the dialogs that come one after another with the buttons given, in
  // turn, and writes down what each said: its text, and its detail after " | ".
  static void AnswerInTurn(QStringList buttons, QStringList* said) {
    if (buttons.isEmpty()) return;
    WhenDialogShows([buttons, said](QWidget* dialog) mutable {
      auto* box = qobject_cast<QMessageBox*>(dialog);
      said->append(box ? box->text() + (box->informativeText().isEmpty() ? QString() : " | " + box->informativeText())
                       : dialog->windowTitle());
      const QString button = buttons.takeFirst();
      AnswerInTurn(buttons, said);
      Click(dialog, button);
    });
  }

  // Ctrl+S through the save dialog; the boxes that follow get the buttons given.
  void saveAs(FrameWindow* frame, const QString& name, const QStringList& then = {}, QStringList* said = nullptr) {
    WhenDialogShows([name, then, said](QWidget* dialog) {
      dialog->findChildren<QLineEdit*>().at(0)->setText(name);
      AnswerInTurn(then, said);
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
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
    options_ = gui::FreshProgram(dir_);
    library_ = options_.library;
    app_ = std::make_unique<desktop::Application>(options_);
    QVERIFY2(app_->start(), qPrintable(app_->error()));
  }

  void cleanup() {
    gui::CloseEditorsUnsaved();
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
    QVERIFY(frame->isWindowModified());
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

  // A long structure is checked a part at a time between events. Whenever an edit
  // comes (before the check starts, while its rows are read, while they compile),
  // the marks end up showing the rows as they are, each error on its own row.
  void checkOfALongStructureFollowsEditsMadeWhileItRuns() {
    constexpr std::uint32_t kRows = 12000;
    QString rows;
    for (std::uint32_t i = 1; i <= kRows; ++i) rows += QStringLiteral("\tinteger\t\tv%1\r\n").arg(i);
    QApplication::clipboard()->setText(rows);
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    ClickCell(frame, 1, 1);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Sheet(frame).rowCount(), kRows + 1);
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    auto typeInLastRow = [&](const QString& type) {
      ClickCell(frame, kRows, 2);
      QTest::keyClick(view, Qt::Key_Home);
      QTest::keyClick(view, Qt::Key_End, Qt::ShiftModifier);
      QTest::keyClicks(view, type);
      QTest::keyClick(view, Qt::Key_Tab);
    };
    const int idle = desktop::LiveCheck::kIdleMilliseconds;
    const struct {
      int pause;  // after the previous edit
      const char* type;
    } edits[] = {{50, "nosuch1"}, {idle + 2, "integer"}, {idle + 40, "nosuch2"}, {2 * idle, "nosuch3"}};
    for (const auto& edit : edits) {
      QTest::qWait(edit.pause);
      typeInLastRow(QString::fromLatin1(edit.type));
    }
    const QStringList expected = {QStringLiteral("Row %1: v%1: Unknown type \"nosuch3\".").arg(kRows)};
    QTRY_COMPARE_WITH_TIMEOUT(Panel(frame), expected, 30000);
    // No earlier check reports over it later.
    QTest::qWait(3 * idle);
    QCOMPARE(Panel(frame), expected);
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
    // Its row numbers take less room there, which Name and Type share.
    QVERIFY(second->gridView()->cellRect(1, 1).width() >= name.width() + 40);
    second->close();

    // The right button on a row's header selects it and offers the Edit commands.
    QStringList offered;
    WhenPopupShows([&offered](QMenu* menu) {
      for (QAction* action : menu->actions())
        if (!action->isSeparator())
          offered << action->text().section(QLatin1Char('\t'), 0, 0) + (action->isEnabled() ? "" : "-");
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
    QCOMPARE(Offered(frame).mid(0, 4), QStringList({"singlelineedit", "statictext", "string", "s_addr (structure)"}));
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
    QCOMPARE(Offered(frame), QStringList({"integer (int)", "unsignedinteger"}));
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

  static QString CurrentPanelLine(FrameWindow* frame) {
    auto* list = frame->findChild<QDockWidget*>()->findChild<QListWidget*>();
    return list->currentItem() ? list->currentItem()->text() : QString();
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

    // A failed save lists the same errors at once, by row, once it has said so.
    QStringList said;
    saveAs(frame, QStringLiteral("s_checked"), {"OK"}, &said);
    QCOMPARE(said.size(), 1);
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

  // What the save refuses is marked while the user works, in the save's words.
  void halfFilledAndDuplicateRowsAreMarkedAsTheSaveWouldRefuseThem() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    auto& sheet = Sheet(frame);
    auto fill = [&](std::uint32_t row, int column, const char* text) {
      ClickCell(frame, row, column);
      if (*text == '\0')
        QTest::keyClick(view, Qt::Key_Backspace);
      else
        QTest::keyClicks(view, QString::fromLatin1(text));
      if (view->typeCompletion()->isVisible()) QTest::keyClick(view, Qt::Key_Escape);  // the list, not the text
      QTest::keyClick(view, Qt::Key_Tab);
    };
    const char* rows[][2] = {{"qty", "int"}, {"Qty", "long"}, {"note", "string"}, {"gone", "long"}, {"price", "dec"}};
    for (std::uint32_t row = 1; row <= 5; ++row) {
      fill(row, 1, rows[row - 1][0]);
      fill(row, 2, rows[row - 1][1]);
    }
    fill(3, 2, "");
    fill(4, 1, "");
    fill(5, 3, "2");
    QTRY_COMPARE(Panel(frame),
                 QStringList({"Row 2: Qty: Duplicate variable name: same as \"qty\" apart from letter case.",
                              "Row 3: Variable note has no type.", "Row 4: The variable of type long has no name."}));
    QCOMPARE(RowTip(frame, 3), QStringLiteral("Variable note has no type."));

    // Another type for a row with decimals: marked while the user types it, as
    // the save would drop them; leaving the cell takes them out of the row.
    ClickCell(frame, 5, 2);
    QTest::keyClicks(view, QStringLiteral("int"));
    QTRY_COMPARE(Panel(frame).value(3),
                 QStringLiteral("Row 5: price: 2 is left out: only a decimal has decimal positions."));
    if (view->typeCompletion()->isVisible()) QTest::keyClick(view, Qt::Key_Escape);
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(sheet.cellText(5, 2), std::string("integer"));
    QCOMPARE(sheet.cellNumber(5, 3), std::optional<double>());

    // A Dec cell of any other type takes no digits, and says why.
    ClickCell(frame, 1, 3);
    QTest::keyClicks(view, QStringLiteral("3"));
    QCOMPARE(frame->statusBar()->currentMessage(), QStringLiteral("Only a decimal has decimal positions."));
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(sheet.cellNumber(1, 3), std::optional<double>());
    QTRY_COMPARE(Panel(frame).size(), 3);

    // The save stops at the row the check marked, with the same words.
    QStringList said;
    AnswerInTurn({"OK"}, &said);
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(said, QStringList({"Variable note has no type."}));
    QCOMPARE(sheet.currentRow(), 3u);
  }

  // A save the compiler refuses says so however it was asked for, and shows where.
  void savesTheCompilerRefusesSaySoAndShowTheFirstError() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    auto& sheet = Sheet(frame);
    saveAs(frame, QStringLiteral("s_refused"));
    QVERIFY(!frame->isWindowModified());
    for (std::uint32_t row : {2u, 3u}) {
      ClickCell(frame, row, 2);
      QTest::keyClicks(view, QStringLiteral("nosuch"));
    }
    ClickCell(frame, 1, 1);
    const QString refusal = QStringLiteral("s_refused was not saved: the compiler found 2 errors.");
    const QString first = QStringLiteral("Row 2: price: Unknown type \"nosuch\".");
    QStringList said;
    AnswerInTurn({"OK"}, &said);
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(said, QStringList({refusal + " | " + first}));
    QCOMPARE(frame->statusBar()->currentMessage(), refusal);
    QCOMPARE(Panel(frame).size(), 2);
    QCOMPARE(CurrentPanelLine(frame), first);
    QCOMPARE(sheet.currentRow(), 2u);
    QVERIFY(frame->isWindowModified());

    // Save As names the structure it was to be.
    said.clear();
    WhenDialogShows([&said](QWidget* dialog) {
      dialog->findChildren<QLineEdit*>().at(0)->setText(QStringLiteral("s_other"));
      AnswerInTurn({"OK"}, &said);
      Click(dialog, QStringLiteral("Save"));
    });
    frame->runCommand(CmdSaveAs);
    QCOMPARE(said, QStringList({"s_other was not saved: the compiler found 2 errors. | " + first}));

    // The close question's Yes, and Print's save first: the window stays, nothing is printed.
    said.clear();
    AnswerInTurn({"Yes", "OK"}, &said);
    frame->close();
    QCOMPARE(said, QStringList({"Save changes to \n" + library_ + "(s_refused)?", refusal + " | " + first}));
    QCOMPARE(FrameWindow::all().size(), std::size_t(1));
    said.clear();
    AnswerInTurn({"OK", "OK"}, &said);
    frame->runCommand(CmdPrint);
    QCOMPARE(said.size(), 2);
    QCOMPARE(said.at(1), refusal + " | " + first);
    QCOMPARE(frame->statusBar()->currentMessage(), refusal);
    auto library = quill::Library::open(library_.toStdString(), false, nullptr);
    QVERIFY(library && library->entrySource("s_refused")->find("nosuch") == std::string::npos);
  }

  // The title's mark is the editor's own: changes that are none leave it off.
  void unsavedMarkFollowsTheEditor() {
    FrameWindow* frame = threeVariables();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    saveAs(frame, QStringLiteral("s_marked"));
    QVERIFY(!frame->isWindowModified());
    // Insert Row only moves the empty entry row up: the structure is the same.
    ClickCell(frame, 2, 1);
    frame->runCommand(CmdInsertRow);
    QCOMPARE(Sheet(frame).cellText(2, 4), std::string("\xAE"));
    QVERIFY(!frame->isWindowModified());
    ClickCell(frame, 3, 0);
    ClickCell(frame, 3, 0);
    QVERIFY(!frame->isWindowModified());
    // So Ctrl+S has nothing to do and asks nothing; a typed name is a change.
    QStringList said;
    QPointer<QTimer> answer = WhenDialogShows([&said](QWidget* dialog) {
      said << dialog->windowTitle();
      dialog->close();
    });
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QTest::qWait(100);
    delete answer.data();
    QVERIFY(said.isEmpty());
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QStringLiteral("gap"));
    QVERIFY(frame->isWindowModified());
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!frame->isWindowModified());
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
    WhenDialogShows([](QWidget* box) { Click(box, QStringLiteral("OK")); });
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

  // The save dialog starts where this editor last saved; a prefilled name is
  // selected, so typing replaces it.
  void saveDialogStartsInTheStructuresLibraryWithTheNameSelected() {
    const QString other = dir_.filePath(QStringLiteral("other%1.lib").arg(QRandomGenerator::global()->generate()));
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("a"));
    WhenDialogShows([other](QWidget* dialog) {
      QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
      QTest::keyClicks(fields.at(0), QStringLiteral("s_one"));
      TypeInto(fields.at(1), other);
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(frame->windowTitle().contains(QFileInfo(other).fileName()));
    // A new structure in the same editor: the dialog offers that library again.
    QTest::keyClick(frame->gridView(), Qt::Key_N, Qt::ControlModifier);
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("b"));
    QString offeredLibrary, offeredName = QStringLiteral("?");
    WhenDialogShows([&](QWidget* dialog) {
      offeredName = dialog->findChildren<QLineEdit*>().at(0)->text();
      offeredLibrary = dialog->findChildren<QLineEdit*>().at(1)->text();
      Click(dialog, QStringLiteral("Cancel"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(offeredLibrary, other);
    QCOMPARE(offeredName, QString());

    // Save As of a saved structure: its name selected, typing replaces it.
    WhenDialogShows([](QWidget* dialog) {
      QTest::keyClicks(dialog->findChildren<QLineEdit*>().at(0), QStringLiteral("s_two"));
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QString selected, typed;
    WhenDialogShows([&](QWidget* dialog) {
      auto* name = qobject_cast<QLineEdit*>(dialog->focusWidget());
      QVERIFY(name);
      selected = name->selectedText();
      QTest::keyClicks(name, QStringLiteral("s_three"));
      typed = name->text();
      Click(dialog, QStringLiteral("Save"));
    });
    frame->runCommand(1454);
    QCOMPARE(selected, QStringLiteral("s_two"));
    QCOMPARE(typed, QStringLiteral("s_three"));
    auto library = quill::Library::open(other.toStdString(), false, nullptr);
    QVERIFY(library && library->entrySource("s_three").has_value());
  }

  // The open dialog: focus on the list, typing filters it. Every dialog's Tab
  // order follows its fields, and no menu or dialog gives a letter twice.
  void openDialogFiltersAndDialogsFollowTheKeyboard() {
    auto library = quill::Library::open(library_.toStdString(), true, nullptr);
    for (const char* name : {"s_alpha", "s_beta", "s_gamma"})
      library->writeEntry(name, std::string("global type ") + name + " from structure\r\n\tstring\t\tx\r\nend type", "",
                          nullptr);
    QStringList shown, faults;
    WhenDialogShows([&](QWidget* dialog) {
      auto* list = dialog->findChild<QTreeWidget*>();
      QCOMPARE(dialog->focusWidget(), list);
      QTest::keyClicks(list, QStringLiteral("BE"));
      for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (!list->topLevelItem(i)->isHidden()) shown << list->topLevelItem(i)->text(0);
      QTest::keyClick(list, Qt::Key_Backspace);
      QTest::keyClick(list, Qt::Key_Backspace);
      QCOMPARE(list->topLevelItem(0)->isHidden(), false);
      faults << TabOrderFault(dialog) << RepeatedMnemonics(Mnemonics(dialog));
      list->setFocus();
      QTest::keyClicks(list, QStringLiteral("gam"));
      QTest::keyClick(list, Qt::Key_Return);
    });
    FrameWindow* frame = app_->newGlobalEditor();
    QVERIFY(frame);
    QCOMPARE(shown, QStringList({"s_beta"}));
    QVERIFY(frame->windowTitle().startsWith(QStringLiteral("Structure - s_gamma")));

    // The save dialogs, the local open dialog and the Quill Panel.
    auto check = [&faults](QWidget* dialog) {
      faults << TabOrderFault(dialog) << RepeatedMnemonics(Mnemonics(dialog));
      dialog->close();
    };
    WhenDialogShows(check);
    frame->runCommand(1454);
    QTest::keyClick(frame->gridView(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(app_->quillPanel());
    QTRY_COMPARE(QApplication::activeWindow(), app_->quillPanel());
    check(app_->quillPanel());
    app_->host().addObject("window", "w_keys");
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("New")); });
    FrameWindow* local = app_->newEmbeddedEditor(QStringLiteral("w_keys"));
    QVERIFY(local);
    ClickCell(local, 1, 1);
    QTest::keyClicks(local->gridView(), QStringLiteral("a"));
    WhenDialogShows(check);
    QTest::keyClick(local->gridView(), Qt::Key_S, Qt::ControlModifier);
    WhenDialogShows([&](QWidget* question) {  // Save changes? No, and on to the open dialog
      WhenDialogShows(check);
      Click(question, QStringLiteral("No"));
    });
    QTest::keyClick(local->gridView(), Qt::Key_O, Qt::ControlModifier);
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));

    // The frames' menus, the editor's items and the frame's own.
    for (FrameWindow* each : {frame, local}) {
      QStringList titles;
      for (QAction* top : each->menuBar()->actions()) {
        titles << top->text();
        emit top->menu()->aboutToShow();
        QStringList items;
        for (QAction* item : top->menu()->actions()) items << item->text();
        QCOMPARE(RepeatedMnemonics(items), QString());
      }
      QCOMPARE(RepeatedMnemonics(titles), QString());
    }
  }

  static QStringList PdfPages(const QString& pdf) {
    QStringList pages = Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
                            .split(QLatin1Char('\f'));
    pages.removeAll(QString());
    return pages;
  }
  // Width and height of the first page in points.
  static QSizeF PdfPageSize(const QString& pdf) {
    const auto match = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                           .match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
  }
  static int PdfPageCount(const QString& pdf) {
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
        .match(Run(QStringLiteral("pdfinfo"), {pdf}))
        .captured(1)
        .toInt();
  }

  // Printer Setup: orientation and margins in the page setup dialog.
  void printerSetup(FrameWindow* frame, bool landscape, double margin, QString* unit) {
    WhenDialogShows([=](QWidget* dialog) {
      auto* button =
          dialog->findChild<QRadioButton*>(landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
      QVERIFY(button);
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));  // on its circle
      for (const char* name : {"topMargin", "leftMargin", "bottomMargin", "rightMargin"}) {
        auto* field = dialog->findChild<QDoubleSpinBox*>(QLatin1String(name));
        QVERIFY(field);
        TypeInto(field, QString::number(margin));
        QTest::keyClick(field, Qt::Key_Tab);
      }
      *unit = dialog->findChild<QComboBox*>(QStringLiteral("unitCombo"))->currentText();
      Click(dialog, QStringLiteral("OK"));
    });
    for (QAction* item : frame->menuBar()->actions().at(0)->menu()->actions())
      if (item->text().startsWith(QStringLiteral("Pr&inter Setup"))) item->trigger();
  }

  // Ctrl+P: the print dialog, PDF chosen where no printer exists, into file.
  void printTo(FrameWindow* frame, const QString& file, QString* printerChoice) {
    WhenDialogShows([=](QWidget* dialog) {
      auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
      QVERIFY(printers);
      *printerChoice = printers->currentText();
      TypeInto(dialog->findChild<QLineEdit*>(QStringLiteral("filename")), file);
      Click(dialog, QStringLiteral("Print"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_P, Qt::ControlModifier);
  }

  void printsAFormattedListingWithThePagesSetUp() {
    QString rows;
    for (int i = 1; i <= 80; ++i)
      rows += i % 10 == 0 ? QStringLiteral("\tdecimal {2}\t\tamount%1\r\n").arg(i)
                          : QStringLiteral("\tinteger\t\tv%1\r\n").arg(i);
    QApplication::clipboard()->setText(rows);
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    ClickCell(frame, 1, 1);
    QTest::keyClick(frame->gridView(), Qt::Key_V, Qt::ControlModifier);
    saveAs(frame, QStringLiteral("s_print"));
    QVERIFY(!frame->isWindowModified());

    QString unit, choice;
    printerSetup(frame, true, 30, &unit);
    const double margin = 30 * (unit.contains(QStringLiteral("mm"))      ? 72 / 25.4
                                : unit.contains(QStringLiteral("Point")) ? 1
                                                                         : 72);
    const QString wide = dir_.filePath(QStringLiteral("wide.pdf"));
    printTo(frame, wide, &choice);
    if (QPrinterInfo::availablePrinters().isEmpty())
      QVERIFY2(choice.contains(QStringLiteral("PDF")), qPrintable(choice));
    QVERIFY(frame->statusBar()->currentMessage().contains(wide));
    const QSizeF wideSize = PdfPageSize(wide);
    QVERIFY2(wideSize.width() > wideSize.height(), "landscape");
    const QStringList widePages = PdfPages(wide);
    QCOMPARE(PdfPageCount(wide), widePages.size());
    for (int i = 0; i < widePages.size(); ++i) {
      QVERIFY(widePages[i].contains(QStringLiteral("Library: ") + library_));
      QVERIFY(widePages[i].contains(QStringLiteral("Entry: s_print.srs")));
      QVERIFY(widePages[i].contains(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"))));
      QVERIFY(widePages[i].contains(QStringLiteral("Page %1 of %2").arg(i + 1).arg(widePages.size())));
    }
    // The margins hold: no word nearer the page's edge. Types and names stand in
    // columns: every name starts where the others do.
    const QString box = Run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                                          QStringLiteral("1"), wide, QStringLiteral("-")});
    auto words =
        QRegularExpression(
            QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)<"))
            .globalMatch(box);
    int count = 0;
    std::set<long> nameColumns;
    while (words.hasNext()) {
      const auto word = words.next();
      ++count;
      QVERIFY(word.captured(1).toDouble() >= margin - 1 && word.captured(2).toDouble() >= margin - 1);
      QVERIFY(word.captured(3).toDouble() <= wideSize.width() - margin + 1);
      QVERIFY(word.captured(4).toDouble() <= wideSize.height() - margin + 1);
      if (QRegularExpression(QStringLiteral("^(v|amount)\\d+$")).match(word.captured(5)).hasMatch())
        nameColumns.insert(std::lround(word.captured(1).toDouble()));
    }
    QVERIFY(count > 20);
    QCOMPARE(nameColumns.size(), std::size_t(1));

    // Portrait holds more lines a page: fewer pages.
    printerSetup(frame, false, 30, &unit);
    const QString tall = dir_.filePath(QStringLiteral("tall.pdf"));
    printTo(frame, tall, &choice);
    QVERIFY(PdfPageSize(tall).width() < PdfPageSize(tall).height());
    QVERIFY(PdfPageCount(tall) < widePages.size());

    // The File menu's print preview shows the same pages.
    int previewPages = 0;
    QString previewTitle;
    WhenDialogShows([&](QWidget* dialog) {
      previewTitle = dialog->windowTitle();
      auto* preview = dialog->findChild<QPrintPreviewWidget*>();
      QVERIFY(preview);
      preview->updatePreview();
      previewPages = preview->pageCount();
      dialog->close();
    });
    for (QAction* item : frame->menuBar()->actions().at(0)->menu()->actions())
      if (item->text() == QStringLiteral("Print Pre&view...")) item->trigger();
    QCOMPARE(previewTitle, QStringLiteral("Print Preview - s_print.srs"));
    QCOMPARE(previewPages, PdfPageCount(tall));
  }

  // Dialogs show no stray &, local-structure dialogs fit their contents and
  // titles, and new windows land on the screen.
  void dialogsFitAndWindowsStayOnScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    FrameWindow* first = newStructure();
    QVERIFY(first);
    first->move(screen.right() - 150, screen.bottom() - 120);
    FrameWindow* second = newStructure();
    QVERIFY(second);
    QVERIFY(screen.contains(second->frameGeometry()));
    QVERIFY(second->frameGeometry().topLeft() != first->frameGeometry().topLeft());

    const QString owner = QStringLiteral("w_customer_maintenance_window");
    app_->host().addObject("window", owner.toStdString());
    QStringList stray;
    QList<QRect> placed;
    QString titleFault;
    auto fits = [&](QWidget* dialog) {
      stray << LiteralAmpersands(dialog);
      placed << dialog->frameGeometry();
      const int title = dialog->fontMetrics().horizontalAdvance(dialog->windowTitle());
      if (dialog->width() < title + 60) titleFault = dialog->windowTitle();
    };
    WhenDialogShows([&](QWidget* dialog) {
      fits(dialog);
      Click(dialog, QStringLiteral("New"));
    });
    FrameWindow* local = app_->newEmbeddedEditor(owner);
    QVERIFY(local);
    local->move(screen.right() - 60, screen.top() + 10);
    for (const char* name : {"s_one", "s_two", "s_three"}) {
      QTest::keyClick(local->gridView(), Qt::Key_N, Qt::ControlModifier);
      ClickCell(local, 1, 1);
      QTest::keyClicks(local->gridView(), QStringLiteral("a"));
      QString selected = QStringLiteral("?");
      WhenDialogShows([&, name](QWidget* dialog) {
        fits(dialog);
        auto* field = qobject_cast<QLineEdit*>(dialog->focusWidget());
        QVERIFY(field);
        selected = field->selectedText();
        QTest::keyClicks(field, QLatin1String(name));
        Click(dialog, QStringLiteral("Save"));
      });
      QTest::keyClick(local->gridView(), Qt::Key_S, Qt::ControlModifier);
      QCOMPARE(selected, QString());
    }
    // Save As: the name given is selected for replacing.
    QString selected;
    WhenDialogShows([&](QWidget* dialog) {
      auto* field = qobject_cast<QLineEdit*>(dialog->focusWidget());
      QVERIFY(field);
      selected = field->selectedText();
      dialog->close();
    });
    local->runCommand(1454);
    QCOMPARE(selected, QStringLiteral("s_three"));
    bool allShown = false;
    WhenDialogShows([&](QWidget* dialog) {
      fits(dialog);
      auto* list = dialog->findChild<QListWidget*>();
      allShown = list->count() == 3 && !list->verticalScrollBar()->isVisible() &&
                 list->viewport()->height() < list->sizeHintForRow(0) * 6;
      Click(dialog, QStringLiteral("Cancel"));
    });
    QTest::keyClick(local->gridView(), Qt::Key_O, Qt::ControlModifier);
    QVERIFY(allShown);
    QTest::keyClick(local->gridView(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(app_->quillPanel());
    fits(app_->quillPanel());
    app_->quillPanel()->close();
    QCOMPARE(stray, QStringList());
    QCOMPARE(titleFault, QString());
    QCOMPARE(placed.size(), 6);
    for (const QRect& rect : placed) QVERIFY(screen.contains(rect));
  }

  // The Quill Panel lists the structures and libraries opened last, kept in the
  // profile beside what it held; one click opens one again.
  void quillPanelReopensRecentEntries() {
    QFile profile(options_.profilePath);
    QVERIFY(profile.open(QIODevice::WriteOnly));
    const QByteArray kept = "[application]\nDefLib=" + library_.toUtf8() + "\n; the user's own note\n";
    profile.write(kept);
    profile.close();
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("a"));
    saveAs(frame, QStringLiteral("s_recent"));
    app_->host().addObject("window", "w_recent");
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("New")); });
    QVERIFY(app_->newEmbeddedEditor(QStringLiteral("w_recent")));
    // The program again, with the same profile.
    for (FrameWindow* each : FrameWindow::all()) each->close();
    QTRY_VERIFY(FrameWindow::all().empty());
    app_ = std::make_unique<desktop::Application>(options_);
    QVERIFY(app_->start());

    FrameWindow* start = newStructure();
    QVERIFY(start);
    QStringList structures, libraries;
    QTest::keyClick(start->gridView(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QWidget* panel = app_->quillPanel();
    QVERIFY(panel && panel->isVisible());
    auto lists = panel->findChildren<QListWidget*>();
    for (int i = 0; i < lists.at(0)->count(); ++i) structures << lists.at(0)->item(i)->text();
    for (int i = 0; i < lists.at(1)->count(); ++i) libraries << lists.at(1)->item(i)->text();
    QListWidget* recent = lists.at(0);
    QTest::mouseClick(recent->viewport(), Qt::LeftButton, {}, recent->visualItemRect(recent->item(1)).center());
    const QString file = QFileInfo(library_).fileName();
    QCOMPARE(structures, QStringList({"w_recent: local structures (" + file + ")", "s_recent (" + file + ")"}));
    QCOMPARE(libraries, QStringList({file + " (" + dir_.path() + ")"}));
    QTRY_COMPARE(FrameWindow::all().size(), std::size_t(2));
    bool reopened = false;
    for (FrameWindow* each : FrameWindow::all())
      reopened = reopened || each->windowTitle().startsWith(QStringLiteral("Structure - s_recent - "));
    QVERIFY(reopened);
    QVERIFY(profile.open(QIODevice::ReadOnly));
    QVERIFY(profile.readAll().startsWith(kept));
  }

  // A recent library the panel cannot use says why under its message.
  void quillPanelSaysWhyALibraryCannotBeUsed() {
    const QString notes = dir_.filePath(QStringLiteral("notes.lib"));
    QFile text(notes);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("some notes, no library\n");
    text.close();
    QFile profile(options_.profilePath);
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write("[recent]\nItem1=library " + QFile::encodeName(notes) + "\n");
    profile.close();
    FrameWindow* start = newStructure();
    QVERIFY(start);
    QString message, detail;
    QTest::keyClick(start->gridView(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    QWidget* panel = app_->quillPanel();
    QVERIFY(panel && panel->isVisible());
    WhenDialogShows([&](QWidget* box) {
      message = static_cast<QMessageBox*>(box)->text();
      detail = static_cast<QMessageBox*>(box)->informativeText();
      Click(box, QStringLiteral("OK"));
    });
    QListWidget* libraries = panel->findChildren<QListWidget*>().at(1);
    QTest::mouseClick(libraries->viewport(), Qt::LeftButton, {},
                      libraries->visualItemRect(libraries->item(0)).center());
    QCOMPARE(message, QStringLiteral("Cannot use the library %1.").arg(notes));
    QCOMPARE(detail, notes + QStringLiteral(" is not a library file."));
    QCOMPARE(QString::fromStdString(app_->host().currentLibrary()), library_);
  }
};

QTEST_MAIN(DesktopTest)
#include "desktop_tests.moc"
