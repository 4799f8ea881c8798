// A host with a recording front end and a small editor module linked into the
// test: its window procedure records what it receives, so tests see exactly
// what the host delivers and when.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/resources.h"
#include "qst/context_codes.h"
#include "qst/host_pool.h"
#include "qst/host_shell.h"
#include "quill/host.h"
#include "quill/runtime.h"

namespace hosttest {

class RecordingFrontEnd : public quill::HostFrontEnd {
 public:
  int messageBox(HWND, const std::string& text, const std::string& caption, UINT style) override {
    boxes.push_back({text, caption, style});
    return answer;
  }
  void beep(UINT) override {}
  SHORT asyncKeyState(int) override { return 0; }
  GlobalOpenChoice openEntryDialog(HWND, const std::string& library,
                                   const std::vector<quill::LibraryEntryInfo>& entries) override {
    offeredLibrary = library;
    offeredEntries.clear();
    for (const auto& e : entries) offeredEntries.push_back(e.name);
    return openChoice;
  }
  EmbeddedOpenChoice openLocalTypeDialog(HWND, const std::string& owner,
                                         const std::vector<std::string>& types) override {
    offeredOwner = owner;
    offeredTypes = types;
    return localOpenChoice;
  }
  GlobalSaveChoice saveEntryDialog(HWND, const std::string& name, const std::string& library) override {
    offeredName = name;
    offeredLibrary = library;
    return saveChoice;
  }
  EmbeddedSaveChoice saveLocalTypeDialog(HWND, const std::string& owner, const std::string& name) override {
    offeredOwner = owner;
    offeredName = name;
    return localSaveChoice;
  }
  void showCompileErrors(HWND grid, const std::vector<quill::CompileError>& errors) override {
    errorGrid = grid;
    errorCount = static_cast<int>(errors.size());
    ++errorReports;
  }
  void setStatus(HWND editor, const std::string& text) override {
    statusEditor = editor;
    status = text;
  }
  void print(HWND frame, const std::vector<quill::PrintedEntry>& entries) override {
    printFrame = frame;
    printed = entries;
    ++printRequests;
  }
  void refreshCommands(HWND editor) override { refreshed.push_back(editor); }

  struct Box {
    std::string text, caption;
    UINT style;
  };
  int answer = IDOK;
  std::vector<Box> boxes;
  GlobalOpenChoice openChoice{};
  EmbeddedOpenChoice localOpenChoice{};
  GlobalSaveChoice saveChoice{};
  EmbeddedSaveChoice localSaveChoice{};
  std::string offeredLibrary, offeredOwner, offeredName;
  std::vector<std::string> offeredEntries, offeredTypes;
  HWND errorGrid = nullptr;
  int errorCount = -1, errorReports = 0;
  HWND statusEditor = nullptr;
  std::string status;
  HWND printFrame = nullptr;
  std::vector<quill::PrintedEntry> printed;
  int printRequests = 0;
  std::vector<HWND> refreshed;
};

// One message as the test module's window procedure received it.
struct Received {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// What the test module saw and how it behaves; reset for every test.
struct TestModuleState {
  HINSTANCE instance = nullptr;
  std::vector<Received> received;
  // Seen inside WM_CREATE.
  HostContext* createParam = nullptr;
  void* instanceAtCreate = nullptr;
  bool instanceZeroedAtCreate = false;
  bool windowReturnedBeforeCreate = false;
  // Seen by QST_Create.
  void* request = nullptr;
  HWND editor = nullptr;
  // Behaviour.
  std::uint32_t instanceSize = 64;
  LRESULT closeAnswer = 0;
  bool leakBlockAtCreate = false;  // allocate a pool block and never free it
  bool failAfterWindow = false;    // QST_Create returns 0 once its window exists
};

TestModuleState& Module();
// The test module's QST_Create: prepares the menu, has the host make the window
// and, stand-alone, frees the request as the real module does.
HWND TestCreate(std::uint32_t, std::int32_t contextCode, std::int32_t callerKind, void* request, HostContext* context);
std::vector<UINT> MessagesTo(HWND window);
// What an embedded save leaves in the runtime: the local structure name of the
// owning object with its source (a pool copy the runtime keeps). Returns its type id.
std::int32_t StoreLocalType(quill::EditorSession& session, std::int32_t owner, const char* name, const char* source);

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  quill::EditorSession* CreateStandAlone(const std::string& name = "", const std::string& library = "");

  RecordingFrontEnd frontEnd;
  std::unique_ptr<quill::Host> host;
};

// HostTest with the library app.lib current, in a fresh folder of the test's
// own (named after the suite and the test), removed afterwards.
class HostLibraryTest : public HostTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path dir_;
  std::string library_;
};

}  // namespace hosttest
