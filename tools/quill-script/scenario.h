// One scenario file while it runs: its host, front end, editors and the
// host's notify window.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "headless_front_end.h"
#include "instance_fields.h"
#include "library_conditions.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"
#include "script_words.h"
#include "step.h"

namespace script {

// Live blocks of the host's pools and of global memory.
struct BlockCounts {
  int pool = 0;
  int global = 0;
};

class Scenario {
 public:
  Scenario(const RunOptions& options, std::ostream& out);
  ~Scenario();
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;

  std::ostream& out() { return out_; }
  bool verbose() const { return options_.verbose; }
  HeadlessFrontEnd& frontEnd() { return frontEnd_; }

  // The host, started (module loaded) at the first step that needs it.
  // Throws StepFailure when the module cannot be loaded.
  quill::Host& host();
  // The host when it was started, else null.
  quill::Host* startedHost() { return host_.get(); }
  // The grid font's character height. Before any editor exists the host is
  // restarted with it, keeping the library and profile values set so far.
  void setFontHeight(int height);
  void setLibrary(const std::string& path);
  void setProfileValue(const std::string& section, const std::string& key, const std::string& value);
  // How long the host waits for a library another connection holds (kept when
  // the host is restarted).
  void setBusyTimeout(int milliseconds);
  // Locks, file-size limit, read-only files and rights; undone at the end.
  LibraryConditions& conditions() { return conditions_; }

  // ---- Editors -------------------------------------------------------------
  void noteCreated(HWND frame);
  bool anyEditorCreated() const { return !createdFrames_.empty(); }
  // The most recently created editor that is still open, or null.
  quill::EditorSession* currentSession();
  // The same, or a StepFailure when no editor is open.
  quill::EditorSession& session();
  HWND lastCreatedFrame() const { return createdFrames_.empty() ? nullptr : createdFrames_.back(); }
  // The editor that `expect closed` and `expect open` ask about: the one the
  // latest acting step worked on (a close that ends it included), or the one
  // created last when that came later.
  void noteActedOn(HWND frame) { actedOn_ = frame; }
  HWND actedOnFrame() const { return actedOn_; }
  // The open editor's fields, read through the module's test interface.
  EditorFields editorFields();
  quill::GridSheet& grid();

  // ---- The host's notify window, which counts HM_EDITORCLOSED ---------------
  HWND notifyWindow();
  int notifiedCount() const { return notified_; }
  HWND existingNotifyWindow() const { return notifyWindow_; }

  // The block counts `expect blocks` compares with; zero until noted.
  void noteBlocks(BlockCounts counts) { notedBlocks_ = counts; }
  BlockCounts notedBlocks() const { return notedBlocks_; }

  // The handles a field of the current editor's record may name.
  KnownHandles handles();

  // Ends the file: fails when answers are left over, closes the editors still
  // open without asking, and fails when pool blocks outlive their editors.
  std::optional<StepFailure> finish();
  // Destroys the editors still open without asking and runs what that posts.
  void closeEditors();

 private:
  void startHost();

  RunOptions options_;
  std::ostream& out_;
  HeadlessFrontEnd frontEnd_;
  std::unique_ptr<quill::Host> host_;
  int fontHeight_ = 16;
  std::optional<std::string> library_;
  std::optional<int> busyTimeout_;
  LibraryConditions conditions_;
  std::vector<std::pair<std::pair<std::string, std::string>, std::string>> profile_;
  std::vector<HWND> createdFrames_;
  HWND actedOn_ = nullptr;
  HWND notifyWindow_ = nullptr;
  int notified_ = 0;
  BlockCounts notedBlocks_;
};

}  // namespace script
