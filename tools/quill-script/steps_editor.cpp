// Editor words: create, notify, close, endsession, destroy, size, pump, and
// the queued answers for dialogs and message boxes.
#include "qst/context_codes.h"
#include "qst/host_library.h"
#include "qst/host_shell.h"
#include "scenario.h"
#include "step_args.h"
#include "step_words.h"

namespace script {
namespace {

std::int32_t OptionNumber(const Word& word, std::string_view key) {
  std::optional<std::string> text = OptionValue(word, key);
  std::optional<std::int64_t> number = text ? ParseNumber(*text) : std::nullopt;
  if (!number || *number < INT32_MIN || *number > UINT32_MAX)
    throw StepFailure{std::string(key) + "=N", Quote(word.text)};
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(*number));
}

// The owner of an embedded editor: an object the host knows by name, or an id.
std::int32_t OwnerId(Scenario& scenario, const Word& owner) {
  if (std::optional<std::int32_t> id = scenario.host().objectId(owner.text)) return *id;
  if (std::optional<std::int64_t> number = ParseNumber(owner.text); number && !owner.quoted)
    return static_cast<std::int32_t>(*number);
  throw StepFailure{"a known object (the object step first) or an id", Quote(owner.text)};
}

// create standalone [open=NAME] | create embedded OWNER [caller=K] |
// create context=C caller=K [object=N] [open=NAME]. Does not pump.
void Create(Scenario& scenario, const Step& step) {
  const Word& setting = Arg(step, 1, "standalone, embedded or context=C");
  quill::Host& host = scenario.host();
  std::int32_t context = 0;
  std::int32_t caller = 0;
  std::optional<std::string> openName;
  std::optional<std::int32_t> requestWord;
  std::size_t next = 2;
  if (setting.text == "standalone") {
    context = kContextStandAlone;
  } else if (setting.text == "embedded") {
    context = kContextEmbedded;
    caller = kCallerWindow;
    requestWord = OwnerId(scenario, Arg(step, 2, "the owning object"));
    next = 3;
  } else {
    next = 1;
  }
  bool sawContext = context != 0;
  for (std::size_t i = next; i < step.line.words.size(); ++i) {
    const Word& word = step.line.words[i];
    if (OptionValue(word, "open")) {
      openName = *OptionValue(word, "open");
    } else if (OptionValue(word, "caller")) {
      caller = OptionNumber(word, "caller");
    } else if (OptionValue(word, "context") && !sawContext) {
      context = OptionNumber(word, "context");
      sawContext = true;
    } else if (OptionValue(word, "object") && setting.text != "embedded" && setting.text != "standalone") {
      requestWord = OptionNumber(word, "object");
    } else {
      throw StepFailure{"an option of create (open=, caller=, context=, object=)", Quote(word.text)};
    }
  }
  if (!sawContext) throw StepFailure{"standalone, embedded or context=C", Quote(setting.text)};
  // With open=NAME the host's request names NAME in its current library.
  quill::EditorSession* session = host.createEditor(context, caller, openName, "", requestWord);
  if (!session) throw StepFailure{"an editor window", "QST_Create returned 0"};
  scenario.noteCreated(session->frame);
}

void Notify(Scenario& scenario, const Step& step) {
  HWND target = scenario.notifyWindow();
  if (step.line.words.size() > 1) {
    if (NumberArg(step, 1, "0 or nothing") != 0) throw StepFailure{"0 or nothing", step.line.words[1].text};
    target = nullptr;
  }
  NoMoreArgs(step, target ? 1 : 2);
  SendMessageA(scenario.session().editor, HM_SETNOTIFY, reinterpret_cast<WPARAM>(target), 0);
}

void Close(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 1);
  scenario.host().closeFrame(scenario.session().frame, WM_CLOSE);
}

void EndSession(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 1);
  scenario.host().closeFrame(scenario.session().frame, WM_QUERYENDSESSION);
}

// The host destroys the frame without a close request, as when it shuts down.
void Destroy(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 1);
  DestroyWindow(scenario.session().frame);
}

