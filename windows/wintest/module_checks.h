// The checks of the test host, by what they prove.
#pragma once

#include <string>

#include <windows.h>

#include "check_list.h"

namespace wintest {

// The Windows API behaves as the probes the platform layer is held to say.
void CheckApiProbes(CheckList& checks);
// The system loader finds exactly the module's four exports by name.
void CheckExports(CheckList& checks, const std::string& modulePath);
// Every menu, accelerator table, string and the icon of the loaded DLL are the
// module's resource tables, under the same ids.
void CheckResources(CheckList& checks, HMODULE module);
// TranslateAcceleratorA with the module's accelerators over its menu.
void CheckAccelerators(CheckList& checks, HMODULE module);
// A stand-alone editor driven through real windows, messages and clipboard.
void CheckEditorSession(CheckList& checks, const std::string& modulePath, const std::string& scratchFolder);

}  // namespace wintest
