// Drives the desktop program as an hour of everyday use does: the keyboard and
// the mouse only, checking what the user sees after each step.
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "application.h"
#include "find_bar.h"
#include "frame_window.h"
#include "grid_view.h"
#include "gui_events.h"
#include "gui_grid.h"
#include "gui_session.h"
#include "quill/grid_sheet.h"
#include "quill/library.h"
#include "type_completion.h"

using desktop::FrameWindow;
using desktop::GridView;
using gui::ClickCell;
using gui::Offered;
using gui::Sheet;
using gui::Click;
using gui::WhenDialogShows;
using gui::WhenPopupShows;

class EverydayUseTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<desktop::Application> app_;
  desktop::AppOptions options_;

  FrameWindow* newStructure() { return gui::NewStructure(*app_); }

  static QString Cell(FrameWindow* frame, std::uint32_t row, int column) {
    return QString::fromStdString(Sheet(frame).cellText(row, column));
  }
  // The text being edited in the current cell.
  static QString Editing(FrameWindow* frame) {
    char text[512] = {};
    GetWindowTextA(Sheet(frame).editControl(), text, sizeof text);
    return QString::fromLatin1(text);
  }
  // The completion list as shown: its entries, and the highlighted one.
  static QString Highlighted(FrameWindow* frame) {
    desktop::TypeCompletion* list = frame->gridView()->typeCompletion();
    return list->isVisible() && list->currentItem() && list->currentItem()->isSelected() ? list->currentItem()->text()
                                                                                         : QString();
  }
  // Pastes rows given as "name type" pairs through the clipboard.
  static void PasteRows(FrameWindow* frame, int count) {
    QString rows;
    for (int i = 1; i <= count; ++i) rows += QStringLiteral("\tinteger\t\tv%1\r\n").arg(i);
    QApplication::clipboard()->setText(rows);
    ClickCell(frame, 1, 1);
    QTest::keyClick(frame->gridView(), Qt::Key_V, Qt::ControlModifier);
  }

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    options_ = gui::FreshProgram(dir_);
    app_ = std::make_unique<desktop::Application>(options_);
    QVERIFY2(app_->start(), qPrintable(app_->error()));
  }

  void cleanup() {
    gui::CloseEditorsUnsaved();
    app_.reset();
  }

  void completionHighlightsTheBestMatchAndEnterTakesIt() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    ClickCell(frame, 1, 1);
    QTest::keyClicks(view, QStringLiteral("a"));
    QTest::keyClick(view, Qt::Key_Tab);
    // Names that start with the text come first, then those that hold it.
    QTest::keyClicks(view, QStringLiteral("lo"));
    QCOMPARE(Offered(frame), QStringList({"long", "blob", "unsignedlong"}));
    QCOMPARE(Highlighted(frame), QStringLiteral("long"));
    QTest::keyClick(view, Qt::Key_Return);
    QVERIFY(Offered(frame).isEmpty());
    QCOMPARE(Editing(frame), QStringLiteral("long"));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(Cell(frame, 1, 2), QStringLiteral("long"));

    // Down and Up move the highlight; Tab takes it and goes on.
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QStringLiteral("b"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("CH"));
    QCOMPARE(Highlighted(frame), QStringLiteral("character (char)"));
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(Highlighted(frame), QStringLiteral("checkbox"));
    QTest::keyClick(view, Qt::Key_Tab);
    QCOMPARE(Cell(frame, 2, 2), QStringLiteral("checkbox"));
    QCOMPARE(Sheet(frame).currentColumn(), 3);

    // Only a name's middle matches: the first such name is the best.
    ClickCell(frame, 3, 1);
    QTest::keyClicks(view, QStringLiteral("c"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("teger"));
    QCOMPARE(Highlighted(frame), QStringLiteral("integer (int)"));
    // Escape closes the list and keeps what was typed.
    QTest::keyClick(view, Qt::Key_Escape);
    QVERIFY(Offered(frame).isEmpty());
    QCOMPARE(Editing(frame), QStringLiteral("teger"));

    // A type typed in full is taken as typed, also where longer names start with it.
    ClickCell(frame, 4, 1);
    QTest::keyClicks(view, QStringLiteral("d"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("date"));
    QCOMPARE(Highlighted(frame), QStringLiteral("date"));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(Cell(frame, 4, 2), QStringLiteral("date"));
    QCOMPARE(Sheet(frame).currentRow(), 5u);
    ClickCell(frame, 5, 1);
    QTest::keyClicks(view, QStringLiteral("e"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("time"));
    QCOMPARE(Offered(frame), QStringList({"time", "datetime"}));
    QCOMPARE(Highlighted(frame), QStringLiteral("time"));
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(Cell(frame, 5, 2), QStringLiteral("time"));
  }

  // Right-clicks a cell and chooses a command of the menu that shows.
  static void ChooseFromContextMenu(FrameWindow* frame, std::uint32_t row, int column, const QString& command) {
    WhenPopupShows([command](QMenu* menu) {
      for (QAction* action : menu->actions())
        if (action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0) == command) action->trigger();
      menu->close();
    });
    GridView* view = frame->gridView();
    QTest::mouseClick(view->viewport(), Qt::RightButton, {}, view->cellRect(row, column).center());
  }
  static QString Names(FrameWindow* frame) {
    QStringList names;
    for (std::uint32_t row = 1; row < Sheet(frame).rowCount(); ++row) names << Cell(frame, row, 1);
    return names.join(QLatin1Char(','));
  }

  void rightButtonActsWhereItIsPressed() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    PasteRows(frame, 8);
    QCOMPARE(Names(frame), QStringLiteral("v1,v2,v3,v4,v5,v6,v7,v8"));
    // The current cell is in the entry row; the right button on row 6 deletes row 6.
    ClickCell(frame, 9, 1);
    ChooseFromContextMenu(frame, 6, 2, QStringLiteral("Delete Row"));
    QCOMPARE(Names(frame), QStringLiteral("v1,v2,v3,v4,v5,v7,v8"));

    // On a row's header: that row alone, unless it belongs to the selection.
    ChooseFromContextMenu(frame, 2, 0, QStringLiteral("Delete Row"));
    QCOMPARE(Names(frame), QStringLiteral("v1,v3,v4,v5,v7,v8"));
    ClickCell(frame, 3, 0);
    QTest::mouseClick(frame->gridView()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      frame->gridView()->cellRect(4, 0).center());
    ChooseFromContextMenu(frame, 4, 0, QStringLiteral("Delete Row"));
    QCOMPARE(Names(frame), QStringLiteral("v1,v3,v7,v8"));
    // Within the selection a cell becomes current and the selection stays.
    ClickCell(frame, 1, 0);
    QTest::mouseClick(frame->gridView()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      frame->gridView()->cellRect(2, 0).center());
    ChooseFromContextMenu(frame, 2, 1, QStringLiteral("Delete Row"));
    QCOMPARE(Names(frame), QStringLiteral("v7,v8"));
  }

  // The field a dialog's label leads to, by the label's text without its access key.
  static QLineEdit* FieldLabelled(QWidget* dialog, const QString& label) {
    for (auto* shown : dialog->findChildren<QLabel*>())
      if (shown->text().remove(QLatin1Char('&')) == label) return qobject_cast<QLineEdit*>(shown->buddy());
    return nullptr;
  }
  static void RunMenuCommand(FrameWindow* frame, const QString& menu, const QString& command) {
    for (QAction* top : frame->menuBar()->actions())
      if (top->text().remove(QLatin1Char('&')) == menu)
        for (QAction* action : top->menu()->actions())
          if (action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0) == command) {
            action->trigger();
            return;
          }
    QFAIL(qPrintable(QStringLiteral("no menu command ") + command));
  }

  void saveAsShowsTheCommentItKeeps() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("street"));
    WhenDialogShows([](QWidget* dialog) {
      FieldLabelled(dialog, QStringLiteral("Name:"))->setText(QStringLiteral("s_addr"));
      FieldLabelled(dialog, QStringLiteral("Comment:"))->setText(QStringLiteral("Where letters go"));
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(frame->windowTitle().contains(QStringLiteral("s_addr")));

    QString comment;
    QStringList literal;
    WhenDialogShows([&](QWidget* dialog) {
      if (QLineEdit* field = FieldLabelled(dialog, QStringLiteral("Comment:"))) comment = field->text();
      // Every & a label shows marks an access key to a field; none is shown as such.
      for (auto* label : dialog->findChildren<QLabel*>())
        if (label->isVisible() && label->text().contains(QLatin1Char('&')) && !label->buddy()) literal << label->text();
      Click(dialog, QStringLiteral("Cancel"));
    });
    RunMenuCommand(frame, QStringLiteral("File"), QStringLiteral("Save As ..."));
    QCOMPARE(comment, QStringLiteral("Where letters go"));
    QCOMPARE(literal, QStringList());
  }

  static QDockWidget* ErrorPanel(FrameWindow* frame) {
    auto* dock = frame->findChild<QDockWidget*>();
    return dock && dock->isVisible() ? dock : nullptr;
  }
  static void TypeUnknownType(FrameWindow* frame) {
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("qty"));
    QTest::keyClick(frame->gridView(), Qt::Key_Tab);
    QTest::keyClicks(frame->gridView(), QStringLiteral("nosuch"));
    QTest::keyClick(frame->gridView(), Qt::Key_Tab);
  }

  void everyColumnFitsAndTheLayoutIsKept() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    PasteRows(frame, 12);
    GridView* view = frame->gridView();
    // Row numbers of two digits widen their column; Name and Type give way, Dec stays whole.
    for (int width : {900, 700, 520}) {
      frame->resize(width, 420);
      QApplication::processEvents();
      const int right = view->viewport()->width();
      QCOMPARE(view->cellRect(1, 3).right() + 1, right);
      QVERIFY(view->cellRect(1, 3).width() >= view->cellRect(1, 3).height() * 2);
      QVERIFY(view->cellRect(1, 0).width() > view->fontMetrics().horizontalAdvance(QStringLiteral("12")));
      QVERIFY(view->cellRect(1, 1).width() > view->cellRect(1, 2).width());
    }

    // A border dragged moves alone: Dec keeps its place, in this window and the next.
    const QRect name = view->cellRect(1, 1);
    const QRect decimals = view->cellRect(1, 3);
    const QPoint border(name.right() + 1, view->headerHeight() / 2);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, border);
    QTest::mouseMove(view->viewport(), border - QPoint(60, 0));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, border - QPoint(60, 0));
    QCOMPARE(view->cellRect(1, 1).width(), name.width() - 60);
    QCOMPARE(view->cellRect(1, 3), decimals);
    FrameWindow* second = newStructure();
    QVERIFY(second);
    second->resize(frame->size());
    QApplication::processEvents();
    QCOMPARE(second->gridView()->cellRect(1, 3).right() + 1, second->gridView()->viewport()->width());
    QVERIFY(second->gridView()->cellRect(1, 1).width() < second->gridView()->cellRect(1, 2).width() * 2);
    second->close();

    // The error panel opens at no more than a third of the window.
    frame->setGeometry(30, 40, 640, 480);
    TypeUnknownType(frame);
    QTRY_VERIFY(ErrorPanel(frame));
    QVERIFY(ErrorPanel(frame)->height() <= frame->height() / 3);
    frame->resizeDocks({ErrorPanel(frame)}, {90}, Qt::Vertical);  // as the user drags its edge
    QApplication::processEvents();
    const int panel = ErrorPanel(frame)->height();
    const QRect place = frame->geometry();
    WhenDialogShows([](QWidget* box) { Click(box, QStringLiteral("No")); });
    QVERIFY(frame->close());
    QTRY_VERIFY(FrameWindow::all().empty());

    // The program again: its window where it was left, the panel as high.
    app_ = std::make_unique<desktop::Application>(options_);
    QVERIFY(app_->start());
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("New")); });
    FrameWindow* again = app_->newGlobalEditor();
    QVERIFY(again);
    QCOMPARE(again->geometry(), place);
    TypeUnknownType(again);
    QTRY_VERIFY(ErrorPanel(again));
    QCOMPARE(ErrorPanel(again)->height(), panel);
  }

  // Whether the keyboard is back in the frame's grid.
  static void KeyboardIsBack(FrameWindow* frame) {
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(frame));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(frame->gridView()));
  }

  void keyboardReturnsAfterEveryDialog() {
    FrameWindow* first = newStructure();
    QVERIFY(first);
    ClickCell(first, 1, 1);
    QTest::keyClicks(first->gridView(), QStringLiteral("street"));
    WhenDialogShows([](QWidget* dialog) {
      FieldLabelled(dialog, QStringLiteral("Name:"))->setText(QStringLiteral("s_taken"));
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(first->gridView(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Cell(first, 1, 1), QStringLiteral("street"));
    KeyboardIsBack(first);

    // Save As under a name taken, the question answered Yes.
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(frame));
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("city"));
    QTest::keyClick(frame->gridView(), Qt::Key_Tab);
    QString question;
    WhenDialogShows([&question](QWidget* dialog) {
      WhenDialogShows([&question](QWidget* box) {
        question = static_cast<QMessageBox*>(box)->text();
        Click(box, QStringLiteral("Yes"));
      });
      FieldLabelled(dialog, QStringLiteral("Name:"))->setText(QStringLiteral("s_taken"));
      Click(dialog, QStringLiteral("Save"));
    });
    RunMenuCommand(frame, QStringLiteral("File"), QStringLiteral("Save As ..."));
    QVERIFY(question.contains(QStringLiteral("already exists")));
    KeyboardIsBack(frame);
    // Typing goes into the current cell.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    QCOMPARE(Editing(frame), QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // A dialog cancelled, and one confirmed, give it back at the cell it came from.
    ClickCell(frame, 1, 2);
    WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("Cancel")); });
    RunMenuCommand(frame, QStringLiteral("File"), QStringLiteral("Save As ..."));
    KeyboardIsBack(frame);
    QCOMPARE(Sheet(frame).currentRow(), 1u);
    QCOMPARE(Sheet(frame).currentColumn(), 2);
    WhenDialogShows([](QWidget* box) { Click(box, QStringLiteral("OK")); });
    RunMenuCommand(frame, QStringLiteral("File"), QStringLiteral("Printer Setup..."));
    KeyboardIsBack(frame);
    QCOMPARE(Sheet(frame).currentRow(), 1u);
    QCOMPARE(Sheet(frame).currentColumn(), 2);
  }

  void messagesAreCurrentAndBelong() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    QStatusBar* status = frame->statusBar();
    // A refusal speaks of the key just pressed and goes with the next one.
    ClickCell(frame, 1, 1);
    QTest::keyClicks(view, QStringLiteral("qty"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("dec"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("25"));
    QVERIFY(status->currentMessage().contains(QStringLiteral("25 is too many")));
    QTest::keyClick(view, Qt::Key_Escape);
    QCOMPARE(status->currentMessage(), QString());

    // The Name cell takes a name's 40 characters and says why it takes no more.
    ClickCell(frame, 2, 1);
    QTest::keyClicks(view, QString(41, QLatin1Char('n')));
    QCOMPARE(Editing(frame), QString(40, QLatin1Char('n')));
    QVERIFY(status->currentMessage().contains(QStringLiteral("at most 40 characters")));
    QTest::keyClick(view, Qt::Key_Backspace);
    QCOMPARE(status->currentMessage(), QString());
    QTest::keyClick(view, Qt::Key_Escape);

    // A save's message speaks of the structure saved, not of the next one.
    WhenDialogShows([](QWidget* dialog) {
      FieldLabelled(dialog, QStringLiteral("Name:"))->setText(QStringLiteral("s_line"));
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(status->currentMessage().startsWith(QStringLiteral("Saved s_line to ")));
    QTRY_VERIFY(frame->windowTitle().contains(QStringLiteral("s_line")));
    QVERIFY(status->currentMessage().startsWith(QStringLiteral("Saved s_line to ")));
    QTest::keyClick(view, Qt::Key_N, Qt::ControlModifier);
    QTRY_VERIFY(frame->windowTitle().contains(QStringLiteral("(Untitled)")));
    QCOMPARE(status->currentMessage(), QString());

    // A box the editor shows is titled as its window.
    ClickCell(frame, 1, 1);
    QTest::keyClicks(view, QStringLiteral("x"));
    QTest::keyClick(view, Qt::Key_Tab);
    QString caption;
    WhenDialogShows([&caption](QWidget* box) {
      caption = box->windowTitle();
      Click(box, QStringLiteral("Cancel"));
    });
    QTest::keyClick(view, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(caption, frame->windowTitle().remove(QStringLiteral("[*]")));

    // A message goes by itself after ten seconds.
    QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
    QLineEdit* find = frame->findChild<desktop::FindBar*>()->field();
    QTest::keyClicks(find, QStringLiteral("zz"));
    QTest::keyClick(find, Qt::Key_Return);
    QVERIFY(status->currentMessage().startsWith(QStringLiteral("No variable")));
    QTRY_VERIFY_WITH_TIMEOUT(status->currentMessage().isEmpty(), 12000);
  }

  static void DoubleClick(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchStartsWith);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  void homePanelOpensEverythingOnce() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    ClickCell(frame, 1, 1);
    QTest::keyClicks(frame->gridView(), QStringLiteral("street"));
    WhenDialogShows([](QWidget* dialog) {
      FieldLabelled(dialog, QStringLiteral("Name:"))->setText(QStringLiteral("s_home"));
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(frame->gridView(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(frame->close());
    QTRY_VERIFY(FrameWindow::all().empty());

    // The home window, as the program starts without a structure to open.
    app_->showQuillPanel();
    QWidget* panel = app_->quillPanel();
    QVERIFY(panel && panel->isVisible());
    auto* structures = panel->findChild<QListWidget*>(QStringLiteral("usedByStructures"));
    DoubleClick(structures, QStringLiteral("s_home"));
    QTRY_COMPARE(FrameWindow::all().size(), std::size_t(1));
    FrameWindow* opened = FrameWindow::all().front();
    QVERIFY(opened->windowTitle().startsWith(QStringLiteral("Structure - s_home - ")));
    QVERIFY(panel->isVisible());

    // Opened again, from any list, it is the same window, brought to the front.
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(opened));
    panel->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), panel);
    DoubleClick(structures, QStringLiteral("s_home"));
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(opened));
    auto* recent = panel->findChildren<QListWidget*>().at(0);
    QTest::mouseClick(
        recent->viewport(), Qt::LeftButton, {},
        recent->visualItemRect(recent->findItems(QStringLiteral("s_home"), Qt::MatchStartsWith).first()).center());
    QCOMPARE(FrameWindow::all().size(), std::size_t(1));

    // The panel stays when the last editor closes: the program goes on at home.
    QVERIFY(opened->close());
    QTRY_VERIFY(FrameWindow::all().empty());
    QVERIFY(panel->isVisible());
  }

  void conflictShowsItsDifferencesBeforeTheAnswer() {
    FrameWindow* frame = newStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    QApplication::clipboard()->setText(QStringLiteral("\tstring\t\ta\r\n\tinteger\t\tc\r\n\tlong\t\tb\r\n"));
    ClickCell(frame, 1, 1);
    QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    WhenDialogShows([](QWidget* dialog) {
      FieldLabelled(dialog, QStringLiteral("Name:"))->setText(QStringLiteral("s_both"));
      Click(dialog, QStringLiteral("Save"));
    });
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(frame->windowTitle().contains(QStringLiteral("s_both")));

    // Someone else stores another version; then a row is added here and saved.
    const std::string theirs =
        "global type s_both from structure\r\n\tlong\t\ta\r\n\tlong\t\tb\r\n\tstring\t\tgone\r\n"
        "\tinteger\t\tc\r\nend type";
    QVERIFY(quill::Library::open(options_.library.toStdString(), false, nullptr)
                ->writeEntry("s_both", theirs, "", nullptr));
    ClickCell(frame, 4, 1);
    QTest::keyClicks(view, QStringLiteral("fresh"));
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClicks(view, QStringLiteral("integer"));
    QTest::keyClick(view, Qt::Key_Tab);

    // Show Differences, then the question again, answered No; then the failure.
    QString question, askedAgain, failure, detail, differences;
    bool readOnly = false;
    WhenDialogShows([&](QWidget* box) {
      question = static_cast<QMessageBox*>(box)->text();
      WhenDialogShows([&](QWidget* dialog) {
        auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("differences"));
        QVERIFY(text);
        differences = text->toPlainText();
        readOnly = text->isReadOnly();
        WhenDialogShows([&](QWidget* again) {
          askedAgain = static_cast<QMessageBox*>(again)->text();
          WhenDialogShows([&](QWidget* shown) {
            failure = static_cast<QMessageBox*>(shown)->text();
            detail = static_cast<QMessageBox*>(shown)->informativeText();
            Click(shown, QStringLiteral("OK"));
          });
          Click(again, QStringLiteral("No"));
        });
        Click(dialog, QStringLiteral("Close"));
      });
      Click(box, QStringLiteral("Show Differences"));
    });
    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(!failure.isEmpty());

    QVERIFY(question.contains(QStringLiteral("s_both was changed in ")));
    QCOMPARE(askedAgain, question);
    QVERIFY(readOnly);
    QCOMPARE(differences.split(QLatin1Char('\n')),
             QStringList({QStringLiteral("removed variable gone: string (row 3)"),
                          QStringLiteral("retyped variable a: long -> string"),
                          QStringLiteral("moved variable b: row 2 -> row 3"),
                          QStringLiteral("added variable fresh: integer (row 4)")}));
    // The failure tells the end of the same story, naming the same library.
    const QString library =
        question.section(QStringLiteral(" was changed in "), 1).section(QStringLiteral(" after"), 0, 0);
    QCOMPARE(failure, QStringLiteral("Save of structure failed."));
    QCOMPARE(detail, QStringLiteral("You kept the version in %1; your rows are unchanged.").arg(library));
    QCOMPARE(Cell(frame, 4, 1), QStringLiteral("fresh"));
    QCOMPARE(*quill::Library::open(options_.library.toStdString(), false, nullptr)->entrySource("s_both"), theirs);
  }
};

QTEST_MAIN(EverydayUseTest)
#include "everyday_use_tests.moc"
