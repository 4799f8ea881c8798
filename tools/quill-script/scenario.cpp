// One running scenario: its host, editors and the fields it reads.
#include "scenario.h"

#include <ostream>

#include "platform/platform.h"
#include "qst/host_shell.h"
#include "quill/runtime.h"

namespace script {
namespace {

constexpr const char* kNotifyClass = "QuillScriptNotify";

// The host's notify window: counts the HM_EDITORCLOSED it receives in the int
// its user data points to.
LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == HM_EDITORCLOSED) {
    if (auto* count = reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA))) ++*count;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

Scenario::Scenario(const RunOptions& options, std::ostream& out) : options_(options), out_(out) {
  PlatformSetUserInterface(&frontEnd_);
}

Scenario::~Scenario() {
  host_.reset();
  if (notifyWindow_) DestroyWindow(notifyWindow_);
  PlatformSetUserInterface(nullptr);
}

void Scenario::startHost() {
  quill::HostOptions hostOptions;
  hostOptions.modulePath = options_.modulePath;
  hostOptions.gridFontHeight = fontHeight_;
  PlatformSetUserInterface(&frontEnd_);
  host_ = std::make_unique<quill::Host>(frontEnd_, hostOptions);
  if (!host_->loadModule()) {
    std::string reason = host_->error();
    host_.reset();
    throw StepFailure{"the module " + Quote(options_.modulePath) + " to load", reason};
  }
  if (busyTimeout_) host_->runtime().setBusyTimeout(*busyTimeout_);
  if (library_ && !host_->setCurrentLibrary(*library_))
    throw StepFailure{"library " + Quote(*library_) + " to open", "it could not be opened or created"};
  for (const auto& [where, value] : profile_) host_->setProfileValue(where.first, where.second, value);
}

quill::Host& Scenario::host() {
  if (!host_) startHost();
  return *host_;
}

void Scenario::setFontHeight(int height) {
  if (anyEditorCreated()) throw StepFailure{"font before the first create", "an editor already created"};
  fontHeight_ = height;
  if (host_) {
    host_.reset();
    startHost();
  }
}

void Scenario::setLibrary(const std::string& path) {
  if (!host().setCurrentLibrary(path))
    throw StepFailure{"library " + Quote(path) + " to open", "it is not a library or cannot be created"};
  library_ = path;
}

void Scenario::setProfileValue(const std::string& section, const std::string& key, const std::string& value) {
  host().setProfileValue(section, key, value);
  profile_.push_back({{section, key}, value});
}

void Scenario::setBusyTimeout(int milliseconds) {
  host().runtime().setBusyTimeout(milliseconds);
  busyTimeout_ = milliseconds;
}

void Scenario::noteCreated(HWND frame) {
  createdFrames_.push_back(frame);
  actedOn_ = frame;
}

quill::EditorSession* Scenario::currentSession() {
  if (!host_) return nullptr;
  for (auto it = createdFrames_.rbegin(); it != createdFrames_.rend(); ++it) {
    if (quill::EditorSession* session = host_->sessionOfFrame(*it)) return session;
  }
  return nullptr;
}

quill::EditorSession& Scenario::session() {
  quill::EditorSession* session = currentSession();
  if (!session) throw StepFailure{"an open editor", createdFrames_.empty() ? "none created" : "all closed"};
  return *session;
}

EditorFields Scenario::editorFields() {
  // Through a plain function pointer type: GetProcAddress's own type has no parameters.
  auto read = reinterpret_cast<QST_ReadEditorFieldsFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(host().module(), kReadEditorFieldsExport)));
  if (!read) throw StepFailure{"a module with the test interface", "none"};
  EditorFields fields{};
  if (!read(session().editor, &fields)) throw StepFailure{"an instance record on the editor window", "none"};
  return fields;
}

quill::GridSheet& Scenario::grid() {
  HWND window = editorFields().gridWindow;
  if (!window) window = session().grid;
  quill::GridSheet* sheet = quill::GridSheet::fromWindow(window);
  if (!sheet) throw StepFailure{"a grid control in the editor", "none"};
  return *sheet;
}

KnownHandles Scenario::handles() {
  quill::EditorSession& editor = session();
  HMENU bar = editor.menu ? editor.menu : GetMenu(editor.frame);
  return KnownHandles{editor.frame,       editor.editor, editorFields().gridWindow, notifyWindow_, GetSubMenu(bar, 0),
                      GetSubMenu(bar, 1), editor.context};
}

HWND Scenario::notifyWindow() {
  if (notifyWindow_) return notifyWindow_;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = NotifyProc;
  windowClass.lpszClassName = kNotifyClass;
  RegisterClassA(&windowClass);  // fails harmlessly when registered by an earlier file
  notifyWindow_ = CreateWindowExA(0, kNotifyClass, "notify", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (!notifyWindow_) throw StepFailure{"a notify window", "CreateWindowExA failed"};
  SetWindowLongPtrA(notifyWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notified_));
  return notifyWindow_;
}

std::optional<StepFailure> Scenario::finish() {
  if (!frontEnd_.pendingAnswers().empty()) {
    const Answer& left = frontEnd_.pendingAnswers().front();
    return StepFailure{"every answer taken by a dialog or message box", "this one still queued when the file ended",
                       left.line};
  }
  if (!host_) return std::nullopt;
  closeEditors();
  if (std::optional<FrontEndProblem> problem = frontEnd_.takeProblem())
    return StepFailure{problem->expected + " while the editors closed", problem->got};
  if (int live = host_->livePoolBlocks(); live != 0)
    return StepFailure{"no pool block left once the editors closed", std::to_string(live) + " still live"};
  return std::nullopt;
}

void Scenario::closeEditors() {
  if (!host_) return;
  for (quill::EditorSession* session : host_->editors()) DestroyWindow(session->frame);
  host_->pump();
}

}  // namespace script
