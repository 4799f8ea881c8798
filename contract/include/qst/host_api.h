// Visibility of the host components' entry points, and their opaque handles.
#pragma once

#include "platform/win.h"

#if defined(_WIN32)
#define HOST_API  // the host's DLL exports all its symbols
#elif defined(__GNUC__)
#define HOST_API __attribute__((visibility("default")))
#else
#define HOST_API
#endif

// The module's four exports and the get-character callback use the standard
// Windows calling convention, the one a window procedure has too.
#if defined(_WIN32)
#define QST_CALL __stdcall
#else
#define QST_CALL
#endif

// Opaque handles of the host components.
struct HostPool;
struct HostRuntime;
struct HostCompiler;
struct GridLayout;
