// Making an editor and ending it: the HostContext, the pool, the open request,
// and everything released when the editor's frame goes.
#include <algorithm>
#include <cstring>

#include "platform/platform.h"
#include "qst/context_codes.h"
#include "qst/grid_engine.h"
#include "quill/src/host_impl.h"

namespace quill {
namespace {

constexpr std::int32_t kStandAlone = kContextStandAlone;

// The open request in the editor's pool: a stand-alone request names the
// structure and its library; otherwise its first 32-bit word is the owner's id.
// Made at least as large as a stand-alone request whatever the setting, so a
// module that reads it as one never reads past the block.
void* BuildRequest(HostPool& pool, const std::optional<std::string>& openName, const std::string& library,
                   std::optional<std::int32_t> requestWord) {
  if (!openName && !requestWord) return nullptr;
  auto* request = static_cast<OpenRequest*>(PoolAlloc(&pool, sizeof(OpenRequest), 0));
  if (request == nullptr) return nullptr;
  if (requestWord) {
    std::memcpy(request, &*requestWord, sizeof(std::int32_t));
  } else {
    CopyBounded(*openName, request->structureName, sizeof request->structureName);
    CopyBounded(library, request->libraryName, sizeof request->libraryName);
  }
  return request;
}

}  // namespace

EditorSession* Host::createEditor(std::int32_t contextCode, std::int32_t callerKind,
                                  const std::optional<std::string>& openName, const std::string& library,
                                  std::optional<std::int32_t> requestWord) {
  Impl& impl = *impl_;
  impl.reap();
  if (impl.create == nullptr) {
    impl.error = "no editor module loaded";
    return nullptr;
  }
  auto owned = std::make_unique<SessionState>();
  SessionState& state = *owned;
  state.pool = std::make_unique<HostPool>();
  state.context = std::make_unique<HostContext>();
  HostContext& context = *state.context;
  context.host = this;
  context.pool = state.pool.get();
  context.runtime = impl.runtime.openHandle(state.pool.get());
  context.compiler = impl.compiler.openHandle(context.runtime);
  state.session.context = &context;
  state.session.contextCode = contextCode;
  state.session.callerKind = callerKind;
  if (requestWord && contextCode != kStandAlone) state.session.ownerObject = *requestWord;
  state.request = BuildRequest(*state.pool, openName, library.empty() ? currentLibrary() : library, requestWord);
  // A stand-alone editor frees the request it was given; any other keeps it.
  state.requestOwnedByHost = contextCode != kStandAlone;
  impl.sessions.push_back(std::move(owned));

  HWND frame = impl.create(0, contextCode, callerKind, state.request, &context);
  state.creating = false;
  if (frame == nullptr || state.frameGone) {
    // The module made nothing it keeps; a request it failed on was not taken either.
    if (frame == nullptr) state.requestOwnedByHost = true;
    if (IsWindow(state.session.frame)) DestroyWindow(state.session.frame);
    impl.endSession(state);
    impl.error = "the editor module could not create an editor";
    return nullptr;
  }
  // The grid is the editor window's child of the grid class; front ends show and
  // drive it. The module's instance record is its own business.
  if (IsWindow(state.session.editor))
    state.session.grid = FindWindowExA(state.session.editor, nullptr, kGridControlClass, nullptr);
  return &state.session;
}

bool Host::closeFrame(HWND frame, UINT message) {
  SessionState* state = impl_->stateOfFrame(frame);
  if (state == nullptr) return false;
  HWND editor = state->session.editor;
  LRESULT answer = IsWindow(editor) ? SendMessageA(editor, message, 0, 0) : 0;
  if (answer == 0 && IsWindow(frame)) DestroyWindow(frame);
  impl_->reap();
  return !IsWindow(frame);
}

void Host::Impl::reap() {
  for (std::size_t i = 0; i < sessions.size();) {
    SessionState& state = *sessions[i];
    if (state.frameGone && !state.creating && !IsWindow(state.session.frame)) {
      endSession(state);  // removes it from the list
    } else {
      ++i;
    }
  }
}

void Host::Impl::writeOwnerGroup(std::int32_t owner) {
  const std::string name = runtime.objectName(owner);
  if (name.empty()) return;  // an owner the library does not know has nothing stored
  std::string writeError;
  if (runtime.writeObjectGroup(owner, &writeError)) return;
  // The structures are still only in memory: the user must hear of it, and why.
  error = "The structures of " + name + " could not be written to the library.";
  runtime.takeLibraryFailure();
  PlatformSetMessageDetail(writeError.c_str());
  MessageBoxA(nullptr, error.c_str(), "Quillmaker", MB_OK | MB_ICONEXCLAMATION);
}

void Host::Impl::endSession(SessionState& state) {
  EditorSession& session = state.session;
  // An embedded editor's saves reached the library as they were made; a
  // structure stored in the owner's group by other means is written now, or it
  // is lost with the editor.
  if (session.contextCode != kStandAlone && session.ownerObject != 0 && state.editorCreated) {
    writeOwnerGroup(session.ownerObject);
  }
  // A stand-alone editor releases its runtime handle itself; ending an ended
  // handle again does nothing, so every other case is covered here.
  runtime.closeHandle(state.context->runtime);
  compiler.closeHandle(state.context->compiler);
  if (state.requestOwnedByHost && state.request != nullptr && state.pool->owns(state.request)) {
    PoolFree(state.pool.get(), state.request);
  }
  if (session.accelerators != nullptr) DestroyAcceleratorTable(session.accelerators);
  if (session.menu != nullptr) DestroyMenu(session.menu);
  closedLiveBlocks += state.pool->liveBlocks();
  auto it = std::find_if(sessions.begin(), sessions.end(), [&](auto& s) { return s.get() == &state; });
  if (it != sessions.end()) sessions.erase(it);
}

}  // namespace quill
