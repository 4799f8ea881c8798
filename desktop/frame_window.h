// The frame window of one editor: the editor's menus, the host's toolbar built
// from the editor's command list, a status bar, and the grid in the middle.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <optional>
#include <vector>

#include "platform/win.h"
#include "quill/front_end.h"
#include "quill/row_check.h"

class QMenu;
class QAction;
class QToolBar;
class QListWidget;
class QDockWidget;

namespace quill {
class Host;
struct EditorSession;
}  // namespace quill

namespace desktop {

class FindBar;
class GridView;
class LiveCheck;
class QtFrontEnd;

class FrameWindow : public QMainWindow {
  Q_OBJECT
 public:
  FrameWindow(QtFrontEnd& frontEnd, quill::Host& host, quill::EditorSession& session);
  ~FrameWindow() override;

  static FrameWindow* ofFrame(HWND frame);
  static std::vector<FrameWindow*> all();

  HWND frame() const { return frame_; }
  HWND editor() const { return editor_; }
  GridView* gridView() const { return gridView_; }
  quill::EditorSession* session() const;

  // The editor's title, the library's file name and the unsaved-changes mark.
  void refreshTitle();
  // The unsaved-changes mark, as the editor answers whether it holds changes.
  void refreshUnsavedMark();
  // entryShown for the structure held now; again: also when it was announced before.
  void announceEntry(bool again);
  void refreshMenuStates();
  void refreshToolbar();
  // Has the editor bring its Edit menu states up to date, then shows them in the
  // menus and the toolbar: after every command, notification and cell change.
  void syncCommandStates();
  void setStatusText(const QString& text);
  void clearStatusText();
  // Ctrl+F: the find bar, ready for typing.
  void startFind();
  // F3, Shift+F3: the last search again, forwards or backwards.
  void findAgain(bool forward);
  // The Edit commands as a context menu at a global position.
  void showEditMenu(QPoint at);
  // A save's compile errors, by source line: the compiler refused the save,
  // which reportRefusedSave tells once the command that saved is over.
  void showCompileErrors(const std::vector<quill::CompileError>& errors);
  // Tells of a save the compiler refused since the last call, if any: a message
  // box with the first error, then that error selected in the compile-error
  // panel and its row current; the status bar says it too.
  void reportRefusedSave();
  // Errors by grid row: marks in the row headers and the compile-error panel,
  // which goes away when there are none.
  void showRowErrors(std::vector<quill::RowError> errors);
  // The platform frame went away: the window closes without asking again.
  void frameDestroyed();
  // A key press as the accelerator table sees it; true when it was an accelerator.
  bool translateAccelerator(int vkey, Qt::KeyboardModifiers modifiers);
  // Runs a command as a menu item would: the host's own commands here, the rest to the editor.
  void runCommand(WORD id);

 signals:
  void exitRequested();
  void printerSetupRequested();
  void quillPanelRequested();
  // The editor holds a global structure of a library, loaded or just saved.
  void entryShown(const QString& library, const QString& structure);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  void buildToolbar();
  void fillPopup(QMenu* menu, HMENU popup);
  void addPrintPreview(QMenu* fileMenu);
  void find(const QString& text, bool forward);
  // The compile-error panel's list: the first errors, then how many more there are.
  void fillErrorList(const std::vector<quill::RowError>& errors);

  QtFrontEnd& frontEnd_;
  quill::Host& host_;
  HWND frame_;
  HWND editor_;
  HMENU menuBar_ = nullptr;
  GridView* gridView_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  std::vector<std::pair<WORD, QAction*>> toolActions_;
  QDockWidget* errorDock_ = nullptr;
  QListWidget* errorList_ = nullptr;
  FindBar* findBar_ = nullptr;
  LiveCheck* liveCheck_ = nullptr;
  QString shownEntry_;  // library and structure last announced by entryShown
  // A save the compiler refused, not yet told.
  struct RefusedSave {
    QString structure;
    std::vector<quill::RowError> errors;  // by row, at least one
  };
  std::optional<RefusedSave> refusedSave_;
  // The library and structure held, "\n" alone for an untitled one.
  QString heldEntry() const;
  void keepStatusToItsStructure();
  QString statusEntry_;       // the structure the status message speaks of
  bool statusFresh_ = false;  // a message shown since the title last followed the editor
  bool platformGone_ = false;
  bool syncing_ = false;
};

}  // namespace desktop
