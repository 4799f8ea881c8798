// HostShell's services for a running editor: menus, notify window, commands,
// font, message boxes, status line, compile errors and the profile.
#include <cstdarg>
#include <new>

#include "platform/platform.h"
#include "qst/host_shell.h"
#include "quill/src/host_impl.h"

namespace {

// Room for any string-table text and for wsprintfA's longest output (1024 + NUL).
constexpr int kMessageFormatSize = 1024;
constexpr int kMessageTextSize = 1025;
constexpr int kStatusTextSize = 256;
constexpr const char* kReadyStatus = "Ready";

}  // namespace

extern "C" {

void ShellPrepareMenu(HostContext* context, int /*menuKind*/, std::uint16_t menuId) try {
  if (quill::SessionState* state = quill::SessionOf(context)) state->session.preparedMenu = menuId;
} catch (const std::bad_alloc&) {
}

void ShellSetNotifyWindow(HostContext* context, HWND notifyWindow) try {
  if (quill::SessionState* state = quill::SessionOf(context)) state->session.notifyWindow = notifyWindow;
} catch (const std::bad_alloc&) {
}

void ShellRefreshCommands(HostContext* context, HWND editorWindow) try {
  if (quill::Host::Impl* impl = quill::ImplOf(context)) impl->frontEnd.refreshCommands(editorWindow);
} catch (const std::bad_alloc&) {
}

// Every font number gets the one grid font of the host.
HFONT ShellFont(HostContext* context, int /*fontNumber*/) try {
  quill::Host::Impl* impl = quill::ImplOf(context);
  return impl != nullptr ? impl->gridFont() : nullptr;
} catch (const std::bad_alloc&) {
  return {};
}

int ShellMessageBox(HostContext* context, HWND owner, const char* caption, UINT style, HINSTANCE module, int stringId,
                    ...) try {
  char format[kMessageFormatSize] = "";
  LoadStringA(module, static_cast<UINT>(stringId), format, sizeof format);
  char text[kMessageTextSize];
  std::va_list args;
  va_start(args, stringId);
  wvsprintfA(text, format, args);  // bounded: wsprintfA writes at most 1024 characters
  va_end(args);
  if (caption == nullptr) caption = "";
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl != nullptr) {
    impl->lastMessage = quill::ShellMessage{stringId, text, caption, style, 0};
    // The module names what failed; why a library could not be used is the
    // host's to tell, under the module's text.
    PlatformSetMessageDetail(impl->runtime.takeLibraryFailure().c_str());
  }
  int answer = MessageBoxA(owner, text, caption, style);
  if (impl != nullptr && impl->lastMessage) impl->lastMessage->answer = answer;
  return answer;
} catch (const std::bad_alloc&) {
  return {};
}

void ShellSetStatus(HostContext* context, HINSTANCE module, int stringId, int /*reserved*/) try {
  quill::SessionState* state = quill::SessionOf(context);
  if (state == nullptr) return;
  char text[kStatusTextSize];
  // A string the module does not hold (the editor passes 150 when it is done)
  // puts the status line back to its idle text.
  if (LoadStringA(module, static_cast<UINT>(stringId), text, sizeof text) == 0) {
    quill::CopyBounded(kReadyStatus, text, sizeof text);
  }
  state->session.status = text;
  state->session.statusId = stringId;
  quill::ImplOf(context)->frontEnd.setStatus(state->session.editor, state->session.status);
} catch (const std::bad_alloc&) {
}

void ShellShowCompileErrors(HostContext* context, HWND gridWindow) try {
  if (quill::Host::Impl* impl = quill::ImplOf(context)) {
    impl->frontEnd.showCompileErrors(gridWindow, impl->compiler.lastErrors());
  }
} catch (const std::bad_alloc&) {
}

void ShellReadProfileString(HostContext* context, const char* section, const char* key, const char* defaultText,
                            char* buffer, int bufferSize) try {
  std::optional<std::string> value;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl != nullptr && section != nullptr && key != nullptr) value = impl->profile.value(section, key);
  quill::CopyBounded(value.value_or(defaultText != nullptr ? defaultText : ""), buffer, bufferSize);
} catch (const std::bad_alloc&) {
}

}  // extern "C"
