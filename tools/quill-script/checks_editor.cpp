// Checks of the editor and the host around it: field, title, menu, clipboard,
// message, nomessage, status, cursor, posted, commands, notified, closed, open.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "instance_fields.h"
#include "platform/platform.h"
#include "qst/host_shell.h"
#include "scenario.h"
#include "step_args.h"
#include "step_words.h"

namespace script {
namespace {

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), length + 1)));
  return text;
}

void ExpectField(Scenario& scenario, const Step& step) {
  const Word& name = Arg(step, 2, "a field name");
  const Word& expected = Arg(step, 3, "the field's value");
  NoMoreArgs(step, 4);
  std::optional<FieldValue> value = ReadField(scenario.editorFields(), name.text, scenario.handles());
  if (!value) throw StepFailure{"a field of the editor's record", Quote(name.text)};
  if (!FieldMatches(*value, expected))
    throw StepFailure{name.text + " " + (expected.quoted ? Quote(expected.text) : expected.text),
                      name.text + " " + FormatField(*value)};
}

void ExpectTitle(Scenario& scenario, const Step& step) {
  const Word& title = Arg(step, 2, "the title");
  NoMoreArgs(step, 3);
  ExpectEqual(Quote(title.text), Quote(WindowText(scenario.session().frame)));
}

void ExpectMenu(Scenario& scenario, const Step& step) {
  WORD id = CommandArg(step, 2);
  const Word& label = Arg(step, 3, "the item's label");
  const Word& state = Arg(step, 4, "enabled or grayed");
  NoMoreArgs(step, 5);
  if (state.text != "enabled" && state.text != "grayed") throw StepFailure{"enabled or grayed", Quote(state.text)};
  quill::EditorSession& session = scenario.session();
  HMENU bar = session.menu ? session.menu : GetMenu(session.frame);
  UINT flags = GetMenuState(bar, id, MF_BYCOMMAND);
  if (flags == static_cast<UINT>(-1)) throw StepFailure{"menu item " + std::to_string(id), "none"};
  char text[256] = {};
  GetMenuStringA(bar, id, text, sizeof text, MF_BYCOMMAND);
  std::string actualState = (flags & (MF_GRAYED | MF_DISABLED)) ? "grayed" : "enabled";
  ExpectEqual(Quote(label.text) + " " + state.text, Quote(text) + " " + actualState);
}

void ExpectClipboard(Scenario&, const Step& step) {
  const Word& expected = Arg(step, 2, "\"TEXT\" or none");
  NoMoreArgs(step, 3);
  std::string text;
  bool has = PlatformClipboardText(&text);
  std::string want = (!expected.quoted && expected.text == "none") ? "none" : Quote(expected.text);
  ExpectEqual(want, has ? Quote(text) : "none");
}

// The module's string id: the format a message box showing it starts from.
std::optional<std::string> TryModuleString(Scenario& scenario, std::int64_t id) {
  char format[1025] = {};
  if (id < 0 || id > 0xFFFF || LoadStringA(scenario.host().module(), static_cast<UINT>(id), format, sizeof format) == 0)
    return std::nullopt;
  return std::string(format);
}

std::string ModuleString(Scenario& scenario, std::int64_t id) {
  std::optional<std::string> format = TryModuleString(scenario, id);
  if (!format) throw StepFailure{"string " + std::to_string(id) + " in the module", "none"};
  return *format;
}

// The format filled with the scenario's arguments, as wsprintfA fills it.
std::string FilledFormat(const std::string& format, const std::vector<std::string>& arguments) {
  const char* first = arguments.size() > 0 ? arguments[0].c_str() : "";
  const char* second = arguments.size() > 1 ? arguments[1].c_str() : "";
  char text[1025] = {};
  wsprintfA(text, format.c_str(), first, second);
  return text;
}

