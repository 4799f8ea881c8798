// The desktop front end: message boxes, dialogs, cursor, clipboard, status and
// printing through Qt; repaints of the grid and menus when the platform says so.
#pragma once

#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

#include "print_service.h"
#include "quill/front_end.h"

namespace quill {
class Host;
}

namespace desktop {

class FrameWindow;

class QtFrontEnd : public QObject, public quill::HostFrontEnd {
  Q_OBJECT
 public:
  QtFrontEnd();
  void setHost(quill::Host* host) { host_ = host; }
  quill::Host* host() const { return host_; }

  // The modifiers of the input event being handled (Qt::KeyboardModifiers), so that
  // Shift and Ctrl read by the editor are those of that event.
  void setEventModifiers(int modifiers) { eventModifiers_ = modifiers; }
  // Printer Setup's choices and the printer every print goes to.
  PrintService& printing() { return printing_; }
  // While set, what the editor prints is shown in a print preview instead.
  void setPrintPreview(bool preview) { printPreview_ = preview; }
  // Runs the host's posted messages, then shows the windows they changed.
  void pump();
  // Shows the windows the platform reported changed since the last call: their
  // frame's title and a repaint of their grid. Called after every pump (so the
  // user sees an input's effect at once), else soon after the change.
  void showChangedWindows();

  // ---- UserInterface --------------------------------------------------------
  int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) override;
  int detailedMessageBox(HWND owner, const std::string& text, const std::string& detail, const std::string& caption,
                         UINT style) override;
  void beep(UINT type) override;
  SHORT asyncKeyState(int vkey) override;
  void cursorChanged(HCURSOR cursor) override;
  void windowChanged(HWND hwnd) override;
  void windowDestroyed(HWND hwnd) override;
  void menuChanged(HMENU menu) override;
  void clipboardChanged(std::string_view text) override;
  void messagesPosted() override;

  // ---- HostFrontEnd ---------------------------------------------------------
  GlobalOpenChoice openEntryDialog(HWND owner, const std::string& defaultLibrary,
                                   const std::vector<quill::LibraryEntryInfo>& entries) override;
  EmbeddedOpenChoice openLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::vector<std::string>& localTypes) override;
  GlobalSaveChoice saveEntryDialog(HWND owner, const std::string& initialName,
                                   const std::string& initialLibrary) override;
  GlobalSaveChoice checkedSaveEntryDialog(HWND owner, const std::string& initialName, const std::string& initialLibrary,
                                          const quill::SaveChoiceCheck& check) override;
  GlobalOpenChoice unlistedOpenEntryDialog(HWND owner, const std::string& library,
                                           const std::string& listError) override;
  EmbeddedSaveChoice saveLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::string& initialName) override;
  void showCompileErrors(HWND grid, const std::vector<quill::CompileError>& errors) override;
  void setStatus(HWND editorWindow, const std::string& text) override;
  void print(HWND frame, const std::vector<quill::PrintedEntry>& entries) override;
  void refreshCommands(HWND editorWindow) override;
  bool askReplace(const std::string& question, const std::vector<std::string>& differences) override;

 signals:
  void frameWindowGone(HWND frame);

 private:
  void pumpSoon();
  void endWaitCursor();
  // Lists another library for the open dialog's "Other Library...".
  std::function<std::vector<quill::LibraryEntryInfo>(const std::string&, QString*)> entryLister();
  void takeSystemClipboard();
  FrameWindow* frameOf(HWND anyWindow) const;
  std::string saveLibraryFor(HWND owner, const std::string& initialName, const std::string& initialLibrary) const;
  QString storedComment(const std::string& name, const std::string& library) const;

  quill::Host* host_ = nullptr;
  PrintService printing_;
  bool printPreview_ = false;
  int eventModifiers_ = -1;
  bool pumpScheduled_ = false;
  bool showScheduled_ = false;
  std::vector<HWND> changedWindows_;  // reported by windowChanged, not shown yet
  bool settingClipboard_ = false;
  QPointer<QMimeData> mimeSet_;  // the rows this program last put on the system clipboard; null once replaced
  bool waitCursorShown_ = false;
};

// The frame window of an editor window, or of any window inside it.
FrameWindow* FrameWindowOf(HWND anyWindow);

}  // namespace desktop
