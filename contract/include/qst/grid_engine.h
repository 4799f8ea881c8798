// GridEngine: the grid control that holds the rows, its messages, notifications
// and exported calls. Message and notification numbers are frozen by the
// module's binary interface; the layout names by the layout library's contents.
//
// Rows are numbered from 1 (unsigned 32-bit), 0 meaning none.
#pragma once

#include <cstdint>

#include "qst/grid_columns.h"
#include "qst/host_api.h"

// The text the marker column holds on the entry row (held fixed by nothing; the
// grid keeps it only while the editor runs).
inline constexpr const char* kEntryRowMarker = "\xAE";

// Window class of the host's grid control, and the library that holds its layouts.
inline constexpr const char* kGridControlClass = "QuillGridSheet";      // binary interface
inline constexpr const char* kGridLayoutLibrary = "quill_layouts.lib";  // the host's installation

// Grid messages and notifications: every number frozen by the module's binary interface.
constexpr UINT GM_DELETEROW = 0x51B;        // binary interface: deletes the row in lParam
constexpr UINT GM_INSERTROW = 0x520;        // binary interface: inserts before the row in lParam (0 appends)
constexpr UINT GM_CURRENTROW = 0x521;       // binary interface: the current cell's row
constexpr UINT GM_ROWCOUNT = 0x528;         // binary interface: the number of rows
constexpr UINT GM_REMOVEALLROWS = 0x531;    // binary interface: empties the grid
constexpr UINT GM_SELECTROW = 0x535;        // binary interface: selects (wParam 1) or unselects the row in lParam
constexpr UINT GM_NEXTSELECTEDROW = 0x536;  // binary interface: the next selected row after lParam
constexpr UINT GM_ISROWSELECTED = 0x539;    // binary interface: whether the row in lParam is selected
constexpr UINT GM_PREPARESAVE = 0x53A;      // binary interface: commits the cell being edited before a save
constexpr UINT GM_EDITCONTROL = 0x549;      // binary interface: the edit control of the cell being edited

// Grid notifications (high word of WM_COMMAND's wParam, grid window in lParam).
constexpr WORD GN_MODIFIED = 0x100;     // binary interface: a cell's content changed
constexpr WORD GN_BUTTONDOWN = 0x501;   // binary interface: a press in the grid
constexpr WORD GN_CELLCHANGED = 0x700;  // binary interface: another cell became current
constexpr WORD GN_CELLENTERED = 0x800;  // binary interface: sent after GN_CELLCHANGED
constexpr WORD GN_MOUSEMOVE = 0x907;    // binary interface: the pointer moved over the grid
constexpr WORD GN_BUTTONUP = 0x909;     // binary interface: a press ended
constexpr WORD GN_TEXTEDITED = 0x90C;   // binary interface: the cell's edit text changed

extern "C" {
HOST_API GridLayout* GridLoadLayout(const char* const* libraries, int count, const char* objectName,
                                    HostRuntime* runtime);
HOST_API HWND GridCreateControl(const char* className, const char* windowName, DWORD style, int x, int y, int width,
                                int height, HWND parent, HMENU id, HWND notifyWindow, GridLayout* layout);
// Applies an assignment "object.property=value".
HOST_API void GridSetProperty(HWND grid, const char* assignment);
// The property's value as text (free with GridFreeText), or null for an unknown path.
HOST_API char* GridGetProperty(HWND grid, const char* path);
HOST_API void GridFreeText(HWND grid, char* text);
// Length of the cell's text; 0 or less when empty.
HOST_API std::int16_t GridItemTextLength(HWND grid, std::uint32_t row, std::uint16_t column);
// Copies at most max characters of the cell's text; does not terminate. Returns the count copied.
HOST_API int GridGetItemText(HWND grid, std::uint32_t row, std::uint16_t column, char* buffer, std::uint16_t max);
HOST_API void GridSetItemText(HWND grid, std::uint32_t row, std::uint16_t column, const char* text);
// Reads the cell's number into *value; leaves *value alone when the cell holds none.
HOST_API void GridGetItemNumber(HWND grid, std::uint32_t row, std::uint16_t column, double* value);
// Sets the cell's number; null clears it.
HOST_API void GridSetItemNumber(HWND grid, std::uint32_t row, std::uint16_t column, const double* value);
HOST_API void GridSetCurrentCell(HWND grid, std::uint32_t row, std::uint16_t column);
HOST_API void GridGetCurrentCell(HWND grid, std::uint32_t* row, std::uint16_t* column);
// "object<TAB>row" for what lies under the pointer (empty object and row 0 over nothing).
HOST_API void GridPointerText(HWND grid, char* buffer, int bufferSize);
}

// Typed wrappers of the grid messages; 0 means "no row" wherever a row is returned.
inline std::uint32_t GridInsertRow(HWND g, std::uint32_t before) {  // 0 appends; new row or 0
  return static_cast<std::uint32_t>(SendMessageA(g, GM_INSERTROW, 0, static_cast<LPARAM>(before)));
}
inline void GridDeleteRow(HWND g, std::uint32_t row) { SendMessageA(g, GM_DELETEROW, 0, static_cast<LPARAM>(row)); }
inline void GridRemoveAllRows(HWND g) { SendMessageA(g, GM_REMOVEALLROWS, 0, 0); }
inline std::uint32_t GridRowCount(HWND g) { return static_cast<std::uint32_t>(SendMessageA(g, GM_ROWCOUNT, 0, 0)); }
inline std::uint32_t GridCurrentRow(HWND g) {  // 0 when no cell is current
  return static_cast<std::uint32_t>(SendMessageA(g, GM_CURRENTROW, 0, 0));
}
inline void GridSelectRow(HWND g, std::uint32_t row, bool select) {
  SendMessageA(g, GM_SELECTROW, select ? 1 : 0, static_cast<LPARAM>(row));
}
inline std::uint32_t GridNextSelectedRow(HWND g, std::uint32_t after) {  // 0 from the top; 0 when none
  return static_cast<std::uint32_t>(SendMessageA(g, GM_NEXTSELECTEDROW, 0, static_cast<LPARAM>(after)));
}
inline bool GridIsRowSelected(HWND g, std::uint32_t row) {
  return SendMessageA(g, GM_ISROWSELECTED, 0, static_cast<LPARAM>(row)) != 0;
}
inline void GridPrepareSave(HWND g, std::uint32_t entryRow) {
  SendMessageA(g, GM_PREPARESAVE, 0, static_cast<LPARAM>(entryRow));
}
inline HWND GridEditControl(HWND g) {  // null when the grid has none at the moment
  return reinterpret_cast<HWND>(SendMessageA(g, GM_EDITCONTROL, 0, 0));
}
inline void GridSetRedraw(HWND g, bool on) { SendMessageA(g, WM_SETREDRAW, on ? 1 : 0, 0); }
