// The user interface: everything the platform needs from a person or a screen.
//
// The host's front ends implement it (the runner's answers from a script, the
// desktop program's shows real windows). The platform calls these from the
// user-interface thread only.
#pragma once

#include <string>
#include <string_view>

#include "platform/win.h"

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // A modal message box; returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) = 0;
  // The same box with a detail under its text (PlatformSetMessageDetail); a
  // front end that cannot show one shows the box without it.
  virtual int detailedMessageBox(HWND owner, const std::string& text, const std::string& detail,
                                 const std::string& caption, UINT style) {
    (void)detail;
    return messageBox(owner, text, caption, style);
  }
  virtual void beep(UINT type) = 0;
  // GetAsyncKeyState: bit 0x8000 set while the key is down.
  virtual SHORT asyncKeyState(int vkey) = 0;
  // The cursor shown changed (one of the system cursors of LoadCursorA).
  virtual void cursorChanged(HCURSOR cursor) { (void)cursor; }
  virtual void captureChanged(HWND capture) { (void)capture; }
  // A window's text, visibility, size or content changed and should be shown anew.
  virtual void windowChanged(HWND hwnd) { (void)hwnd; }
  virtual void windowDestroyed(HWND hwnd) { (void)hwnd; }
  // A menu item's text or state changed.
  virtual void menuChanged(HMENU menu) { (void)menu; }
  // A program of ours closed the clipboard after putting text on it.
  virtual void clipboardChanged(std::string_view text) { (void)text; }
  // Something was posted: a front end with its own event loop schedules a pump.
  virtual void messagesPosted() {}
};
