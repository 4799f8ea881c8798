// The base of the editor fixtures: one editor on a real host (see
// tests/support/editor_harness.h) on the fixture's front end, with its parts at
// hand and the row set-up the tests share.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>

#include "qst/grid_engine.h"
#include "tests/support/editor_harness.h"

template <typename FrontEnd>
class LiveEditorTest : public ::testing::Test {
 protected:
  // Opens a fresh editor (after putting away any open one) and keeps its parts.
  void OpenEditor(const quilltest::EditorOptions& options = {}) {
    ASSERT_TRUE(editor_.open(frontEnd_, options)) << editor_.error();
    host_ = editor_.host();
    session_ = editor_.session();
    ed_ = editor_.editor();
    grid_ = editor_.grid();
    sheet_ = editor_.sheet();
  }
  void TearDown() override { editor_.close(); }

  void SetRow(std::uint32_t row, const char* name, const char* type) { quilltest::SetRow(grid_, row, name, type); }
  void SetDecimals(std::uint32_t row, double decimals) { quilltest::SetDecimals(grid_, row, decimals); }
  void Select(std::initializer_list<std::uint32_t> rows) {
    for (std::uint32_t r : rows) GridSelectRow(grid_, r, true);
  }

  FrontEnd frontEnd_;
  quilltest::EditorHarness editor_;
  quill::Host* host_ = nullptr;
  quill::EditorSession* session_ = nullptr;
  EditorInstance* ed_ = nullptr;
  HWND grid_ = nullptr;
  quill::GridSheet* sheet_ = nullptr;
};
