// Arguments of the scenario words: commands, numbers, names.
#include "step_args.h"

#include <array>

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
  if (word.text == "1" || word.text == "var_name") return ColName;
  if (word.text == "2" || word.text == "var_type") return ColType;
  if (word.text == "3" || word.text == "var_dec") return ColDecimals;
  throw StepFailure{"a column (1, 2, 3, var_name, var_type or var_dec)", Quote(word.text)};
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