// The editor gets the client size W x H with exactly one WM_SIZE. Only the
// editor is sized: a frame has borders, a menu bar that may wrap and a
// smallest size of its own, and the host hands the editor whatever client area
// the frame is left with, so sizing the frame could tell the editor a size the
// step never named. A window already of that size gets no WM_SIZE from being
// sized again, so the step then sends it itself.
void Size(Scenario& scenario, const Step& step) {
  std::int64_t width = NumberArg(step, 1, "a width");
  std::int64_t height = NumberArg(step, 2, "a height");
  NoMoreArgs(step, 3);
  if (width < 0 || height < 0 || width > 0x7FFF || height > 0x7FFF)
    throw StepFailure{"a size from 0 to 32767", std::to_string(width) + " x " + std::to_string(height)};
  HWND editor = scenario.session().editor;
  if (!IsWindow(editor)) return;
  RECT client{};
  GetClientRect(editor, &client);
  if (client.right - client.left == width && client.bottom - client.top == height) {
    SendMessageA(editor, WM_SIZE, SIZE_RESTORED, MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
  } else {
    SetWindowPos(editor, nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Pump(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 1);
  scenario.host();  // pumping needs the host's loop even before any editor exists
}

void CheckLength(const std::string& text, std::size_t limit, std::string_view what) {
  if (text.size() > limit)
    throw StepFailure{std::string(what) + " of at most " + std::to_string(limit) + " characters",
                      std::to_string(text.size()) + " characters"};
}

Answer MessageAnswer(const Step& step) {
  const std::string button = Lower(Arg(step, 2, "yes, no, cancel or ok").text);
  NoMoreArgs(step, 3);
  Answer answer;
  answer.kind = AnswerKind::Message;
  answer.line = step.line.number;
  if (button == "yes")
    answer.button = IDYES;
  else if (button == "no")
    answer.button = IDNO;
  else if (button == "cancel")
    answer.button = IDCANCEL;
  else if (button == "ok")
    answer.button = IDOK;
  else
    throw StepFailure{"yes, no, cancel or ok", Quote(button)};
  return answer;
}

// answer open NAME [library=FILE] | cancel | new; answer save NAME [library=FILE] [comment="TEXT"] | cancel.
Answer DialogAnswer(const Step& step, AnswerKind kind) {
  Answer answer;
  answer.kind = kind;
  answer.line = step.line.number;
  const Word& what = Arg(step, 2, "a name, or cancel");
  if (!what.quoted && (what.text == "cancel" || (kind == AnswerKind::Open && what.text == "new"))) {
    NoMoreArgs(step, 3);
    answer.cancel = what.text == "cancel";
    answer.makeNew = what.text == "new";
    return answer;
  }
  answer.name = what.text;
  CheckLength(answer.name, sizeof(GlobalOpenChoice::name) - 1, "a name");
  for (std::size_t i = 3; i < step.line.words.size(); ++i) {
    const Word& word = step.line.words[i];
    if (std::optional<std::string> library = OptionValue(word, "library")) {
      CheckLength(*library, sizeof(GlobalOpenChoice::library) - 1, "a library path");
      LibraryConditions::openingLibraryFile(*library);
      answer.library = *library;
    } else if (std::optional<std::string> comment = OptionValue(word, "comment"); comment && kind == AnswerKind::Save) {
      CheckLength(*comment, sizeof(GlobalSaveChoice::comment) - 1, "a comment");
      answer.comment = *comment;
    } else {
      throw StepFailure{kind == AnswerKind::Save ? "library=FILE or comment=\"TEXT\"" : "library=FILE",
                        Quote(word.text)};
    }
  }
  return answer;
}

void AnswerWord(Scenario& scenario, const Step& step) {
  const std::string& kind = Arg(step, 1, "message, open or save").text;
  if (kind == "message")
    scenario.frontEnd().queueAnswer(MessageAnswer(step));
  else if (kind == "open")
    scenario.frontEnd().queueAnswer(DialogAnswer(step, AnswerKind::Open));
  else if (kind == "save")
    scenario.frontEnd().queueAnswer(DialogAnswer(step, AnswerKind::Save));
  else
    throw StepFailure{"message, open or save", Quote(kind)};
}

}  // namespace

void AddEditorWords(std::vector<StepWord>* words) {
  words->push_back({"create", false, Create});
  words->push_back({"notify", true, Notify});
  words->push_back({"close", true, Close});
  words->push_back({"endsession", true, EndSession});
  words->push_back({"destroy", true, Destroy});
  words->push_back({"size", true, Size});
  words->push_back({"pump", true, Pump});
  words->push_back({"answer", false, AnswerWord});
}

}  // namespace script
