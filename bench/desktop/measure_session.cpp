// One session of the desktop program with a large structure, timed as the user
// feels it: from the input event until the grid has painted again (or, for
// commands that need not paint, until the event loop is idle). The events are
// real key and mouse events delivered to the widgets, as the GUI tests send them.
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
#include <string>
#include <vector>

#include "application.h"
#include "desktop_bench.h"
#include "frame_window.h"
#include "grid_view.h"
#include "live_check.h"
#include "process_memory.h"
#include "quill/grid_sheet.h"

namespace desktopbench {
namespace {

constexpr int kRepeats = 15;

using benchmemory::PeakSinceResetKb;
using benchmemory::ResetPeak;
using benchmemory::ResidentKb;

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

// The main thread's CPU time in nanoseconds.
qint64 ThreadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<qint64>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// Real time, and the main thread's own CPU time: on a machine others share, the
// real time also holds the time other processes had the core.
struct Took {
  double realMs = 0;
  double cpuMs = 0;
};

class Stopwatch {
 public:
  void start() {
    real_.start();
    cpu_ = ThreadCpuNs();
  }
  Took read() const {
    return {static_cast<double>(real_.nsecsElapsed()) / 1e6, static_cast<double>(ThreadCpuNs() - cpu_) / 1e6};
  }

 private:
  QElapsedTimer real_;
  qint64 cpu_ = 0;
};

// Delivers what is pending until the counter has seen a paint after `before`.
Took UntilPainted(const PaintCounter& paints, int before, const Stopwatch& watch) {
  for (int round = 0; round < 10'000 && paints.count == before; ++round) QApplication::processEvents();
  return watch.read();
}

Took UntilIdle(const Stopwatch& watch) {
  QApplication::processEvents();
  return watch.read();
}

void Print(const char* name, double value) { std::printf("%s %.3f\n", name, value); }

void Print(const std::string& name, Took took) {
  Print(name.c_str(), took.realMs);
  Print((name + "_cpu").c_str(), took.cpuMs);
}

// The median and the worst of repeated measures, real and CPU time each.
void PrintSpread(const std::string& name, const std::vector<Took>& runs) {
  std::vector<double> real, cpu;
  for (const Took& run : runs) {
    real.push_back(run.realMs);
    cpu.push_back(run.cpuMs);
  }
  std::sort(real.begin(), real.end());
  std::sort(cpu.begin(), cpu.end());
  Print(name + "_median", Took{real[real.size() / 2], cpu[cpu.size() / 2]});
  Print(name + "_max", Took{real.back(), cpu.back()});
}

// The longest time the event loop went without turning (what a keystroke typed
// then would wait), in real time and in the main thread's own CPU time.
using Stall = Took;

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

// The session's peak resident memory, and each step's own: the peak is read and
// reset as each step ends, so a step's figure is the most it held at one time.
class StepPeaks {
 public:
  StepPeaks(std::uint32_t rows, long baseKb) : rows_(rows), baseKb_(baseKb), peakKb_(PeakSinceResetKb()) { ResetPeak(); }
  void ended(const char* step) {
    const long kb = PeakSinceResetKb();
    ResetPeak();
    peakKb_ = std::max(peakKb_, kb);
    Print((std::string("peak_") + step + "_b_row").c_str(), perRow(kb - baseKb_));
    Print((std::string("held_after_") + step + "_b_row").c_str(), perRow(ResidentKb() - baseKb_));
  }
  void printSession() const {
    Print("peak_b_row", perRow(peakKb_));
    Print("peak_above_start_b_row", perRow(peakKb_ - baseKb_));
    Print("start_mb", static_cast<double>(baseKb_) / 1024.0);
  }

 private:
  double perRow(long kb) const { return static_cast<double>(kb) * 1024.0 / rows_; }
  std::uint32_t rows_;
  long baseKb_;
  long peakKb_;
};

Took Worse(Took a, Took b) { return {std::max(a.realMs, b.realMs), std::max(a.cpuMs, b.cpuMs)}; }

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
  StepPeaks peaks(rows, ResidentKb());

  // Open: the editor loads the entry, the frame shows, the grid paints.
  PaintCounter paints;
  Stopwatch timer;
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
  peaks.ended("open");
  auto* check = frame->findChild<desktop::LiveCheck*>();
  Stall stall = LongestStallWhileChecking(check);
  peaks.ended("check");

  // Keystrokes in the name cell of the third row.
  QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cellRect(3, 1).center());
  QApplication::processEvents();
  if (sheet.currentRow() != 3) {
    std::fprintf(stderr, "quillmaker-bench: the click did not reach row 3\n");
    return 9;
  }
  std::vector<Took> keys;
  for (int i = 0; i < kRepeats; ++i) {
    const int before = paints.count;
    timer.start();
    QTest::keyClick(view, Qt::Key_X);
    keys.push_back(UntilPainted(paints, before, timer));
  }
  PrintSpread("key_ms", keys);
  stall = Worse(stall, LongestStallWhileChecking(check));

  std::vector<Took> pages;
  for (int i = 0; i < kRepeats; ++i) {
    const int before = paints.count;
    timer.start();
    QTest::keyClick(view, Qt::Key_PageDown);
    pages.push_back(UntilPainted(paints, before, timer));
  }
  PrintSpread("page_ms", pages);

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
  peaks.ended("keys");

  QApplication::clipboard()->clear();
  timer.start();
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  Print("copy_ms", UntilIdle(timer));
  peaks.ended("copy");

  timer.start();
  QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
  Print("save_ms", UntilIdle(timer));
  if (frame->isWindowModified()) return 8;
  peaks.ended("save");
  stall = Worse(stall, LongestStallWhileChecking(check));
  Print("idle_stall_ms", stall);
  peaks.ended("check_again");
  peaks.printSession();
  std::fflush(stdout);

  // Read only now, so that the text the reading makes is no part of the peak.
  if (QApplication::clipboard()->text().count(QLatin1Char('\n')) < static_cast<qsizetype>(rows)) return 7;
  return 0;
}

}  // namespace desktopbench
