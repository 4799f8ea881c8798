// Returning the keyboard to where it was when a dialog closes.
#include "focus_keeper.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

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
    cameFrom_.insert(dialog, {from, QApplication::activeWindow()});
    connect(dialog, &QObject::destroyed, this, [this](QObject* gone) { cameFrom_.remove(gone); });
  } else if (event->type() == QEvent::Hide && cameFrom_.contains(dialog)) {
    const Origin origin = cameFrom_.take(dialog);
    QWidget* back = origin.widget;
    // A widget hidden meanwhile (its own dialog closed first) takes nothing back.
    if (!back || !back->isVisible()) return false;
    // Another dialog opened over this one has the keyboard; it gives it back in turn.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != dialog && modal != back->window())
      return false;
    // So has a window that became active since (the Quill Panel, a new editor).
    if (QWidget* active = QApplication::activeWindow();
        active && active != dialog && active != back->window() && active != origin.activeWindow && active->isVisible())
      return false;
    QWidget* window = back->window();
    window->raise();
    window->activateWindow();
    back->setFocus(Qt::OtherFocusReason);
  }
  return false;
}

}  // namespace desktop
