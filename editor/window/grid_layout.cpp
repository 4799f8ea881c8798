// Creating the grid control and fitting its columns to the editor window.
#include "editor/window/grid_layout.h"

#include "editor/window/module_state.h"
#include "qst/grid_engine.h"
#include "qst/host_library.h"
#include "qst/host_pool.h"
#include "qst/host_shell.h"

namespace {

constexpr int kGridFontNumber = 13;
constexpr DWORD kGridStyle = WS_CHILD | WS_VSCROLL | WS_HSCROLL;

// A layout height the grid reports as text; the text belongs to the grid.
std::int32_t ReadGridHeight(HWND grid, const char* path) {
  char* text = GridGetProperty(grid, path);
  std::int32_t value = PoolTextToInt(text);
  if (text != nullptr) GridFreeText(grid, text);
  return value;
}

void MeasureGridFont(EditorInstance* instance, HWND editorWindow) {
  HDC dc = GetDC(editorWindow);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(instance->gridFont));
  GetTextMetricsA(dc, &instance->fontMetrics);
  ReleaseDC(editorWindow, dc);
}

void SetWidth(HWND grid, const char* object, int width) {
  char assignment[64];
  wsprintfA(assignment, "%s.width=%d", object, width);
  GridSetProperty(grid, assignment);
}

// Each column's part of the width beyond the base widths, in the quarters the
// column table gives; the first column with a share also takes what the
// rounding down leaves, so the parts add up to extra.
void ShareExtraWidth(std::int32_t extra, std::int32_t* parts) {
  std::int32_t given = 0;
  int first = -1;
  for (const GridColumnInfo& column : kGridColumns) {
    parts[column.id] = extra > 0 ? extra * column.extraShare / kExtraWidthQuarters : 0;
    given += parts[column.id];
    if (first < 0 && column.extraShare > 0) first = column.id;
  }
  if (extra > 0 && first >= 0) parts[first] += extra - given;
}

}  // namespace

int CreateEditorGrid(EditorInstance* instance, HostContext* context, HWND editorWindow) {
  LibraryPrepareLayouts(context);
  instance->gridFont = ShellFont(context, kGridFontNumber);
  MeasureGridFont(instance, editorWindow);
  const char* libraries[] = {kGridLayoutLibrary};
  GridLayout* layout = GridLoadLayout(libraries, 1, "structure_body", context->runtime);
  const int h = instance->fontMetrics.tmHeight;
  instance->gridWindow = GridCreateControl(kGridControlClass, nullptr, kGridStyle, 0, 0, 0, 2 * h, editorWindow,
                                           nullptr, editorWindow, layout);
  if (instance->gridWindow == nullptr) return 0;
  GridSetProperty(instance->gridWindow, "dragline.visible=FALSE");
  instance->headerHeight = ReadGridHeight(instance->gridWindow, "gridsheet.header.height");
  instance->detailHeight = ReadGridHeight(instance->gridWindow, "gridsheet.detail.height");
  instance->document.firstOpen = 1;
  return 1;
}

// Every column is sized from the font's character height; whatever width is
// left over goes to the columns the column table gives a share of it.
void LayoutGridColumns(EditorInstance* instance, HWND /*editorWindow*/, LPARAM size) {
  const int w = LOWORD(size);
  const int height = HIWORD(size);
  if (w == 0) return;
  HWND grid = instance->gridWindow;
  SetWindowPos(grid, HWND_TOP, 0, 0, w, height, SWP_NOMOVE | SWP_NOOWNERZORDER);
  RECT client{};
  GetClientRect(grid, &client);
  const std::int32_t clientWidth = client.right - client.left;
  const std::int32_t h = instance->fontMetrics.tmHeight;
  std::int32_t baseWidth = 0;
  for (const GridColumnInfo& column : kGridColumns) baseWidth += column.baseWidth * h;
  std::int32_t extra[kGridColumnCount];
  ShareExtraWidth(clientWidth - baseWidth, extra);
  GridSetRedraw(grid, false);
  for (const GridColumnInfo& column : kGridColumns) {
    if (column.object == nullptr || column.baseWidth == 0) continue;
    SetWidth(grid, column.object, column.baseWidth * h + extra[column.id] - column.borderGap);
  }
  GridSetRedraw(grid, true);
  InvalidateRect(grid, nullptr, TRUE);
  UpdateWindow(grid);
}
