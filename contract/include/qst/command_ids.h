// The command ids of the editor's menus, accelerators and toolbar, used by name
// in the resource tables, the dispatch table and the host's toolbar. Frozen by
// the module's binary interface: the host sends them in WM_COMMAND and asks for
// their texts by number (description under the id, label under id + 1).
#pragma once

#include <cstdint>

enum CommandId : std::uint16_t {
  CmdReturn = 1,
  CmdQuillPanel = 101,
  CmdPrinterSetup = 103,
  CmdPrintPreview = 104,  // the desktop frame's own, not in the module's menus: held fixed by nothing
  CmdExit = 1016,
  CmdUndo = 1258,
  CmdCut = 1260,
  CmdCopy = 1262,
  CmdPaste = 1264,
  CmdClear = 1266,
  // Return, described by the workbench it goes back to (status-line texts only).
  CmdReturnToWindow = 1282,
  CmdReturnToMenu = 1284,
  CmdReturnToUserObject = 1286,
  CmdReturnToFunction = 1310,
  CmdPrint = 1438,
  CmdNew = 1450,
  CmdSave = 1452,
  CmdSaveAs = 1454,
  CmdInsertRow = 1546,
  CmdDeleteRow = 1934,
  CmdClose = 2290,
  CmdOpen = 2300,
};

// The string id of a command's short label (its description is under the id itself).
constexpr unsigned CommandLabel(CommandId id) { return static_cast<unsigned>(id) + 1; }
