// Where new windows appear and how large they are: every window fully on its
// screen, editor frames cascaded, small dialogs as large as their contents and
// wide enough for their whole title.
#pragma once

#include <QObject>
#include <QRect>
#include <QSettings>

class QWidget;

namespace desktop {

// The user's layout settings, beside the profile in the user's configuration
// folder: column widths, the editor window's size and place, the error panel's height.
QSettings LayoutSettings();

// An editor frame as it was last left: its size always, its place too when
// withPlace (the first window); false when nothing was kept.
bool RestoreFrameLayout(QWidget* frame, bool withPlace);
// Keeps the frame's size and place, and the error panel's height when it has one (> 0).
void RememberFrameLayout(const QWidget* frame, int errorPanelHeight);
// The error panel's height as the user left it, 0 when never.
int RememberedErrorPanelHeight();

// The rectangle moved (and, when larger, shrunk) into bounds.
QRect FittedInto(const QRect& window, const QRect& bounds);

// Sized to the contents' hint, and never narrower than its title needs.
void SizeToContents(QWidget* window);

// Installed on the application: each top-level window, as it is first shown,
// is moved (and if need be shrunk) onto the available area of its screen.
class WindowPlacer : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A new editor frame: down and right of the previous one, back at the top
  // left of the screen when that would not fit.
  static void Cascade(QWidget* window, const QWidget* previous);
};

}  // namespace desktop
