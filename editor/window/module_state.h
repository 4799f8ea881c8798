// The module-wide values: the module's instance handle and the context code of
// the latest QST_Create. Plus the small helpers every editor operation uses.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
std::int32_t CurrentContextCode();
void SetCurrentContextCode(std::int32_t code);

// Size of the buffers strings are loaded into.
constexpr int kStringBufferSize = 121;

// Loads string id of the module into buffer (always terminated; "" when missing).
int LoadModuleString(UINT id, char* buffer, int bufferSize);

// The redraw bracket around a series of grid changes: off, then on with a repaint.
void RedrawOff(EditorInstance* instance);
void RedrawOn(EditorInstance* instance);

// The instance of an editor window (ShellInstanceOf).
EditorInstance* InstanceOf(HWND window);
