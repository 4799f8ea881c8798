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

// A row as the user sees it: the cell being edited with its text, committed or not.
CheckedRow ReadRow(const GridSheet& sheet, std::uint32_t row) {
  CheckedRow read{sheet.cellText(row, ColName), sheet.cellText(row, ColType), sheet.cellNumber(row, ColDecimals)};
  if (row != sheet.currentRow() || sheet.editControl() == nullptr) return read;
  HWND edit = sheet.editControl();
  const int length = std::clamp<int>(GetWindowTextLengthA(edit), 0, static_cast<int>(grid::kCellTextMax));
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(std::max(GetWindowTextA(edit, text.data(), length + 1), 0)));
  const int column = sheet.currentColumn();
  if (column == ColName) read.name = text;
  if (column == ColType) read.type = text;
  if (column == ColDecimals)
    read.decimals = text.find_first_not_of(" \t") == std::string::npos ? std::nullopt : grid::ParseGridNumber(text);
  return read;
}

// Line 1 is the header, line k + 1 the k-th member line.
std::uint32_t RowOfLine(const std::vector<std::uint32_t>& rowOfLine, int line) {
  const auto member = static_cast<std::size_t>(std::max(line, 2) - 2);
  return line >= 2 && member < rowOfLine.size() ? rowOfLine[member] : 0;
}

}  // namespace

void AddCheckedRow(std::uint32_t number, const CheckedRow& row, RowCheckRequest* request) {
  request->rowsAdded = number;
  if (auto skipped = RowTheCompilerSkips(row, number, request->entryRow))
    request->skipped.push_back(std::move(*skipped));
  if (row.name.empty() || row.type.empty()) return;  // no variable: the editor skips it too
  const std::string type = NormalType(row.type);
  std::string& lines = request->lines;
  lines += kLineStart;
  lines += type;
  if (type == kDecimalTypeName) {
    lines += kDecimalsOpen;
    lines += std::to_string(WholeDecimals(row.decimals));
    lines += kDecimalsClose;
  } else {
    lines += kNoDecimals;
  }
  lines += row.name;
  lines += kLineEnd;
  request->rowOfLine.push_back(number);
}

RowCheckRequest RowCheckRequestFor(Host& host, const EditorSession& session, const GridSheet& sheet) {
  RowCheckRequest request;
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
  for (std::uint32_t row = std::max(first, request->rowsAdded + 1); row <= last && row != 0; ++row) {
    const CheckedRow read = ReadRow(sheet, row);
    // Only a half-filled row needs to be told from the entry row: the marker is
    // read for those alone, not for every row of a long grid.
    if (HalfFilled(read.name, read.type) && sheet.cellText(row, ColMarker) == kEntryRowMarker) request->entryRow = row;
    AddCheckedRow(row, read, request);
  }
}

void CompleteCheckedRows(Host& host, const EditorSession& session, const GridSheet&, RowCheckRequest* request) {
  request->global = session.contextCode == kContextStandAlone;
  request->structure = host.editorStructure(session);
}

std::vector<RowError> CheckRows(RowCheckRequest request) {
  const std::string name = request.structure.empty() ? kNewStructureName : request.structure;
  // The lines become the source in place: at a million rows a second copy would
  // be tens of megabytes.
  std::string source = std::move(request.lines);
  source.insert(0, Filled(request.global ? kGlobalHeaderFormat : kLocalHeaderFormat, name));
  source += kEndTypeLine;

  CompileExpectation expectation;
  expectation.global = request.global;
  expectation.name = request.structure;
  std::vector<CompileError> errors;
  CompileStructureSource(source, request.knownStructures, expectation, nullptr, &errors);
  source = std::string();
  std::vector<std::pair<std::uint32_t, RowError>> ordered;
  for (RowError& skipped : request.skipped) ordered.emplace_back(skipped.row, std::move(skipped));
  for (CompileError& error : errors) {
    RowError found{RowOfLine(request.rowOfLine, error.line), std::move(error.variable), std::move(error.message)};
    ordered.emplace_back(RowOrder(found, error.line), std::move(found));
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<RowError> found;
  found.reserve(ordered.size());
  for (auto& [order, error] : ordered) found.push_back(std::move(error));
  return found;
}

}  // namespace quill
