// The runner's front end: queued answers, recorded messages.
#include "headless_front_end.h"

#include <algorithm>
#include <cstring>

#include "held_keys.h"
#include "script_words.h"

namespace script {
namespace {

const char* KindName(AnswerKind kind) {
  switch (kind) {
    case AnswerKind::Message: return "answer message";
    case AnswerKind::Open: return "answer open";
    case AnswerKind::Save: return "answer save";
  }
  return "answer";
}

// Copies text into a fixed field of the dialog records, always terminated.
void CopyField(char* field, std::size_t size, const std::string& text) {
  std::size_t n = std::min(text.size(), size - 1);
  std::memcpy(field, text.data(), n);
  field[n] = '\0';
}

// How an open dialog ends for the scenario's answer: Cancel when there is none
// or it cancels, New for "new", otherwise Open of the answer's name.
std::int32_t OpenActionOf(const std::optional<Answer>& answer) {
  if (!answer || answer->cancel) return kOpenActionCancel;
  return answer->makeNew ? kOpenActionNew : kOpenActionOpen;
}

// The buttons a message box of this style offers.
std::vector<int> ButtonsOf(UINT style) {
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

// The answer that does the least harm when the scenario gave none: cancel where
// the box offers it, otherwise no, otherwise its only button.
int SafeButton(UINT style) {
  std::vector<int> buttons = ButtonsOf(style);
  for (int preferred : {IDCANCEL, IDNO, IDABORT}) {
    if (std::find(buttons.begin(), buttons.end(), preferred) != buttons.end()) return preferred;
  }
  return buttons.front();
}

}  // namespace

std::string ButtonName(int button) {
  switch (button) {
    case IDYES: return "yes";
    case IDNO: return "no";
    case IDCANCEL: return "cancel";
    case IDOK: return "ok";
    case IDABORT: return "abort";
    case IDRETRY: return "retry";
    case IDIGNORE: return "ignore";
  }
  return "";
}

std::string FormatCompileError(const quill::CompileError& error) {
  std::string text = std::to_string(error.line) + ": ";
  if (!error.variable.empty()) text += error.variable + ": ";
  return text + error.message;
}

std::optional<FrontEndProblem> HeadlessFrontEnd::takeProblem() {
  std::optional<FrontEndProblem> problem = std::move(problem_);
  problem_.reset();
  return problem;
}

void HeadlessFrontEnd::noteProblem(std::string expected, std::string got) {
  if (!problem_) problem_ = FrontEndProblem{std::move(expected), std::move(got)};
}

void HeadlessFrontEnd::setModifiers(bool ctrl, bool shift, bool alt) {
  ctrl_ = ctrl;
  shift_ = shift;
  alt_ = alt;
  HoldModifierKeys(ctrl, shift, alt);
}

std::vector<ShownMessage> HeadlessFrontEnd::takeMessages() {
  std::vector<ShownMessage> messages = std::move(messages_);
  messages_.clear();
  return messages;
}

std::optional<std::vector<quill::CompileError>> HeadlessFrontEnd::takeErrorReport() {
  auto report = std::move(errorReport_);
  errorReport_.reset();
  return report;
}

std::optional<Answer> HeadlessFrontEnd::takeAnswer(AnswerKind kind, const std::string& what) {
  if (answers_.empty()) {
    noteProblem("an answer for " + what, "none queued");
    return std::nullopt;
  }
  if (answers_.front().kind != kind) {
    noteProblem("an answer for " + what,
                std::string(KindName(answers_.front().kind)) + " (line " + std::to_string(answers_.front().line) + ")");
    return std::nullopt;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

int HeadlessFrontEnd::detailedMessageBox(HWND owner, const std::string& text, const std::string& detail,
                                         const std::string& caption, UINT style) {
  int answer = messageBox(owner, text, caption, style);
  messages_.back().detail = detail;
  return answer;
}

int HeadlessFrontEnd::messageBox(HWND, const std::string& text, const std::string& caption, UINT style) {
  messages_.push_back(ShownMessage{text, caption, style, {}});
  std::optional<Answer> answer = takeAnswer(AnswerKind::Message, "the message box " + Quote(text));
  if (!answer) return SafeButton(style);
  std::vector<int> offered = ButtonsOf(style);
  if (std::find(offered.begin(), offered.end(), answer->button) == offered.end()) {
    std::string names;
    for (int b : offered) names += (names.empty() ? "" : "/") + ButtonName(b);
    noteProblem("an answer the message box " + Quote(text) + " offers (" + names + ")",
                ButtonName(answer->button) + " (line " + std::to_string(answer->line) + ")");
    return SafeButton(style);
  }
  return answer->button;
}

void HeadlessFrontEnd::beep(UINT) { ++beeps_; }

SHORT HeadlessFrontEnd::asyncKeyState(int vkey) {
  bool down = (vkey == VK_CONTROL && ctrl_) || (vkey == VK_SHIFT && shift_) || (vkey == VK_MENU && alt_);
  return down ? static_cast<SHORT>(0x8000) : 0;
}

GlobalOpenChoice HeadlessFrontEnd::openEntryDialog(HWND, const std::string& defaultLibrary,
                                                   const std::vector<quill::LibraryEntryInfo>&) {
  GlobalOpenChoice choice{};
  std::optional<Answer> answer = takeAnswer(AnswerKind::Open, "the open dialog");
  choice.action = OpenActionOf(answer);
  if (choice.action != kOpenActionOpen) return choice;
  // The dialog returns the chosen name even when the library lacks it: the
  // load that follows is what reports a missing entry.
  CopyField(choice.name, sizeof choice.name, answer->name);
  // Without library= the name is chosen in the library the dialog offers.
  CopyField(choice.library, sizeof choice.library, answer->library.value_or(defaultLibrary));
  return choice;
}

EmbeddedOpenChoice HeadlessFrontEnd::openLocalTypeDialog(HWND, const std::string& ownerName,
                                                         const std::vector<std::string>&) {
  EmbeddedOpenChoice choice{};
  std::optional<Answer> answer = takeAnswer(AnswerKind::Open, "the local structure dialog of " + Quote(ownerName));
  choice.action = OpenActionOf(answer);
  if (choice.action != kOpenActionOpen) return choice;
  CopyField(choice.name, sizeof choice.name, answer->name);  // the host fills in the chosen name's type id
  return choice;
}

GlobalSaveChoice HeadlessFrontEnd::saveEntryDialog(HWND, const std::string&, const std::string& initialLibrary) {
  GlobalSaveChoice choice{};
  std::optional<Answer> answer = takeAnswer(AnswerKind::Save, "the save dialog");
  if (!answer || answer->cancel) {
    choice.cancelled = 1;
    return choice;
  }
  CopyField(choice.comment, sizeof choice.comment, answer->comment);
  CopyField(choice.name, sizeof choice.name, answer->name);
  CopyField(choice.library, sizeof choice.library, answer->library.value_or(initialLibrary));
  return choice;
}

EmbeddedSaveChoice HeadlessFrontEnd::saveLocalTypeDialog(HWND, const std::string& ownerName, const std::string&) {
  EmbeddedSaveChoice choice{};
  std::optional<Answer> answer = takeAnswer(AnswerKind::Save, "the local structure save dialog of " + Quote(ownerName));
  if (!answer || answer->cancel) {
    choice.cancelled = 1;
    return choice;
  }
  CopyField(choice.name, sizeof choice.name, answer->name);
  return choice;
}

void HeadlessFrontEnd::showCompileErrors(HWND, const std::vector<quill::CompileError>& errors) {
  errorReport_ = errors;
}

void HeadlessFrontEnd::setStatus(HWND, const std::string& text) { status_ = text; }

void HeadlessFrontEnd::print(HWND, const std::vector<quill::PrintedEntry>& entries) {
  printed_.insert(printed_.end(), entries.begin(), entries.end());
  ++printsSinceCheck_;
  entriesSinceCheck_ += static_cast<int>(entries.size());
  entriesSincePrintedCheck_ += static_cast<int>(entries.size());
}

}  // namespace script
