// The module's resource numbers and string ids: what the host loads by number
// (menus, accelerator tables, icon, status-line texts) and what the module loads
// itself. One enum for every string of the module's table.
#pragma once

#include "platform/win.h"

// Resource numbers. Frozen by the module's binary interface: the host asks for
// them through the EditorClassRecord.
constexpr UINT kMenuStandAlone = 2000;
constexpr UINT kMenuEmbedded = 2001;
constexpr UINT kAcceleratorsStandAlone = 2002;
constexpr UINT kAcceleratorsEmbedded = 2003;
constexpr UINT kEditorIcon = 3110;

// String-table numbers. The command texts live under the command ids (see
// command_ids.h: description under the id, short label under id + 1); the host
// shows them on the status line by number, which freezes them with the module's
// binary interface. The rest are the module's own and held fixed by nothing;
// the texts of the source header and footer lines (IdsGlobalHeader,
// IdsLocalHeader, IdsEndType) are frozen by the library file format, which
// stores the source they begin and end.
enum StringId : UINT {
  // Not in the module's table on purpose: the host shows its idle text for it.
  IdsStatusReady = 150,
  IdsTitle = 4000,            // "Structure - %s"
  IdsTitleOwner = 4001,       // " for %s"
  IdsUntitled = 4002,         // "(Untitled)"
  IdsSaveChanges = 4003,      // "Save changes to %s?"
  IdsBadDecimals = 4007,      // "Decimal positions must be between 0 and 18."
  IdsBadVariableName = 4008,  // "Invalid variable name."
  IdsProfileSection = 4009,   // "application"
  IdsProfileDefLib = 4010,    // "DefLib"
  IdsReplaceExisting = 4011,  // "Replace existing %s?"
  IdsSaveFailed = 4012,       // "Save of structure failed."
  IdsGlobalHeader = 4013,     // "global type %s from structure\r\n"
  IdsEndType = 4014,          // "end type"
  IdsLocalHeader = 4015,      // "type %s from structure\r\n"
  IdsDuplicateName = 4016,    // "Duplicate variable name."
  IdsLibraryAndName = 4017,   // "\n%s(%s)"
  IdsNeedOneVariable = 4019,  // "All structures requires at least one variable."
  IdsLoadError = 4020,        // "Error loading structure %s."
  IdsOpenCaption = 4021,      // "Open Structure"
  IdsUndo = 4022,
  IdsUndoCut = 4023,
  IdsUndoPaste = 4024,
  IdsUndoClear = 4025,
  IdsUndoType = 4026,
  IdsUndoDragDrop = 4027,
  IdsRedo = 4028,
  IdsCantUndo = 4029,
  IdsRowIndicator = 4030,  // "var_row": the grid's row-indicator column
  IdsVariableWithoutType = 4031,
  IdsTypeWithoutVariable = 4032,
  IdsSavingStatus = 4034,   // "Saving Structure . . ."
  IdsOpeningStatus = 4035,  // "Opening Structure . . ."
  // The host language's type names, in alphabetical order.
  IdsTypeBoolean = 4300,
  IdsTypeCharacter = 4301,
  IdsTypeCheckbox = 4302,
  IdsTypeCommandbutton = 4303,
  IdsTypeGridsheet = 4304,
  IdsTypeDate = 4305,
  IdsTypeDatetime = 4306,
  IdsTypeDecimal = 4307,
  IdsTypeDouble = 4308,
  IdsTypeDropdownlistbox = 4309,
  IdsTypeGridsheetchild = 4310,
  IdsTypeEditmask = 4311,
  IdsTypeGraph = 4312,
  IdsTypeGroupbox = 4313,
  IdsTypeHscrollbar = 4314,
  IdsTypeInteger = 4315,
  IdsTypeLine = 4316,
  IdsTypeListbox = 4317,
  IdsTypeLong = 4318,
  IdsTypeMenu = 4319,
  IdsTypeMultilineedit = 4320,
  IdsTypeOval = 4321,
  IdsTypePicture = 4322,
  IdsTypePicturebutton = 4323,
  IdsTypeRadiobutton = 4324,
  IdsTypeReal = 4325,
  IdsTypeRectangle = 4326,
  IdsTypeRoundrectangle = 4327,
  IdsTypeSinglelineedit = 4328,
  IdsTypeStatictext = 4329,
  IdsTypeString = 4330,
  IdsTypeTime = 4331,
  IdsTypeTransaction = 4332,
  IdsTypeUnsignedinteger = 4333,
  IdsTypeUnsignedlong = 4334,
  IdsTypeUserobject = 4335,
  IdsTypeVscrollbar = 4336,
  IdsTypeWindow = 4337,
  IdsPrintCaption = 4338,   // "Print"
  IdsPrintQuestion = 4339,  // "The structure must be saved prior to printing. ..."
  // Abbreviations a user may type for a type name.
  IdsAbbrevDec = 4340,
  IdsAbbrevInt = 4341,
  IdsAbbrevChar = 4342,
};
