// What the host tells of an editor from what it sees of it: the grid's changes
// since the editor last held what the library holds, and the structure and
// library it last loaded or stored through its runtime handle.
#include "qst/context_codes.h"
#include "quill/grid_sheet.h"
#include "quill/src/host_impl.h"

namespace quill {
namespace {

std::uint64_t GenerationOf(HWND grid) {
  const GridSheet* sheet = GridSheet::fromWindow(grid);
  return sheet != nullptr ? sheet->contentGeneration() : 0;
}

}  // namespace

void Host::Impl::markClean(SessionState& state) {
  EditorSession& session = state.session;
  session.cleanGeneration = GenerationOf(session.grid);
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

bool Host::hasUnsavedChanges(const EditorSession& session) {
  return session.grid != nullptr && GenerationOf(session.grid) != session.cleanGeneration;
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
