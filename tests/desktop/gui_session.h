// A fresh program for each GUI test: its own library, no profile, no layout kept.
#pragma once

#include <QFile>
#include <QPointer>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

#include "application.h"
#include "frame_window.h"
#include "gui_events.h"

namespace gui {

// The options of a program working in a new library in dir. Layout settings the
// test makes stay in dir.
inline desktop::AppOptions FreshProgram(const QTemporaryDir& dir) {
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath(QStringLiteral("settings")));
  QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("quillmaker"), QStringLiteral("layout")).clear();
  desktop::AppOptions options;
  options.library = dir.filePath(QStringLiteral("test%1.lib").arg(QRandomGenerator::global()->generate()));
  options.profilePath = dir.filePath(QStringLiteral("none.ini"));
  QFile::remove(options.profilePath);
  options.modulePath = qEnvironmentVariable("QST_MODULE", QStringLiteral(QUILL_MODULE_PATH));
  return options;
}

// Closes every editor, answering No where one asks to save.
inline void CloseEditorsUnsaved() {
  for (desktop::FrameWindow* frame : desktop::FrameWindow::all()) {
    QPointer<QTimer> answer = WhenDialogShows([](QWidget* dialog) { Click(dialog, QStringLiteral("No")); });
    frame->close();
    delete answer.data();
  }
}

// Starts a fresh program in dir for one test function: "" or why it did not start.
inline QString StartFreshProgram(std::unique_ptr<desktop::Application>& app, const QTemporaryDir& dir) {
  if (!dir.isValid()) return QStringLiteral("no temporary folder");
  app = std::make_unique<desktop::Application>(FreshProgram(dir));
  return app->start() ? QString() : app->error();
}

// Ends the test function's program, its editors closed unsaved.
inline void EndProgram(std::unique_ptr<desktop::Application>& app) {
  CloseEditorsUnsaved();
  app.reset();
}

}  // namespace gui
