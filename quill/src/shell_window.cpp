// The editor's frame window and the editor window inside it.
#include <cstdio>
#include <cstring>
#include <new>

#include "qst/host_shell.h"
#include "quill/src/host_impl.h"

namespace {

using quill::SessionState;

constexpr const char* kFrameClass = "QuillFrame";
// An instance record this large is a corrupt size, not an editor's need.
constexpr std::uint32_t kMaxInstanceSize = 1u << 20;

// The record waiting for the editor window being created. The window procedure
// asks for its record in WM_CREATE, before CreateWindowExA has returned the
// window to us; the record is attached to the first child of this frame that asks.
struct PendingInstance {
  HWND frame = nullptr;
  void* record = nullptr;
  WNDPROC moduleProc = nullptr;
};
thread_local PendingInstance* tPending = nullptr;

SessionState* StateOfFrame(HWND frame) {
  return quill::SessionOf(reinterpret_cast<HostContext*>(GetWindowLongPtrA(frame, GWLP_USERDATA)));
}

// The module's procedure of an editor window, also while it is being created.
WNDPROC ModuleProcOf(HWND editor) {
  HWND frame = GetParent(editor);
  if (tPending != nullptr && frame == tPending->frame) return tPending->moduleProc;
  SessionState* state = StateOfFrame(frame);
  return state != nullptr ? state->moduleProc : nullptr;
}

// The messages the module's procedure answers itself. It answers every other
// message with 0 and never calls the default procedure, so those get the
// default handling here as well: Windows needs it for creation (WM_NCCREATE),
// sizing (WM_WINDOWPOSCHANGED sends WM_SIZE) and the non-client area.
bool ModuleAnswers(UINT message) {
  switch (message) {
    case WM_CREATE:
    case WM_DESTROY:
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_PAINT:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_COMMAND:
    case WM_INITMENUPOPUP: return true;
    default: return message >= WM_USER;  // the host's private messages
  }
}

// The editor window's procedure: every message goes to the module.
LRESULT CALLBACK EditorWindowProc(HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC module = ModuleProcOf(editor);
  if (module == nullptr) return DefWindowProcA(editor, message, wParam, lParam);
  const LRESULT answer = CallWindowProcA(module, editor, message, wParam, lParam);
  return ModuleAnswers(message) ? answer : DefWindowProcA(editor, message, wParam, lParam);
}

// Close requests go to the editor; the frame goes only when the editor allows
// it. The session itself ends at the host's next look at its editors: this may
// run inside a call of the editor's own, which still uses its record.
LRESULT CloseRequest(HWND frame, HWND editor, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT answer = IsWindow(editor) ? SendMessageA(editor, message, wParam, lParam) : 0;
  if (answer == 0) DestroyWindow(frame);
  return message == WM_QUERYENDSESSION ? (answer == 0 ? TRUE : FALSE) : 0;
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return 0;
  }
  SessionState* state = StateOfFrame(frame);
  if (state == nullptr) return DefWindowProcA(frame, message, wParam, lParam);
  HWND editor = state->session.editor;
  switch (message) {
    case WM_COMMAND:
      // Menus, accelerators, the toolbar and commands posted to the frame.
      if (lParam != 0) break;
      if (IsWindow(editor)) SendMessageA(editor, WM_COMMAND, wParam, 0);
      return 0;
    case WM_INITMENUPOPUP:
      if (IsWindow(editor)) SendMessageA(editor, WM_INITMENUPOPUP, wParam, lParam);
      return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION: return CloseRequest(frame, editor, message, wParam, lParam);
    case WM_SIZE: {
      RECT client{};
      GetClientRect(frame, &client);
      if (IsWindow(editor)) {
        SetWindowPos(editor, HWND_TOP, 0, 0, client.right - client.left, client.bottom - client.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_SETFOCUS:
      if (IsWindow(editor)) SetFocus(editor);
      return 0;
    case WM_DESTROY: state->frameGone = true; return 0;
    case WM_SETTEXT: {
      // The editor names its frame exactly when it was made, started a new
      // structure, loaded one or saved one.
      const LRESULT result = DefWindowProcA(frame, message, wParam, lParam);
      if (quill::Host::Impl* impl = quill::ImplOf(state->context.get())) impl->noteFrameNamed(*state);
      return result;
    }
    default: break;
  }
  return DefWindowProcA(frame, message, wParam, lParam);
}

void RegisterFrameClass() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FrameProc;
  wc.lpszClassName = kFrameClass;
  RegisterClassA(&wc);  // fails harmlessly when already registered
}

// One class per module and window procedure, so editors of different modules
// never share a class.
void RegisterEditorClass(const EditorClassRecord& record, HICON icon, char* name, std::size_t size) {
  std::snprintf(name, size, "QuillEditor.%p.%p", static_cast<void*>(record.moduleInstance),
                reinterpret_cast<void*>(record.windowProc));
  WNDCLASSA wc{};
  wc.lpfnWndProc = EditorWindowProc;
  wc.hInstance = record.moduleInstance;
  wc.hIcon = icon;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

// Undoes what ShellCreateEditorWindow made when the editor window cannot be made.
void DiscardFrame(SessionState& state) {
  quill::EditorSession& session = state.session;
  state.instance.reset();
  state.instanceSize = 0;
  if (session.accelerators != nullptr) DestroyAcceleratorTable(session.accelerators);
  HWND frame = session.frame;
  session.frame = nullptr;
  session.menu = nullptr;
  session.accelerators = nullptr;
  state.context->frameWindow = nullptr;
  // Detached first: the session outlives this frame, which never held an editor.
  SetWindowLongPtrA(frame, GWLP_USERDATA, 0);
  DestroyWindow(frame);
}

}  // namespace

extern "C" {

HWND ShellCreateEditorWindow(HostContext* context, const EditorClassRecord* record) try {
  SessionState* state = quill::SessionOf(context);
  if (state == nullptr || record == nullptr || record->windowProc == nullptr) return nullptr;
  if (record->instanceSize == 0 || record->instanceSize > kMaxInstanceSize || state->session.frame != nullptr) {
    return nullptr;
  }
  RegisterFrameClass();
  HWND frame = CreateWindowExA(0, kFrameClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr, nullptr, context);
  if (frame == nullptr) return nullptr;
  // Shown while it is still empty: a new top-level window hears its size at
  // its first showing, at least the system's smallest, and the frame would
  // hand that size to the editor. The editor's first size is the one a front
  // end gives the frame.
  ShowWindow(frame, SW_SHOW);
  quill::EditorSession& session = state->session;
  session.frame = frame;
  context->frameWindow = frame;

  HINSTANCE module = record->moduleInstance;
  // A module without a menu, accelerators or icon still gets a working editor.
  session.menu = LoadMenuA(module, MAKEINTRESOURCEA(record->menuId));
  if (session.menu != nullptr) SetMenu(frame, session.menu);
  session.accelerators = LoadAcceleratorsA(module, MAKEINTRESOURCEA(record->acceleratorId));
  session.icon = LoadIconA(module, MAKEINTRESOURCEA(record->iconId));

  std::size_t words = (record->instanceSize + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
  state->instance = std::make_unique<std::max_align_t[]>(words);
  // Every byte, padding included: the module reads the record as raw bytes.
  std::memset(state->instance.get(), 0, words * sizeof(std::max_align_t));
  state->instanceSize = record->instanceSize;

  char className[64];
  RegisterEditorClass(*record, session.icon, className, sizeof className);
  state->moduleProc = record->windowProc;
  PendingInstance pending{frame, state->instance.get(), record->windowProc};
  PendingInstance* outer = tPending;
  tPending = &pending;
  HWND editor = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame, nullptr, module, context);
  tPending = outer;
  if (editor == nullptr) {
    DiscardFrame(*state);
    return nullptr;
  }
  SetWindowLongPtrA(editor, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state->instance.get()));
  session.editor = editor;
  state->editorCreated = true;
  return editor;
} catch (const std::bad_alloc&) {
  return {};
}

void* ShellInstanceOf(int /*reserved*/, HWND window) try {
  if (auto record = GetWindowLongPtrA(window, GWLP_USERDATA); record != 0) return reinterpret_cast<void*>(record);
  if (tPending != nullptr && window != nullptr && GetParent(window) == tPending->frame) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tPending->record));
    return tPending->record;
  }
  return nullptr;
} catch (const std::bad_alloc&) {
  return {};
}

HMENU ShellEditMenuOf(HostContext* context, HWND editorWindow) try {
  HMENU menu = GetMenu(GetParent(editorWindow));
  if (menu == nullptr) {
    if (SessionState* state = quill::SessionOf(context)) menu = state->session.menu;
  }
  return GetSubMenu(menu, 1);
} catch (const std::bad_alloc&) {
  return {};
}

}  // extern "C"
