// The command identifiers of the editor's menus, accelerators and toolbar.
#pragma once

#include <cstdint>

enum CommandId : std::uint16_t {
  CmdReturn = 1,
  CmdQuillPanel = 101,
  CmdPrinterSetup = 103,
  CmdExit = 1016,
  CmdUndo = 1258,
  CmdCut = 1260,
  CmdCopy = 1262,
  CmdPaste = 1264,
  CmdClear = 1266,
  CmdPrint = 1438,
  CmdNew = 1450,
  CmdSave = 1452,
  CmdSaveAs = 1454,
  CmdInsertRow = 1546,
  CmdDeleteRow = 1934,
  CmdClose = 2290,
  CmdOpen = 2300,
};
