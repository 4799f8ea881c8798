// The GridEngine calls the editor module makes, and GridSheet::fromWindow.
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "grid_control.h"
#include "grid_layouts.h"
#include "qst/grid_engine.h"

using quill::grid::GridControl;

namespace {
// A column with cells; anything else names no cell.
int Column(std::uint16_t column) { return IsGridCell(column) ? int{column} : int{ColRowIndicator}; }
}  // namespace

__attribute__((visibility("default"))) quill::GridSheet* quill::GridSheet::fromWindow(HWND grid) {
  return GridControl::of(grid);
}

extern "C" {

HOST_API GridLayout* GridLoadLayout(const char* const* libraries, int count, const char* objectName,
                                    HostRuntime* runtime) try {
  // The layouts are built in, so the library list and runtime are not needed.
  (void)libraries;
  (void)count;
  (void)runtime;
  if (objectName == nullptr) return nullptr;
  // The layouts are immutable; the handle type is not const only because the contract's is not.
  return const_cast<GridLayout*>(quill::grid::FindGridLayout(objectName));
} catch (const std::bad_alloc&) {
  return {};
}

HOST_API HWND GridCreateControl(const char* className, const char* windowName, DWORD style, int x, int y, int width,
                                int height, HWND parent, HMENU id, HWND notifyWindow, GridLayout* layout) try {
  if (layout == nullptr) return nullptr;
  if (className != nullptr && std::string_view(className) != kGridControlClass) return nullptr;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &quill::grid::GridWindowProc;
  windowClass.lpszClassName = kGridControlClass;
  // Registering again fails harmlessly; registering every time survives a platform reset.
  RegisterClassA(&windowClass);
  quill::grid::GridCreateParams params{notifyWindow, layout};
  HWND grid = CreateWindowExA(0, kGridControlClass, windowName, style, x, y, width, height, parent, id, nullptr, &params);
  // The grid never scrolls itself: the front end scrolls the view it shows the
  // grid in. Scroll bars asked for in the style would only take their room
  // from the columns, which the editor fits to the grid's client width.
  if (grid != nullptr) ShowScrollBar(grid, SB_BOTH, FALSE);
  return grid;
} catch (const std::bad_alloc&) {
  return {};
}

HOST_API void GridSetProperty(HWND grid, const char* assignment) try {
  GridControl* control = GridControl::of(grid);
  if (control != nullptr && assignment != nullptr) control->assign(assignment);
} catch (const std::bad_alloc&) {
}

HOST_API char* GridGetProperty(HWND grid, const char* path) try {
  GridControl* control = GridControl::of(grid);
  if (control == nullptr || path == nullptr) return nullptr;
  auto value = control->propertyValue(path);
  if (!value) return nullptr;
  char* copy = static_cast<char*>(std::malloc(value->size() + 1));
  if (copy != nullptr) std::memcpy(copy, value->c_str(), value->size() + 1);
  return copy;
} catch (const std::bad_alloc&) {
  return {};
}

HOST_API void GridFreeText(HWND grid, char* text) try {
  (void)grid;
  std::free(text);
} catch (const std::bad_alloc&) {
}

HOST_API std::int16_t GridItemTextLength(HWND grid, std::uint32_t row, std::uint16_t column) try {
  GridControl* control = GridControl::of(grid);
  if (control == nullptr) return 0;
  // Cell texts are bounded to kCellTextMax, which fits.
  std::string scratch;
  return static_cast<std::int16_t>(control->cellView(row, Column(column), &scratch).size());
} catch (const std::bad_alloc&) {
  return {};
}

HOST_API int GridGetItemText(HWND grid, std::uint32_t row, std::uint16_t column, char* buffer, std::uint16_t max) try {
  GridControl* control = GridControl::of(grid);
  if (control == nullptr || buffer == nullptr) return 0;
  std::string scratch;
  const std::string_view text = control->cellView(row, Column(column), &scratch);
  const std::size_t copied = std::min<std::size_t>(text.size(), max);
  quill::grid::CopyShortBytes(buffer, text.data(), copied);
  return static_cast<int>(copied);
} catch (const std::bad_alloc&) {
  return {};
}

HOST_API void GridSetItemText(HWND grid, std::uint32_t row, std::uint16_t column, const char* text) try {
  GridControl* control = GridControl::of(grid);
  if (control != nullptr) control->setItemText(row, Column(column), text != nullptr ? text : "");
} catch (const std::bad_alloc&) {
}

HOST_API void GridGetItemNumber(HWND grid, std::uint32_t row, std::uint16_t column, double* value) try {
  GridControl* control = GridControl::of(grid);
  if (control == nullptr || value == nullptr) return;
  if (auto number = control->itemNumber(row, Column(column))) *value = *number;
} catch (const std::bad_alloc&) {
}

HOST_API void GridSetItemNumber(HWND grid, std::uint32_t row, std::uint16_t column, const double* value) try {
  GridControl* control = GridControl::of(grid);
  if (control != nullptr) control->setItemNumber(row, Column(column), value);
} catch (const std::bad_alloc&) {
}

HOST_API void GridSetCurrentCell(HWND grid, std::uint32_t row, std::uint16_t column) try {
  GridControl* control = GridControl::of(grid);
  if (control != nullptr) control->setCurrentCell(row, column);
} catch (const std::bad_alloc&) {
}

HOST_API void GridGetCurrentCell(HWND grid, std::uint32_t* row, std::uint16_t* column) try {
  GridControl* control = GridControl::of(grid);
  if (row != nullptr) *row = control != nullptr ? control->currentRow() : 0;
  if (column != nullptr) *column = control != nullptr ? static_cast<std::uint16_t>(control->currentColumn()) : 0;
} catch (const std::bad_alloc&) {
}

HOST_API void GridPointerText(HWND grid, char* buffer, int bufferSize) try {
  if (buffer == nullptr || bufferSize <= 0) return;
  GridControl* control = GridControl::of(grid);
  const std::string text = control != nullptr ? control->pointerText() : std::string("\t0");
  const std::size_t copied = std::min<std::size_t>(text.size(), static_cast<std::size_t>(bufferSize) - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
} catch (const std::bad_alloc&) {
}

}  // extern "C"
