// A real host with the editor module loaded and one stand-alone editor whose
// posted Open has not run (12 empty rows, entry row 1), for tests that drive
// the row code on a live grid. Key state for Shift and Ctrl is settable.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "editor/window/editor_instance.h"
#include "editor/window/module_state.h"
#include "live_editor_fixture.h"
#include "platform/platform.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "tests/support/editor_harness.h"

namespace rows_test {

// Answers No to every message box unless told otherwise.
class KeyFrontEnd : public quilltest::QuietFrontEnd {
 public:
  KeyFrontEnd() { messageAnswer = IDNO; }
};

class RowsEditorTest : public LiveEditorTest<KeyFrontEnd> {
 protected:
  void SetUp() override { Restart(kContextStandAlone, 0); }

  // A fresh host (grid font of fontHeight) and one editor made by QST_Create,
  // with the module loaded as hosts load it.
  void Restart(std::int32_t contextCode, std::int32_t callerKind, std::optional<std::int32_t> requestWord = {},
               int fontHeight = 16, const std::string& owner = "") {
    quilltest::EditorOptions options;
    options.module = quilltest::ModuleSource::kLoaded;
    options.contextCode = contextCode;
    options.callerKind = callerKind;
    options.requestWord = requestWord;
    options.gridFontHeight = fontHeight;
    if (!owner.empty()) {
      // One file per process and test: parallel test processes and other
      // checkouts on the machine must not meet in one library.
      const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
      options.library =
          ::testing::TempDir() + "rows_editor_test-" + std::to_string(getpid()) + "-" + test->name() + ".lib";
      std::remove(options.library.c_str());
      options.owner = owner;
    }
    OpenEditor(options);
  }

  // Rows named by names ("" for an empty row), each of type "integer" unless
  // empty, followed by the marked entry row.
  void MakeRows(const std::vector<std::string>& names) {
    GridRemoveAllRows(grid_);
    for (const std::string& name : names) quilltest::AppendRow(grid_, name.c_str(), name.empty() ? "" : "integer");
    quilltest::AppendMarkedEntryRow(ed_);
    ed_->document.changed = 0;
  }

  // The names of every row, "*" after a selected one and "E" for the marker.
  std::string Rows() const { return quilltest::DescribeRows(*sheet_, quilltest::RowDetail::kNames); }
  std::string Type(std::uint32_t row) const { return sheet_->cellText(row, 2); }
};

}  // namespace rows_test
