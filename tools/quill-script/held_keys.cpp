// On Linux the platform layer asks the runner's front end for the key state,
// which holds the modifiers itself: nothing to tell the system.
#include "held_keys.h"

namespace script {

void HoldModifierKeys(bool, bool, bool) {}

}  // namespace script
