// The grid control behind the GridEngine calls, as the front ends see it: they
// read its rows to show them and act on it as the user does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win.h"

namespace quill {

// The layout's fixed sizes (pixels) in the headless grid.
constexpr int kGridHeaderHeight = 24;
constexpr int kGridDetailHeight = 20;

class GridSheet {
 public:
  virtual ~GridSheet() = default;

  // The grid of a grid control window, or null.
  static GridSheet* fromWindow(HWND grid);

  // ---- Reading -----------------------------------------------------------
  virtual HWND window() const = 0;
  virtual std::uint32_t rowCount() const = 0;
  virtual std::string cellText(std::uint32_t row, int column) const = 0;              // columns 1, 2, 4
  virtual std::optional<double> cellNumber(std::uint32_t row, int column) const = 0;  // column 3
  virtual bool isSelected(std::uint32_t row) const = 0;
  virtual std::uint32_t currentRow() const = 0;  // 0: no current cell
  virtual int currentColumn() const = 0;
  virtual HWND editControl() const = 0;  // the cell edit control window
  virtual bool redrawEnabled() const = 0;
  // The value of a property such as "var_name.width" or "dragline.y1"; "" when unset.
  virtual std::string property(const std::string& path) const = 0;
  // Property assignments made since the last call, in order; clears the log.
  virtual std::vector<std::string> takeAssignments() = 0;
  // Grows with every change of what the rows hold (rows added or removed, a cell
  // written, the text being edited changed); selection and current cell do not count.
  virtual std::uint64_t contentGeneration() const { return 0; }

  // ---- Acting as the user ------------------------------------------------
  // Moves the current cell as the keyboard does: commits the text being edited
  // (0x100 when it changed the cell), then sends 0x700 and 0x800.
  virtual void userSetCurrentCell(std::uint32_t row, int column) = 0;
  // Types one character into the current cell (0x90C after each change). False with no current cell.
  virtual bool userTypeChar(char c) = 0;
  // Selects characters [start, end) of the cell edit control. False with no current cell.
  virtual bool userSelectText(int start, int end) = 0;
  // The mouse over object ("var_row", "var_name", "var_type", "var_dec" or "") of row (0: none).
  // A press on a data cell also makes that cell current after 0x501.
  virtual void userMousePress(const std::string& object, std::uint32_t row) = 0;
  virtual void userMouseMove(const std::string& object, std::uint32_t row) = 0;
  virtual void userMouseRelease(const std::string& object, std::uint32_t row) = 0;
};

}  // namespace quill
