// The modifier keys a step holds down, told to the system where the system
// keeps the key state. The runner's own front end answers them on Linux.
#pragma once

namespace script {

void HoldModifierKeys(bool ctrl, bool shift, bool alt);

}  // namespace script
