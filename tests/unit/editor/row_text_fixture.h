// One stand-alone editor on a real host, grid and pool, with the module's code
// linked into this program, for tests of the row text, row commands, undo and
// printing. Rows are described as short texts: "name:type" per row.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "editor/host/grid_engine.h"
#include "editor/host/host_shell.h"
#include "editor/shell/editor_instance.h"
#include "editor/shell/entry_points.h"
#include "editor/shell/module_state.h"
#include "platform/platform.h"
#include "platform/resources.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"

namespace row_text_test {

// A moveable global block of exactly these bytes (no NUL added).
inline HGLOBAL RawBlock(const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  auto* p = static_cast<char*>(GlobalLock(block));
  std::memcpy(p, bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

// The same with the text's NUL, as another program would put text there.
inline HGLOBAL TextBlock(const char* text) { return RawBlock(std::string(text) + '\0'); }

class RecordingFrontEnd : public quill::HostFrontEnd {
 public:
  std::vector<quill::PrintedEntry> printed;
  int printCalls = 0;
  bool waitCursorWhilePrinting = false;

  int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDCANCEL; }
  void beep(UINT) override {}
  SHORT asyncKeyState(int) override { return 0; }
  GlobalOpenChoice openEntryDialog(HWND, const std::string&, const std::vector<quill::LibraryEntryInfo>&) override {
    GlobalOpenChoice choice{};
    choice.action = kOpenActionCancel;
    return choice;
  }
  EmbeddedOpenChoice openLocalTypeDialog(HWND, const std::string&, const std::vector<std::string>&) override {
    EmbeddedOpenChoice choice{};
    choice.action = kOpenActionCancel;
    return choice;
  }
  GlobalSaveChoice saveEntryDialog(HWND, const std::string&, const std::string&) override {
    GlobalSaveChoice choice{};
    choice.cancelled = 1;
    return choice;
  }
  EmbeddedSaveChoice saveLocalTypeDialog(HWND, const std::string&, const std::string&) override {
    EmbeddedSaveChoice choice{};
    choice.cancelled = 1;
    return choice;
  }
  void showCompileErrors(HWND, const std::vector<quill::CompileError>&) override {}
  void setStatus(HWND, const std::string&) override {}
  void print(HWND, const std::vector<quill::PrintedEntry>& entries) override {
    ++printCalls;
    printed = entries;
    waitCursorWhilePrinting = GetCursor() == LoadCursorA(nullptr, IDC_WAIT);
  }
};

class EditorRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformReset();
    HINSTANCE module = PlatformRegisterModule(PlatformModuleResources());
    PlatformModuleAttach(module);
    host_ = std::make_unique<quill::Host>(frontEnd_, quill::HostOptions{});
    ASSERT_TRUE(host_->useModule(module, &QST_Create));
    session_ = host_->createEditor(kContextStandAlone, kCallerWindow);
    ASSERT_NE(session_, nullptr);
    ed_ = static_cast<EditorInstance*>(ShellInstanceOf(0, session_->editor));
    ASSERT_NE(ed_, nullptr);
    grid_ = ed_->gridWindow;
    sheet_ = quill::GridSheet::fromWindow(grid_);
    ASSERT_NE(sheet_, nullptr);
  }
  void TearDown() override {
    host_.reset();
    PlatformReset();
  }

  // Replaces the rows: each "name:type" (":" alone for an empty row, a third
  // part "name:decimal:2" for decimals), then the marked entry row.
  void MakeRows(std::initializer_list<const char*> rows) {
    GridRemoveAllRows(grid_);
    for (const char* description : rows) {
      const std::string text = description;
      const auto colon = text.find(':');
      const auto second = text.find(':', colon + 1);
      const std::uint32_t row = GridInsertRow(grid_, 0);
      GridSetItemText(grid_, row, 1, text.substr(0, colon).c_str());
      GridSetItemText(grid_, row, 2, text.substr(colon + 1, second - colon - 1).c_str());
      if (second != std::string::npos) {
        const double decimals = std::stod(text.substr(second + 1));
        GridSetItemNumber(grid_, row, 3, &decimals);
      }
    }
    ed_->entryRow = static_cast<std::int32_t>(GridInsertRow(grid_, 0));
    GridSetItemText(grid_, static_cast<std::uint32_t>(ed_->entryRow), 4, kEntryRowMarker);
    ed_->changed = 0;
    ed_->lastAction = 0;
  }
  void Select(std::initializer_list<std::uint32_t> rows) {
    for (std::uint32_t r : rows) GridSelectRow(grid_, r, true);
  }

  // Every row as "name", "name=type", "name=type/dec"; "." for no name, "E"
  // after the entry-row marker, "*" after a selected row.
  std::string Rows() const {
    std::string out;
    for (std::uint32_t r = 1; r <= sheet_->rowCount(); ++r) {
      if (!out.empty()) out += ' ';
      const std::string name = sheet_->cellText(r, 1);
      const std::string type = sheet_->cellText(r, 2);
      out += name.empty() ? "." : name;
      if (!type.empty()) out += "=" + type;
      if (auto decimals = sheet_->cellNumber(r, 3)) out += "/" + std::to_string(static_cast<int>(*decimals));
      if (sheet_->cellText(r, 4) == kEntryRowMarker) out += 'E';
      if (sheet_->isSelected(r)) out += '*';
    }
    return out;
  }

  std::string Clipboard() const {
    std::string text;
    return PlatformClipboardText(&text) ? text : std::string("<none>");
  }

  // A CF_TEXT block of exactly these bytes (no NUL added) put on the clipboard.
  void PutRawBlockOnClipboard(const std::string& bytes) {
    HGLOBAL block = RawBlock(bytes);
    ASSERT_TRUE(OpenClipboard(session_->frame));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
  }

  std::vector<std::uint32_t> CutRowList() const {
    std::vector<std::uint32_t> out;
    if (ed_->cutRowList == nullptr) return out;
    for (std::uint32_t i = 0; i <= ed_->cutRowList[0]; ++i) out.push_back(ed_->cutRowList[i]);
    return out;
  }

  RecordingFrontEnd frontEnd_;
  std::unique_ptr<quill::Host> host_;
  quill::EditorSession* session_ = nullptr;
  EditorInstance* ed_ = nullptr;
  HWND grid_ = nullptr;
  quill::GridSheet* sheet_ = nullptr;
};

}  // namespace row_text_test
