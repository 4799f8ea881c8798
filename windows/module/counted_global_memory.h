// The module's test build (qst-test.dll) takes global memory through the
// host's counting functions, so that a test can count the blocks it leaves
// live and make the n-th allocation fail, as the Linux layer lets it. Included
// ahead of every source of that build; qst.dll calls the system directly.
#pragma once

#include "platform/win.h"

HGLOBAL CountedGlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL CountedGlobalReAlloc(HGLOBAL block, SIZE_T bytes, UINT flags);
HGLOBAL CountedGlobalFree(HGLOBAL block);
HANDLE CountedSetClipboardData(UINT format, HANDLE block);

#define GlobalAlloc CountedGlobalAlloc
#define GlobalReAlloc CountedGlobalReAlloc
#define GlobalFree CountedGlobalFree
#define SetClipboardData CountedSetClipboardData
