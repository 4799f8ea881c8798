// Modifier keys held on Windows: pressed and let go through the system's
// input, as a keyboard would, so that the state the module asks
// asynchronously follows the step. The thread's own key state, which
// accelerator translation reads, follows only once the key's message is
// taken from the queue: it is set at once as well.
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
  BYTE state[256] = {};
  GetKeyboardState(state);
  auto set = [&state](int vkey, bool down) { state[vkey] = down ? 0x80 : 0; };
  set(VK_CONTROL, ctrl);
  set(VK_SHIFT, shift);
  set(VK_MENU, alt);
  SetKeyboardState(state);
}

}  // namespace script
