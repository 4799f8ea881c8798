// The host: loads the editor module, makes editors with their frames, pools,
// runtime handles and compiler, and keeps the libraries, profile and objects
// they work with. A front end (the scenario runner, the desktop program) owns
// one Host and gives it its HostFrontEnd.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "qst/host_context.h"
#include "quill/front_end.h"

namespace quill {

class Runtime;
class Compiler;

struct HostOptions {
  std::string modulePath;   // the editor module to load (libqst.so)
  std::string profilePath;  // INI profile; "" for none
  int gridFontHeight = 16;  // character height of the grid font
};

// One open editor as the host keeps it.
struct EditorSession {
  HostContext* context = nullptr;
  HWND frame = nullptr;
  HWND editor = nullptr;
  HWND grid = nullptr;
  HACCEL accelerators = nullptr;
  HMENU menu = nullptr;
  HWND notifyWindow = nullptr;
  std::int32_t contextCode = 0;
  std::int32_t callerKind = 0;
  std::int32_t ownerObject = 0;  // embedded: the owning object
  std::string status;            // the status line's text
  int statusId = 0;              // the string id last shown there
  HICON icon = nullptr;          // the module's icon for the frame
  int preparedMenu = 0;          // the menu number the module announced (ShellPrepareMenu)
  int layoutsPrepared = 0;       // times the module asked for its layouts (LibraryPrepareLayouts)
  std::uint32_t savesSeen = 0;   // stores already announced in the status line
  std::uint32_t loadsSeen = 0;   // loads seen at the last naming
  bool untitled = true;          // named with neither a load nor a store before: a new structure
};

// The last message box shown through ShellMessageBox, for checks.
struct ShellMessage {
  int stringId = 0;
  std::string text;  // the format filled with the arguments
  std::string caption;
  UINT style = 0;
  int answer = 0;
};

// QST_Create's signature, for modules linked into the program.
using ModuleCreateFn = HWND(QST_CALL*)(std::uint32_t, std::int32_t, std::int32_t, void*, HostContext*);

class HOST_API Host {
 public:
  Host(HostFrontEnd& frontEnd, HostOptions options);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Loads the module through the platform's loader. False with a reason in error().
  bool loadModule();
  HINSTANCE module() const;
  const std::string& error() const;
  // Uses a module linked into the program (registered with PlatformRegisterModule)
  // instead of loading one. False when create is null.
  bool useModule(HINSTANCE module, ModuleCreateFn create);

  // ---- Editors -------------------------------------------------------------
  // QST_Create(0, contextCode, callerKind, request, context). For stand-alone with
  // a name, the request names it in library; embedded with an owner, the request
  // holds the owner's id. Returns the session, or null when QST_Create returned 0.
  EditorSession* createEditor(std::int32_t contextCode, std::int32_t callerKind,
                              const std::optional<std::string>& openName = std::nullopt,
                              const std::string& library = "", std::optional<std::int32_t> requestWord = {});
  // The open editors, oldest first.
  std::vector<EditorSession*> editors();
  EditorSession* sessionOfFrame(HWND frame);
  EditorSession* sessionOfEditor(HWND editor);
  // The user closes the frame: WM_CLOSE (or WM_QUERYENDSESSION) to the editor;
  // the frame is destroyed when the answer allows. True when it was closed.
  bool closeFrame(HWND frame, UINT message = WM_CLOSE);
  // A menu item, accelerator or toolbar button: WM_COMMAND (lParam 0) to the editor.
  void command(EditorSession& session, WORD id);
  // The user opens pop-up index of the menu bar: WM_INITMENUPOPUP to the editor.
  void openPopup(EditorSession& session, int index);
  // A key press through the accelerator table; true when it matched an entry.
  bool key(EditorSession& session, int vkey, bool ctrl, bool shift, bool alt);
  // Pumps posted messages until none are left.
  void pump();
  // The editor's answer to HM_QUERYCOMMANDS for selector (a CommandListSelector):
  // the entries it wrote.
  std::vector<WORD> queryCommands(EditorSession& session, int selector);
  // The last message box shown through ShellMessageBox, or null when none was.
  const ShellMessage* lastMessage() const;

  // ---- What an editor holds, as the host sees it --------------------------
  // True when the editor holds changes not yet saved, as it answers HM_QUERYCHANGED.
  bool hasUnsavedChanges(const EditorSession& session);
  // The structure's library: where it came from or was last saved to; for a
  // local structure its owner's; "" for a new global structure.
  std::string editorLibrary(const EditorSession& session);
  // The structure's name as last loaded or saved; "" for a new one.
  std::string editorStructure(const EditorSession& session);

  // ---- Libraries, profile, objects ----------------------------------------
  // The library later steps and the dialogs use by default (created when missing).
  bool setCurrentLibrary(const std::string& path);
  const std::string& currentLibrary() const;
  void setProfileValue(const std::string& section, const std::string& key, const std::string& value);
  std::string profileValue(const std::string& section, const std::string& key) const;
  // An owning object (kind "window", "menu", "userobject" or "function") in the current library.
  std::int32_t addObject(const std::string& kind, const std::string& name, std::optional<std::int32_t> id = {});
  std::optional<std::int32_t> objectId(const std::string& name) const;
  Runtime& runtime();
  Compiler& compiler();
  HostFrontEnd& frontEnd();

  // ---- Pools ----------------------------------------------------------------
  // Live blocks of all editors' pools and of pools of editors already closed.
  int livePoolBlocks() const;
  // The editor's pool refuses every allocation (as when it is full) until this
  // is called again with false. For tests of what the editor does then.
  void setPoolRefusing(EditorSession& session, bool refusing);

  // The host's inner state, for its own C entry points.
  struct Impl;
  Impl& impl();

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace quill
