// The module's resource tables: strings, menus, accelerators and the icon, all
// written with the named command and string ids.
#include "editor/resources/module_resources.h"

#include <array>
#include <cstdint>
#include <iterator>

#include "qst/command_ids.h"
#include "qst/entry_points.h"

namespace {

constexpr ResourceString kStrings[] = {
    // The host language's type names and abbreviations first: every row read
    // looks the vocabulary up, and the loader searches the table in order.
    {IdsAbbrevDec, "dec"},
    {IdsAbbrevInt, "int"},
    {IdsAbbrevChar, "char"},
    {IdsTypeBoolean, "boolean"},
    {IdsTypeCharacter, "character"},
    {IdsTypeCheckbox, "checkbox"},
    {IdsTypeCommandbutton, "commandbutton"},
    {IdsTypeGridsheet, "gridsheet"},
    {IdsTypeDate, "date"},
    {IdsTypeDatetime, "datetime"},
    {IdsTypeDecimal, "decimal"},
    {IdsTypeDouble, "double"},
    {IdsTypeDropdownlistbox, "dropdownlistbox"},
    {IdsTypeGridsheetchild, "gridsheetchild"},
    {IdsTypeEditmask, "editmask"},
    {IdsTypeGraph, "graph"},
    {IdsTypeGroupbox, "groupbox"},
    {IdsTypeHscrollbar, "hscrollbar"},
    {IdsTypeInteger, "integer"},
    {IdsTypeLine, "line"},
    {IdsTypeListbox, "listbox"},
    {IdsTypeLong, "long"},
    {IdsTypeMenu, "menu"},
    {IdsTypeMultilineedit, "multilineedit"},
    {IdsTypeOval, "oval"},
    {IdsTypePicture, "picture"},
    {IdsTypePicturebutton, "picturebutton"},
    {IdsTypeRadiobutton, "radiobutton"},
    {IdsTypeReal, "real"},
    {IdsTypeRectangle, "rectangle"},
    {IdsTypeRoundrectangle, "roundrectangle"},
    {IdsTypeSinglelineedit, "singlelineedit"},
    {IdsTypeStatictext, "statictext"},
    {IdsTypeString, "string"},
    {IdsTypeTime, "time"},
    {IdsTypeTransaction, "transaction"},
    {IdsTypeUnsignedinteger, "unsignedinteger"},
    {IdsTypeUnsignedlong, "unsignedlong"},
    {IdsTypeUserobject, "userobject"},
    {IdsTypeVscrollbar, "vscrollbar"},
    {IdsTypeWindow, "window"},
    {IdsPrintCaption, "Print"},
    {IdsPrintQuestion, "The structure must be saved prior to printing.\nDo you want to save it now?"},
    // Command descriptions under the command id, short labels under id + 1.
    {CmdUndo, "Undo last edit"},
    {CommandLabel(CmdUndo), "Undo"},
    {CmdCut, "Cut selection to clipboard"},
    {CommandLabel(CmdCut), "Cut"},
    {CmdCopy, "Copy selection to clipboard"},
    {CommandLabel(CmdCopy), "Copy"},
    {CmdPaste, "Paste selection from clipboard"},
    {CommandLabel(CmdPaste), "Paste"},
    {CmdClear, "Clear selection"},
    {CommandLabel(CmdClear), "Clear"},
    {CmdReturnToWindow, "Return to Window Workbench"},
    {CommandLabel(CmdReturnToWindow), "Return"},
    {CmdReturnToMenu, "Return to Menu Workbench"},
    {CommandLabel(CmdReturnToMenu), "Return"},
    {CmdReturnToUserObject, "Return to User Object Workbench"},
    {CommandLabel(CmdReturnToUserObject), "Return"},
    {CmdReturnToFunction, "Return to Function Workbench"},
    {CommandLabel(CmdReturnToFunction), "Return"},
    {CmdPrint, "Print Structure"},
    {CommandLabel(CmdPrint), "Print"},
    {CmdNew, "Create a new Structure"},
    {CommandLabel(CmdNew), "New"},
    {CmdSave, "Save current Structure"},
    {CommandLabel(CmdSave), "Save"},
    {CmdInsertRow, "Insert row above cursor"},
    {CommandLabel(CmdInsertRow), "Insert,Insert Row"},
    {CmdDeleteRow, "Delete selected row(s)"},
    {CommandLabel(CmdDeleteRow), "Delete,Delete Row"},
    {CmdClose, "Close Structure"},
    {CommandLabel(CmdClose), "Close"},
    {CmdOpen, "Open an existing Structure"},
    {CommandLabel(CmdOpen), "Open"},
    // Titles, messages, source text and Edit menu labels.
    {IdsTitle, "Structure - %s"},
    {IdsTitleOwner, " for %s"},
    {IdsUntitled, "(Untitled)"},
    {IdsSaveChanges, "Save changes to %s?"},
    {IdsBadDecimals, "Decimal positions must be between 0 and 18."},
    {IdsBadVariableName, "Invalid variable name."},
    {IdsProfileSection, "application"},
    {IdsProfileDefLib, "DefLib"},
    {IdsReplaceExisting, "Replace existing %s?"},
    {IdsSaveFailed, "Save of structure failed."},
    {IdsGlobalHeader, "global type %s from structure\r\n"},
    {IdsEndType, "end type"},
    {IdsLocalHeader, "type %s from structure\r\n"},
    {IdsDuplicateName, "Duplicate variable name."},
    {IdsLibraryAndName, "\n%s(%s)"},
    {IdsNeedOneVariable, "All structures requires at least one variable."},
    {IdsLoadError, "Error loading structure %s."},
    {IdsOpenCaption, "Open Structure"},
    {IdsUndo, "&Undo\tCtrl+Z"},
    {IdsUndoCut, "&Undo Cut\tCtrl+Z"},
    {IdsUndoPaste, "&Undo Paste\tCtrl+Z"},
    {IdsUndoClear, "&Undo Clear\tCtrl+Z"},
    {IdsUndoType, "&Undo Type\tCtrl+Z"},
    {IdsUndoDragDrop, "&Undo Drag and Drop\tCtrl+Z"},
    {IdsRedo, "&Redo\tCtrl+Z"},
    {IdsCantUndo, "Can't Undo\tCtrl+Z"},
    {IdsRowIndicator, "var_row"},
    {IdsVariableWithoutType, "Variable %s has no type."},
    {IdsTypeWithoutVariable, "The variable of type %s has no name."},
    {IdsSavingStatus, "Saving Structure . . ."},
    {IdsOpeningStatus, "Opening Structure . . ."},
};

constexpr ResourceMenuItem kSeparator{0, nullptr, MF_SEPARATOR, nullptr, 0};

constexpr ResourceMenuItem kFileEmbedded[] = {
    {CmdNew, "&New\tCtrl+N", 0, nullptr, 0},
    {CmdOpen, "&Open...\tCtrl+O", 0, nullptr, 0},
    {CmdClose, "&Close\tCtrl+W", 0, nullptr, 0},
    {CmdReturn, "R&eturn", 0, nullptr, 0},
    kSeparator,
    {CmdSave, "&Save\tCtrl+S", 0, nullptr, 0},
    {CmdSaveAs, "Save &As ...", 0, nullptr, 0},
    kSeparator,
    {CmdQuillPanel, "&Quill Panel\tCtrl+Shift+N", 0, nullptr, 0},
    kSeparator,
    {CmdPrint, "&Print...\tCtrl+P", 0, nullptr, 0},
    {CmdPrinterSetup, "Pr&inter Setup...", 0, nullptr, 0},
    kSeparator,
    {CmdExit, "E&xit Quillmaker", 0, nullptr, 0},
};
constexpr ResourceMenuItem kEditStandAlone[] = {
    {CmdUndo, "Can't Undo\tCtrl+Z", MF_GRAYED, nullptr, 0},
    kSeparator,
    {CmdCut, "Cu&t\tCtrl+X", 0, nullptr, 0},
    {CmdCopy, "&Copy\tCrtl+C", 0, nullptr, 0},
    {CmdPaste, "&Paste\tCtrl+V", 0, nullptr, 0},
    {CmdClear, "Cl&ear\tDel", 0, nullptr, 0},
    kSeparator,
    {CmdInsertRow, "&Insert Row", 0, nullptr, 0},
    {CmdDeleteRow, "&Delete Row", 0, nullptr, 0},
};

// The items without the one of command id (which must be there once).
template <std::size_t N>
constexpr std::array<ResourceMenuItem, N - 1> WithoutItem(const ResourceMenuItem (&items)[N], UINT id) {
  std::array<ResourceMenuItem, N - 1> kept{};
  std::size_t n = 0;
  for (const ResourceMenuItem& item : items) {
    if (item.id != id) kept[n++] = item;
  }
  return kept;
}

// The items with the label of command id replaced.
template <std::size_t N>
constexpr std::array<ResourceMenuItem, N> Relabelled(const ResourceMenuItem (&items)[N], UINT id, const char* text) {
  std::array<ResourceMenuItem, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = items[i];
    if (out[i].id == id) out[i].text = text;
  }
  return out;
}

