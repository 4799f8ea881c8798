// Drives the real desktop program with mouse and key events on the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

#include "application.h"
#include "frame_window.h"
#include "grid_view.h"
#include "quill/grid_sheet.h"
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
    QCOMPARE(frame->windowTitle(), QStringLiteral("Structure - s_order"));
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
    QCOMPARE(frame->windowTitle(), QStringLiteral("Structure - (Untitled)"));
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
};

QTEST_MAIN(DesktopTest)
#include "desktop_tests.moc"
