// Checks of the grid: expect grid, rows, current, edit, properties; and dump.
#include <ostream>

#include "grid_rows.h"
#include "instance_fields.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "scenario.h"
#include "step_args.h"
#include "step_words.h"

namespace script {
namespace {

std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  std::size_t last = text.find_last_not_of(" \t\r");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

void ExpectGrid(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 2);
  quill::GridSheet& grid = scenario.grid();
  std::uint32_t rows = grid.rowCount();
  std::size_t expectedRows = step.block.size();
  for (std::size_t i = 0; i < expectedRows; ++i) {
    std::uint32_t row = static_cast<std::uint32_t>(i + 1);
    const Line& line = step.block[i];
    if (row > rows)
      throw StepFailure{"row " + std::to_string(row) + " " + Trimmed(line.source),
                        "no such row (the grid has " + std::to_string(rows) + ")", line.number};
    if (!GridRowMatches(grid, row, line.words))
      throw StepFailure{"row " + std::to_string(row) + " " + Trimmed(line.source), FormatGridRow(grid, row),
                        line.number};
  }
  if (rows > expectedRows) {
    std::uint32_t extra = static_cast<std::uint32_t>(expectedRows + 1);
    throw StepFailure{std::to_string(expectedRows) + " rows",
                      std::to_string(rows) + ", row " + std::to_string(extra) + " " + FormatGridRow(grid, extra),
                      step.blockEndLine};
  }
}

void ExpectRows(Scenario& scenario, const Step& step) {
  std::int64_t rows = NumberArg(step, 2, "a row count");
  NoMoreArgs(step, 3);
  ExpectEqual(std::to_string(rows), std::to_string(scenario.grid().rowCount()));
}

// ROW 0 (or `none`) means no current cell: its column, when one is written at
// all, says nothing (`expect current 0`, `expect current 0 0` and
// `expect current 0 1` agree).
void ExpectCurrent(Scenario& scenario, const Step& step) {
  const Word& rowWord = Arg(step, 2, "a row");
  std::int64_t row = (!rowWord.quoted && rowWord.text == "none") ? 0 : NumberArg(step, 2, "a row");
  int column = ColRowIndicator;
  if (row != 0) {
    column = ColumnArg(step, 3);
  } else if (step.line.words.size() > 3) {
    const Word& word = step.line.words[3];
    std::optional<std::int64_t> number = word.quoted ? std::nullopt : ParseNumber(word.text);
    if (!number || *number < 0 || *number > kLastDataColumn) column = ColumnArg(step, 3);
  }
  NoMoreArgs(step, 4);
  quill::GridSheet& grid = scenario.grid();
  std::uint32_t currentRow = grid.currentRow();
  int currentColumn = currentRow ? grid.currentColumn() : ColRowIndicator;
  if (row == 0) column = ColRowIndicator;
  ExpectEqual("current cell " + std::to_string(row) + " " + std::to_string(column),
              "current cell " + std::to_string(currentRow) + " " + std::to_string(currentColumn));
}

// The cell edit control's text and selection.
void ExpectEdit(Scenario& scenario, const Step& step) {
  const Word& text = Arg(step, 2, "the edit control's text");
  std::int64_t start = NumberArg(step, 3, "the selection's start");
  std::int64_t end = NumberArg(step, 4, "the selection's end");
  NoMoreArgs(step, 5);
  HWND edit = scenario.grid().editControl();
  if (!edit) throw StepFailure{"a cell edit control", "none"};
  int length = GetWindowTextLengthA(edit);
  std::string actual(static_cast<std::size_t>(length) + 1, '\0');
  actual.resize(static_cast<std::size_t>(GetWindowTextA(edit, actual.data(), length + 1)));
  DWORD selStart = 0, selEnd = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
  ExpectEqual(Quote(text.text) + " " + std::to_string(start) + " " + std::to_string(end),
              Quote(actual) + " " + std::to_string(selStart) + " " + std::to_string(selEnd));
}

std::string QuotedList(const std::vector<std::string>& texts) {
  if (texts.empty()) return "none";
  std::string list;
  for (const std::string& text : texts) list += (list.empty() ? "" : " ") + Quote(text);
  return list;
}

void ExpectProperties(Scenario& scenario, const Step& step) {
  std::vector<std::string> expected;
  for (std::size_t i = 2; i < step.line.words.size(); ++i) expected.push_back(step.line.words[i].text);
  ExpectEqual(QuotedList(expected), QuotedList(scenario.grid().takeAssignments()));
}

// Prints the editor's state as scenario checks that would pass now.
void Dump(Scenario& scenario, const Step& step) {
  NoMoreArgs(step, 1);
  std::ostream& out = scenario.out();
  out << "# dump at line " << step.line.number << "\n";
  quill::EditorSession* session = scenario.currentSession();
  if (!session) {
    out << "# no open editor\n";
    return;
  }
  quill::GridSheet& grid = scenario.grid();
  out << "expect rows " << grid.rowCount() << "\n";
  out << "expect current " << grid.currentRow() << " " << (grid.currentRow() ? grid.currentColumn() : ColRowIndicator)
      << "\n";
  out << "expect grid\n";
  for (std::uint32_t row = 1; row <= grid.rowCount(); ++row) out << FormatGridRow(grid, row) << "\n";
  out << "end\n";
  KnownHandles handles = scenario.handles();
  const EditorFields fields = scenario.editorFields();
  for (std::string_view name : FieldNames()) {
    if (name.find('.') != std::string_view::npos) continue;  // an alias of a field printed already
    if (std::optional<FieldValue> value = ReadField(fields, name, handles))
      out << "expect field " << name << " " << FormatField(*value) << "\n";
  }
}

}  // namespace

void AddGridChecks(std::vector<StepWord>* words) {
  words->push_back({"expect grid", false, ExpectGrid});
  words->push_back({"expect rows", false, ExpectRows});
  words->push_back({"expect current", false, ExpectCurrent});
  words->push_back({"expect edit", false, ExpectEdit});
  words->push_back({"expect properties", false, ExpectProperties});
  words->push_back({"dump", false, Dump});
}

}  // namespace script
