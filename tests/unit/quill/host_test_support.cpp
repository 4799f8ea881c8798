// A test module and host for the host's own tests.
#include "host_test_support.h"

#include <cstring>

#include "qst/host_context.h"
#include "qst/host_runtime.h"

namespace hosttest {
namespace {

constexpr ResourceMenuItem kFileItems[] = {
    {1450, "&New\tCtrl+N", 0, nullptr, 0},
    {2290, "&Close\tCtrl+W", 0, nullptr, 0},
};
constexpr ResourceMenuItem kEditItems[] = {
    {1258, "Can't Undo\tCtrl+Z", MF_GRAYED, nullptr, 0},
    {1266, "Cl&ear\tDel", 0, nullptr, 0},
};
constexpr ResourceMenuItem kMenuBar[] = {
    {0, "&File", MF_POPUP, kFileItems, 2},
    {0, "&Edit", MF_POPUP, kEditItems, 2},
};
constexpr ResourceMenu kMenus[] = {{2000, kMenuBar, 2}, {2001, kMenuBar, 2}};
constexpr ACCEL kAccelerators[] = {
    {FVIRTKEY | FNOINVERT | FCONTROL, 'N', 1450},
    {FVIRTKEY | FNOINVERT | FCONTROL, 'Z', 1258},
    {FVIRTKEY | FNOINVERT, VK_DELETE, 1266},
};
constexpr ResourceAccelerators kAcceleratorTables[] = {{2002, kAccelerators, 3}, {2003, kAccelerators, 3}};
constexpr ResourceString kStrings[] = {
    {4020, "Error loading structure %s."},
    {4035, "Opening Structure . . ."},
    {4100, "%s has %d rows."},
    {4101, "%s"},
};
constexpr std::uint32_t kIconPixels[4] = {0xFF000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFF000000u};
constexpr ResourceIcon kIcons[] = {{3110, 2, 2, kIconPixels}};
constexpr ModuleResources kResources = {kStrings, 4, kMenus, 2, kAcceleratorTables, 2, kIcons, 1};

TestModuleState gState;

LRESULT TestMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TestModuleState& m = gState;
  m.received.push_back({window, message, wParam, lParam});
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      m.createParam = static_cast<HostContext*>(create->lpCreateParams);
      m.windowReturnedBeforeCreate = m.editor != nullptr;
      auto* record = static_cast<unsigned char*>(ShellInstanceOf(0, window));
      m.instanceAtCreate = record;
      m.instanceZeroedAtCreate = record != nullptr;
      for (std::uint32_t i = 0; record != nullptr && i < m.instanceSize; ++i) {
        if (record[i] != 0) m.instanceZeroedAtCreate = false;
      }
      if (m.leakBlockAtCreate) PoolAlloc(m.createParam->pool, 32, 0);
      return 0;
    }
    case WM_CLOSE:
    case WM_QUERYENDSESSION: return m.closeAnswer;
    case HM_QUERYCOMMANDS: {
      if (wParam != 0) return 0;
      auto* entries = reinterpret_cast<WORD*>(lParam);
      entries[0] = 1450;
      entries[1] = 0xFFFF;
      entries[2] = 2290;
      return 3;
    }
    default: return 0;
  }
}

}  // namespace

TestModuleState& Module() { return gState; }

HWND TestCreate(std::uint32_t, std::int32_t contextCode, std::int32_t, void* request, HostContext* context) {
  TestModuleState& m = gState;
  m.request = request;
  const std::uint16_t menu = contextCode == kContextStandAlone ? 2000 : 2001;
  ShellPrepareMenu(context, 1037, menu);
  EditorClassRecord record{};
  record.menuId = menu;
  record.acceleratorId = contextCode == kContextStandAlone ? 2002 : 2003;
  record.five = 5;
  record.instanceSize = m.instanceSize;
  record.windowProc = TestMain;
  record.moduleInstance = m.instance;
  record.classWord = 1047;
  record.iconId = 3110;
  HWND editor = ShellCreateEditorWindow(context, &record);
  m.editor = editor;
  if (editor == nullptr) return nullptr;
  if (contextCode == kContextStandAlone && request != nullptr) PoolFree(context->pool, request);
  if (m.failAfterWindow) return nullptr;
  return GetParent(editor);
}

std::vector<UINT> MessagesTo(HWND window) {
  std::vector<UINT> messages;
  for (const auto& r : gState.received) {
    if (r.window == window) messages.push_back(r.message);
  }
  return messages;
}

std::int32_t StoreLocalType(quill::EditorSession& session, std::int32_t owner, const char* name, const char* source) {
  HostRuntime* runtime = session.context->runtime;
  const auto group = static_cast<std::uint16_t>(owner & 0xFFFF);
  const std::int32_t type = RuntimeDeclareType(runtime, group, name, kRuntimeKindStructure, kDeclareTypeFlags);
  RuntimeStoreTypeSource(runtime, type, PoolStrDup(session.context->pool, source, 0),
                         static_cast<std::uint32_t>(std::strlen(source) + 1));
  return type;
}

void HostTest::SetUp() {
  PlatformReset();
  static HINSTANCE instance = PlatformRegisterModule(&kResources);
  gState = TestModuleState{};
  gState.instance = instance;
  host = std::make_unique<quill::Host>(frontEnd, quill::HostOptions{"", "", 16});
  ASSERT_TRUE(host->useModule(instance, TestCreate));
}

void HostTest::TearDown() {
  host.reset();
  PlatformReset();
}

void HostLibraryTest::SetUp() {
  HostTest::SetUp();
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() /
         ("quill-" + std::string(test->test_suite_name()) + "-" + std::string(test->name()));
  std::filesystem::remove_all(dir_);
  std::filesystem::create_directories(dir_);
  library_ = (dir_ / "app.lib").string();
  ASSERT_TRUE(host->setCurrentLibrary(library_)) << host->error();
}

void HostLibraryTest::TearDown() {
  HostTest::TearDown();
  std::filesystem::remove_all(dir_);
}

quill::EditorSession* HostTest::CreateStandAlone(const std::string& name, const std::string& library) {
  if (name.empty()) return host->createEditor(kContextStandAlone, 0);
  return host->createEditor(kContextStandAlone, 0, name, library);
}

}  // namespace hosttest
