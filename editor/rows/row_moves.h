// Moving the selected rows as a block, and finding the entry row by its marker.
#pragma once

#include <cstdint>

#include "editor/rows/row_placement.h"
#include "editor/rows/variable_row.h"

struct MovedRow {
  VariableRecord record;
  std::uint32_t row;
  std::int32_t wasEntryRow;
};

// A move puts the selected rows at a target row; its undo puts the moved block
// back where the snapshot says the rows were.
enum class MoveMode { Move, Undo };

int MoveSelectedRows(EditorInstance* instance, std::uint32_t target, MoveMode mode);
int SnapshotSelectedRows(EditorInstance* instance);
void RemoveSelectedRows(EditorInstance* instance, std::uint32_t* target);
void InsertSnapshotRows(EditorInstance* instance, std::uint32_t start, RowPlacement placement);
std::uint32_t FindMarkedRow(EditorInstance* instance, std::uint16_t column, const char* text);
// True when row is a grid row whose column FindMarkedRow would take for text.
bool RowCarriesMark(EditorInstance* instance, std::uint32_t row, std::uint16_t column, const char* text);

// moveSnapshot holds moveCount rows followed by one more entry whose `row` is
// the first row of the block the last move inserted (what its undo removes).
std::uint32_t MovedBlockFirstRow(const EditorInstance* instance);
