// HostShell: the host's windows, menus, messages, status line and profile.
// The HM_ numbers are frozen by the module's binary interface.
#pragma once

#include <cstdint>

#include "qst/host_context.h"

// Private host messages.
constexpr UINT HM_QUERYCOMMANDS = 0x041E;  // binary interface: toolbar commands of the editor
constexpr UINT HM_SETNOTIFY = 0x0425;      // binary interface: the window told of the editor's end
constexpr UINT HM_EDITORCLOSED = 0x0427;   // binary interface: sent to that window
// Whether the rows differ from the stored structure: the editor answers with its
// own mark, so a host never has to guess. A host that does not ask loses nothing.
constexpr UINT HM_QUERYCHANGED = 0x0428;  // binary interface

// HM_QUERYCOMMANDS: which list wParam asks for (binary interface), and the entry
// that stands for a separator in the toolbar's list (binary interface).
enum CommandListSelector : WPARAM {
  QueryToolbar = 0,             // the toolbar's commands and separators
  QueryCommands = 16,           // every command the editor offers
  QueryLastCommandString = 17,  // one entry: the string id describing the toolbar's last command
};
inline constexpr WORD kCommandSeparator = 0xFFFF;

extern "C" {
HOST_API void ShellPrepareMenu(HostContext* context, int menuKind, std::uint16_t menuId);
// Creates the frame and the editor window inside it, attaches a zeroed instance
// record and delivers WM_CREATE (lpCreateParams = context) before it returns. 0 on failure.
HOST_API HWND ShellCreateEditorWindow(HostContext* context, const EditorClassRecord* record);
// The instance record attached to the window, or null.
HOST_API void* ShellInstanceOf(int reserved, HWND window);
HOST_API HMENU ShellEditMenuOf(HostContext* context, HWND editorWindow);
HOST_API void ShellSetNotifyWindow(HostContext* context, HWND notifyWindow);
HOST_API void ShellRefreshCommands(HostContext* context, HWND editorWindow);
HOST_API HFONT ShellFont(HostContext* context, int fontNumber);
// Loads stringId from module, fills it in with wsprintfA semantics and asks; returns the button.
HOST_API int ShellMessageBox(HostContext* context, HWND owner, const char* caption, UINT style, HINSTANCE module,
                             int stringId, ...);
// Shows string stringId of module on the status line (ids the module lacks show "Ready").
HOST_API void ShellSetStatus(HostContext* context, HINSTANCE module, int stringId, int reserved);
HOST_API void ShellShowCompileErrors(HostContext* context, HWND gridWindow);
HOST_API void ShellReadProfileString(HostContext* context, const char* section, const char* key,
                                     const char* defaultText, char* buffer, int bufferSize);
}
