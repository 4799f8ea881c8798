// Services of this platform that Windows has no namesake for: the front end,
// the message pump of a host that has its own event loop, and the clipboard's
// link to other programs.
#pragma once

#include <string>

#include "platform/user_interface.h"
#include "platform/win.h"

// The user interface the platform asks. Without one, message boxes are declined
// (IDCANCEL, or IDNO, IDABORT or IDOK for a box without Cancel) and keys are up.
PLATFORM_API void PlatformSetUserInterface(UserInterface* userInterface);
PLATFORM_API UserInterface* PlatformUserInterface();

// A detail for the next MessageBoxA only (a longer reason under its text, such
// as why a file could not be written); "" or null for none. MessageBoxA takes
// it whether it shows a box or not, so it never reaches a later box.
PLATFORM_API void PlatformSetMessageDetail(const char* detail);

// Dispatches posted messages until the queue is empty, including those posted
// while pumping. Returns the number dispatched.
PLATFORM_API int PlatformPumpMessages();
// Number of messages queued and not yet dispatched.
PLATFORM_API int PlatformPendingMessages();
// Copies the queued messages (oldest first) into out, at most max; returns the number.
PLATFORM_API int PlatformPeekQueue(MSG* out, int max);

// Another program put text on the clipboard (or emptied it, for null). While
// one of our windows holds the clipboard open, this lands when it closes.
PLATFORM_API void PlatformClipboardFromOutside(const char* text);
// Another program holds the clipboard open (OpenClipboard fails) or lets it go.
PLATFORM_API void PlatformClipboardSetBusy(bool busy);
// The text the clipboard holds as CF_TEXT, for checks and for the system clipboard.
PLATFORM_API bool PlatformClipboardText(std::string* text);

// The user data of a window whose procedure is `procedure`, in one lookup; 0
// for a handle that names no window or a window running another procedure. A
// control serving millions of calls finds its own state this way.
PLATFORM_API LONG_PTR PlatformWindowDataOf(HWND hwnd, WNDPROC procedure);

// A font whose text metrics give this character height (tmHeight).
PLATFORM_API HFONT PlatformCreateFont(int charHeight);

// Live global-memory blocks, for leak checks; the clipboard's own count too.
PLATFORM_API int PlatformLiveGlobalBlocks();

// Allocation failure for tests of the paths that handle it: counting from this
// call, the n-th allocation of global memory or of a host pool fails (and only
// that one); 0 stops failing. Not undone by PlatformReset.
PLATFORM_API void PlatformFailAllocation(long n);
// Counts one allocation and says whether it is the one to fail. For allocators.
PLATFORM_API bool PlatformAllocationRefused();
// Allocations counted since PlatformFailAllocation.
PLATFORM_API long PlatformAllocationsCounted();

// Resets windows, menus, accelerator tables, queue, clipboard, global memory,
// focus, capture and cursor: a fresh window registry for the next test. No window hears
// of it (their procedures may be gone). The user interface is forgotten too, so set
// it again afterwards; window classes, loaded modules and fonts stay.
PLATFORM_API void PlatformReset();
