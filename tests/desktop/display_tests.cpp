// The grid on a screen of twice the density (run with QT_SCALE_FACTOR=2) and
// under a dark theme, measured on its pictures.
#include <QApplication>
#include <QDockWidget>
#include <QPalette>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <map>

#include "application.h"
#include "frame_window.h"
#include "grid_view.h"
#include "gui_grid.h"
#include "gui_session.h"
#include "quill/grid_sheet.h"

using desktop::FrameWindow;
using desktop::GridView;
using gui::ClickCell;

namespace {

double Luminance(QRgb rgb) {
  const auto linear = [](int c) {
    const double v = c / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The most frequent colour of an area of the picture: its background.
QRgb Background(const QImage& image, QRect area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) ++counts[image.pixel(x, y) | 0xFF000000u];
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// The contrast of the drawing in an area (the pixel furthest from the background) with its background.
double InkContrast(const QImage& image, QRect area) {
  const QRgb background = Background(image, area);
  double best = 1;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) best = std::max(best, Contrast(image.pixel(x, y), background));
  return best;
}

// The bounding box of what differs from the background in an area, in the area's own pixels.
QRect Ink(const QImage& image, QRect area) {
  const QRgb background = Background(image, area);
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (Contrast(image.pixel(x, y), background) > 1.5) box |= QRect(x, y, 1, 1);
  return box;
}

// A logical rectangle of the viewport as pixels of a picture of the frame at ratio.
QRect InPicture(GridView* view, FrameWindow* frame, QRect logical, double ratio) {
  const QRect r(view->viewport()->mapTo(frame, logical.topLeft()), logical.size());
  return QRect(std::lround(r.x() * ratio), std::lround(r.y() * ratio), std::lround(r.width() * ratio),
               std::lround(r.height() * ratio));
}

}  // namespace

class DisplayTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<desktop::Application> app_;

