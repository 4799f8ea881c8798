// Visibility of the host components' entry points, and their opaque handles.
#pragma once

#include "platform/win.h"

#if defined(__GNUC__)
#define HOST_API __attribute__((visibility("default")))
#else
#define HOST_API
#endif

// Opaque handles of the host components.
struct HostPool;
struct HostRuntime;
struct HostCompiler;
struct GridLayout;
