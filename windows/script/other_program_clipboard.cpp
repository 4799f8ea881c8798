// Another program's use of the clipboard, for the runner on Windows: a thread
// of its own with a window of its own opens the clipboard, puts text on it or
// empties it, and keeps it open while the scenario says it is busy. The
// runner asks it by SendMessage and waits for the answer.
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "platform/platform.h"

namespace {

constexpr UINT kSetText = WM_APP + 1;  // lParam: const std::string* (null: empty it)
constexpr UINT kSetBusy = WM_APP + 2;  // wParam: 1 to hold the clipboard open, 0 to let it go

class OtherProgram {
 public:
  OtherProgram() : thread_([this] { run(); }) {
    std::unique_lock lock(mutex_);
    started_.wait(lock, [this] { return window_ != nullptr || failed_; });
  }
  ~OtherProgram() {
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }

  void setText(const char* text) {
    if (window_ == nullptr) return;
    std::string copy = text != nullptr ? text : "";
    SendMessageA(window_, kSetText, 0, text != nullptr ? reinterpret_cast<LPARAM>(&copy) : 0);
  }
  void setBusy(bool busy) {
    if (window_ != nullptr) SendMessageA(window_, kSetBusy, busy ? 1 : 0, 0);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OtherProgram*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
      case kSetText: self->putText(reinterpret_cast<const std::string*>(lParam)); return 0;
      case kSetBusy: self->hold(wParam != 0); return 0;
      case WM_CLOSE: DestroyWindow(window); return 0;
      case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  void run() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "QuillScriptOtherProgram";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "other program", 0, 0, 0, 0, 0, nullptr, nullptr,
                                  nullptr, nullptr);
    if (window != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    {
      std::lock_guard lock(mutex_);
      window_ = window;
      failed_ = window == nullptr;
    }
    started_.notify_all();
    MSG message;
    while (window != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  }

  // The clipboard opened by this program, as held or opened now; false when
  // one of the scenario's windows holds it.
  bool open() { return holding_ || OpenClipboard(window_); }
  void close() {
    if (!holding_) CloseClipboard();
  }

  void putText(const std::string* text) {
    if (!open()) return;
    EmptyClipboard();
    if (text != nullptr) {
      if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text->size() + 1)) {
        if (char* bytes = static_cast<char*>(GlobalLock(block))) {
          std::memcpy(bytes, text->c_str(), text->size() + 1);
          GlobalUnlock(block);
        }
        if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);
      }
    }
    close();
  }

  void hold(bool busy) {
    if (busy && !holding_) holding_ = OpenClipboard(window_) != FALSE;
    if (!busy && holding_) {
      CloseClipboard();
      holding_ = false;
    }
  }

  std::mutex mutex_;
  std::condition_variable started_;
  HWND window_ = nullptr;
  bool failed_ = false;
  bool holding_ = false;
  std::thread thread_;
};

OtherProgram& Other() {
  static OtherProgram program;
  return program;
}

}  // namespace

void PlatformClipboardFromOutside(const char* text) { Other().setText(text); }

void PlatformClipboardSetBusy(bool busy) { Other().setBusy(busy); }
