// Arbitrary clipboard bytes through the row text parser and the paste: every
// line is parsed in a private copy, and the bytes are pasted as a clipboard
// block (no NUL added) consecutively and at recorded rows into a live editor.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "editor/commands/row_text.h"
#include "editor/host/grid_engine.h"
#include "editor/host/host_shell.h"
#include "editor/shell/entry_points.h"
#include "platform/platform.h"
#include "platform/resources.h"
#include "quill/host.h"

namespace {

class SilentFrontEnd : public quill::HostFrontEnd {
 public:
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
  void print(HWND, const std::vector<quill::PrintedEntry>&) override {}
};

// One editor for the whole run: the host and its module are made once.
struct Editor {
  SilentFrontEnd frontEnd;
  std::unique_ptr<quill::Host> host;
  EditorInstance* instance = nullptr;

  Editor() {
    HINSTANCE module = PlatformRegisterModule(PlatformModuleResources());
    PlatformModuleAttach(module);
    host = std::make_unique<quill::Host>(frontEnd, quill::HostOptions{});
    if (!host->useModule(module, &QST_Create)) std::abort();
    quill::EditorSession* session = host->createEditor(kContextStandAlone, kCallerWindow);
    if (session == nullptr) std::abort();
    instance = static_cast<EditorInstance*>(ShellInstanceOf(0, session->editor));
    if (instance == nullptr) std::abort();
  }

  // Three variables, their row numbers recorded as if they had been cut, and the entry row.
  void Reset() {
    HWND grid = instance->gridWindow;
    GridRemoveAllRows(grid);
    for (const char* name : {"a", "b", "c"}) {
      const std::uint32_t row = GridInsertRow(grid, 0);
      GridSetItemText(grid, row, 1, name);
      GridSetItemText(grid, row, 2, "integer");
    }
    instance->entryRow = static_cast<std::int32_t>(GridInsertRow(grid, 0));
    GridSetItemText(grid, static_cast<std::uint32_t>(instance->entryRow), 4, kEntryRowMarker);
    for (std::uint32_t row : {1u, 3u}) GridSelectRow(grid, row, true);
    GlobalFree(CopySelectedRowsToText(instance));
    for (std::uint32_t row : {1u, 3u}) GridSelectRow(grid, row, false);
  }
};

Editor& TheEditor() {
  static Editor editor;
  return editor;
}

void ParseEveryLine(const std::uint8_t* data, std::size_t size) {
  std::vector<char> text(data, data + size);
  text.push_back('\0');
  const char* end = text.data() + text.size();
  char* position = text.data();
  while (position != nullptr) {
    RowLine line;
    position = ParseRowLine(position, &line);
    if (position != nullptr && (position <= text.data() || position > end)) std::abort();
    if (line.name == nullptr) continue;
    // Words lie inside the copy, are terminated there and hold word bytes only.
    for (const char* word : {line.type, line.name}) {
      if (word < text.data() || word >= end) std::abort();
      for (const char* p = word; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x30 || byte > 0x7D) std::abort();
      }
    }
  }
}

HGLOBAL BlockOf(const std::uint8_t* data, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  if (size != 0) {
    void* p = GlobalLock(block);
    std::memcpy(p, data, size);
    GlobalUnlock(block);
  }
  return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ParseEveryLine(data, size);

  Editor& editor = TheEditor();
  editor.Reset();
  HGLOBAL block = BlockOf(data, size);
  if (block == nullptr) return 0;
  const std::uint32_t rowsBefore = GridRowCount(editor.instance->gridWindow);
  const std::uint32_t pasted = InsertRowsFromText(editor.instance, block, 2, 0);
  const std::uint32_t restored = InsertRowsFromText(editor.instance, block, 0, 1);
  GlobalFree(block);
  if (restored > 2 || GridRowCount(editor.instance->gridWindow) != rowsBefore + pasted + restored) std::abort();
  return 0;
}
