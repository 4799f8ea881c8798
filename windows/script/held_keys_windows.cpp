// Modifier keys held on Windows: pressed and let go through the system's
// input, as a keyboard would, so that the key state accelerator translation
// reads and the state the module asks asynchronously both follow the step.
#include "held_keys.h"

#include "platform/win.h"

namespace script {
namespace {

struct Held {
  bool ctrl = false, shift = false, alt = false;
};

void Send(WORD vkey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vkey;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

}  // namespace

void HoldModifierKeys(bool ctrl, bool shift, bool alt) {
  static Held held;
  if (held.ctrl != ctrl) Send(VK_CONTROL, ctrl);
  if (held.shift != shift) Send(VK_SHIFT, shift);
  if (held.alt != alt) Send(VK_MENU, alt);
  held = Held{ctrl, shift, alt};
}

}  // namespace script
