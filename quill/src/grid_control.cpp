// The grid control window's rows, selection, current cell and message handling.
#include "grid_control.h"

#include <algorithm>
#include <memory>
#include <new>

#include "platform/platform.h"

namespace quill::grid {

GridControl::GridControl(HWND window, WORD controlId, const GridCreateParams& params)
    : window_(window), controlId_(controlId), notifyWindow_(params.notifyWindow), layout_(params.layout) {}

namespace {

// The control the latest lookup found. A row operation makes a few calls a
// row on one grid, each of which looks its control up; the window is looked
// up again only when another grid is asked. Forgotten before a control goes,
// so it never names a dead one.
struct LastGrid {
  HWND window = nullptr;
  GridControl* control = nullptr;
};
LastGrid lastGrid;

void ForgetLastGrid(HWND window) {
  if (lastGrid.window == window) lastGrid = LastGrid{};
}

}  // namespace

GridControl* GridControl::of(HWND window) {
  if (window != nullptr && window == lastGrid.window) return lastGrid.control;
  // Only a window running our procedure holds a GridControl in its user data;
  // a handle that names no window has no procedure.
  auto* control = reinterpret_cast<GridControl*>(PlatformWindowDataOf(window, &GridWindowProc));
  if (control != nullptr) lastGrid = LastGrid{window, control};
  return control;
}

bool GridControl::createEditControl() {
  // Without ES_AUTOHSCROLL a single-line edit control takes only as much text
  // as its width shows, and this one is not sized.
  edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, window_,
                          reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(kCellEditId)), nullptr, nullptr);
  if (edit_ == nullptr) return false;
  SendMessageA(edit_, EM_SETLIMITTEXT, kCellTextMax, 0);
  return true;
}

namespace {

// Creation and destruction: the control is made and attached, or detached and
// freed. Out of the message path, which every row operation takes a few times a row.
[[gnu::noinline]] LRESULT CreateOrDestroyGrid(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    GridControl* control = GridControl::of(window);
    if (control == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    ForgetLastGrid(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    delete control;
    return 0;
  }
  const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  const auto* params = static_cast<const GridCreateParams*>(create->lpCreateParams);
  if (params == nullptr || params->layout == nullptr) return -1;
  const WORD id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(create->hMenu));
  auto control = std::make_unique<GridControl>(window, id, *params);
  // Attached before the edit control exists, so its creation messages find the grid.
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control.get()));
  bool created = false;
  try {
    created = control->createEditControl();
  } catch (const std::bad_alloc&) {
  }
  if (!created) {
    ForgetLastGrid(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return -1;
  }
  control.release();
  return 0;
}

}  // namespace

// An allocation that fails while the grid handles a message fails that
// message (0; a creation that fails, -1); no exception reaches the caller,
// which may be the module's own code.
LRESULT CALLBACK GridWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) try {
  if (message == WM_CREATE || message == WM_DESTROY) return CreateOrDestroyGrid(window, message, wParam, lParam);
  GridControl* control = GridControl::of(window);
  if (control == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return control->handleMessage(message, wParam, lParam);
} catch (const std::bad_alloc&) {
  return message == WM_CREATE ? -1 : 0;
}

LRESULT GridControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // The selection's messages come a few times a row in a row operation: they
  // are answered here, without the frame the other messages need.
  const auto row = static_cast<std::uint32_t>(lParam);
  switch (message) {
    case GM_SELECTROW: return selectRow(row, wParam != 0) ? 1 : 0;
    case GM_NEXTSELECTEDROW: return nextSelectedRow(row);
    case GM_ISROWSELECTED: return isSelected(row) ? 1 : 0;
    default: return handleOtherMessage(message, wParam, lParam);
  }
}

LRESULT GridControl::handleOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto row = static_cast<std::uint32_t>(lParam);
  switch (message) {
    case GM_INSERTROW: return insertRow(row);
    case GM_DELETEROW: return deleteRow(row) ? 1 : 0;
    case GM_REMOVEALLROWS: removeAllRows(); return 1;
    case GM_ROWCOUNT: return rowCount();
    case GM_CURRENTROW: return currentRow_;
    case GM_PREPARESAVE: prepareSave(); return 0;
    case GM_EDITCONTROL:
      // Without a current cell there is nothing to edit: callers treat a null
      // control as an empty selection and their edits as no-ops.
      return currentRow_ != 0 ? reinterpret_cast<LRESULT>(edit_) : 0;
    case WM_SETREDRAW: setRedraw(wParam != 0); return 0;
    case WM_COMMAND:
      if (edit_ != nullptr && reinterpret_cast<HWND>(lParam) == edit_ && HIWORD(wParam) == EN_CHANGE) onEditChanged();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window_, &paint);
      EndPaint(window_, &paint);
      return 0;
    }
    default: return DefWindowProcA(window_, message, wParam, lParam);
  }
}

// ---- Rows ------------------------------------------------------------------

std::uint32_t GridControl::insertRow(std::uint32_t before) {
  const std::uint32_t count = rowCount();
  if (before == 0) before = count + 1;
  if (before > count + 1 || count >= kGridMaxRows) return 0;
  rows_.insert(before - 1);
  if (currentRow_ >= before) ++currentRow_;  // the current cell follows its row down
  rowsEdited();
  return before;
}

bool GridControl::deleteRow(std::uint32_t row) {
  if (!hasRow(row)) return false;
  rows_.erase(row - 1);
  if (currentRow_ > row) {
    --currentRow_;
  } else if (currentRow_ == row) {
    // The text being edited belonged to the deleted row: drop it and take the
    // row that moved into its place, or the new last row.
    currentRow_ = std::min(row, rowCount());
    if (currentRow_ == 0) currentColumn_ = ColRowIndicator;
    loadEditControl();
  }
  rowsEdited();
  return true;
}

void GridControl::removeAllRows() {
  rows_.clear();
  currentRow_ = 0;
  currentColumn_ = ColRowIndicator;
  loadEditControl();
  rowsEdited();
}

bool GridControl::selectRow(std::uint32_t row, bool select) {
  if (!hasRow(row)) return false;
  if (rows_.isSelected(row - 1) == select) return true;
  rows_.setSelected(row - 1, select);
  contentChanged();
  return true;
}

std::uint32_t GridControl::nextSelectedRow(std::uint32_t after) const {
  // Index `after` is the row just below `after`.
  const std::size_t index = rows_.nextSelected(after);
  return index == GridRowStore::npos ? 0 : static_cast<std::uint32_t>(index + 1);
}

bool GridControl::isSelected(std::uint32_t row) const { return hasRow(row) && rows_.isSelected(row - 1); }

// ---- Notifications and repainting -------------------------------------------

bool GridControl::notify(WORD code) {
  const HWND self = window_;
  if (notifyWindow_ != nullptr) {
    SendMessageA(notifyWindow_, WM_COMMAND, MAKEWPARAM(controlId_, code), reinterpret_cast<LPARAM>(self));
  }
  return IsWindow(self) != FALSE;
}

void GridControl::tellFrontEnd() {
  if (UserInterface* frontEnd = PlatformUserInterface()) frontEnd->windowChanged(window_);
}

void GridControl::setRedraw(bool on) {
  redraw_ = on;
  if (on && changedWhileOff_) {
    changedWhileOff_ = false;
    contentChanged();
  }
}

}  // namespace quill::grid
