// The kinds of edit the undo record can hold, one row each: what the Edit
// menu's Undo item says after it, how the Undo command reverses it and what it
// records then (so that Undo again redoes), what the record must hold for that,
// and which way a Paste right after it goes. The Edit menu, the Undo command,
// the invariant check and the scenario runner's names all read this table; a
// kind of UndoAction without a row does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "qst/string_ids.h"
#include "qst_editor/undo_action.h"

// How the Undo command reverses a kind.
enum class UndoReversal : std::uint8_t {
  None,          // nothing to reverse: nothing done yet, or a copy
  CellText,      // the cell edit control's own undo, which keeps one level and so also redoes
  RestoreRows,   // the rows a row Cut or Clear took go back to the rows they came from
  RepeatCut,     // the undone row Cut runs again on the rows the undo left selected
  RepeatClear,   // the undone row Clear likewise
  RemovePasted,  // the rows a paste inserted are deleted
  PasteAgain,    // the undone paste's rows go in again above the entry row
  MoveBack,      // the moved rows go back where the move snapshot says they were
  MoveAgain,     // the undone move is done again, to the same drop row
};

// What the undo record must hold while a kind is the last edit.
enum class UndoNeeds : std::uint8_t {
  Nothing,
  RowText,       // undoText: the row text the edit took or gave
  PastedRows,    // undoRow and pastedCount: the pasted rows, all inside the grid
  MoveSnapshot,  // moveSnapshot: the moved rows and where the move put them
};

// Which way the next Paste goes.
enum class UndoPaste : std::uint8_t {
  AsClipboardSays,  // rows when the clipboard's text holds a line feed, else text
  Rows,             // rows, as the row edit before it
  Text,             // into the cell, as the text edit before it
  Grayed,           // the Paste item is grayed; a Paste that still arrives goes as the clipboard says
};

struct UndoKind {
  UndoAction action;
  UINT label;           // the Undo item's label, a string id; 0: the item keeps its label and state
  bool enabled;         // whether the Undo item is enabled with that label
  UndoAction opposite;  // what Undo records once it reversed the kind; itself when there is nothing to reverse
  UndoReversal reversal;
  UndoNeeds needs;
  UndoPaste paste;
};

// One row a kind, in the kinds' order. The label after UndoTextUndone is
// UndoItemFor's to decide.
namespace undo_kind_rows {
using enum UndoReversal;
using enum UndoNeeds;
using enum UndoPaste;
// clang-format off
inline constexpr UndoKind kRows[] = {
  // kind               label            enabled opposite             reversal      needs         paste
  {UndoNone,            0,               false,  UndoNone,            None,         Nothing,      AsClipboardSays},
  {UndoTextUndone,      IdsRedo,         true,   UndoTextRedone,      CellText,     Nothing,      AsClipboardSays},
  {UndoTextRedone,      IdsUndo,         true,   UndoTextUndone,      CellText,     Nothing,      AsClipboardSays},
  {UndoType,            IdsUndoType,     true,   UndoTextUndone,      CellText,     Nothing,      AsClipboardSays},
  {UndoTextCut,         IdsUndoCut,      true,   UndoTextUndone,      CellText,     Nothing,      Text},
  {UndoTextCopy,        0,               false,  UndoTextCopy,        None,         Nothing,      Text},
  {UndoTextPaste,       IdsUndoPaste,    true,   UndoTextUndone,      CellText,     Nothing,      Text},
  {UndoTextClear,       IdsUndoClear,    true,   UndoTextUndone,      CellText,     Nothing,      AsClipboardSays},
  {UndoRowsCut,         IdsUndoCut,      true,   UndoRowsCutUndone,   RestoreRows,  RowText,      Rows},
  {UndoRowsCutUndone,   IdsCantUndo,     false,  UndoRowsCut,         RepeatCut,    Nothing,      AsClipboardSays},
  {UndoRowsCopy,        0,               false,  UndoRowsCopy,        None,         Nothing,      Rows},
  {UndoRowsPaste,       IdsUndoPaste,    true,   UndoRowsPasteUndone, RemovePasted, PastedRows,   Rows},
  {UndoRowsPasteUndone, IdsRedo,         true,   UndoRowsPaste,       PasteAgain,   RowText,      AsClipboardSays},
  {UndoRowsClear,       IdsUndoClear,    true,   UndoRowsClearUndone, RestoreRows,  RowText,      Grayed},
  {UndoRowsClearUndone, IdsCantUndo,     false,  UndoRowsClear,       RepeatClear,  Nothing,      AsClipboardSays},
  {UndoDragDrop,        IdsUndoDragDrop, true,   UndoDragDropUndone,  MoveBack,     MoveSnapshot, AsClipboardSays},
  {UndoDragDropUndone,  IdsRedo,         true,   UndoDragDrop,        MoveAgain,    MoveSnapshot, AsClipboardSays},
};
// clang-format on
}  // namespace undo_kind_rows

