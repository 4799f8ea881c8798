// A real host with the editor module loaded, answering dialogs and message boxes
// from queues, for tests that drive the persistence code on a live grid and pool.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "editor/host/grid_engine.h"
#include "editor/host/host_shell.h"
#include "editor/shell/editor_instance.h"
#include "editor/shell/entry_points.h"
#include "editor/shell/module_state.h"
#include "platform/platform.h"
#include "platform/resources.h"
#include "quill/host.h"

namespace persistence_test {

class QueuedFrontEnd : public quill::HostFrontEnd {
 public:
  std::deque<int> messageAnswers;
  std::vector<std::string> messages;
  std::vector<std::string> captions;  // in step with messages
  std::vector<UINT> styles;           // in step with messages
  std::deque<GlobalSaveChoice> saveAnswers;
  int dialogs = 0;

  int messageBox(HWND, const std::string& text, const std::string& caption, UINT style) override {
    messages.push_back(text);
    captions.push_back(caption);
    styles.push_back(style);
    if (messageAnswers.empty()) return IDCANCEL;
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  void beep(UINT) override {}
  SHORT asyncKeyState(int) override { return 0; }
  GlobalOpenChoice openEntryDialog(HWND, const std::string&, const std::vector<quill::LibraryEntryInfo>&) override {
    ++dialogs;
    GlobalOpenChoice choice{};
    choice.action = kOpenActionCancel;
    return choice;
  }
  EmbeddedOpenChoice openLocalTypeDialog(HWND, const std::string&, const std::vector<std::string>&) override {
    ++dialogs;
    EmbeddedOpenChoice choice{};
    choice.action = kOpenActionCancel;
    return choice;
  }
  GlobalSaveChoice saveEntryDialog(HWND, const std::string&, const std::string&) override {
    ++dialogs;
    GlobalSaveChoice choice{};
    choice.cancelled = 1;
    if (!saveAnswers.empty()) {
      choice = saveAnswers.front();
      saveAnswers.pop_front();
    }
    return choice;
  }
  EmbeddedSaveChoice saveLocalTypeDialog(HWND, const std::string&, const std::string&) override {
    ++dialogs;
    EmbeddedSaveChoice choice{};
    choice.cancelled = 1;
    return choice;
  }
  void showCompileErrors(HWND, const std::vector<quill::CompileError>&) override {}
  void setStatus(HWND, const std::string&) override {}
  void print(HWND, const std::vector<quill::PrintedEntry>&) override {}
  void refreshCommands(HWND) override { ++refreshes; }
  int refreshes = 0;
};

// One stand-alone editor whose posted Open has not run: the grid holds 12 empty rows.
class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformReset();
    // The module's code is linked into this program: register it as the loader would.
    HINSTANCE module = PlatformRegisterModule(PlatformModuleResources());
    PlatformModuleAttach(module);
    host_ = std::make_unique<quill::Host>(frontEnd_, quill::HostOptions{});
    ASSERT_TRUE(host_->useModule(module, &QST_Create));
    session_ = host_->createEditor(contextCode_, kCallerWindow);
    ASSERT_NE(session_, nullptr);
    instance_ = static_cast<EditorInstance*>(ShellInstanceOf(0, session_->editor));
    ASSERT_NE(instance_, nullptr);
    grid_ = instance_->gridWindow;
  }
  void TearDown() override {
    host_.reset();
    PlatformReset();
  }

  void SetRow(std::uint32_t row, const char* name, const char* type) {
    while (GridRowCount(grid_) < row) GridInsertRow(grid_, 0);
    GridSetItemText(grid_, row, 1, name);
    GridSetItemText(grid_, row, 2, type);
  }
  void SetDecimals(std::uint32_t row, double decimals) { GridSetItemNumber(grid_, row, 3, &decimals); }
  void KeepRows(std::uint32_t count) {
    while (GridRowCount(grid_) > count) GridDeleteRow(grid_, GridRowCount(grid_));
  }

  std::int32_t contextCode_ = kContextStandAlone;
  QueuedFrontEnd frontEnd_;
  std::unique_ptr<quill::Host> host_;
  quill::EditorSession* session_ = nullptr;
  EditorInstance* instance_ = nullptr;
  HWND grid_ = nullptr;
};

}  // namespace persistence_test
