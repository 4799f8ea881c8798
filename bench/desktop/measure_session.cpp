// One session of the desktop program with a large structure, timed as the user
// feels it: from the input event until the grid has painted again (or, for
// commands that need not paint, until the event loop is idle). The events are
// real key and mouse events delivered to the widgets, as the GUI tests send them.
#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "application.h"
#include "desktop_bench.h"
#include "frame_window.h"
#include "grid_view.h"
#include "live_check.h"
#include "quill/grid_sheet.h"

namespace desktopbench {
namespace {

constexpr int kRepeats = 15;

long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

long PeakKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

double Ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

// Delivers what is pending until the counter has seen a paint after `before`;
// the time since the timer started.
double UntilPainted(const PaintCounter& paints, int before, const QElapsedTimer& timer) {
  for (int round = 0; round < 10'000 && paints.count == before; ++round) QApplication::processEvents();
  return Ms(timer);
}

double UntilIdle(const QElapsedTimer& timer) {
  QApplication::processEvents();
  return Ms(timer);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

void Print(const char* name, double value) { std::printf("%s %.3f\n", name, value); }

// The main thread's CPU time in nanoseconds.
qint64 ThreadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<qint64>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The longest time the event loop went without turning (what a keystroke typed
// then would wait), in real time and in the main thread's own CPU time: on a
// busy machine the first also holds the time other processes had the core.
struct Stall {
  double realMs = 0;
  double cpuMs = 0;
};

// Runs the event loop until the idle check has reported, noting the longest stall.
Stall LongestStallWhileChecking(desktop::LiveCheck* check) {
  QEventLoop loop;
  QElapsedTimer clock;
  clock.start();
  qint64 last = clock.nsecsElapsed();
  qint64 lastCpu = ThreadCpuNs();
  Stall longest;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.setInterval(1);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    const qint64 cpu = ThreadCpuNs();
    longest.realMs = std::max(longest.realMs, static_cast<double>(now - last) / 1e6);
    longest.cpuMs = std::max(longest.cpuMs, static_cast<double>(cpu - lastCpu) / 1e6);
    last = now;
    lastCpu = cpu;
  });
  // A little past the report, so that a stall in showing it is seen too.
  QObject::connect(check, &desktop::LiveCheck::checked, &loop,
                   [&] { QTimer::singleShot(100, &loop, &QEventLoop::quit); });
  QTimer::singleShot(60'000, &loop, &QEventLoop::quit);
  tick.start();
  loop.exec();
  return longest;
}

Stall Worse(Stall a, Stall b) { return {std::max(a.realMs, b.realMs), std::max(a.cpuMs, b.cpuMs)}; }

void PressRowHeader(desktop::GridView* view, std::uint32_t row, Qt::KeyboardModifiers mods) {
  QTest::mouseClick(view->viewport(), Qt::LeftButton, mods, view->cellRect(row, 0).center());
}

}  // namespace

int MeasureSession(std::uint32_t rows, const char* library) {
  int argc = 1;
  char name[] = "quillmaker-bench";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());

  desktop::AppOptions options;
  options.library = QString::fromLocal8Bit(library);
  options.profilePath = QDir(settings.path()).filePath(QStringLiteral("bench.ini"));
  options.modulePath = qEnvironmentVariable("QST_MODULE", QStringLiteral(QUILL_MODULE_PATH));
  desktop::Application quill(options);
  if (!quill.start()) return 3;
  const long baseKb = ResidentKb();

  // Open: the editor loads the entry, the frame shows, the grid paints.
  PaintCounter paints;
  QElapsedTimer timer;
  timer.start();
  desktop::FrameWindow* frame = quill.newGlobalEditor(QStringLiteral("s_bench"));
  if (!frame) return 4;
  desktop::GridView* view = frame->gridView();
  view->viewport()->installEventFilter(&paints);
  Print("open_ms", UntilPainted(paints, 0, timer));
  quill::GridSheet& sheet = *view->sheet();
  if (sheet.rowCount() != rows + 1) {
    std::fprintf(stderr, "quillmaker-bench: %u rows opened, %u expected\n", sheet.rowCount(), rows + 1);
    return 5;
  }
  auto* check = frame->findChild<desktop::LiveCheck*>();
  Stall stall = LongestStallWhileChecking(check);

  // Keystrokes in the name cell of the third row.
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(3, 1).center());
  QApplication::processEvents();
  if (sheet.currentRow() != 3) {
    std::fprintf(stderr, "quillmaker-bench: the click did not reach row 3\n");
    return 9;
  }
  std::vector<double> keys;
  for (int i = 0; i < kRepeats; ++i) {
    const int before = paints.count;
    timer.start();
    QTest::keyClick(view, Qt::Key_X);
    keys.push_back(UntilPainted(paints, before, timer));
  }
  Print("key_ms_median", Median(keys));
  Print("key_ms_max", *std::max_element(keys.begin(), keys.end()));
  stall = Worse(stall, LongestStallWhileChecking(check));

  std::vector<double> pages;
  for (int i = 0; i < kRepeats; ++i) {
    const int before = paints.count;
    timer.start();
    QTest::keyClick(view, Qt::Key_PageDown);
    pages.push_back(UntilPainted(paints, before, timer));
  }
  Print("page_ms_median", Median(pages));
  Print("page_ms_max", *std::max_element(pages.begin(), pages.end()));

  // Row 1's header, then Shift with the last row's header: every row selected.
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  PressRowHeader(view, 1, {});
  QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
  QApplication::processEvents();
  int before = paints.count;
  timer.start();
  PressRowHeader(view, sheet.rowCount(), Qt::ShiftModifier);
  Print("shift_ms", UntilPainted(paints, before, timer));
  if (!sheet.isSelected(1) || !sheet.isSelected(rows)) return 6;

  QApplication::clipboard()->clear();
  timer.start();
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  Print("copy_ms", UntilIdle(timer));
  if (QApplication::clipboard()->text().count(QLatin1Char('\n')) < static_cast<qsizetype>(rows)) return 7;

  timer.start();
  QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
  Print("save_ms", UntilIdle(timer));
  if (frame->isWindowModified()) return 8;
  stall = Worse(stall, LongestStallWhileChecking(check));
  Print("idle_stall_ms", stall.realMs);
  Print("idle_stall_cpu_ms", stall.cpuMs);

  const long peakKb = PeakKb();
  Print("peak_b_row", static_cast<double>(peakKb) * 1024.0 / rows);
  Print("peak_above_start_b_row", static_cast<double>(peakKb - baseKb) * 1024.0 / rows);
  Print("start_mb", static_cast<double>(baseKb) / 1024.0);
  std::fflush(stdout);
  return 0;
}

}  // namespace desktopbench
