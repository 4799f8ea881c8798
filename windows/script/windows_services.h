// What the runner needs of Windows beyond the platform layer's functions.
#pragma once

#include <string>

// The detail the host gave for the next message box (kept by the host's
// platform services), taken so that it reaches no later box.
std::string PlatformTakeMessageDetail();

namespace script {

// Installs, once, the hook that answers the system's message boxes on the
// calling thread from the front end the platform asks.
void AnswerMessageBoxesOfThisThread();

}  // namespace script
