// The test host's front end: the host's dialogs answered from queues the test
// fills beforehand, everything else noted. Message boxes are the system's own
// on Windows and answered by MessageBoxAnswers.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "quill/front_end.h"

namespace wintest {

struct OpenAnswer {
  bool makeNew = false;
  std::string name;  // to open, when not makeNew
  std::string library;
};

struct SaveAnswer {
  std::string name;
  std::string library;
};

class ScriptedFrontEnd : public quill::HostFrontEnd {
 public:
  void answerOpen(OpenAnswer answer) { opens_.push_back(std::move(answer)); }
  void answerSave(SaveAnswer answer) { saves_.push_back(std::move(answer)); }
  int openDialogs() const { return openDialogs_; }
  int saveDialogs() const { return saveDialogs_; }
  const std::string& status() const { return status_; }

  GlobalOpenChoice openEntryDialog(HWND owner, const std::string& defaultLibrary,
                                   const std::vector<quill::LibraryEntryInfo>& entries) override;
  EmbeddedOpenChoice openLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::vector<std::string>& localTypes) override;
  GlobalSaveChoice saveEntryDialog(HWND owner, const std::string& initialName,
                                   const std::string& initialLibrary) override;
  EmbeddedSaveChoice saveLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::string& initialName) override;
  void showCompileErrors(HWND grid, const std::vector<quill::CompileError>& errors) override;
  void setStatus(HWND editorWindow, const std::string& text) override { (void)editorWindow, status_ = text; }
  void print(HWND frame, const std::vector<quill::PrintedEntry>& entries) override;

  // The platform's own questions; on Windows the system answers them.
  int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDCANCEL; }
  void beep(UINT) override {}
  SHORT asyncKeyState(int vkey) override { return GetAsyncKeyState(vkey); }

 private:
  std::deque<OpenAnswer> opens_;
  std::deque<SaveAnswer> saves_;
  int openDialogs_ = 0;
  int saveDialogs_ = 0;
  std::string status_;
};

}  // namespace wintest
