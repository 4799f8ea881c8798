// Arguments of the scenario words: commands, numbers, names.
#include "step_args.h"

#include <array>
#include <vector>

#include "qst/command_ids.h"
#include "qst/grid_engine.h"

namespace script {
namespace {

struct CommandName {
  std::string_view name;
  WORD id;
};
constexpr std::array<CommandName, 14> kCommandNames{{
    {"new", CmdNew},
    {"open", CmdOpen},
    {"close", CmdClose},
    {"return", CmdReturn},
    {"save", CmdSave},
    {"saveas", CmdSaveAs},
    {"print", CmdPrint},
    {"undo", CmdUndo},
    {"cut", CmdCut},
    {"copy", CmdCopy},
    {"paste", CmdPaste},
    {"clear", CmdClear},
    {"insertrow", CmdInsertRow},
    {"deleterow", CmdDeleteRow},
}};

// "a, b or c".
std::string OneOf(const std::vector<std::string>& words) {
  std::string text;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += i + 1 == words.size() ? " or " : ", ";
    text += words[i];
  }
  return text;
}

}  // namespace

const Word& Arg(const Step& step, std::size_t index, std::string_view what) {
  if (index >= step.line.words.size()) throw StepFailure{std::string(what), "the end of the line"};
  return step.line.words[index];
}

std::int64_t NumberArg(const Step& step, std::size_t index, std::string_view what) {
  const Word& word = Arg(step, index, what);
  std::optional<std::int64_t> value = ParseNumber(word.text);
  if (!value || word.quoted) throw StepFailure{std::string(what) + " (a number)", Quote(word.text)};
  return *value;
}

void NoMoreArgs(const Step& step, std::size_t count) {
  if (step.line.words.size() > count) throw StepFailure{"the end of the line", Quote(step.line.words[count].text)};
}

int ColumnArg(const Step& step, std::size_t index) {
  const Word& word = Arg(step, index, "a column");
  std::vector<std::string> numbers, names;
  for (const GridColumnInfo& c : kGridColumns) {
    if (!c.editable) continue;
    numbers.push_back(std::to_string(c.id));
    names.emplace_back(c.object);
    if (word.text == numbers.back() || word.text == names.back()) return c.id;
  }
  numbers.insert(numbers.end(), names.begin(), names.end());
  throw StepFailure{"a column (" + OneOf(numbers) + ")", Quote(word.text)};
}

std::string PointerObjectList() {
  std::vector<std::string> objects;
  for (const GridColumnInfo& c : kGridColumns)
    if (c.object != nullptr) objects.emplace_back(c.object);
  return OneOf(objects);
}

WORD CommandArg(const Step& step, std::size_t index) {
  const Word& word = Arg(step, index, "a command");
  std::string name = Lower(word.text);
  for (const CommandName& command : kCommandNames) {
    if (name == command.name) return command.id;
  }
  std::optional<std::int64_t> id = ParseNumber(word.text);
  if (id && *id >= 0 && *id <= 0xFFFF) return static_cast<WORD>(*id);
  throw StepFailure{"a command name or id", Quote(word.text)};
}

void ExpectEqual(const std::string& expected, const std::string& got) {
  if (expected != got) throw StepFailure{expected, got};
}

}  // namespace script
