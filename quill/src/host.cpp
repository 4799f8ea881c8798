// quill::Host: loading the module, listing and commanding editors.
#include <algorithm>

#include "platform/platform.h"
#include "qst/host_shell.h"
#include "quill/src/host_impl.h"

namespace quill {
namespace {

// An export of the module as the function type it has. GetProcAddress gives a
// generic pointer (a function pointer of another type on Windows); the detour
// through void(*)() says the cast is meant.
template <typename Fn>
Fn ModuleProc(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

Host::Impl::Impl(HostFrontEnd& frontEndIn, HostOptions optionsIn)
    : frontEnd(frontEndIn), options(std::move(optionsIn)), profile(options.profilePath) {
  // Someone else wrote what an editor is about to write: the user decides.
  runtime.setReplaceQuestion([this](const std::string& question, const std::vector<std::string>& differences) {
    return frontEnd.askReplace(question, differences);
  });
  // A save the library refused failed: the user hears of it, and why.
  runtime.setFailureNotice([](const std::string& message, const std::string& reason) {
    PlatformSetMessageDetail(reason.c_str());
    MessageBoxA(nullptr, message.c_str(), "Save Structure", MB_OK | MB_ICONEXCLAMATION);
  });
}

SessionState* Host::Impl::stateOf(const HostContext* context) {
  if (context == nullptr) return nullptr;
  for (auto& state : sessions) {
    if (state->context.get() == context) return state.get();
  }
  return nullptr;
}

SessionState* Host::Impl::stateOfFrame(HWND frame) {
  if (frame == nullptr) return nullptr;
  for (auto& state : sessions) {
    if (state->session.frame == frame) return state.get();
  }
  return nullptr;
}

HFONT Host::Impl::gridFont() {
  if (font == nullptr) font = PlatformCreateFont(options.gridFontHeight);
  return font;
}

Host::Impl* ImplOf(const HostContext* context) {
  return context != nullptr && context->host != nullptr ? &context->host->impl() : nullptr;
}

SessionState* SessionOf(const HostContext* context) {
  Host::Impl* impl = ImplOf(context);
  return impl != nullptr ? impl->stateOf(context) : nullptr;
}

Host::Host(HostFrontEnd& frontEnd, HostOptions options) : impl_(std::make_unique<Impl>(frontEnd, std::move(options))) {
  PlatformSetUserInterface(&frontEnd);
}

Host::~Host() {
  // Close what is still open so every editor releases what it holds while the
  // runtime and the pools still exist.
  while (!impl_->sessions.empty()) {
    SessionState* state = impl_->sessions.back().get();
    state->creating = false;
    if (IsWindow(state->session.frame)) DestroyWindow(state->session.frame);
    // A frame that is gone without its WM_DESTROY reaching us ends here.
    if (!impl_->sessions.empty() && impl_->sessions.back().get() == state) impl_->endSession(*state);
  }
  if (impl_->moduleLoaded) FreeLibrary(impl_->module);
  if (PlatformUserInterface() == &impl_->frontEnd) PlatformSetUserInterface(nullptr);
}

Host::Impl& Host::impl() { return *impl_; }

bool Host::loadModule() {
  const std::string& path = impl_->options.modulePath;
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    impl_->error = "cannot load the editor module " + path;
    return false;
  }
  auto create = ModuleProc<ModuleCreateFn>(module, "QST_Create");
  auto main = ModuleProc<WNDPROC>(module, "QST_Main");
  if (create == nullptr || main == nullptr) {
    impl_->error = path + " is not an editor module: QST_Create or QST_Main is missing";
    FreeLibrary(module);
    return false;
  }
  impl_->module = module;
  impl_->create = create;
  impl_->main = main;
  impl_->moduleLoaded = true;
  impl_->error.clear();
  return true;
}

bool Host::useModule(HINSTANCE module, ModuleCreateFn create) {
  if (create == nullptr) {
    impl_->error = "no QST_Create given for the linked module";
    return false;
  }
  impl_->module = module;
  impl_->create = create;
  impl_->error.clear();
  return true;
}

HINSTANCE Host::module() const { return impl_->module; }
const std::string& Host::error() const { return impl_->error; }

std::vector<EditorSession*> Host::editors() {
  impl_->reap();
  std::vector<EditorSession*> open;
  for (auto& state : impl_->sessions) {
    if (!state->creating && !state->frameGone) open.push_back(&state->session);
  }
  return open;
}

EditorSession* Host::sessionOfFrame(HWND frame) {
  impl_->reap();
  SessionState* state = impl_->stateOfFrame(frame);
  return state != nullptr ? &state->session : nullptr;
}

EditorSession* Host::sessionOfEditor(HWND editor) {
  impl_->reap();
  if (editor == nullptr) return nullptr;
  for (auto& state : impl_->sessions) {
    if (state->session.editor == editor) return &state->session;
  }
  return nullptr;
}

void Host::command(EditorSession& session, WORD id) { SendMessageA(session.editor, WM_COMMAND, id, 0); }

void Host::openPopup(EditorSession& session, int index) {
  // Through the frame, as a pop-up the user opens would arrive.
  HMENU popup = GetSubMenu(session.menu, index);
  SendMessageA(session.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(index, FALSE));
}

void Host::pump() {
  PlatformPumpMessages();
  impl_->reap();
}

std::vector<WORD> Host::queryCommands(EditorSession& session, int selector) {
  // Far more room than any list needs: the editor writes without knowing the size.
  constexpr int kCapacity = 256;
  std::vector<WORD> buffer(kCapacity, 0);
  LRESULT count = SendMessageA(session.editor, HM_QUERYCOMMANDS, static_cast<WPARAM>(selector),
                               reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(count, 0, kCapacity)));
  return buffer;
}

const ShellMessage* Host::lastMessage() const { return impl_->lastMessage ? &*impl_->lastMessage : nullptr; }

bool Host::setCurrentLibrary(const std::string& path) {
  std::string error;
  if (!impl_->runtime.setCurrentLibrary(path, &error)) {
    impl_->error = error.empty() ? "cannot open the library " + path : error;
    return false;
  }
  return true;
}

const std::string& Host::currentLibrary() const { return impl_->runtime.currentLibrary(); }

void Host::setProfileValue(const std::string& section, const std::string& key, const std::string& value) {
  impl_->profile.set(section, key, value);
}

std::string Host::profileValue(const std::string& section, const std::string& key) const {
  return impl_->profile.value(section, key).value_or("");
}

std::int32_t Host::addObject(const std::string& kind, const std::string& name, std::optional<std::int32_t> id) {
  return impl_->runtime.addObject(kind, name, id);
}

std::optional<std::int32_t> Host::objectId(const std::string& name) const { return impl_->runtime.findObject(name); }

Runtime& Host::runtime() { return impl_->runtime; }
Compiler& Host::compiler() { return impl_->compiler; }
HostFrontEnd& Host::frontEnd() { return impl_->frontEnd; }

int Host::livePoolBlocks() const {
  impl_->reap();
  int live = impl_->closedLiveBlocks;
  for (auto& state : impl_->sessions) live += state->pool->liveBlocks();
  return live;
}

void Host::setPoolRefusing(EditorSession& session, bool refusing) {
  if (session.context != nullptr && session.context->pool != nullptr) session.context->pool->setRefusing(refusing);
}

}  // namespace quill
