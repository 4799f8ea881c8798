// A real host with the editor module loaded and one stand-alone editor whose
// posted Open has not run (12 empty rows, entry row 1), for tests that drive
// the row code on a live grid. Key state for Shift and Ctrl is settable.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/host/grid_engine.h"
#include "editor/host/host_shell.h"
#include "editor/shell/editor_instance.h"
#include "editor/shell/module_state.h"
#include "platform/platform.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"

namespace rows_test {

class KeyFrontEnd : public quill::HostFrontEnd {
 public:
  bool shift = false;
  bool ctrl = false;
  int messageBoxes = 0;
  int messageAnswer = IDNO;

  int messageBox(HWND, const std::string&, const std::string&, UINT) override {
    ++messageBoxes;
    return messageAnswer;
  }
  void beep(UINT) override {}
  SHORT asyncKeyState(int vkey) override {
    const bool down = (vkey == VK_SHIFT && shift) || (vkey == VK_CONTROL && ctrl);
    return down ? static_cast<SHORT>(0x8000) : 0;
  }
  GlobalOpenChoice openEntryDialog(HWND, const std::string&, const std::vector<quill::LibraryEntryInfo>&) override {
    GlobalOpenChoice choice{};
    choice.action = 1;
    return choice;
  }
  EmbeddedOpenChoice openLocalTypeDialog(HWND, const std::string&, const std::vector<std::string>&) override {
    EmbeddedOpenChoice choice{};
    choice.action = 1;
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
  void print(HWND, const std::vector<quill::PrintedEntry>&) override {}
};

class RowsEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { Restart(kContextStandAlone, 0); }

  // A fresh host (grid font of fontHeight) and one editor made by QST_Create.
  void Restart(std::int32_t contextCode, std::int32_t callerKind, std::optional<std::int32_t> requestWord = {},
               int fontHeight = 16, const std::string& owner = "") {
    host_.reset();
    const char* module = std::getenv("QST_MODULE");
    ASSERT_NE(module, nullptr) << "QST_MODULE names the editor module";
    PlatformReset();
    quill::HostOptions options;
    options.modulePath = module;
    options.gridFontHeight = fontHeight;
    host_ = std::make_unique<quill::Host>(frontEnd_, options);
    ASSERT_TRUE(host_->loadModule()) << host_->error();
    // This program holds its own copy of the module's code: let it find the strings.
    SetModuleInstance(host_->module());
    if (!owner.empty()) {
      host_->setCurrentLibrary(::testing::TempDir() + "rows_editor_test.lib");
      requestWord = host_->addObject("window", owner, std::nullopt);
    }
    session_ = host_->createEditor(contextCode, callerKind, std::nullopt, "", requestWord);
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

  // Rows named by names ("" for an empty row), each of type "integer" unless
  // empty, followed by the marked entry row.
  void MakeRows(const std::vector<std::string>& names) {
    GridRemoveAllRows(grid_);
    for (const std::string& name : names) {
      const std::uint32_t row = GridInsertRow(grid_, 0);
      GridSetItemText(grid_, row, 1, name.c_str());
      GridSetItemText(grid_, row, 2, name.empty() ? "" : "integer");
    }
    ed_->entryRow = static_cast<std::int32_t>(GridInsertRow(grid_, 0));
    GridSetItemText(grid_, static_cast<std::uint32_t>(ed_->entryRow), 4, kEntryRowMarker);
    ed_->changed = 0;
  }
  void SetRow(std::uint32_t row, const char* name, const char* type) {
    while (GridRowCount(grid_) < row) GridInsertRow(grid_, 0);
    GridSetItemText(grid_, row, 1, name);
    GridSetItemText(grid_, row, 2, type);
  }
  void SetDecimals(std::uint32_t row, double value) { GridSetItemNumber(grid_, row, 3, &value); }
  void Select(std::initializer_list<std::uint32_t> rows) {
    for (std::uint32_t r : rows) GridSelectRow(grid_, r, true);
  }

  // The names of every row, "*" after a selected one and "E" for the marker.
  std::string Rows() const {
    std::string out;
    for (std::uint32_t r = 1; r <= sheet_->rowCount(); ++r) {
      if (!out.empty()) out += ' ';
      std::string name = sheet_->cellText(r, 1);
      out += name.empty() ? "." : name;
      if (sheet_->cellText(r, 4) == kEntryRowMarker) out += 'E';
      if (sheet_->isSelected(r)) out += '*';
    }
    return out;
  }
  std::string Type(std::uint32_t row) const { return sheet_->cellText(row, 2); }

  KeyFrontEnd frontEnd_;
  std::unique_ptr<quill::Host> host_;
  quill::EditorSession* session_ = nullptr;
  EditorInstance* ed_ = nullptr;
  HWND grid_ = nullptr;
  quill::GridSheet* sheet_ = nullptr;
};

}  // namespace rows_test
