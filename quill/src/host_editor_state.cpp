// What the host tells of an editor: whether it holds unsaved changes (the
// editor's own answer), and the structure and library it last loaded or
// stored through its runtime handle.
#include "qst/context_codes.h"
#include "qst/host_shell.h"
#include "quill/src/host_impl.h"

namespace quill {

void Host::Impl::noteFrameNamed(SessionState& state) {
  EditorSession& session = state.session;
  const Runtime::Trail trail = runtime.trail(state.context->runtime);
  const bool loaded = trail.loads != session.loadsSeen;
  const bool saved = trail.saves != session.savesSeen;
  // Named with nothing loaded or stored since the last time: made empty, or New.
  session.untitled = !loaded && !saved;
  session.loadsSeen = trail.loads;
  if (!saved) return;
  session.savesSeen = trail.saves;
  // Comes after the module put its status line back at the end of the save.
  session.status = "Saved " + trail.structure + " to " + trail.savedTo;
  frontEnd.setStatus(session.editor, session.status);
}

// Only the editor knows which changes count: an inserted empty row or a second
// press on a selected row header changes the grid but not the structure.
bool Host::hasUnsavedChanges(const EditorSession& session) {
  return IsWindow(session.editor) && SendMessageA(session.editor, HM_QUERYCHANGED, 0, 0) != 0;
}

std::string Host::editorLibrary(const EditorSession& session) {
  const Runtime::Trail trail = impl_->runtime.trail(session.context != nullptr ? session.context->runtime : nullptr);
  if (!session.untitled && !trail.library.empty()) return trail.library;
  // A local structure not yet loaded or saved lives with its owner, in the library worked in.
  return session.contextCode != kContextStandAlone ? currentLibrary() : std::string();
}

std::string Host::editorStructure(const EditorSession& session) {
  if (session.untitled) return {};
  return impl_->runtime.trail(session.context != nullptr ? session.context->runtime : nullptr).structure;
}

}  // namespace quill