// Whether text is what format shows with some arguments: every conversion
// (%s, %d, ...) stands for any text, %% for a percent sign.
bool MatchesFormat(std::string_view format, std::string_view text) {
  std::vector<std::string> pieces(1);
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      pieces.back() += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      pieces.back() += '%';
      ++i;
      continue;
    }
    while (i + 1 < format.size() && std::strchr("-+ #0123456789.lh", format[i + 1])) ++i;
    ++i;  // the conversion letter
    pieces.emplace_back();
  }
  if (pieces.size() == 1) return text == pieces[0];
  const std::string& head = pieces.front();
  const std::string& tail = pieces.back();
  if (text.size() < head.size() + tail.size() || text.substr(0, head.size()) != head ||
      text.substr(text.size() - tail.size()) != tail)
    return false;
  std::size_t at = head.size();
  std::size_t limit = text.size() - tail.size();
  for (std::size_t p = 1; p + 1 < pieces.size(); ++p) {
    std::size_t found = text.substr(0, limit).find(pieces[p], at);
    if (found == std::string_view::npos) return false;
    at = found + pieces[p].size();
  }
  return true;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// expect message ID ["ARG"]: the last box since the previous check showed string
// ID, filled with ARG (any argument when none is written). expect message "TEXT":
// its whole text; a quoted word of digits alone may also mean a string id.
void ExpectMessage(Scenario& scenario, const Step& step) {
  const Word& what = Arg(step, 2, "a string id or \"TEXT\"");
  std::vector<std::string> arguments;
  for (std::size_t i = 3; i < step.line.words.size(); ++i) arguments.push_back(step.line.words[i].text);
  if (arguments.size() > 2) NoMoreArgs(step, 5);
  std::optional<std::int64_t> id = !what.quoted           ? NumberArg(step, 2, "a string id")
                                   : AllDigits(what.text) ? ParseNumber(what.text)
                                                          : std::nullopt;
  if (!id) NoMoreArgs(step, 3);
  bool literal = what.quoted && arguments.empty();
  std::optional<std::string> format;
  if (id) format = literal ? TryModuleString(scenario, *id) : ModuleString(scenario, *id);
  std::string expected = !format ? what.text : arguments.empty() ? *format : FilledFormat(*format, arguments);
  std::vector<ShownMessage> shown = scenario.frontEnd().takeMessages();
  if (shown.empty()) throw StepFailure{"message " + Quote(expected), "no message box since the last check"};
  const std::string& text = shown.back().text;
  bool matches = (literal && text == what.text) ||
                 (format && (arguments.empty() ? MatchesFormat(*format, text) : text == expected));
  if (!matches) throw StepFailure{"message " + Quote(expected), "message " + Quote(text)};
}

// expect message-detail "TEXT": the detail under the box `expect message` would
// check next ("" for none); the box stays for that check.
void ExpectMessageDetail(Scenario& scenario, const Step& step) {
  const Word& expected = Arg(step, 2, "\"TEXT\"");
  NoMoreArgs(step, 3);
  const ShownMessage* shown = scenario.frontEnd().latestMessage();
  if (!shown) throw StepFailure{"message detail " + Quote(expected.text), "no message box since the last check"};
  ExpectEqual("message detail " + Quote(expected.text), "message detail " + Quote(shown->detail));
}

void ExpectNoMessage(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 2);
  std::vector<ShownMessage> shown = scenario.frontEnd().takeMessages();
  if (!shown.empty()) throw StepFailure{"no message box", "message " + Quote(shown.front().text)};
}

// expect status ID: the string id last shown on the status line; a quoted
// text that is not a number compares with the line's text instead.
void ExpectStatus(Scenario& scenario, const Step& step) {
  const Word& what = Arg(step, 2, "a string id");
  NoMoreArgs(step, 3);
  quill::EditorSession& session = scenario.session();
  if (what.quoted && !ParseNumber(what.text))
    return ExpectEqual("status " + Quote(what.text), "status " + Quote(session.status));
  std::int64_t id = what.quoted ? *ParseNumber(what.text) : NumberArg(step, 2, "a string id");
  if (session.statusId != id)
    throw StepFailure{"status " + std::to_string(id),
                      "status " + std::to_string(session.statusId) + " " + Quote(session.status)};
}

