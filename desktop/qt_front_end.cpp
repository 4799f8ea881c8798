// The host's front end in Qt: message boxes, dialogs, cursor, clipboard and status line.
#include "qt_front_end.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <utility>

#include "frame_window.h"
#include "grid_view.h"
#include "library_dialogs.h"
#include "platform/platform.h"
#include "quill/host.h"
#include "quill/runtime.h"
#include "replace_question.h"

namespace desktop {
namespace {

// A box asked while a dialog is open belongs over that dialog, where the user is.
QWidget* OwnerWidget(HWND owner) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (FrameWindow* frame = FrameWindowOf(owner)) return frame;
  return QApplication::activeWindow();
}

struct ButtonSpec {
  QMessageBox::StandardButton button;
  int id;
};

std::vector<ButtonSpec> ButtonsOf(UINT style) {
  switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNOCANCEL: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
  }
}

QMessageBox::Icon IconOf(UINT style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

FrameWindow* FrameWindowOf(HWND anyWindow) {
  for (HWND w = anyWindow; w; w = GetParent(w))
    if (FrameWindow* frame = FrameWindow::ofFrame(w)) return frame;
  return nullptr;
}

QtFrontEnd::QtFrontEnd() {
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { takeSystemClipboard(); });
  takeSystemClipboard();
}

FrameWindow* QtFrontEnd::frameOf(HWND anyWindow) const { return FrameWindowOf(anyWindow); }

int QtFrontEnd::messageBox(HWND owner, const std::string& text, const std::string& caption, UINT style) {
  return detailedMessageBox(owner, text, {}, caption, style);
}

// The detail (why something failed) goes under the text as the box's informative text.
int QtFrontEnd::detailedMessageBox(HWND owner, const std::string& text, const std::string& detail,
                                   const std::string& caption, UINT style) {
  QWidget* parent = OwnerWidget(owner);
  // A box without a caption of its own is titled as the window it belongs to.
  QString title = QString::fromLatin1(caption.c_str());
  if (title.isEmpty() && parent) title = parent->window()->windowTitle().remove(QStringLiteral("[*]"));
  QMessageBox box(IconOf(style), title, QString::fromLatin1(text.c_str()), QMessageBox::NoButton, parent);
  if (!detail.empty()) box.setInformativeText(QString::fromStdString(detail));
  const auto buttons = ButtonsOf(style);
  for (const auto& spec : buttons) box.addButton(spec.button);
  const std::size_t defaultIndex = (style & MB_DEFMASK) >> 8;
  if (defaultIndex < buttons.size()) box.setDefaultButton(buttons[defaultIndex].button);
  endWaitCursor();
  const int answer = box.exec();
  for (const auto& spec : buttons)
    if (spec.button == answer) return spec.id;
  return (style & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}

bool QtFrontEnd::askReplace(const std::string& question, const std::vector<std::string>& differences) {
  QStringList lines;
  for (const std::string& line : differences) lines << QString::fromLatin1(line.c_str());
  endWaitCursor();
  return AskReplace(OwnerWidget(nullptr), QStringLiteral("Save Structure"), QString::fromLatin1(question.c_str()),
                    lines);
}

// A question waits for the user, not the user for the program.
void QtFrontEnd::endWaitCursor() {
  QApplication::restoreOverrideCursor();
  waitCursorShown_ = false;
}

void QtFrontEnd::beep(UINT) { QApplication::beep(); }

SHORT QtFrontEnd::asyncKeyState(int vkey) {
  const Qt::KeyboardModifiers mods =
      eventModifiers_ >= 0 ? Qt::KeyboardModifiers(eventModifiers_) : QGuiApplication::queryKeyboardModifiers();
  bool down = false;
  if (vkey == VK_SHIFT) down = mods & Qt::ShiftModifier;
  if (vkey == VK_CONTROL) down = mods & Qt::ControlModifier;
  if (vkey == VK_MENU) down = mods & Qt::AltModifier;
  return down ? static_cast<SHORT>(0x8000) : 0;
}

void QtFrontEnd::cursorChanged(HCURSOR cursor) {
  const bool wait = cursor == LoadCursorA(nullptr, IDC_WAIT);
  if (wait && !waitCursorShown_) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    waitCursorShown_ = true;
  } else if (!wait && waitCursorShown_) {
    QApplication::restoreOverrideCursor();
    waitCursorShown_ = false;
  }
}

