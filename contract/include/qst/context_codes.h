// Context codes and caller kinds: what QST_Create is told about where an editor
// is opened from. Frozen by the module's binary interface.
#pragma once

#include <cstdint>

constexpr std::int32_t kContextStandAlone = 1022;  // from the frame's File menu
constexpr std::int32_t kContextEmbedded = 1023;    // inside an owning object's workbench
constexpr std::int32_t kCallerWindow = 1013;
constexpr std::int32_t kCallerMenu = 1014;
constexpr std::int32_t kCallerFunction = 1018;
constexpr std::int32_t kCallerUserObject = 1024;