  // Three variables, the second selected and the third of a type nobody knows (marked).
  FrameWindow* markedStructure() {
    FrameWindow* frame = gui::NewStructure(*app_);
    if (!frame) return nullptr;
    GridView* view = frame->gridView();
    const char* rows[][3] = {{"quantity", "dec", "2"}, {"article", "string", ""}, {"note", "memo", ""}};
    for (int i = 0; i < 3; ++i) {
      ClickCell(frame, i + 1, 1);
      for (const char* text : rows[i]) {
        QTest::keyClicks(view, QString::fromLatin1(text));
        QTest::keyClick(view, Qt::Key_Tab);
      }
    }
    const auto marked = [frame] { return frame->findChild<QDockWidget*>() && frame->findChild<QDockWidget*>()->isVisible(); };
    for (int waited = 0; waited < 5000 && !marked(); waited += 50) QTest::qWait(50);
    ClickCell(frame, 2, 1);
    QTest::keyClick(view, Qt::Key_Space, Qt::ShiftModifier);
    QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_End);
    QTest::keyClick(view, Qt::Key_Home, Qt::ShiftModifier);
    frame->setStatusText(QStringLiteral("Saved s_lines to test.lib"));
    QApplication::processEvents();
    return frame;
  }

 private slots:
  void init() {
    const QString error = gui::StartFreshProgram(app_, dir_);
    QVERIFY2(error.isEmpty(), qPrintable(error));
  }
  void cleanup() { gui::EndProgram(app_); }

  // At twice the density every cell shows what it shows at 1x, in the same place
  // scaled, and the Dec column is whole.
  void twiceTheDensityShowsTheSameCellsScaled() {
    FrameWindow* frame = markedStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    const QImage sharp = frame->grab().toImage();
    if (sharp.devicePixelRatio() < 2) QSKIP("run with QT_SCALE_FACTOR=2");
    QImage plain(frame->size(), QImage::Format_ARGB32);
    plain.setDevicePixelRatio(1);
    frame->render(&plain);
    sharp.save(QStringLiteral("display-2x.png"));  // beside the test, to look at

    QVERIFY(view->cellRect(1, ColDecimals).right() < view->viewport()->width());
    const std::uint32_t rows = gui::Sheet(frame).rowCount();
    for (std::uint32_t row = 0; row <= rows && view->rowInView(std::max<std::uint32_t>(row, 1)); ++row)
      for (int column = ColRowIndicator; column <= kLastDataColumn; ++column) {
        QRect cell = view->cellRect(row == 0 ? 1 : row, column);
        if (row == 0) cell = QRect(cell.left(), 0, cell.width(), view->headerHeight());
        cell.adjust(2, 2, -2, -2);  // inside the grid lines
        const QRect at1 = Ink(plain, InPicture(view, frame, cell, 1));
        const QRect at2 = Ink(sharp, InPicture(view, frame, cell, 2));
        const QString where = QStringLiteral("row %1 column %2: %3 at 1x, %4 at 2x")
                                  .arg(row)
                                  .arg(column)
                                  .arg(QDebug::toString(at1), QDebug::toString(at2));
        QCOMPARE(at1.isEmpty(), at2.isEmpty());
        if (at1.isEmpty()) continue;
        // Text is drawn anew at each size: its edges may differ by a pixel or two.
        const QRect scaled(at2.x() / 2, at2.y() / 2, at2.width() / 2, at2.height() / 2);
        QVERIFY2(std::abs(scaled.left() - at1.left()) <= 2 && std::abs(scaled.right() - at1.right()) <= 3 &&
                     std::abs(scaled.top() - at1.top()) <= 2 && std::abs(scaled.bottom() - at1.bottom()) <= 2,
                 qPrintable(where));
      }
    // The icon is drawn for the density, each pixel a square.
    const QImage icon = frame->windowIcon().pixmap(QSize(16, 16), 2.0).toImage();
    QCOMPARE(icon.size(), QSize(32, 32));
    for (int y = 0; y < 32; y += 2)
      for (int x = 0; x < 32; x += 2) QCOMPARE(icon.pixel(x + 1, y + 1), icon.pixel(x, y));
  }

  // Under a dark theme every text keeps a contrast of 4.5:1 with what is behind it.
  void darkThemeKeepsEveryTextReadable() {
    const QPalette light = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::AlternateBase, QColor(50, 50, 50));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 55));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Mid, QColor(80, 80, 80));
    dark.setColor(QPalette::Highlight, QColor(38, 79, 120));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    dark.setColor(QPalette::ToolTipBase, QColor(30, 30, 30));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    FrameWindow* frame = markedStructure();
    QVERIFY(frame);
    GridView* view = frame->gridView();
    const QImage picture = frame->grab().toImage();
    const double ratio = picture.devicePixelRatio();
    picture.save(QStringLiteral("display-dark.png"));
    QApplication::setPalette(light);

    const int markWidth = view->rowHeight() / 2 + 3;
    QRect header = view->cellRect(1, ColName);
    header = QRect(header.left(), 0, header.width(), view->headerHeight());
    const QRect markArea = view->cellRect(3, ColRowIndicator).adjusted(2, 2, 0, -2);
    const QRect name = view->cellRect(1, ColName);
    const QRect selectedText(name.left() + 4, name.top() + 3, view->fontMetrics().horizontalAdvance(QStringLiteral("quantity")),
                             name.height() - 6);
    const QRect status(frame->statusBar()->mapTo(frame, QPoint(0, 0)), frame->statusBar()->size());
    const struct {
      const char* what;
      QRect area;  // in the picture
    } texts[] = {
        {"cell text", InPicture(view, frame, view->cellRect(3, ColName).adjusted(2, 2, -2, -2), ratio)},
        {"a decimal's Dec", InPicture(view, frame, view->cellRect(1, ColDecimals).adjusted(2, 2, -2, -2), ratio)},
        {"column header", InPicture(view, frame, header.adjusted(2, 2, -2, -2), ratio)},
        {"row number", InPicture(view, frame, view->cellRect(3, ColRowIndicator).adjusted(markWidth, 2, -2, -2), ratio)},
        {"selected row's text", InPicture(view, frame, view->cellRect(2, ColType).adjusted(2, 2, -2, -2), ratio)},
        {"selected row's number", InPicture(view, frame, view->cellRect(2, ColRowIndicator).adjusted(2, 2, -2, -2), ratio)},
        {"selected characters", InPicture(view, frame, selectedText, ratio)},
        {"error mark", InPicture(view, frame, QRect(markArea.left(), markArea.top(), markWidth, markArea.height()), ratio)},
        {"status bar", QRect((status.topLeft() * ratio), status.size() * ratio).adjusted(2, 2, -2, -2)},
    };
    for (const auto& text : texts) {
      const double contrast = InkContrast(picture, text.area);
      QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1: %2:1").arg(QLatin1String(text.what)).arg(contrast)));
    }
  }
};

QTEST_MAIN(DisplayTest)
#include "display_tests.moc"