// Return goes back to the owner's workbench, so only the embedded editor's
// File pop-up has it.
constexpr auto kFileStandAlone = WithoutItem(kFileEmbedded, CmdReturn);
// The embedded editor's Insert Row has no access key.
constexpr auto kEditEmbedded = Relabelled(kEditStandAlone, CmdInsertRow, "Insert Row");

template <std::size_t N>
constexpr int Count(const ResourceMenuItem (&)[N]) {
  return static_cast<int>(N);
}
template <std::size_t N>
constexpr int Count(const std::array<ResourceMenuItem, N>&) {
  return static_cast<int>(N);
}

constexpr ResourceMenuItem kBarStandAlone[] = {
    {0, "&File", MF_POPUP, kFileStandAlone.data(), Count(kFileStandAlone)},
    {0, "&Edit", MF_POPUP, kEditStandAlone, Count(kEditStandAlone)},
};
constexpr ResourceMenuItem kBarEmbedded[] = {
    {0, "&File", MF_POPUP, kFileEmbedded, Count(kFileEmbedded)},
    {0, "&Edit", MF_POPUP, kEditEmbedded.data(), Count(kEditEmbedded)},
};
constexpr ResourceMenu kMenus[] = {
    {kMenuStandAlone, kBarStandAlone, 2},
    {kMenuEmbedded, kBarEmbedded, 2},
};

