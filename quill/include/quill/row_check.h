// Checking an editor's rows as they stand, without saving: the rows become the
// source text the editor would save and the host's compiler judges it. Every
// error is tied to the grid row it came from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "qst/host_api.h"
#include "quill/type_choices.h"

namespace quill {

class GridSheet;
class Host;
struct EditorSession;

// One grid row as the editor reads it for saving.
struct CheckedRow {
  std::string name;
  std::string type;
  std::optional<double> decimals;
};

struct RowError {
  std::uint32_t row = 0;  // the grid row; 0 for the structure as a whole
  std::string variable;
  std::string message;
};

// The rows are kept as the compiler will read them, not row by row: at a
// million rows a copy of each row's texts would cost several times the lines.
struct RowCheckRequest {
  std::string lines;                         // the member lines of the rows that hold a variable
  std::vector<std::uint32_t> rowOfLine;      // the grid row of each of those lines
  std::vector<RowError> skipped;             // what the save refuses or leaves out, in row order
  std::uint32_t rowsAdded = 0;               // the last grid row added
  std::uint32_t entryRow = 0;                // the entry row when it holds a name or a type; else 0
  bool global = true;                        // "global type" (stand-alone) or "type" (local)
  std::string structure;                     // the structure's name; "" for a new one
  std::vector<std::string> knownStructures;  // the structures the types may name
};

// Adds grid row `number` (after those added before) as the editor would save
// it. The entry row must be known before it is added.
HOST_API void AddCheckedRow(std::uint32_t number, const CheckedRow& row, RowCheckRequest* request);

// Reads what the check needs from an editor and its grid (on the thread that owns them).
HOST_API RowCheckRequest RowCheckRequestFor(Host& host, const EditorSession& session, const GridSheet& sheet);
// The structures among a type list's choices: what a request's types may name.
HOST_API std::vector<std::string> StructureNames(std::vector<TypeChoice> choices);

// The same in steps, so that a long grid is read a part at a time between other
// events: rows first..last (as far as the grid has them; first is the row after
// those added before) are added, the cell being edited as the user sees it;
// once every row is there, the setting and name are filled in. The structures
// the types may name are left to the caller (RowCheckRequestFor lists them).
HOST_API void ReadCheckedRows(const GridSheet& sheet, std::uint32_t first, std::uint32_t last,
                              RowCheckRequest* request);
HOST_API void CompleteCheckedRows(Host& host, const EditorSession& session, const GridSheet& sheet,
                                  RowCheckRequest* request);

// The errors a save would meet, in row order: the rows the editor refuses to
// save (a name without a type, a type without a name), what the compiler finds
// in the others, and decimal positions the save would leave out because the
// type is not decimal. Touches nothing but its request, so it may run on
// another thread; the request is used up.
HOST_API std::vector<RowError> CheckRows(RowCheckRequest request);

// True when a Type cell's text names the one type with decimal positions, as
// the editor reads it: in any letter case, or its short form.
HOST_API bool IsDecimalTypeText(const std::string& type);

}  // namespace quill
