// Writes screenshots of the main states of the desktop program to the folder given
// as the first argument (the build folder by default).
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

#include "application.h"
#include "frame_window.h"
#include "grid_view.h"
#include "quill/grid_sheet.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  QDir().mkpath(out);
  QTemporaryDir dir;
  QFile::copy(QStringLiteral(QUILL_SAMPLE_LIBRARY), dir.filePath(QStringLiteral("sample.lib")));
  QFile(dir.filePath(QStringLiteral("sample.lib"))).setPermissions(QFile::ReadOwner | QFile::WriteOwner);

  desktop::AppOptions options;
  options.library = dir.filePath(QStringLiteral("sample.lib"));
  options.profilePath = dir.filePath(QStringLiteral("none.ini"));
  options.modulePath = qEnvironmentVariable("QST_MODULE", QStringLiteral(QUILL_MODULE_PATH));
  desktop::Application quill(options);
  if (!quill.start()) {
    std::fprintf(stderr, "screenshots: %s\n", quill.error().toLocal8Bit().constData());
    return 1;
  }
  desktop::FrameWindow* frame = quill.newGlobalEditor(QStringLiteral("s_invoice_line"));
  if (!frame) return 1;
  frame->resize(720, 360);
  QApplication::processEvents();
  desktop::GridView* view = frame->gridView();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(2, 0).center());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ShiftModifier, view->cellRect(3, 0).center());
  QApplication::processEvents();
  bool saved = frame->grab().save(QDir(out).filePath(QStringLiteral("quillmaker-editor.png")));
  std::printf("%s\n", qPrintable(QDir(out).filePath(QStringLiteral("quillmaker-editor.png"))));

  // The printout as File > Print Preview shows it.
  const QString printout = QDir(out).filePath(QStringLiteral("quillmaker-printout.png"));
  auto* grabber = new QTimer(&app);
  QObject::connect(grabber, &QTimer::timeout, [&] {
    QWidget* preview = QApplication::activeModalWidget();
    if (!preview) return;
    grabber->stop();
    preview->resize(700, 440);
    if (auto* pages = preview->findChild<QPrintPreviewWidget*>()) pages->fitToWidth();
    QApplication::processEvents();
    saved = preview->grab().save(printout) && saved;
    preview->close();
  });
  grabber->start(50);
  for (QAction* item : frame->menuBar()->actions().at(0)->menu()->actions())
    if (item->text() == QStringLiteral("Print Pre&view...")) item->trigger();
  std::printf("%s\n", qPrintable(printout));

  // A row with an unknown type marked by the check, and the Type cell's list while typing.
  const std::uint32_t entry = view->sheet()->rowCount();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(entry, 1).center());
  QTest::keyClicks(view, QStringLiteral("note"));
  QTest::keyClick(view, Qt::Key_Tab);
  QTest::keyClicks(view, QStringLiteral("memo"));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(entry + 1, 1).center());
  QTest::keyClicks(view, QStringLiteral("shipping"));
  QTest::keyClick(view, Qt::Key_Tab);
  QTest::keyClicks(view, QStringLiteral("s"));
  auto* panel = frame->findChild<QDockWidget*>();
  for (int waited = 0; waited < 5000 && !(panel && panel->isVisible()); waited += 50) {
    QTest::qWait(50);
    panel = frame->findChild<QDockWidget*>();
  }
  frame->resize(720, 560);
  QApplication::processEvents();
  const QString checks = QDir(out).filePath(QStringLiteral("quillmaker-checks.png"));
  saved = frame->grab().save(checks) && saved;
  std::printf("%s\n", qPrintable(checks));
  return saved ? 0 : 1;
}
