// What the user does: cell, type, textsel, the mouse, command, menu, key, and
// another program's use of the clipboard. All but clipboard pump afterwards.
#include "key_names.h"
#include "platform/platform.h"
#include "qst/grid_columns.h"
#include "scenario.h"
#include "step_args.h"
#include "step_words.h"

namespace script {
namespace {

std::uint32_t RowArg(const Step& step, std::size_t index) {
  std::int64_t row = NumberArg(step, index, "a row");
  if (row < 0 || row > UINT32_MAX) throw StepFailure{"a row from 0", std::to_string(row)};
  return static_cast<std::uint32_t>(row);
}

void Cell(Scenario& scenario, const Step& step) {
  std::uint32_t row = RowArg(step, 1);
  int column = ColumnArg(step, 2);
  NoMoreArgs(step, 3);
  scenario.grid().userSetCurrentCell(row, column);
}

void Type(Scenario& scenario, const Step& step) {
  const Word& text = Arg(step, 1, "the text to type");
  NoMoreArgs(step, 2);
  quill::GridSheet& grid = scenario.grid();
  // Typing nothing still needs a cell to type into.
  if (grid.currentRow() == 0) throw StepFailure{"a current cell to type into", "none"};
  for (char c : text.text) {
    if (!grid.userTypeChar(c)) throw StepFailure{"a current cell to type into", "none"};
    // Between two key strokes the message loop runs.
    scenario.host().pump();
  }
}

void TextSel(Scenario& scenario, const Step& step) {
  std::int64_t start = NumberArg(step, 1, "a start position");
  std::int64_t end = NumberArg(step, 2, "an end position");
  NoMoreArgs(step, 3);
  if (!scenario.grid().userSelectText(static_cast<int>(start), static_cast<int>(end)))
    throw StepFailure{"a current cell to select text in", "none"};
}

std::string ObjectArg(const Step& step, std::size_t index) {
  const std::string objects = PointerObjectList();
  const Word& word = Arg(step, index, objects);
  if (GridColumnOfObject(word.text) >= 0 || (word.quoted && word.text.empty())) return word.text;
  throw StepFailure{objects, Quote(word.text)};
}

// The modifier words after OBJECT ROW: shift, ctrl, in any order.
void HoldModifiers(Scenario& scenario, const Step& step, std::size_t from) {
  bool shift = false, ctrl = false;
  for (std::size_t i = from; i < step.line.words.size(); ++i) {
    const std::string word = Lower(step.line.words[i].text);
    if (word == "shift")
      shift = true;
    else if (word == "ctrl" || word == "control")
      ctrl = true;
    else
      throw StepFailure{"shift or ctrl", Quote(step.line.words[i].text)};
  }
  scenario.frontEnd().setModifiers(ctrl, shift, false);
}

void Press(Scenario& scenario, const Step& step) {
  std::string object = ObjectArg(step, 1);
  std::uint32_t row = RowArg(step, 2);
  HoldModifiers(scenario, step, 3);
  scenario.grid().userMousePress(object, row);
}

void Move(Scenario& scenario, const Step& step) {
  std::string object = ObjectArg(step, 1);
  std::uint32_t row = RowArg(step, 2);
  NoMoreArgs(step, 3);
  scenario.grid().userMouseMove(object, row);
}

void Release(Scenario& scenario, const Step& step) {
  if (step.line.words.size() == 1) {
    scenario.grid().userMouseRelease("", 0);
    return;
  }
  std::string object = ObjectArg(step, 1);
  std::uint32_t row = RowArg(step, 2);
  NoMoreArgs(step, 3);
  scenario.grid().userMouseRelease(object, row);
}

void Click(Scenario& scenario, const Step& step) {
  std::string object = ObjectArg(step, 1);
  std::uint32_t row = RowArg(step, 2);
  HoldModifiers(scenario, step, 3);
  scenario.grid().userMousePress(object, row);
  scenario.host().pump();
  scenario.grid().userMouseRelease(object, row);
}

void Command(Scenario& scenario, const Step& step) {
  WORD id = CommandArg(step, 1);
  NoMoreArgs(step, 2);
  scenario.host().command(scenario.session(), id);
}

void Menu(Scenario& scenario, const Step& step) {
  const Word& which = Arg(step, 1, "file or edit");
  NoMoreArgs(step, 2);
  std::string popup = Lower(which.text);
  if (popup != "file" && popup != "edit") throw StepFailure{"file or edit", Quote(which.text)};
  scenario.host().openPopup(scenario.session(), popup == "file" ? 0 : 1);
}

void Key(Scenario& scenario, const Step& step) {
  const Word& keys = Arg(step, 1, "a key such as ctrl+z");
  NoMoreArgs(step, 2);
  std::optional<KeyPress> press = ParseKeys(keys.text);
  if (!press) throw StepFailure{"a key such as ctrl+z, ctrl+shift+t or del", Quote(keys.text)};
  scenario.frontEnd().setModifiers(press->ctrl, press->shift, press->alt);
  bool matched = scenario.host().key(scenario.session(), press->vkey, press->ctrl, press->shift, press->alt);
  if (!matched && scenario.verbose()) scenario.out() << "  (no accelerator for " << keys.text << ")\n";
}

void Clipboard(Scenario&, const Step& step) {
  const Word& what = Arg(step, 1, "\"TEXT\", none, busy or free");
  NoMoreArgs(step, 2);
  if (what.quoted)
    PlatformClipboardFromOutside(what.text.c_str());
  else if (what.text == "none")
    PlatformClipboardFromOutside(nullptr);
  else if (what.text == "busy")
    PlatformClipboardSetBusy(true);
  else if (what.text == "free")
    PlatformClipboardSetBusy(false);
  else
    throw StepFailure{"\"TEXT\", none, busy or free", Quote(what.text)};
}

}  // namespace

void AddUserWords(std::vector<StepWord>* words) {
  words->push_back({"cell", true, Cell});
  words->push_back({"type", true, Type});
  words->push_back({"textsel", true, TextSel});
  words->push_back({"press", true, Press});
  words->push_back({"move", true, Move});
  words->push_back({"release", true, Release});
  words->push_back({"click", true, Click});
  words->push_back({"command", true, Command});
  words->push_back({"menu", true, Menu});
  words->push_back({"key", true, Key});
  words->push_back({"clipboard", false, Clipboard});
}

}  // namespace script
