// The words host and module must spell alike: the language's type names, the
// short forms the editor expands, the one type with decimal positions, the
// messages about a row and the shape of the structure source text. The module reads its own copies from its
// string table, under the ids given here; the host reads this header. A unit
// test holds the module's string table equal to it.
#pragma once

#include <iterator>

#include "qst/string_ids.h"

// A text of the module's string table as the host must know it too.
struct VocabularyText {
  UINT id;
  const char* text;
};

// The language's own type names, alphabetical, under consecutive string ids
// from IdsTypeBoolean.
// clang-format off
inline constexpr const char* kLanguageTypeNames[] = {
    "boolean",        "character",     "checkbox",       "commandbutton",   "gridsheet",      "date",
    "datetime",       "decimal",       "double",         "dropdownlistbox", "gridsheetchild", "editmask",
    "graph",          "groupbox",      "hscrollbar",     "integer",         "line",           "listbox",
    "long",           "menu",          "multilineedit",  "oval",            "picture",        "picturebutton",
    "radiobutton",    "real",          "rectangle",      "roundrectangle",  "singlelineedit", "statictext",
    "string",         "time",          "transaction",    "unsignedinteger", "unsignedlong",   "userobject",
    "vscrollbar",     "window"};
// clang-format on
static_assert(std::size(kLanguageTypeNames) == IdsTypeWindow - IdsTypeBoolean + 1, "one name for every type id");

// The type name under its string id (one of IdsTypeBoolean .. IdsTypeWindow).
constexpr const char* LanguageTypeName(UINT id) { return kLanguageTypeNames[id - IdsTypeBoolean]; }

// A short form the editor writes out in full when it reads a type cell; only
// a whole text, after lowercasing, is a short form.
struct TypeShortForm {
  UINT id;
  const char* text;
  UINT fullId;  // the type name it stands for
};
inline constexpr TypeShortForm kTypeShortForms[] = {
    {IdsAbbrevInt, "int", IdsTypeInteger},
    {IdsAbbrevDec, "dec", IdsTypeDecimal},
    {IdsAbbrevChar, "char", IdsTypeCharacter},
};
inline constexpr int kTypeShortFormCount = static_cast<int>(std::size(kTypeShortForms));

// The one type that has decimal positions, compared without regard to case.
inline constexpr UINT kDecimalTypeId = IdsTypeDecimal;
inline constexpr const char* kDecimalTypeName = LanguageTypeName(kDecimalTypeId);
// The type a variable typed into row 1 with an empty type cell gets.
inline constexpr UINT kFirstRowTypeId = IdsTypeString;

// The source text: a header line, one variable line per variable, the footer.
// Their texts are frozen by the library file format, which stores the source.
inline constexpr char kGlobalHeaderFormat[] = "global type %s from structure\r\n";
inline constexpr char kLocalHeaderFormat[] = "type %s from structure\r\n";
inline constexpr char kEndTypeLine[] = "end type";
inline constexpr VocabularyText kSourceFrameTexts[] = {
    {IdsGlobalHeader, kGlobalHeaderFormat},
    {IdsLocalHeader, kLocalHeaderFormat},
    {IdsEndType, kEndTypeLine},
};

// What is wrong with a row, said alike by the editor's save, the host's live
// check and its compiler; %s stands for the name or the type that is there.
inline constexpr char kVariableWithoutTypeFormat[] = "Variable %s has no type.";
inline constexpr char kTypeWithoutVariableFormat[] = "The variable of type %s has no name.";
inline constexpr char kBadDecimalsMessage[] = "Decimal positions must be between 0 and 18.";
inline constexpr char kBadVariableNameMessage[] = "Invalid variable name.";
inline constexpr VocabularyText kRowMessages[] = {
    {IdsVariableWithoutType, kVariableWithoutTypeFormat},
    {IdsTypeWithoutVariable, kTypeWithoutVariableFormat},
    {IdsBadDecimals, kBadDecimalsMessage},
    {IdsBadVariableName, kBadVariableNameMessage},
};

// A variable line, of the source text and of rows on the clipboard alike:
//   TAB type " {" decimals "}" TAB name CR LF   for the decimal type
//   TAB type TAB TAB name CR LF                 for any other type
inline constexpr char kLineStart[] = "\t";
inline constexpr char kDecimalsOpen[] = " {";
inline constexpr char kDecimalsClose[] = "}\t";
inline constexpr char kNoDecimals[] = "\t\t";
inline constexpr char kLineEnd[] = "\r\n";
