// Answering the dialogs and menus a GUI test's events open, as a user would.
#pragma once

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace gui {

// Answers the next modal dialog once it is shown. The timer ends with its answer;
// delete it to withdraw an answer that was not needed.
inline QTimer* WhenDialogShows(std::function<void(QWidget*)> answer) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    timer->stop();
    timer->deleteLater();
    answer(modal);
  });
  timer->start();
  return timer;
}

// Acts on the next pop-up menu once it is shown.
inline void WhenPopupShows(std::function<void(QMenu*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    timer->stop();
    timer->deleteLater();
    act(menu);
  });
  timer->start();
}

inline QPushButton* ButtonNamed(QWidget* dialog, const QString& text) {
  for (auto* button : dialog->findChildren<QPushButton*>())
    if (button->text().remove(QLatin1Char('&')) == text) return button;
  return nullptr;
}

inline void Click(QWidget* dialog, const QString& text) {
  QPushButton* button = ButtonNamed(dialog, text);
  QVERIFY2(button, qPrintable(QStringLiteral("no button ") + text));
  button->click();
}

}  // namespace gui
