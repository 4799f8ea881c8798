// Key presses through the editor's accelerator table. TranslateAcceleratorA
// reads the modifiers from the front end's key state, so for the duration of
// one press the host answers them from the press itself.
#include "platform/platform.h"
#include "quill/src/host_impl.h"

namespace quill {
namespace {

// Stands in for the front end during one key press: the pressed key and its
// modifiers are down, everything else is asked of the real front end.
class PressedKeys final : public UserInterface {
 public:
  PressedKeys(UserInterface* inner, int vkey, bool ctrl, bool shift, bool alt)
      : inner_(inner), vkey_(vkey), ctrl_(ctrl), shift_(shift), alt_(alt) {}

  SHORT asyncKeyState(int vkey) override {
    bool down =
        vkey == vkey_ || (vkey == VK_CONTROL && ctrl_) || (vkey == VK_SHIFT && shift_) || (vkey == VK_MENU && alt_);
    if (vkey == VK_CONTROL || vkey == VK_SHIFT || vkey == VK_MENU || vkey == vkey_) {
      return down ? static_cast<SHORT>(0x8000) : 0;
    }
    return inner_ != nullptr ? inner_->asyncKeyState(vkey) : 0;
  }
  int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) override {
    return inner_ != nullptr ? inner_->messageBox(owner, text, caption, style) : IDCANCEL;
  }
  int detailedMessageBox(HWND owner, const std::string& text, const std::string& detail, const std::string& caption,
                         UINT style) override {
    return inner_ != nullptr ? inner_->detailedMessageBox(owner, text, detail, caption, style) : IDCANCEL;
  }
  void beep(UINT type) override {
    if (inner_ != nullptr) inner_->beep(type);
  }
  void cursorChanged(HCURSOR cursor) override {
    if (inner_ != nullptr) inner_->cursorChanged(cursor);
  }
  void captureChanged(HWND capture) override {
    if (inner_ != nullptr) inner_->captureChanged(capture);
  }
  void windowChanged(HWND hwnd) override {
    if (inner_ != nullptr) inner_->windowChanged(hwnd);
  }
  void windowDestroyed(HWND hwnd) override {
    if (inner_ != nullptr) inner_->windowDestroyed(hwnd);
  }
  void menuChanged(HMENU menu) override {
    if (inner_ != nullptr) inner_->menuChanged(menu);
  }
  void clipboardChanged(std::string_view text) override {
    if (inner_ != nullptr) inner_->clipboardChanged(text);
  }
  void messagesPosted() override {
    if (inner_ != nullptr) inner_->messagesPosted();
  }

 private:
  UserInterface* inner_;
  int vkey_;
  bool ctrl_, shift_, alt_;
};

// Puts the stand-in in place and the previous front end back, whatever happens.
class UserInterfaceSwap {
 public:
  explicit UserInterfaceSwap(UserInterface* replacement) : previous_(PlatformUserInterface()) {
    PlatformSetUserInterface(replacement);
  }
  ~UserInterfaceSwap() { PlatformSetUserInterface(previous_); }
  UserInterfaceSwap(const UserInterfaceSwap&) = delete;
  UserInterfaceSwap& operator=(const UserInterfaceSwap&) = delete;

 private:
  UserInterface* previous_;
};

}  // namespace

bool Host::key(EditorSession& session, int vkey, bool ctrl, bool shift, bool alt) {
  if (session.accelerators == nullptr || !IsWindow(session.frame)) return false;
  PressedKeys keys(PlatformUserInterface(), vkey, ctrl, shift, alt);
  UserInterfaceSwap swap(&keys);
  MSG message{};
  message.hwnd = session.frame;
  message.message = WM_KEYDOWN;
  message.wParam = static_cast<WPARAM>(vkey);
  return TranslateAcceleratorA(session.frame, session.accelerators, &message) != 0;
}

}  // namespace quill
