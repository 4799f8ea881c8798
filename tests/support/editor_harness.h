// A headless editor for unit tests, benchmarks and the fuzz target: a host on a
// front end with nobody at it, the editor module (linked into the program or
// loaded as libqst.so) and one editor, with helpers that lay out and read rows.
// Nothing here needs GoogleTest: failures come back as results for the caller
// to assert on or abort with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/window/editor_instance.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"

namespace quilltest {

// A front end with no user: every message box gets messageAnswer, every dialog
// is cancelled, and Shift and Ctrl are down while their flags say so. Counts
// the message boxes and dialogs it was asked for; otherwise records nothing.
class QuietFrontEnd : public quill::HostFrontEnd {
 public:
  int messageAnswer = IDCANCEL;
  int messageBoxes = 0;
  int dialogs = 0;
  bool shift = false;
  bool ctrl = false;

  int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) override;
  void beep(UINT) override {}
  SHORT asyncKeyState(int vkey) override;
  GlobalOpenChoice openEntryDialog(HWND owner, const std::string& defaultLibrary,
                                   const std::vector<quill::LibraryEntryInfo>& entries) override;
  EmbeddedOpenChoice openLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::vector<std::string>& localTypes) override;
  GlobalSaveChoice saveEntryDialog(HWND owner, const std::string& initialName,
                                   const std::string& initialLibrary) override;
  EmbeddedSaveChoice saveLocalTypeDialog(HWND owner, const std::string& ownerName,
                                         const std::string& initialName) override;
  void showCompileErrors(HWND, const std::vector<quill::CompileError>&) override {}
  void setStatus(HWND, const std::string&) override {}
  void print(HWND, const std::vector<quill::PrintedEntry>&) override {}
};

// Where the editor module's code comes from.
enum class ModuleSource {
  kLinked,  // linked into this program, registered as the loader would register it
  kLoaded,  // libqst.so through the platform's loader: $QST_MODULE, else ../lib beside the program
};

struct EditorOptions {
  ModuleSource module = ModuleSource::kLinked;
  std::int32_t contextCode = kContextStandAlone;
  std::int32_t callerKind = kCallerWindow;
  std::optional<std::int32_t> requestWord;
  int gridFontHeight = 16;
  std::string library;  // made the host's current library before the editor opens; "" for none
  std::string owner;    // with a library: a window object made there; its id becomes the request word
};

// One host with one editor whose posted Open has not run (the grid holds the
// editor's first empty rows). The platform is reset when it opens and closes.
class EditorHarness {
 public:
  EditorHarness() = default;
  ~EditorHarness() { close(); }
  EditorHarness(const EditorHarness&) = delete;
  EditorHarness& operator=(const EditorHarness&) = delete;

  // Puts away any host this harness had, then makes a host on frontEnd (which
  // must outlive it) and opens one editor. False, with the reason in error(),
  // when the module cannot be had or QST_Create makes no editor.
  bool open(quill::HostFrontEnd& frontEnd, const EditorOptions& options = {});
  // Destroys the host and its editors and resets the platform. Safe to repeat.
  void close();

  const std::string& error() const { return error_; }
  quill::Host* host() const { return host_.get(); }
  quill::EditorSession* session() const { return session_; }
  EditorInstance* editor() const { return editor_; }
  HWND grid() const { return grid_; }
  quill::GridSheet* sheet() const { return sheet_; }

 private:
  bool fail(const std::string& reason);

  std::unique_ptr<quill::Host> host_;
  quill::EditorSession* session_ = nullptr;
  EditorInstance* editor_ = nullptr;
  HWND grid_ = nullptr;
  quill::GridSheet* sheet_ = nullptr;
  std::string error_;
};

// ---- Rows ------------------------------------------------------------------

// Appends a row holding name and type (and decimals, when given). Returns its number.
std::uint32_t AppendRow(HWND grid, const char* name, const char* type, std::optional<double> decimals = {});
// Sets a row's name and type, first adding empty rows until the row exists.
void SetRow(HWND grid, std::uint32_t row, const char* name, const char* type);
void SetDecimals(HWND grid, std::uint32_t row, double decimals);
// Appends the marked entry row and makes it the editor's entry row.
void AppendMarkedEntryRow(EditorInstance* editor);
// Replaces every row by variables v1..vCount of type integer, each
// decimalEvery-th one (none for 0) a decimal of 2 places, then the entry row.
void FillNumberedRows(EditorInstance* editor, std::uint32_t count, std::uint32_t decimalEvery = 0);
// Selects rows first, first + step, ... up to last.
void SelectRows(HWND grid, std::uint32_t first, std::uint32_t last, std::uint32_t step = 1);

enum class RowDetail {
  kNames,          // "name"
  kNamesAndTypes,  // "name=type", "name=type/decimals"
};
// Every row in one line, separated by spaces: "." for no name, then "E" on the
// marked entry row and "*" on a selected row.
std::string DescribeRows(const quill::GridSheet& sheet, RowDetail detail);

// ---- Clipboard blocks --------------------------------------------------------

// A moveable global block of exactly these bytes, no NUL added; null when the
// block cannot be had.
HGLOBAL GlobalBlockOf(const void* data, std::size_t size);

}  // namespace quilltest
