// The front end of the scenario runner: no screen and no person. Dialogs and
// message boxes are answered from the answers the scenario queued; what the
// host and the module show (messages, status, cursor, compile errors, print
// requests) is recorded for the checks.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "quill/front_end.h"

namespace script {

enum class AnswerKind { Message, Open, Save };

struct Answer {
  AnswerKind kind = AnswerKind::Message;
  int line = 0;          // scenario line that queued it
  int button = 0;        // Message: IDYES, IDNO, IDCANCEL or IDOK
  bool cancel = false;   // Open, Save
  bool makeNew = false;  // Open: "new"
  std::string name;
  std::optional<std::string> library;  // library=FILE; otherwise the dialog's own
  std::string comment;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  UINT style = 0;
  std::string detail;  // the text under it, "" for none
};

// Something the host or module asked for that the scenario did not provide.
struct FrontEndProblem {
  std::string expected;
  std::string got;
};

class HeadlessFrontEnd : public quill::HostFrontEnd {
 public:
  void queueAnswer(Answer answer) { answers_.push_back(std::move(answer)); }
  const std::deque<Answer>& pendingAnswers() const { return answers_; }

  // The first problem since the last call, which clears it.
  std::optional<FrontEndProblem> takeProblem();

  // Modifier keys held down for the current step.
  void setModifiers(bool ctrl, bool shift, bool alt);

  // Message boxes shown since the last call, oldest first; clears them.
  std::vector<ShownMessage> takeMessages();
  // The latest of them, without clearing; null when none was shown since.
  const ShownMessage* latestMessage() const { return messages_.empty() ? nullptr : &messages_.back(); }
  bool messagesPending() const { return !messages_.empty(); }

  // Compile-error reports: the latest one since the last call (nullopt: none); clears it.
  std::optional<std::vector<quill::CompileError>> takeErrorReport();

  // Print requests: every entry printed, oldest first, and how many requests came
  // since the last markPrintChecked() (any print check), and how many entries
  // since the last markPrintedChecked() (the entry checks alone).
  const std::vector<quill::PrintedEntry>& printed() const { return printed_; }
  int printsSinceCheck() const { return printsSinceCheck_; }
  int entriesSinceCheck() const { return entriesSinceCheck_; }
  int entriesSincePrintedCheck() const { return entriesSincePrintedCheck_; }
  void markPrintChecked() {
    printsSinceCheck_ = 0;
    entriesSinceCheck_ = 0;
  }
  void markPrintedChecked() {
    entriesSincePrintedCheck_ = 0;
    markPrintChecked();
  }

  HCURSOR cursor() const { return cursor_; }
  HWND capture() const { return capture_; }
  const std::string& status() const { return status_; }
  int beeps() const { return beeps_; }

  // ---- UserInterface -----------------------------------------------------
  int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) override;
  int detailedMessageBox(HWND owner, const std::string& text, const std::string& detail, const std::string& caption,
                         UINT style) override;
  void beep(UINT type) override;
  SHORT asyncKeyState(int vkey) override;
  void cursorChanged(HCURSOR cursor) override { cursor_ = cursor; }
  void captureChanged(HWND capture) override { capture_ = capture; }

  // ---- HostFrontEnd --------------------------------------------------------
  GlobalOpenChoice openEntryDialog(HWND owner, const std::string& defaultLibrary,
                                   const std::vector<quill::LibraryEntryInfo>& entries) override;
  EmbeddedOpenChoice openLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::vector<std::string>& localTypes) override;
  GlobalSaveChoice saveEntryDialog(HWND owner, const std::string& initialName,
                                   const std::string& initialLibrary) override;
  EmbeddedSaveChoice saveLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::string& initialName) override;
  void showCompileErrors(HWND grid, const std::vector<quill::CompileError>& errors) override;
  void setStatus(HWND editorWindow, const std::string& text) override;
  void print(HWND frame, const std::vector<quill::PrintedEntry>& entries) override;

 private:
  // The queued answer of this kind for a dialog described by what, or null after
  // recording the problem (no answer, or one of another kind, is queued).
  std::optional<Answer> takeAnswer(AnswerKind kind, const std::string& what);
  void noteProblem(std::string expected, std::string got);

  std::deque<Answer> answers_;
  std::optional<FrontEndProblem> problem_;
  std::vector<ShownMessage> messages_;
  std::optional<std::vector<quill::CompileError>> errorReport_;
  std::vector<quill::PrintedEntry> printed_;
  int printsSinceCheck_ = 0;
  int entriesSinceCheck_ = 0;
  int entriesSincePrintedCheck_ = 0;
  HCURSOR cursor_ = nullptr;
  HWND capture_ = nullptr;
  std::string status_;
  int beeps_ = 0;
  bool ctrl_ = false, shift_ = false, alt_ = false;
};

// The name a scenario uses for a message-box button (yes, no, cancel, ok), or "".
std::string ButtonName(int button);

// Formats a compile error as `expect errors` compares it: "LINE: VARIABLE: MESSAGE",
// or "LINE: MESSAGE" for an error that names no variable.
std::string FormatCompileError(const quill::CompileError& error);

}  // namespace script
