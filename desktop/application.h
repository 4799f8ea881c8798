// The desktop program: one host, its front end, and a frame window per editor.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

#include "focus_keeper.h"
#include "qt_front_end.h"
#include "quill/host.h"
#include "recent_list.h"
#include "window_placement.h"

namespace desktop {

class FrameWindow;

struct AppOptions {
  QString library;      // the library to start with
  QString openName;     // a global structure to open at once
  QString objectName;   // an owning object whose local structures to edit
  QString profilePath;  // the INI profile
  QString modulePath;
  int fontHeight = 16;
};

// Where a first run puts the user's copy of the sample library and the profile.
struct UserFiles {
  QString library;
  QString profile;
};
UserFiles PrepareUserFiles(const QString& sampleLibrary);

class Application : public QObject {
  Q_OBJECT
 public:
  explicit Application(const AppOptions& options);
  ~Application() override;

  // Loads the module; false with a reason in error().
  bool start();
  const QString& error() const { return error_; }
  quill::Host& host() { return *host_; }
  QtFrontEnd& frontEnd() { return frontEnd_; }

  // A stand-alone editor (open: a structure of the current library to open at once).
  FrameWindow* newGlobalEditor(const std::optional<QString>& open = std::nullopt);
  // An embedded editor for the local structures of an owning object.
  FrameWindow* newEmbeddedEditor(const QString& objectName);
  // Closes every editor through its close query; true when all closed.
  bool closeAll();
  // The libraries and structures opened last, and opening one of them again.
  RecentList& recent() { return recent_; }
  FrameWindow* reopen(const RecentItem& item);
  // The Quill Panel, the program's home window; shown again it is brought up to date.
  void showQuillPanel();
  QWidget* quillPanel() const { return panel_; }

 private:
  FrameWindow* adopt(quill::EditorSession* session);
  FrameWindow* holding(const std::string& library, const std::string& structure) const;
  static FrameWindow* bringToFront(FrameWindow* frame);
  void refreshQuillPanel();
  void showPrinterSetup();
  void remember(const RecentItem& item);

  AppOptions options_;
  QtFrontEnd frontEnd_;
  std::unique_ptr<quill::Host> host_;
  RecentList recent_;
  WindowPlacer placer_;
  FocusKeeper focusKeeper_;
  QString error_;
  QPointer<QWidget> panel_;
};

}  // namespace desktop
