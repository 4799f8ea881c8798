// The headless editor shared by unit tests, benchmarks and fuzz targets.
#include "tests/support/editor_harness.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/window/module_state.h"
#include "platform/platform.h"
#include "platform/resources.h"
#include "qst/entry_points.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"

namespace quilltest {
namespace {

// $QST_MODULE, or the build's own libqst.so: programs sit in bin/, libraries in lib/.
std::string ModulePath() {
  if (const char* path = std::getenv("QST_MODULE")) return path;
  char self[PATH_MAX] = {};
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string dir = n > 0 ? std::string(self, static_cast<std::size_t>(n)) : std::string();
  dir = dir.substr(0, dir.find_last_of('/'));
  return dir + "/../lib/libqst.so";
}

}  // namespace

int QuietFrontEnd::messageBox(HWND, const std::string&, const std::string&, UINT) {
  ++messageBoxes;
  return messageAnswer;
}

SHORT QuietFrontEnd::asyncKeyState(int vkey) {
  const bool down = (vkey == VK_SHIFT && shift) || (vkey == VK_CONTROL && ctrl);
  return down ? static_cast<SHORT>(0x8000) : 0;
}

GlobalOpenChoice QuietFrontEnd::openEntryDialog(HWND, const std::string&, const std::vector<quill::LibraryEntryInfo>&) {
  ++dialogs;
  GlobalOpenChoice choice{};
  choice.action = kOpenActionCancel;
  return choice;
}

EmbeddedOpenChoice QuietFrontEnd::openLocalTypeDialog(HWND, const std::string&, const std::vector<std::string>&) {
  ++dialogs;
  EmbeddedOpenChoice choice{};
  choice.action = kOpenActionCancel;
  return choice;
}

GlobalSaveChoice QuietFrontEnd::saveEntryDialog(HWND, const std::string&, const std::string&) {
  ++dialogs;
  GlobalSaveChoice choice{};
  choice.cancelled = 1;
  return choice;
}

EmbeddedSaveChoice QuietFrontEnd::saveLocalTypeDialog(HWND, const std::string&, const std::string&) {
  ++dialogs;
  EmbeddedSaveChoice choice{};
  choice.cancelled = 1;
  return choice;
}

bool EditorHarness::fail(const std::string& reason) {
  error_ = reason;
  return false;
}

bool EditorHarness::open(quill::HostFrontEnd& frontEnd, const EditorOptions& options) {
  close();
  error_.clear();
  quill::HostOptions hostOptions;
  hostOptions.gridFontHeight = options.gridFontHeight;
  if (options.module == ModuleSource::kLinked) {
    HINSTANCE module = PlatformRegisterModule(PlatformModuleResources());
    PlatformModuleAttach(module);
    host_ = std::make_unique<quill::Host>(frontEnd, hostOptions);
    if (!host_->useModule(module, &QST_Create)) return fail("the host refused the linked module");
  } else {
    hostOptions.modulePath = ModulePath();
    host_ = std::make_unique<quill::Host>(frontEnd, hostOptions);
    if (!host_->loadModule()) return fail(host_->error());
    // The program holds its own copy of the module's code: let it find the strings.
    SetModuleInstance(host_->module());
  }
  std::optional<std::int32_t> requestWord = options.requestWord;
  if (!options.library.empty()) {
    if (!host_->setCurrentLibrary(options.library)) return fail(host_->error());
    if (!options.owner.empty()) requestWord = host_->addObject("window", options.owner, std::nullopt);
  }
  session_ = host_->createEditor(options.contextCode, options.callerKind, std::nullopt, "", requestWord);
  if (session_ == nullptr) return fail("QST_Create made no editor");
  editor_ = static_cast<EditorInstance*>(ShellInstanceOf(0, session_->editor));
  if (editor_ == nullptr) return fail("the editor window has no instance record");
  grid_ = editor_->gridWindow;
  sheet_ = quill::GridSheet::fromWindow(grid_);
  if (sheet_ == nullptr) return fail("the editor has no grid");
  return true;
}

void EditorHarness::close() {
  host_.reset();
  session_ = nullptr;
  editor_ = nullptr;
  grid_ = nullptr;
  sheet_ = nullptr;
  PlatformReset();
}

std::uint32_t AppendRow(HWND grid, const char* name, const char* type, std::optional<double> decimals) {
  const std::uint32_t row = GridInsertRow(grid, 0);
  GridSetItemText(grid, row, ColName, name);
  GridSetItemText(grid, row, ColType, type);
  if (decimals) GridSetItemNumber(grid, row, ColDecimals, &*decimals);
  return row;
}

void SetRow(HWND grid, std::uint32_t row, const char* name, const char* type) {
  while (GridRowCount(grid) < row) GridInsertRow(grid, 0);
  GridSetItemText(grid, row, ColName, name);
  GridSetItemText(grid, row, ColType, type);
}

void SetDecimals(HWND grid, std::uint32_t row, double decimals) {
  GridSetItemNumber(grid, row, ColDecimals, &decimals);
}

void AppendMarkedEntryRow(EditorInstance* editor) {
  editor->document.entryRow = static_cast<std::int32_t>(GridInsertRow(editor->gridWindow, 0));
  GridSetItemText(editor->gridWindow, static_cast<std::uint32_t>(editor->document.entryRow), ColMarker,
                  kEntryRowMarker);
}

void FillNumberedRows(EditorInstance* editor, std::uint32_t count, std::uint32_t decimalEvery) {
  HWND grid = editor->gridWindow;
  GridRemoveAllRows(grid);
  char name[16];
  for (std::uint32_t i = 1; i <= count; ++i) {
    std::snprintf(name, sizeof name, "v%u", i);
    const bool decimal = decimalEvery != 0 && i % decimalEvery == 0;
    AppendRow(grid, name, decimal ? "decimal" : "integer", decimal ? std::optional<double>(2) : std::nullopt);
  }
  AppendMarkedEntryRow(editor);
}

void SelectRows(HWND grid, std::uint32_t first, std::uint32_t last, std::uint32_t step) {
  for (std::uint32_t row = first; row <= last; row += step) GridSelectRow(grid, row, true);
}

std::string DescribeRows(const quill::GridSheet& sheet, RowDetail detail) {
  std::string out;
  for (std::uint32_t r = 1; r <= sheet.rowCount(); ++r) {
    if (!out.empty()) out += ' ';
    const std::string name = sheet.cellText(r, 1);
    out += name.empty() ? "." : name;
    if (detail == RowDetail::kNamesAndTypes) {
      const std::string type = sheet.cellText(r, 2);
      if (!type.empty()) out += "=" + type;
      if (auto decimals = sheet.cellNumber(r, 3)) out += "/" + std::to_string(static_cast<int>(*decimals));
    }
    if (sheet.cellText(r, 4) == kEntryRowMarker) out += 'E';
    if (sheet.isSelected(r)) out += '*';
  }
  return out;
}

HGLOBAL GlobalBlockOf(const void* data, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr || size == 0) return block;
  void* p = GlobalLock(block);
  if (p == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, data, size);
  GlobalUnlock(block);
  return block;
}

}  // namespace quilltest
