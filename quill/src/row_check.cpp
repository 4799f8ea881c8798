// Checking an editor's rows without saving: the rows as source text, judged by the compiler.
#include "quill/row_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

#include "qst/context_codes.h"
#include "qst/grid_engine.h"
#include "qst/type_vocabulary.h"
#include "quill/compiler.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"
#include "quill/src/grid_number_text.h"
#include "quill/src/grid_row.h"
#include "quill/type_choices.h"

namespace quill {
namespace {

// Stands in for the name of a structure not yet saved; any valid name does.
constexpr const char* kNewStructureName = "new_structure";
// Far outside the valid range yet safely an int: the compiler says what is wrong.
constexpr double kDecimalsLimit = 1e6;

// The type text as the editor writes it: lowercase, short forms expanded.
std::string NormalType(std::string type) {
  for (char& c : type) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const TypeShortForm& shortForm : kTypeShortForms)
    if (type == shortForm.text) return LanguageTypeName(shortForm.fullId);
  return type;
}

// A format of the vocabulary with text in place of its one "%s".
std::string Filled(const char* format, const std::string& text) {
  std::string line = format;
  line.replace(line.find("%s"), 2, text);
  return line;
}

int WholeDecimals(const std::optional<double>& value) {
  if (!value || std::isnan(*value)) return 0;
  return static_cast<int>(std::clamp(*value, -kDecimalsLimit, kDecimalsLimit));
}

bool HalfFilled(const std::string& name, const std::string& type) { return name.empty() != type.empty(); }

// What the compiler never sees of a row, said as the editor says it: the save
// refuses a row with only a name or only a type (the entry row aside), and
// writes decimal positions for a decimal only.
std::optional<RowError> RowTheCompilerSkips(const CheckedRow& row, std::uint32_t number, std::uint32_t entryRow) {
  if (HalfFilled(row.name, row.type)) {
    if (number == entryRow) return std::nullopt;
    if (row.type.empty()) return RowError{number, "", Filled(kVariableWithoutTypeFormat, row.name)};
    return RowError{number, "", Filled(kTypeWithoutVariableFormat, row.type)};
  }
  if (!row.decimals || *row.decimals == 0 || row.name.empty() || IsDecimalTypeText(row.type)) return std::nullopt;
  return RowError{number, row.name,
                  grid::FormatGridNumber(*row.decimals) + " is left out: only a decimal has decimal positions."};
}

// Errors of the header come first and of the footer last, the rows' between.
std::uint32_t RowOrder(const RowError& error, int line) {
  if (error.row != 0) return error.row;
  return line <= 1 ? 0 : std::numeric_limits<std::uint32_t>::max();
}

}  // namespace

bool IsDecimalTypeText(const std::string& type) { return NormalType(type) == kDecimalTypeName; }

namespace {

// Only a half-filled row needs to be told from the entry row: the marker is
// read for those alone, not for every row of a long grid.
void NoteEntryRow(const GridSheet& sheet, std::uint32_t row, RowCheckRequest* request) {
  const CheckedRow& read = request->rows[row - 1];
  if (HalfFilled(read.name, read.type) && sheet.cellText(row, ColMarker) == kEntryRowMarker) request->entryRow = row;
}

}  // namespace

RowCheckRequest RowCheckRequestFor(Host& host, const EditorSession& session, const GridSheet& sheet) {
  RowCheckRequest request;
  request.rows.reserve(sheet.rowCount());
  ReadCheckedRows(sheet, 1, sheet.rowCount(), &request);
  CompleteCheckedRows(host, session, sheet, &request);
  request.knownStructures = StructureNames(TypeChoicesFor(host, session));
  return request;
}

std::vector<std::string> StructureNames(std::vector<TypeChoice> choices) {
  std::vector<std::string> names;
  for (TypeChoice& choice : choices)
    if (choice.kind != TypeChoice::Kind::Language) names.push_back(std::move(choice.name));
  return names;
}

void ReadCheckedRows(const GridSheet& sheet, std::uint32_t first, std::uint32_t last, RowCheckRequest* request) {
  last = std::min(last, sheet.rowCount());
  for (std::uint32_t row = std::max<std::uint32_t>(first, 1); row <= last && row != 0; ++row) {
    request->rows.push_back(
        {sheet.cellText(row, ColName), sheet.cellText(row, ColType), sheet.cellNumber(row, ColDecimals)});
    NoteEntryRow(sheet, row, request);
  }
}

void CompleteCheckedRows(Host& host, const EditorSession& session, const GridSheet& sheet, RowCheckRequest* request) {
  // The cell being edited stands as the user sees it, committed or not.
  const std::uint32_t current = sheet.currentRow();
  const int column = sheet.currentColumn();
  if (current != 0 && current <= request->rows.size() && sheet.editControl() != nullptr) {
    HWND edit = sheet.editControl();
    const int length = std::clamp<int>(GetWindowTextLengthA(edit), 0, static_cast<int>(grid::kCellTextMax));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextA(edit, text.data(), length + 1), 0)));
    CheckedRow& row = request->rows[current - 1];
    if (column == ColName) row.name = text;
    if (column == ColType) row.type = text;
    if (column == ColDecimals)
      row.decimals = text.find_first_not_of(" \t") == std::string::npos ? std::nullopt : grid::ParseGridNumber(text);
    NoteEntryRow(sheet, current, request);
  }
  request->global = session.contextCode == kContextStandAlone;
  request->structure = host.editorStructure(session);
}

std::vector<RowError> CheckRows(const RowCheckRequest& request) {
  const std::string name = request.structure.empty() ? kNewStructureName : request.structure;
  std::string source = Filled(request.global ? kGlobalHeaderFormat : kLocalHeaderFormat, name);
  // Line 1 is the header; line k + 1 is the k-th row that holds a variable.
  std::vector<std::uint32_t> rowOfLine = {0, 0};
  for (std::size_t i = 0; i < request.rows.size(); ++i) {
    const CheckedRow& row = request.rows[i];
    if (row.name.empty() || row.type.empty()) continue;  // no variable: the editor skips it too
    const std::string type = NormalType(row.type);
    source += kLineStart + type;
    source += type == kDecimalTypeName ? kDecimalsOpen + std::to_string(WholeDecimals(row.decimals)) + kDecimalsClose
                                       : kNoDecimals;
    source += row.name + kLineEnd;
    rowOfLine.push_back(static_cast<std::uint32_t>(i + 1));
  }
  source += kEndTypeLine;

  CompileExpectation expectation;
  expectation.global = request.global;
  expectation.name = request.structure;
  std::vector<CompileError> errors;
  CompileStructureSource(source, request.knownStructures, expectation, nullptr, &errors);
  std::vector<std::pair<std::uint32_t, RowError>> ordered;
  for (std::size_t i = 0; i < request.rows.size(); ++i) {
    const auto number = static_cast<std::uint32_t>(i + 1);
    if (auto skipped = RowTheCompilerSkips(request.rows[i], number, request.entryRow))
      ordered.emplace_back(number, std::move(*skipped));
  }
  for (CompileError& error : errors) {
    const auto line = static_cast<std::size_t>(std::max(error.line, 0));
    RowError found{line < rowOfLine.size() ? rowOfLine[line] : 0, std::move(error.variable), std::move(error.message)};
    ordered.emplace_back(RowOrder(found, error.line), std::move(found));
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<RowError> found;
  found.reserve(ordered.size());
  for (auto& [order, error] : ordered) found.push_back(std::move(error));
  return found;
}

}  // namespace quill
