// Gives the keyboard back after a dialog or message box: to the widget that had
// it when the dialog showed, in its window, made active again. Without this a
// window manager may leave no window active once a box over a closing dialog goes.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace desktop {

// Installed on the application; watches every dialog shown.
class FocusKeeper : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Origin {
    QPointer<QWidget> widget;        // the widget that had the keyboard
    QPointer<QWidget> activeWindow;  // the window active then
  };
  QHash<QObject*, Origin> cameFrom_;  // by dialog
};

}  // namespace desktop
