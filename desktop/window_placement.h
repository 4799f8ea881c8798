// Where new windows appear and how large they are: every window fully on its
// screen, editor frames cascaded, small dialogs as large as their contents and
// wide enough for their whole title.
#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace desktop {

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
