// What the benchmarks share: the rows the editor cases fill, as plain records,
// and a front end that answers the open and save dialogs with one entry.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "qst/host_library.h"
#include "tests/support/editor_harness.h"

namespace quillbench {

// The numbered rows FillNumberedRows makes: v1..vN of type integer, every
// decimalEvery-th one a decimal of 2 places.
struct PlainRow {
  std::string name;
  std::string type;
  int decimals = 0;
};
std::vector<PlainRow> NumberedRows(std::uint32_t count, std::uint32_t decimalEvery);

// Answers every open dialog and every save dialog with `entry` of `library`,
// and every question with Yes.
class EntryFrontEnd : public quilltest::QuietFrontEnd {
 public:
  std::string library;
  std::string entry = "s_bench";
  EntryFrontEnd() { messageAnswer = IDYES; }
  GlobalSaveChoice saveEntryDialog(HWND, const std::string&, const std::string&) override {
    GlobalSaveChoice choice{};
    std::snprintf(choice.name, sizeof choice.name, "%s", entry.c_str());
    std::snprintf(choice.library, sizeof choice.library, "%s", library.c_str());
    return choice;
  }
  GlobalOpenChoice openEntryDialog(HWND, const std::string&, const std::vector<quill::LibraryEntryInfo>&) override {
    GlobalOpenChoice choice{};
    std::snprintf(choice.name, sizeof choice.name, "%s", entry.c_str());
    std::snprintf(choice.library, sizeof choice.library, "%s", library.c_str());
    choice.action = kOpenActionOpen;
    return choice;
  }
};

}  // namespace quillbench
