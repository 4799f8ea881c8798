// HostPrint: prints library entries.
#pragma once

#include "qst/host_context.h"
#include "qst/host_pool.h"

// One entry to print: its library (may be null) and its entry name ("NAME.srs").
struct PrintEntry {
  const char* library;
  char* entryName;
};
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(PrintEntry) == 8);
#endif

extern "C" {
// Prints every PrintEntry of the list; returns when done.
HOST_API void PrintEntries(HostContext* context, HWND frame, PoolList* list, int flag);
}
