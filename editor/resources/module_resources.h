// The module's resources: menus, accelerator tables, string table and icon.
// They are the one source of truth for every user-visible text of the editor;
// the platform's loader finds them through PlatformModuleResources().
#pragma once

#include "platform/resources.h"

// Resource numbers.
constexpr UINT kMenuStandAlone = 2000;
constexpr UINT kMenuEmbedded = 2001;
constexpr UINT kAcceleratorsStandAlone = 2002;
constexpr UINT kAcceleratorsEmbedded = 2003;
constexpr UINT kEditorIcon = 3110;

// String numbers the editor loads itself.
enum StringId : UINT {
  IdsTitle = 4000,
  IdsTitleOwner = 4001,
  IdsUntitled = 4002,
  IdsSaveChanges = 4003,
  IdsDuplicateName = 4016,
  IdsNeedOneVariable = 4019,
  IdsUndo = 4022,
  IdsUndoCut = 4023,
  IdsUndoPaste = 4024,
  IdsUndoClear = 4025,
  IdsUndoType = 4026,
  IdsUndoDragDrop = 4027,
  IdsRedo = 4028,
  IdsCantUndo = 4029,
  IdsRowIndicator = 4030,
  IdsVariableWithoutType = 4031,
  IdsTypeWithoutVariable = 4032,
  IdsTypeCharacter = 4301,
  IdsTypeDecimal = 4307,
  IdsTypeInteger = 4315,
  IdsTypeString = 4330,
  IdsAbbrevDec = 4340,
  IdsAbbrevInt = 4341,
  IdsAbbrevChar = 4342,
};

// The module's resource tables (also what PlatformModuleResources returns).
const ModuleResources* EditorModuleResources();
