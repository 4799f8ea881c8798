// On Windows the module, the contract and the host include "platform/win.h"
// and get the real API: this folder comes first on the include path of the
// Windows build, so nothing of the project's own Windows-style layer is used.
// What follows only fills in the few names that layer adds for its own build.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Functions of the layer that Windows has no namesake for are ordinary
// functions of the host's DLL here: no visibility attribute.
#define PLATFORM_API

// A plain message beep (the layer's name for MB_OK passed to MessageBeep).
#ifndef MB_OKBEEP
#define MB_OKBEEP MB_OK
#endif
