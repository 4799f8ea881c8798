// Returning the keyboard to where it was when a dialog closes.
#include "focus_keeper.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>

namespace desktop {

bool FocusKeeper::eventFilter(QObject* watched, QEvent* event) {
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (!dialog || !dialog->isWindow()) return false;
  if (event->type() == QEvent::Show && !cameFrom_.contains(dialog)) {
    // The keyboard goes back to the window the dialog belongs to: a new editor's
    // first dialog may show before its window became the active one.
    QWidget* from = QApplication::focusWidget();
    if (QWidget* owner = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
        owner && (!from || from->window() != owner))
      from = owner->focusWidget() ? owner->focusWidget() : owner;
    cameFrom_.insert(dialog, from);
    connect(dialog, &QObject::destroyed, this, [this](QObject* gone) { cameFrom_.remove(gone); });
  } else if (event->type() == QEvent::Hide && cameFrom_.contains(dialog)) {
    QPointer<QWidget> back = cameFrom_.take(dialog);
    // After the dialog is gone from the screen; a widget hidden meanwhile (its own
    // dialog closed too) leaves the keyboard to the dialog that showed before it.
    QTimer::singleShot(0, this, [back] {
      if (!back || !back->isVisible()) return;
      // Another dialog opened meanwhile has the keyboard now; it gives it back in turn.
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != back->window()) return;
      QWidget* window = back->window();
      window->raise();
      window->activateWindow();
      back->setFocus(Qt::OtherFocusReason);
    });
  }
  return false;
}

}  // namespace desktop
