// What the host needs of a front end beyond the platform's: its dialogs, the
// status line, the compile-error report and printing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/user_interface.h"
#include "qst/host_library.h"

namespace quill {

struct CompileError {
  int line = 0;
  std::string variable;  // the variable's name, or "" for errors of the header or footer
  std::string message;
};

struct LibraryEntryInfo {
  std::string name;
  std::string comment;
  std::string modified;      // time of the last write, "YYYY-MM-DD HH:MM:SS"
  std::int64_t changes = 0;  // the entry's change counter (Library)
};

struct PrintedEntry {
  std::string library;  // "" when the entry had none
  std::string entry;    // "NAME.srs"
  int flag = 0;
  std::string text;  // the stored source that was printed, "" when not found
};

// Whether a save dialog may return this choice (the host asks the user before
// an entry would be replaced); false: another name is needed.
using SaveChoiceCheck = std::function<bool(const GlobalSaveChoice&)>;

class HOST_API HostFrontEnd : public UserInterface {
 public:
  // Open dialog of a library's global structures. entries lists defaultLibrary's.
  virtual GlobalOpenChoice openEntryDialog(HWND owner, const std::string& defaultLibrary,
                                           const std::vector<LibraryEntryInfo>& entries) = 0;
  // Open dialog of an owning object's local structures.
  virtual EmbeddedOpenChoice openLocalTypeDialog(HWND owner, const std::string& ownerName,
                                                 const std::vector<std::string>& localTypes) = 0;
  virtual GlobalSaveChoice saveEntryDialog(HWND owner, const std::string& initialName,
                                           const std::string& initialLibrary) = 0;
  virtual EmbeddedSaveChoice saveLocalTypeDialog(HWND owner, const std::string& ownerName,
                                                 const std::string& initialName) = 0;
  // The save dialog whose choice must pass check before it returns. By default
  // saveEntryDialog, cancelled when check refuses; a front end whose dialog can
  // stay open for another name asks check itself.
  virtual GlobalSaveChoice checkedSaveEntryDialog(HWND owner, const std::string& initialName,
                                                  const std::string& initialLibrary, const SaveChoiceCheck& check);
  // The open dialog of a library whose entries could not be listed, listError
  // saying why. By default a message box tells why and openEntryDialog offers
  // no entries; a front end may show the reason in the dialog instead.
  virtual GlobalOpenChoice unlistedOpenEntryDialog(HWND owner, const std::string& library,
                                                   const std::string& listError);
  virtual void showCompileErrors(HWND grid, const std::vector<CompileError>& errors) = 0;
  virtual void setStatus(HWND editorWindow, const std::string& text) = 0;
  virtual void print(HWND frame, const std::vector<PrintedEntry>& entries) = 0;
  // Whether to replace a version someone else wrote meanwhile (question), the
  // variables that differ between it and the editor's a line each. By default
  // a Yes/No message box asks, No the default.
  virtual bool askReplace(const std::string& question, const std::vector<std::string>& differences);
  // The editor's command states may have changed (toolbar).
  virtual void refreshCommands(HWND editorWindow) { (void)editorWindow; }
};

}  // namespace quill
