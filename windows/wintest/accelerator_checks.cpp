// What TranslateAcceleratorA sends for the module's accelerators over its own
// menu: the menu is told it opens, and a grayed item's command is not sent.
#include <array>

#include "module_checks.h"
#include "qst/command_ids.h"
#include "qst/string_ids.h"

namespace wintest {
namespace {

std::string& Log() {
  static std::string log;
  return log;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::string entry;
  if (message == WM_INITMENU) entry = "INITMENU";
  if (message == WM_INITMENUPOPUP) entry = "INITMENUPOPUP " + std::to_string(LOWORD(lParam));
  if (message == WM_COMMAND) entry = "COMMAND " + std::to_string(LOWORD(wParam)) + " " + std::to_string(HIWORD(wParam));
  if (!entry.empty()) Log() += (Log().empty() ? "" : "; ") + entry;
  return DefWindowProcA(window, message, wParam, lParam);
}

// Holds Ctrl down in this thread's key state, which TranslateAcceleratorA reads.
void SetControlDown(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

struct AcceleratorCase {
  char key;
  int translated;        // TranslateAcceleratorA's result
  const char* expected;  // the messages the window got
};

}  // namespace

void CheckAccelerators(CheckList& checks, HMODULE module) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = "WintestAcceleratorTarget";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                LoadMenuA(module, MAKEINTRESOURCEA(kMenuStandAlone)), nullptr, nullptr);
  HACCEL accel = LoadAcceleratorsA(module, MAKEINTRESOURCEA(kAcceleratorsStandAlone));
  if (!checks.expect(window != nullptr && accel != nullptr, "a window with the module's menu and accelerators")) return;
  // Undo starts grayed in the Edit pop-up (index 1); Copy does not.
  constexpr std::array kCases = {
      AcceleratorCase{'Z', 1, "INITMENU; INITMENUPOPUP 1"},
      AcceleratorCase{'C', 1, "INITMENU; INITMENUPOPUP 1; COMMAND 1262 1"},
      AcceleratorCase{'N', 1, "INITMENU; INITMENUPOPUP 0; COMMAND 1450 1"},
  };
  SetControlDown(true);
  for (const AcceleratorCase& test : kCases) {
    Log().clear();
    MSG message{};
    message.hwnd = window;
    message.message = WM_KEYDOWN;
    message.wParam = static_cast<WPARAM>(test.key);
    const int translated = TranslateAcceleratorA(window, accel, &message);
    const std::string name = std::string("Ctrl+") + test.key + " through TranslateAcceleratorA";
    checks.expect(translated == test.translated, name + " is translated");
    checks.expectText(Log(), test.expected, name + " sends");
  }
  SetControlDown(false);
  DestroyAcceleratorTable(accel);
  DestroyWindow(window);
}

}  // namespace wintest
