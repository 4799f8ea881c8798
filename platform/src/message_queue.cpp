// The posted-message queue: first in, first out, pumped by the host's loop.
#include <algorithm>

#include "platform/platform.h"
#include "window_registry.h"

namespace platform {
namespace {

// A procedure that posts to itself on every message would keep a pump busy
// for ever; one pump stops after this many and leaves the rest queued.
constexpr int kMaxPumpedPerCall = 100000;

bool matches(const MSG& m, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (hwnd != nullptr && m.hwnd != hwnd) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return m.message >= filterMin && m.message <= filterMax;
}

}  // namespace

void purgeQueuedMessages(HWND hwnd) {
  auto& q = registry().queue;
  q.erase(std::remove_if(q.begin(), q.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }), q.end());
}

}  // namespace platform

using namespace platform;

// Queues a message for a window (or, with a null window, for the thread).
// FALSE for a handle that names no window.
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& d = registry();
  if (hwnd != nullptr && findWindow(hwnd) == nullptr) return FALSE;
  d.queue.push_back(MSG{hwnd, msg, wParam, lParam, ++d.tick, POINT{0, 0}});
  if (d.userInterface) d.userInterface->messagesPosted();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  auto& d = registry();
  d.queue.push_back(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, ++d.tick, POINT{0, 0}});
  if (d.userInterface) d.userInterface->messagesPosted();
}

// The oldest queued message for hwnd (null: any) within the range (0, 0: any).
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove) {
  if (msg == nullptr) return FALSE;
  auto& q = registry().queue;
  for (auto it = q.begin(); it != q.end(); ++it) {
    if (!matches(*it, hwnd, filterMin, filterMax)) continue;
    *msg = *it;
    if (remove & PM_REMOVE) q.erase(it);
    return TRUE;
  }
  return FALSE;
}

// Hands a message to its window's procedure; 0 when the window is gone or the
// message is a thread message.
LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || msg->hwnd == nullptr) return 0;
  return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

int PlatformPumpMessages() {
  auto& q = registry().queue;
  int dispatched = 0;
  for (int taken = 0; !q.empty() && taken < kMaxPumpedPerCall; ++taken) {
    const MSG m = q.front();
    q.pop_front();
    if (m.hwnd == nullptr || findWindow(m.hwnd) == nullptr) continue;
    DispatchMessageA(&m);
    ++dispatched;
  }
  return dispatched;
}

int PlatformPendingMessages() { return static_cast<int>(registry().queue.size()); }

int PlatformPeekQueue(MSG* out, int max) {
  if (out == nullptr || max <= 0) return 0;
  const auto& q = registry().queue;
  const int n = std::min(max, static_cast<int>(q.size()));
  std::copy_n(q.begin(), n, out);
  return n;
}
