// The clipboard: one opener at a time, an owner, and blocks it owns by format.
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "window_registry.h"

namespace platform {
namespace {

void freeClipboardData() {
  auto& d = registry();
  for (auto& entry : d.clipboard.data) d.blocks.erase(entry.second);
  d.clipboard.data.clear();
}

// The text of a CF_TEXT block: up to its first NUL, never past its size.
bool blockText(HGLOBAL mem, std::string_view* text) {
  GlobalBlock* b = findBlock(mem);
  if (b == nullptr) return false;
  const char* data = b->data.get();
  *text = std::string_view(data, strnlen(data, b->size));
  return true;
}

// The clipboard's CF_TEXT as it lies in its block: valid until the clipboard
// next changes. A million copied rows are tens of megabytes, not worth a copy
// on their way to a front end that makes its own.
bool clipboardTextView(std::string_view* text) {
  const Clipboard& c = registry().clipboard;
  auto it = c.data.find(CF_TEXT);
  return it != c.data.end() && blockText(it->second, text);
}

// Replaces what the clipboard holds with a new block of text (none for null).
void placeOutsideText(const char* text) {
  auto& d = registry();
  freeClipboardData();
  d.clipboard.owner = nullptr;
  if (text == nullptr) return;
  const std::size_t n = std::strlen(text);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, n + 1);
  GlobalBlock* b = findBlock(mem);
  if (b == nullptr) return;
  std::memcpy(b->data.get(), text, n + 1);
  b->clipboardOwned = true;
  d.clipboard.data[CF_TEXT] = mem;
}

// The clipboard has just been closed: text that arrived meanwhile lands now.
void applyPendingOutsideText() {
  Clipboard& c = registry().clipboard;
  if (!c.outsidePending) return;
  c.outsidePending = false;
  const std::string text = std::move(c.outsideText);
  placeOutsideText(c.outsideHasText ? text.c_str() : nullptr);
}

}  // namespace

void clipboardWindowDestroyed(HWND hwnd) {
  Clipboard& c = registry().clipboard;
  if (c.owner == hwnd) c.owner = nullptr;
  // A window that dies with the clipboard open would otherwise lock every
  // other program out of it for good.
  if (c.open && c.opener == hwnd) {
    c.open = false;
    c.opener = nullptr;
    c.dataSet = false;
    applyPendingOutsideText();
  }
}

void clipboardReset() {
  freeClipboardData();
  registry().clipboard = Clipboard{};
}

}  // namespace platform

using namespace platform;

// Fails while another window, or another program, holds the clipboard open.
// The window that already has it open may open it again.
BOOL OpenClipboard(HWND owner) {
  Clipboard& c = registry().clipboard;
  if (c.busy) return FALSE;
  if (owner != nullptr && findWindow(owner) == nullptr) return FALSE;
  if (c.open) return c.opener == owner ? TRUE : FALSE;
  c.open = true;
  c.opener = owner;
  c.dataSet = false;
  return TRUE;
}

// Closes the clipboard; a front end hears of text we put on it.
BOOL CloseClipboard() {
  auto& d = registry();
  Clipboard& c = d.clipboard;
  if (!c.open) return FALSE;
  const bool dataSet = c.dataSet;
  c.open = false;
  c.opener = nullptr;
  c.dataSet = false;
  // The clipboard is closed whatever follows; a front end that cannot be told
  // for want of memory keeps what it showed.
  try {
    std::string_view text;
    if (dataSet && d.userInterface != nullptr && clipboardTextView(&text)) d.userInterface->clipboardChanged(text);
    applyPendingOutsideText();
  } catch (const std::bad_alloc&) {
  }
  return TRUE;
}

// Frees what the clipboard holds and makes the opener its owner.
BOOL EmptyClipboard() {
  Clipboard& c = registry().clipboard;
  if (!c.open) return FALSE;
  freeClipboardData();
  c.owner = c.opener;
  return TRUE;
}

// Takes ownership of a live global block; the block of the same format it
// replaces is freed. Null (and the block stays the caller's) on failure.
HANDLE SetClipboardData(UINT format, HANDLE mem) {
  auto& d = registry();
  Clipboard& c = d.clipboard;
  if (!c.open || mem == nullptr) return nullptr;
  GlobalBlock* b = findBlock(mem);
  if (b == nullptr) return nullptr;
  auto it = c.data.find(format);
  // A block the clipboard already holds under another format would be freed
  // twice; it can only be handed over once.
  if (b->clipboardOwned && (it == c.data.end() || it->second != mem)) return nullptr;
  // The slot is made before anything changes hands: when memory runs out
  // there, the block stays the caller's, as a refused hand-over leaves it.
  if (it == c.data.end()) {
    try {
      it = c.data.emplace(format, nullptr).first;
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  if (it->second != nullptr && it->second != mem) d.blocks.erase(it->second);
  b->clipboardOwned = true;
  it->second = mem;
  c.dataSet = true;
  return mem;
}

// The clipboard's own block for the format (read it, never free it), or null.
HANDLE GetClipboardData(UINT format) {
  Clipboard& c = registry().clipboard;
  if (!c.open) return nullptr;
  auto it = c.data.find(format);
  return it != c.data.end() ? it->second : nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format) { return registry().clipboard.data.count(format) ? TRUE : FALSE; }

HWND GetClipboardOwner() { return registry().clipboard.owner; }

HWND GetOpenClipboardWindow() {
  const Clipboard& c = registry().clipboard;
  return c.open ? c.opener : nullptr;
}

void PlatformClipboardFromOutside(const char* text) {
  Clipboard& c = registry().clipboard;
  if (c.open) {
    c.outsidePending = true;
    c.outsideHasText = text != nullptr;
    c.outsideText = text != nullptr ? text : "";
    return;
  }
  placeOutsideText(text);
}

void PlatformClipboardSetBusy(bool busy) { registry().clipboard.busy = busy; }

bool PlatformClipboardText(std::string* text) {
  std::string_view value;
  if (!clipboardTextView(&value)) return false;
  if (text != nullptr) text->assign(value);
  return true;
}
