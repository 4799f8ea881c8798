// The host's inner state: the module, the open editors with what each one owns,
// the runtime, compiler and profile shared by all of them.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quill/compiler.h"
#include "quill/host.h"
#include "quill/runtime.h"
#include "quill/src/pool.h"
#include "quill/src/profile.h"

namespace quill {

// One editor and everything the host made for it. Freed when its frame goes.
struct SessionState {
  EditorSession session;
  std::unique_ptr<HostPool> pool;
  std::unique_ptr<HostContext> context;
  // The EditorInstance record attached to the editor window, zeroed.
  std::unique_ptr<std::max_align_t[]> instance;
  std::size_t instanceSize = 0;
  void* request = nullptr;          // the open request block in the pool
  bool requestOwnedByHost = false;  // false: the module frees it
  bool creating = true;             // QST_Create is still running
  bool frameGone = false;           // the frame received WM_DESTROY
  bool editorCreated = false;       // the editor window was made
  WNDPROC moduleProc = nullptr;     // the module's procedure of the editor window
};

struct Host::Impl {
  Impl(HostFrontEnd& frontEnd, HostOptions options);

  // The session of a context this host made, or null.
  SessionState* stateOf(const HostContext* context);
  SessionState* stateOfFrame(HWND frame);
  // Ends every session whose frame has been destroyed completely. The frame
  // hears of its destruction before the editor window inside it does, so the
  // session cannot end there: the editor still uses its record, context and
  // pool in its own WM_DESTROY. Called once DestroyWindow has returned, and by
  // every host call that looks at the sessions.
  void reap();
  // Writes an embedded editor's owner group to its library; a failure is shown.
  void writeOwnerGroup(std::int32_t owner);
  // Releases everything the session owns and forgets it.
  void endSession(SessionState& state);
  // The editor named its frame (made, New, loaded, saved): a store since the
  // last such moment is announced in the status line.
  void noteFrameNamed(SessionState& state);
  HFONT gridFont();

  HostFrontEnd& frontEnd;
  HostOptions options;
  Runtime runtime;
  Compiler compiler{runtime};
  Profile profile;

  HINSTANCE module = nullptr;
  ModuleCreateFn create = nullptr;
  WNDPROC main = nullptr;
  bool moduleLoaded = false;  // loaded by us: FreeLibrary at the end
  std::string error;

  std::vector<std::unique_ptr<SessionState>> sessions;
  int closedLiveBlocks = 0;  // blocks left in the pools of editors already closed
  HFONT font = nullptr;
  std::optional<ShellMessage> lastMessage;
};

// The host state behind a context, or null for a context no host made.
Host::Impl* ImplOf(const HostContext* context);
SessionState* SessionOf(const HostContext* context);

}  // namespace quill