void ExpectCursor(Scenario&, const Step& step) {
  const Word& which = Arg(step, 2, "arrow or wait");
  NoMoreArgs(step, 3);
  if (which.text != "arrow" && which.text != "wait") throw StepFailure{"arrow or wait", Quote(which.text)};
  HCURSOR shown = GetCursor();
  std::string actual = "other";
  if (!shown || shown == LoadCursorA(nullptr, IDC_ARROW))
    actual = "arrow";
  else if (shown == LoadCursorA(nullptr, IDC_WAIT))
    actual = "wait";
  ExpectEqual("cursor " + which.text, "cursor " + actual);
}

struct MessageName {
  std::string_view name;
  UINT message;
};
constexpr std::array<MessageName, 24> kMessageNames{{
    {"WM_CREATE", WM_CREATE},
    {"WM_DESTROY", WM_DESTROY},
    {"WM_SIZE", WM_SIZE},
    {"WM_PAINT", WM_PAINT},
    {"WM_CLOSE", WM_CLOSE},
    {"WM_QUERYENDSESSION", WM_QUERYENDSESSION},
    {"WM_COMMAND", WM_COMMAND},
    {"WM_INITMENUPOPUP", WM_INITMENUPOPUP},
    {"HM_SETNOTIFY", HM_SETNOTIFY},
    {"HM_EDITORCLOSED", HM_EDITORCLOSED},
    {"HM_QUERYCOMMANDS", HM_QUERYCOMMANDS},
    {"WM_SETFOCUS", WM_SETFOCUS},
    {"WM_KILLFOCUS", WM_KILLFOCUS},
    {"WM_SETREDRAW", WM_SETREDRAW},
    {"WM_SETTEXT", WM_SETTEXT},
    {"WM_KEYDOWN", WM_KEYDOWN},
    {"WM_CHAR", WM_CHAR},
    {"WM_INITMENU", WM_INITMENU},
    {"WM_QUIT", WM_QUIT},
    {"WM_CUT", WM_CUT},
    {"WM_COPY", WM_COPY},
    {"WM_PASTE", WM_PASTE},
    {"WM_CLEAR", WM_CLEAR},
    {"WM_UNDO", WM_UNDO},
}};

std::string MessageText(UINT message) {
  for (const MessageName& known : kMessageNames) {
    if (known.message == message) return std::string(known.name);
  }
  return "0x" + [&] {
    char b[16];
    std::snprintf(b, sizeof b, "%X", message);
    return std::string(b);
  }();
}

// A message parameter of `expect posted`: a number, or * for any value.
bool ParamMatches(const Word& word, std::uint64_t value, std::string_view what) {
  if (word.text == "*" && !word.quoted) return true;
  std::optional<std::int64_t> number = ParseNumber(word.text);
  if (!number) throw StepFailure{std::string(what) + " (a number or *)", Quote(word.text)};
  return static_cast<std::uint64_t>(*number) == value;
}

void ExpectPosted(Scenario& scenario, const Step& step) {
  const Word& target = Arg(step, 2, "frame or editor");
  const Word& messageWord = Arg(step, 3, "a message");
  Arg(step, 5, "WPARAM and LPARAM");
  NoMoreArgs(step, 6);
  quill::EditorSession& session = scenario.session();
  HWND window = target.text == "frame" ? session.frame : target.text == "editor" ? session.editor : nullptr;
  if (!window) throw StepFailure{"frame or editor", Quote(target.text)};
  UINT message = 0;
  bool named = false;
  for (const MessageName& known : kMessageNames) {
    if (messageWord.text == known.name) message = known.message, named = true;
  }
  if (!named) message = static_cast<UINT>(NumberArg(step, 3, "a message name or number"));
  std::vector<MSG> queue(static_cast<std::size_t>(PlatformPendingMessages()) + 1);
  queue.resize(static_cast<std::size_t>(PlatformPeekQueue(queue.data(), static_cast<int>(queue.size()))));
  std::string got;
  for (const MSG& queued : queue) {
    if (queued.hwnd == window && queued.message == message &&
        ParamMatches(step.line.words[4], queued.wParam, "WPARAM") &&
        ParamMatches(step.line.words[5], static_cast<std::uint64_t>(queued.lParam), "LPARAM"))
      return;
    std::string to = queued.hwnd == session.frame    ? "frame"
                     : queued.hwnd == session.editor ? "editor"
                                                     : "another window";
    got += (got.empty() ? "" : "; ") + MessageText(queued.message) + " " + std::to_string(queued.wParam) + " " +
           std::to_string(queued.lParam) + " to " + to;
  }
  throw StepFailure{"posted to " + target.text + ": " + messageWord.text + " " + step.line.words[4].text + " " +
                        step.line.words[5].text,
                    got.empty() ? "nothing queued" : got};
}

