// Keeping new windows on screen: cascading frames and sizing small dialogs.
#include "window_placement.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace desktop {
namespace {

// Room a title bar takes besides the title: icon, buttons and padding.
constexpr int kTitleBarExtra = 140;
constexpr int kCascadeStep = 28;
const QString kFrameGeometryKey = QStringLiteral("frame/geometry");
const QString kErrorPanelKey = QStringLiteral("frame/errorPanelHeight");

QRect AvailableFor(const QWidget* window) {
  QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center());
  if (!screen) screen = window->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

// The window's frame (title bar and borders) around its geometry.
QMargins FrameMargins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

void FitOnScreen(QWidget* window) {
  const QRect bounds = AvailableFor(window);
  if (bounds.isEmpty()) return;
  const QMargins margins = FrameMargins(window);
  const QRect frame = window->frameGeometry();
  const QRect fitted = FittedInto(frame, bounds);
  if (fitted == frame) return;
  if (fitted.size() != frame.size()) window->resize(fitted.size().shrunkBy(margins));
  window->move(fitted.topLeft());  // move() places the frame's top left corner
}

}  // namespace

QSettings LayoutSettings() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillmaker"), QStringLiteral("layout"));
}

bool RestoreFrameLayout(QWidget* frame, bool withPlace) {
  const QRect kept = LayoutSettings().value(kFrameGeometryKey).toRect();
  if (!kept.isValid()) return false;
  frame->resize(kept.size());
  // The screen may have changed since: the window is fitted onto it as it shows.
  if (withPlace) frame->move(kept.topLeft());
  return true;
}

void RememberFrameLayout(const QWidget* frame, int errorPanelHeight) {
  QSettings settings = LayoutSettings();
  settings.setValue(kFrameGeometryKey, QRect(frame->pos(), frame->size()));
  if (errorPanelHeight > 0) settings.setValue(kErrorPanelKey, errorPanelHeight);
}

int RememberedErrorPanelHeight() { return std::max(0, LayoutSettings().value(kErrorPanelKey).toInt()); }

QRect FittedInto(const QRect& window, const QRect& bounds) {
  QRect fitted(window.topLeft(), window.size().boundedTo(bounds.size()));
  if (fitted.right() > bounds.right()) fitted.moveRight(bounds.right());
  if (fitted.bottom() > bounds.bottom()) fitted.moveBottom(bounds.bottom());
  if (fitted.left() < bounds.left()) fitted.moveLeft(bounds.left());
  if (fitted.top() < bounds.top()) fitted.moveTop(bounds.top());
  return fitted;
}

void SizeToContents(QWidget* window) {
  window->adjustSize();
  const int title = QFontMetrics(QApplication::font()).horizontalAdvance(window->windowTitle()) + kTitleBarExtra;
  window->setMinimumWidth(std::max(window->minimumSizeHint().width(), title));
  window->resize(std::max(window->width(), title), window->height());
}

bool WindowPlacer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    const Qt::WindowType type = widget->windowType();
    if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog)) FitOnScreen(widget);
  }
  return QObject::eventFilter(watched, event);
}

void WindowPlacer::Cascade(QWidget* window, const QWidget* previous) {
  const QRect bounds = AvailableFor(previous ? previous : window);
  QPoint at = previous ? previous->frameGeometry().topLeft() + QPoint(kCascadeStep, kCascadeStep) : bounds.topLeft();
  const QRect wanted(at, window->frameGeometry().size());
  if (!bounds.contains(wanted)) at = bounds.topLeft();
  window->move(at);
}

}  // namespace desktop
