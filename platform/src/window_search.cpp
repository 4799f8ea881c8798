// Finding a window's children by class and text, as FindWindowExA does for
// children of a given parent.
#include <strings.h>

#include <algorithm>

#include "window_registry.h"

namespace platform {
namespace {

bool Matches(const Window& w, LPCSTR className, LPCSTR windowName) {
  if (className != nullptr && !IS_INTRESOURCE(className) && strcasecmp(w.className.c_str(), className) != 0)
    return false;
  return windowName == nullptr || w.text == windowName;
}

}  // namespace
}  // namespace platform

using platform::findWindow;

PLATFORM_API HWND FindWindowExA(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
  const platform::Window* p = findWindow(parent);
  if (p == nullptr) return nullptr;
  auto it = p->children.begin();
  if (childAfter != nullptr) {
    it = std::find(p->children.begin(), p->children.end(), childAfter);
    if (it == p->children.end()) return nullptr;
    ++it;
  }
  for (; it != p->children.end(); ++it) {
    const platform::Window* w = findWindow(*it);
    if (w != nullptr && !w->destroying && platform::Matches(*w, className, windowName)) return *it;
  }
  return nullptr;
}