// Asks for a command list; fails when the editor writes past the entries it
// reports. The words after SELECTOR are the entries, or their count followed by
// the entries: either way of writing the list is read.
void ExpectCommands(Scenario& scenario, const Step& step) {
  std::int64_t selector = NumberArg(step, 2, "a selector");
  std::vector<std::int64_t> words;
  std::string expected;
  for (std::size_t i = 3; i < step.line.words.size(); ++i) {
    words.push_back(NumberArg(step, i, "a command entry"));
    expected += (expected.empty() ? "" : " ") + std::to_string(words.back());
  }
  // Far larger than any list, so that an editor writing too much is seen, not a crash.
  constexpr WORD kUnwritten = 0xBEEF;
  std::vector<WORD> buffer(1024, kUnwritten);
  LRESULT count = SendMessageA(scenario.session().editor, HM_QUERYCOMMANDS, static_cast<WPARAM>(selector),
                               reinterpret_cast<LPARAM>(buffer.data()));
  if (count < 0 || count >= static_cast<LRESULT>(buffer.size()))
    throw StepFailure{"a command count from 0 to 1023", std::to_string(count)};
  std::vector<std::int64_t> entries(buffer.begin(), buffer.begin() + count);
  std::string actual;
  for (std::int64_t entry : entries) actual += (actual.empty() ? "" : " ") + std::to_string(entry);
  bool countFirst =
      !words.empty() && words[0] == count && std::equal(words.begin() + 1, words.end(), entries.begin(), entries.end());
  if (!countFirst) ExpectEqual(expected.empty() ? "no entries" : expected, actual.empty() ? "no entries" : actual);
  for (std::size_t i = static_cast<std::size_t>(count); i < buffer.size(); ++i) {
    if (buffer[i] != kUnwritten)
      throw StepFailure{"nothing written past entry " + std::to_string(count),
                        "entry " + std::to_string(i + 1) + " written"};
  }
}

void ExpectNotified(Scenario& scenario, const Step& step) {
  std::int64_t count = NumberArg(step, 2, "a count");
  NoMoreArgs(step, 3);
  ExpectEqual(std::to_string(count) + " HM_EDITORCLOSED",
              std::to_string(scenario.notifiedCount()) + " HM_EDITORCLOSED");
}

// Whether the editor the latest acting step worked on (or the one created
// since) is still open.
bool LastEditorOpen(Scenario& scenario) {
  HWND frame = scenario.actedOnFrame();
  if (!frame) throw StepFailure{"an editor created before", "none"};
  return scenario.host().sessionOfFrame(frame) != nullptr && IsWindow(frame);
}

void ExpectClosed(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 2);
  if (LastEditorOpen(scenario)) throw StepFailure{"the editor closed", "it open"};
}

void ExpectOpen(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 2);
  if (!LastEditorOpen(scenario)) throw StepFailure{"the editor open", "it closed"};
}

}  // namespace

void AddEditorChecks(std::vector<StepWord>* words) {
  words->push_back({"expect field", false, ExpectField});
  words->push_back({"expect title", false, ExpectTitle});
  words->push_back({"expect menu", false, ExpectMenu});
  words->push_back({"expect clipboard", false, ExpectClipboard});
  words->push_back({"expect message", false, ExpectMessage});
  words->push_back({"expect nomessage", false, ExpectNoMessage});
  words->push_back({"expect message-detail", false, ExpectMessageDetail});
  words->push_back({"expect status", false, ExpectStatus});
  words->push_back({"expect cursor", false, ExpectCursor});
  words->push_back({"expect posted", false, ExpectPosted});
  words->push_back({"expect commands", false, ExpectCommands});
  words->push_back({"expect notified", false, ExpectNotified});
  words->push_back({"expect closed", false, ExpectClosed});
  words->push_back({"expect open", false, ExpectOpen});
}

}  // namespace script
