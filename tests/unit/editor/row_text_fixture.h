// One stand-alone editor on a real host, grid and pool, with the module's code
// linked into this program, for tests of the row text, row commands, undo and
// printing. Rows are described as short texts: "name:type" per row.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "editor/window/editor_instance.h"
#include "editor/window/module_state.h"
#include "live_editor_fixture.h"
#include "platform/platform.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "tests/support/editor_harness.h"

namespace row_text_test {

// A moveable global block of exactly these bytes (no NUL added).
inline HGLOBAL RawBlock(const std::string& bytes) { return quilltest::GlobalBlockOf(bytes.data(), bytes.size()); }

// The same with the text's NUL, as another program would put text there.
inline HGLOBAL TextBlock(const char* text) { return RawBlock(std::string(text) + '\0'); }

// Keeps what was printed and whether the wait cursor showed meanwhile.
class RecordingFrontEnd : public quilltest::QuietFrontEnd {
 public:
  std::vector<quill::PrintedEntry> printed;
  int printCalls = 0;
  bool waitCursorWhilePrinting = false;

  void print(HWND, const std::vector<quill::PrintedEntry>& entries) override {
    ++printCalls;
    printed = entries;
    waitCursorWhilePrinting = GetCursor() == LoadCursorA(nullptr, IDC_WAIT);
  }
};

class EditorRowsTest : public LiveEditorTest<RecordingFrontEnd> {
 protected:
  void SetUp() override { OpenEditor(); }

  // Replaces the rows: each "name:type" (":" alone for an empty row, a third
  // part "name:decimal:2" for decimals), then the marked entry row.
  void MakeRows(std::initializer_list<const char*> rows) {
    GridRemoveAllRows(grid_);
    for (const char* description : rows) {
      const std::string text = description;
      const auto colon = text.find(':');
      const auto second = text.find(':', colon + 1);
      std::optional<double> decimals;
      if (second != std::string::npos) decimals = std::stod(text.substr(second + 1));
      quilltest::AppendRow(grid_, text.substr(0, colon).c_str(), text.substr(colon + 1, second - colon - 1).c_str(),
                           decimals);
    }
    quilltest::AppendMarkedEntryRow(ed_);
    ed_->document.changed = 0;
    ed_->undo.lastAction = 0;
  }
  // Every row as "name", "name=type", "name=type/dec"; "." for no name, "E"
  // after the entry-row marker, "*" after a selected row.
  std::string Rows() const { return quilltest::DescribeRows(*sheet_, quilltest::RowDetail::kNamesAndTypes); }

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
    if (ed_->undo.cutRowList == nullptr) return out;
    for (std::uint32_t i = 0; i <= ed_->undo.cutRowList[0]; ++i) out.push_back(ed_->undo.cutRowList[i]);
    return out;
  }
};

}  // namespace row_text_test