constexpr BYTE kCtrl = FVIRTKEY | FNOINVERT | FCONTROL;
constexpr BYTE kCtrlShift = FVIRTKEY | FNOINVERT | FCONTROL | FSHIFT;
constexpr BYTE kPlain = FVIRTKEY | FNOINVERT;

constexpr ACCEL kAccelStandAlone[] = {
    {kCtrl, 'N', CmdNew},          {kCtrl, 'O', CmdOpen},  {kCtrl, 'W', CmdClose},
    {kCtrl, 'S', CmdSave},         {kCtrl, 'P', CmdPrint}, {kCtrlShift, 'N', CmdQuillPanel},
    {kPlain, VK_DELETE, CmdClear}, {kCtrl, 'X', CmdCut},   {kCtrl, 'Z', CmdUndo},
    {kCtrl, 'C', CmdCopy},         {kCtrl, 'V', CmdPaste},
};
constexpr ACCEL kAccelEmbedded[] = {
    {kCtrl, 'N', CmdNew},
    {kCtrl, 'O', CmdOpen},
    {kCtrl, 'W', CmdClose},
    {kCtrlShift, 'T', CmdReturn},
    {kCtrl, 'S', CmdSave},
    {kCtrl, 'P', CmdPrint},
    {kCtrlShift, 'N', CmdQuillPanel},
    {kPlain, VK_DELETE, CmdClear},
    {kCtrl, 'X', CmdCut},
    {kCtrl, 'Z', CmdUndo},
    {kCtrl, 'C', CmdCopy},
    {kCtrl, 'V', CmdPaste},
};
constexpr ResourceAccelerators kAccelerators[] = {
    {kAcceleratorsStandAlone, kAccelStandAlone, static_cast<int>(std::size(kAccelStandAlone))},
    {kAcceleratorsEmbedded, kAccelEmbedded, static_cast<int>(std::size(kAccelEmbedded))},
};

// A 16 x 16 icon: a white sheet with a blue header band and three ruled rows,
// the row-indicator column shaded, drawn from this pattern.
// clang-format off
constexpr const char* kIconPattern[16] = {
    "................",
    ".##############.",
    ".#BBBBBBBBBBBB#.",
    ".#BBBBBBBBBBBB#.",
    ".##############.",
    ".#GG#wwwwwwwww#.",
    ".#GG#wwwwwwwww#.",
    ".##############.",
    ".#GG#wwwwwwwww#.",
    ".#GG#wwwwwwwww#.",
    ".##############.",
    ".#GG#wwwwwwwww#.",
    ".#GG#wwwwwwwww#.",
    ".##############.",
    "................",
    "................",
};
// clang-format on

constexpr std::uint32_t IconColour(char c) {
  switch (c) {
    case '#': return 0xFF303840u;
    case 'B': return 0xFF2F6FD0u;
    case 'G': return 0xFFB8C0C8u;
    case 'w': return 0xFFFFFFFFu;
    default: return 0x00000000u;
  }
}

constexpr bool IconPatternIsSquare() {
  for (const char* row : kIconPattern) {
    int n = 0;
    while (row[n] != '\0') ++n;
    if (n != 16) return false;
  }
  return true;
}
static_assert(IconPatternIsSquare());

constexpr std::array<std::uint32_t, 256> MakeIconPixels() {
  std::array<std::uint32_t, 256> pixels{};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) pixels[y * 16 + x] = IconColour(kIconPattern[y][x]);
  }
  return pixels;
}

constexpr std::array<std::uint32_t, 256> kIconPixels = MakeIconPixels();
constexpr ResourceIcon kIcons[] = {{kEditorIcon, 16, 16, kIconPixels.data()}};

constexpr ModuleResources kResources = {
    kStrings,      static_cast<int>(std::size(kStrings)),      kMenus, static_cast<int>(std::size(kMenus)),
    kAccelerators, static_cast<int>(std::size(kAccelerators)), kIcons, static_cast<int>(std::size(kIcons)),
};

}  // namespace

const ModuleResources* EditorModuleResources() { return &kResources; }

extern "C" QST_EXPORT const ModuleResources* PlatformModuleResources() { return &kResources; }
