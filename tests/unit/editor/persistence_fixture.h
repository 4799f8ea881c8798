// A real host with the editor module loaded, answering dialogs and message boxes
// from queues, for tests that drive the persistence code on a live grid and pool.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "editor/window/editor_instance.h"
#include "editor/window/module_state.h"
#include "live_editor_fixture.h"
#include "platform/platform.h"
#include "qst/entry_points.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "tests/support/editor_harness.h"

namespace persistence_test {

// Message boxes take the queued answers (Cancel once they run out) and are
// recorded; the save dialog takes the queued choices (cancelled once they run
// out); every dialog is counted.
class QueuedFrontEnd : public quilltest::QuietFrontEnd {
 public:
  std::deque<int> messageAnswers;
  std::vector<std::string> messages;
  std::vector<std::string> captions;  // in step with messages
  std::vector<UINT> styles;           // in step with messages
  std::deque<GlobalSaveChoice> saveAnswers;
  int refreshes = 0;

  int messageBox(HWND, const std::string& text, const std::string& caption, UINT style) override {
    messages.push_back(text);
    captions.push_back(caption);
    styles.push_back(style);
    if (messageAnswers.empty()) return IDCANCEL;
    int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  GlobalSaveChoice saveEntryDialog(HWND owner, const std::string& name, const std::string& library) override {
    GlobalSaveChoice choice = QuietFrontEnd::saveEntryDialog(owner, name, library);
    if (!saveAnswers.empty()) {
      choice = saveAnswers.front();
      saveAnswers.pop_front();
    }
    return choice;
  }
  void refreshCommands(HWND) override { ++refreshes; }
};

// One stand-alone editor whose posted Open never runs: the grid holds 12 empty
// rows. The Open is taken from the queue, or the first message box's own loop
// would run it.
class EditorFixture : public LiveEditorTest<QueuedFrontEnd> {
 protected:
  void SetUp() override {
    quilltest::EditorOptions options;
    options.contextCode = contextCode_;
    OpenEditor(options);
    instance_ = ed_;
    MSG posted;
    while (PeekMessageA(&posted, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  void KeepRows(std::uint32_t count) {
    while (GridRowCount(grid_) > count) GridDeleteRow(grid_, GridRowCount(grid_));
  }

  std::int32_t contextCode_ = kContextStandAlone;
  EditorInstance* instance_ = nullptr;  // the editor's record, as these tests name it
};

}  // namespace persistence_test
