// The module's resources: menus, accelerator tables, string table and icon.
// They are the one source of truth for every user-visible text of the editor;
// the platform's loader finds them through PlatformModuleResources().
#pragma once

#include "platform/resources.h"
#include "qst/string_ids.h"

// The module's resource tables (also what PlatformModuleResources returns).
const ModuleResources* EditorModuleResources();