inline constexpr const auto& kUndoKinds = undo_kind_rows::kRows;

// The index of kind's row, or -1 for a value that names no kind.
constexpr int UndoKindIndex(std::int32_t kind) {
  for (std::size_t k = 0; k < std::size(kUndoKinds); ++k) {
    if (kUndoKinds[k].action == kind) return static_cast<int>(k);
  }
  return -1;
}

// The row of kind, or null for a value that names no kind.
constexpr const UndoKind* FindUndoKind(std::int32_t kind) {
  const int index = UndoKindIndex(kind);
  return index < 0 ? nullptr : &kUndoKinds[index];
}

struct UndoItem {
  UINT label;  // 0: the item keeps its label and state
  bool enabled;
};

// The Undo item after last, when the last text undo reversed undone. The edit
// control's undo keeps one level: after it undid a typed, cut, pasted or
// cleared text Undo redoes that, but after it undid its own undo or redo
// nothing is left to redo.
constexpr UndoItem UndoItemFor(std::int32_t last, std::int32_t undone) {
  const UndoKind* kind = FindUndoKind(last);
  if (kind == nullptr) return {0, false};
  if (last == UndoTextUndone) {
    const UndoKind* reversed = FindUndoKind(undone);
    const bool redoable = reversed != nullptr && reversed->reversal == UndoReversal::CellText &&
                          undone != UndoTextUndone && undone != UndoTextRedone;
    if (!redoable) return {IdsCantUndo, false};
  }
  return {kind->label, kind->enabled};
}

// The kinds' names, as the compiler spells the enumerators: what scenarios
// write for lastAction and undoneAction.
namespace undo_kinds_detail {

// A named enumerator's template argument is spelled by its name, any other
// value as a cast "(UndoAction)5"; the latter gives "".
template <UndoAction Kind>
constexpr std::string_view EnumeratorName() {
  constexpr std::string_view signature = __PRETTY_FUNCTION__;
  constexpr std::size_t start = signature.find("Kind = ") + 7;
  constexpr std::string_view name = signature.substr(start, signature.find_first_of(";]", start) - start);
  return name.front() == '(' ? std::string_view{} : name;
}

template <std::size_t... Row>
constexpr std::array<std::string_view, sizeof...(Row)> RowNames(std::index_sequence<Row...>) {
  return {EnumeratorName<kUndoKinds[Row].action>()...};
}

// Kinds are numbered below kKindLimit; every value there that names a kind has a row.
constexpr std::size_t kKindLimit = 64;

template <std::size_t... Value>
constexpr bool EveryKindHasARow(std::index_sequence<Value...>) {
  return ((EnumeratorName<static_cast<UndoAction>(Value)>().empty() ||
           UndoKindIndex(static_cast<std::int32_t>(Value)) >= 0) &&
          ...);
}

constexpr bool RowsOrderedByKind() {
  for (std::size_t k = 1; k < std::size(kUndoKinds); ++k) {
    if (kUndoKinds[k - 1].action >= kUndoKinds[k].action) return false;
  }
  return kUndoKinds[std::size(kUndoKinds) - 1].action < static_cast<std::int32_t>(kKindLimit);
}

// A kind Undo can reverse records another kind, and its Undo item names it;
// one it cannot reverse keeps itself and never enables the item.
constexpr bool RowsAgree() {
  for (const UndoKind& row : kUndoKinds) {
    const bool reversible = row.reversal != UndoReversal::None;
    if (reversible == (row.opposite == row.action)) return false;
    if (!reversible && row.enabled) return false;
    if (row.enabled && row.label == 0) return false;
  }
  return true;
}

}  // namespace undo_kinds_detail

static_assert(undo_kinds_detail::EveryKindHasARow(std::make_index_sequence<undo_kinds_detail::kKindLimit>()),
              "an UndoAction has no row in kUndoKinds");
static_assert(undo_kinds_detail::RowsOrderedByKind(), "kUndoKinds: one row a kind, in order, below the limit");
static_assert(undo_kinds_detail::RowsAgree(), "kUndoKinds: a row's reversal, opposite and Undo item disagree");

// kUndoKindNames[k] is the name of kUndoKinds[k].
inline constexpr auto kUndoKindNames = undo_kinds_detail::RowNames(std::make_index_sequence<std::size(kUndoKinds)>());
