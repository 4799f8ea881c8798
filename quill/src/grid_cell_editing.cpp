// The current cell and its edit control: loading, commits, and the user's typing.
//
// The edit control is a window of the platform's EDIT class and reports every
// change of its text to the grid (EN_CHANGE). The grid tells three causes apart:
// its own loading of a cell's text (ignored), the user's typing that the grid is
// delivering (GN_TEXTEDITED), and edits that others make through the control's messages
// (cut, paste, clear, undo), which mark it modified and send GN_MODIFIED.
#include "grid_control.h"
#include "grid_number_text.h"

namespace quill::grid {

namespace {

// Counts the grid's own writes to the edit control for as long as it lives.
class SettingText {
 public:
  explicit SettingText(int& depth) : depth_(depth) { ++depth_; }
  ~SettingText() { --depth_; }
  SettingText(const SettingText&) = delete;
  SettingText& operator=(const SettingText&) = delete;

 private:
  int& depth_;
};
}  // namespace

std::string GridControl::editText() const {
  if (edit_ == nullptr) return {};
  const int length = std::min<int>(GetWindowTextLengthA(edit_), static_cast<int>(kCellTextMax));
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(edit_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

bool GridControl::editModified() const { return edit_ != nullptr && SendMessageA(edit_, EM_GETMODIFY, 0, 0) != 0; }

void GridControl::loadEditControl() {
  if (edit_ == nullptr) return;
  const std::string text = currentRow_ != 0 ? displayText(currentRow_, currentColumn_) : std::string();
  {
    SettingText guard(settingText_);
    SetWindowTextA(edit_, text.c_str());
  }
  SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
  // All of it selected, so that typing replaces it.
  SendMessageA(edit_, EM_SETSEL, 0, -1);
}

bool GridControl::commitEdit() {
  if (currentRow_ == 0 || !editModified()) return true;
  if (!hasRow(currentRow_)) return true;
  const std::size_t index = currentRow_ - 1;
  const std::string text = editText();
  bool changed = false;
  if (IsNumberColumn(currentColumn_)) {
    std::optional<double> value;
    if (text.find_first_not_of(" \t") != std::string::npos) {
      value = ParseGridNumber(text);
      if (!value) {
        // Not a number: the cell keeps its value and the edit control shows it again.
        MessageBeep(0);
        loadEditControl();
        return true;
      }
    }
    changed = rows_.number(index) != value;
    rows_.setNumber(index, value);
  } else {
    const RowText cell = currentColumn_ == ColName ? RowText::kName : RowText::kType;
    changed = rows_.replaceText(index, cell, text);
  }
  SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
  if (!changed) return true;
  rowsEdited();
  return notify(GN_MODIFIED);
}

void GridControl::onEditChanged() {
  if (settingText_ > 0 || currentRow_ == 0) return;
  rowsEdited();  // the cell on screen shows the edit control's text, which is the row's to be
  if (typingPending_) {
    typingPending_ = false;
    notify(GN_TEXTEDITED);
    return;
  }
  SendMessageA(edit_, EM_SETMODIFY, TRUE, 0);
  notify(GN_MODIFIED);
}

void GridControl::reloadWrittenCell(std::uint32_t row, int column) {
  if (editModified()) return;
  if (editText() != displayText(row, column)) loadEditControl();
}

void GridControl::setCurrentCell(std::uint32_t row, int column) {
  if (!hasRow(row) || !IsEditableColumn(column)) return;
  if (!commitEdit()) return;
  // The commit's notification may have removed the row.
  if (!hasRow(row)) return;
  currentRow_ = row;
  currentColumn_ = column;
  loadEditControl();
  contentChanged();
  if (!notify(GN_CELLCHANGED)) return;
  notify(GN_CELLENTERED);
}

void GridControl::prepareSave() { commitEdit(); }

void GridControl::userSetCurrentCell(std::uint32_t row, int column) { setCurrentCell(row, column); }

bool GridControl::userTypeChar(char c) {
  if (currentRow_ == 0 || edit_ == nullptr) return false;
  const HWND self = window_;
  typingPending_ = true;
  SendMessageA(edit_, WM_CHAR, static_cast<unsigned char>(c), 0);
  // A character that changed nothing (backspace at the start) sent no EN_CHANGE.
  if (IsWindow(self)) typingPending_ = false;
  return true;
}

bool GridControl::userSelectText(int start, int end) {
  if (currentRow_ == 0 || edit_ == nullptr) return false;
  SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  contentChanged();
  return true;
}

}  // namespace quill::grid