// A grid reports every row it changes, so one command may report a million
// changes: each is only noted here, and shown once.
void QtFrontEnd::windowChanged(HWND hwnd) {
  if (std::find(changedWindows_.begin(), changedWindows_.end(), hwnd) == changedWindows_.end())
    changedWindows_.push_back(hwnd);
  if (showScheduled_) return;
  showScheduled_ = true;
  QTimer::singleShot(0, this, [this] { showChangedWindows(); });
}

void QtFrontEnd::pump() {
  if (host_) host_->pump();
  showChangedWindows();
}

void QtFrontEnd::showChangedWindows() {
  showScheduled_ = false;
  const std::vector<HWND> changed = std::exchange(changedWindows_, {});
  std::vector<QPointer<FrameWindow>> frames;
  for (HWND hwnd : changed)
    if (FrameWindow* frame = frameOf(hwnd); frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
      frames.emplace_back(frame);
  for (const QPointer<FrameWindow>& frame : frames) {
    // A title refresh may run code that closes a window; show only those still there.
    if (!frame) continue;
    // Title and unsaved-changes mark follow the frame's text and the grid's rows.
    frame->refreshTitle();
    frame->gridView()->viewport()->update();
  }
}

void QtFrontEnd::windowDestroyed(HWND hwnd) {
  if (FrameWindow* frame = FrameWindow::ofFrame(hwnd)) frame->frameDestroyed();
}

// ModifyMenuA and EnableMenuItem show at once, in the menu bar and the toolbar.
void QtFrontEnd::menuChanged(HMENU) {
  for (FrameWindow* frame : FrameWindow::all()) frame->refreshMenuStates();
}

// Rows cut in the editor paste as text into other programs, and the other way round.
// Row text is nearly always ASCII, whose bytes are the same in UTF-8: Qt then
// gets the bytes as they are, one copy instead of twice their size in UTF-16.
void QtFrontEnd::clipboardChanged(std::string_view text) {
  auto* mime = new QMimeData;
  // One pass without an early way out, which the compiler makes wide.
  unsigned char bits = 0;
  for (const char c : text) bits |= static_cast<unsigned char>(c);
  if (bits < 0x80)
    mime->setData(QStringLiteral("text/plain"), QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  else
    mime->setText(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  mimeSet_ = mime;
  settingClipboard_ = true;
  QGuiApplication::clipboard()->setMimeData(mime);
  settingClipboard_ = false;
}

void QtFrontEnd::takeSystemClipboard() {
  if (settingClipboard_) return;
  // Where the system tells of our own change later, the data is still the one
  // set (a million rows are tens of megabytes: not worth reading back to compare).
  if (mimeSet_ && QGuiApplication::clipboard()->mimeData() == mimeSet_) return;
  mimeSet_ = nullptr;
  const QString text = QGuiApplication::clipboard()->text();
  std::string current;
  if (PlatformClipboardText(&current) && QString::fromLatin1(current.c_str()) == text) return;
  PlatformClipboardFromOutside(text.isNull() ? nullptr : text.toLatin1().constData());
  for (FrameWindow* frame : FrameWindow::all()) frame->syncCommandStates();  // Paste follows the clipboard
}

void QtFrontEnd::messagesPosted() { pumpSoon(); }

void QtFrontEnd::pumpSoon() {
  if (pumpScheduled_) return;
  pumpScheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    pumpScheduled_ = false;
    pump();
    for (FrameWindow* frame : FrameWindow::all()) {
      frame->gridView()->gridChanged();
      frame->syncCommandStates();
    }
  });
}

EntryLister QtFrontEnd::entryLister() {
  return [this](const std::string& library, QString* error) {
    std::string reason;
    auto found = host_->runtime().listEntries(library, &reason);
    if (!reason.empty()) *error = QString::fromStdString(reason);
    return found;
  };
}

GlobalOpenChoice QtFrontEnd::openEntryDialog(HWND owner, const std::string& defaultLibrary,
                                             const std::vector<quill::LibraryEntryInfo>& entries) {
  OpenEntryDialog dialog(OwnerWidget(owner), QString::fromStdString(defaultLibrary), entries, entryLister());
  dialog.exec();
  return dialog.choice();
}

// The reason the library could not be listed stands where its entries would.
GlobalOpenChoice QtFrontEnd::unlistedOpenEntryDialog(HWND owner, const std::string& library,
                                                     const std::string& listError) {
  OpenEntryDialog dialog(OwnerWidget(owner), QString::fromStdString(library), {}, entryLister());
  dialog.showListError(QString::fromStdString(listError));
  dialog.exec();
  return dialog.choice();
}

EmbeddedOpenChoice QtFrontEnd::openLocalTypeDialog(HWND owner, const std::string& ownerName,
                                                   const std::vector<std::string>& localTypes) {
  OpenLocalTypeDialog dialog(OwnerWidget(owner), QString::fromStdString(ownerName), localTypes);
  dialog.exec();
  EmbeddedOpenChoice choice{};
  choice.action = dialog.action();
  CopyField(choice.name, sizeof choice.name, dialog.name().toStdString());
  return choice;
}

GlobalSaveChoice QtFrontEnd::saveEntryDialog(HWND owner, const std::string& initialName,
                                             const std::string& initialLibrary) {
  return checkedSaveEntryDialog(owner, initialName, initialLibrary, {});
}

// The library a save dialog starts in: for Save As (a name given) the structure's
// own; for a new structure the library this editor last loaded from or saved to,
// else the default library, else the library being worked in.
std::string QtFrontEnd::saveLibraryFor(HWND owner, const std::string& initialName,
                                       const std::string& initialLibrary) const {
  if (!host_ || (!initialName.empty() && !initialLibrary.empty())) return initialLibrary;
  FrameWindow* frame = frameOf(owner);
  quill::EditorSession* session = frame ? frame->session() : nullptr;
  if (session && session->context) {
    const quill::Runtime::Trail trail = host_->runtime().trail(session->context->runtime);
    if (!trail.library.empty()) return trail.library;
  }
  return initialLibrary.empty() ? host_->currentLibrary() : initialLibrary;
}

// The comment stored with a structure, "" for one not (or no longer) in the library.
QString QtFrontEnd::storedComment(const std::string& name, const std::string& library) const {
  if (!host_ || name.empty() || library.empty()) return {};
  std::string error;
  for (const quill::LibraryEntryInfo& entry : host_->runtime().listEntries(library, &error))
    if (QString::fromStdString(entry.name).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
      return QString::fromStdString(entry.comment);
  return {};
}

// The dialog stays open while the user declines to replace an entry.
GlobalSaveChoice QtFrontEnd::checkedSaveEntryDialog(HWND owner, const std::string& initialName,
                                                    const std::string& initialLibrary,
                                                    const quill::SaveChoiceCheck& check) {
  const std::string library = saveLibraryFor(owner, initialName, initialLibrary);
  SaveEntryDialog dialog(OwnerWidget(owner), QString::fromStdString(initialName), QString::fromStdString(library),
                         storedComment(initialName, library), check);
  dialog.exec();
  return dialog.choice();
}

EmbeddedSaveChoice QtFrontEnd::saveLocalTypeDialog(HWND owner, const std::string& ownerName,
                                                   const std::string& initialName) {
  SaveLocalTypeDialog dialog(OwnerWidget(owner), QString::fromStdString(ownerName),
                             QString::fromStdString(initialName));
  dialog.exec();
  return dialog.choice();
}

void QtFrontEnd::showCompileErrors(HWND grid, const std::vector<quill::CompileError>& errors) {
  if (FrameWindow* frame = frameOf(grid)) frame->showCompileErrors(errors);
}

void QtFrontEnd::setStatus(HWND editorWindow, const std::string& text) {
  if (FrameWindow* frame = frameOf(editorWindow)) frame->setStatusText(QString::fromLatin1(text.c_str()));
}

void QtFrontEnd::print(HWND frame, const std::vector<quill::PrintedEntry>& printed) {
  // A local structure's entry names no library: its header names its owner's.
  std::vector<quill::PrintedEntry> entries = printed;
  FrameWindow* window = frameOf(frame);
  quill::EditorSession* session = window ? window->session() : nullptr;
  for (auto& entry : entries)
    if (entry.library.empty() && session && host_) entry.library = host_->editorLibrary(*session);
  if (printPreview_) {
    printing_.preview(OwnerWidget(frame), entries);
    return;
  }
  const QString where = printing_.print(OwnerWidget(frame), entries);
  if (FrameWindow* after = frameOf(frame); after && !where.isEmpty()) after->setStatusText(where);
}

void QtFrontEnd::refreshCommands(HWND editorWindow) {
  if (FrameWindow* frame = frameOf(editorWindow)) frame->refreshMenuStates();
}

}  // namespace desktop
