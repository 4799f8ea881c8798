// One editor's frame: menus, toolbar, status bar and grid, kept in step with the editor.
#include "frame_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <map>
#include <utility>

#include "find_bar.h"
#include "grid_view.h"
#include "live_check.h"
#include "platform/resources.h"
#include "qst/command_ids.h"
#include "qst/context_codes.h"
#include "qst/grid_engine.h"
#include "qst/host_shell.h"
#include "qst/string_ids.h"
#include "qt_front_end.h"
#include "quill/compiler.h"
#include "quill/grid_sheet.h"
#include "quill/host.h"
#include "window_placement.h"

namespace desktop {
namespace {

constexpr int kEditMenuIndex = 1;  // the editor keeps the states of its second pop-up

std::map<HWND, FrameWindow*>& Registry() {
  static std::map<HWND, FrameWindow*> frames;
  return frames;
}

QString ModuleString(HINSTANCE module, UINT id) {
  char buffer[256] = {};
  LoadStringA(module, id, buffer, sizeof buffer);
  return QString::fromLatin1(buffer);
}

QString MenuText(HMENU menu, UINT item, UINT flags) {
  char buffer[256] = {};
  GetMenuStringA(menu, item, buffer, sizeof buffer, flags);
  return QString::fromLatin1(buffer);
}

// One error as the compile-error panel lists it.
QString ErrorText(const quill::RowError& error) {
  const QString where = error.row != 0 ? QStringLiteral("Row %1").arg(error.row) : QStringLiteral("Structure");
  const QString variable =
      error.variable.empty() ? QString() : QString::fromStdString(error.variable) + QStringLiteral(": ");
  return QStringLiteral("%1: %2%3").arg(where, variable, QString::fromStdString(error.message));
}

QIcon ModuleIcon(HINSTANCE module) {
  const ResourceIcon* icon = PlatformIconPixels(LoadIconA(module, MAKEINTRESOURCEA(kEditorIcon)));
  if (!icon || !icon->pixels) return {};
  const QImage image(reinterpret_cast<const uchar*>(icon->pixels), icon->width, icon->height, QImage::Format_ARGB32);
  // Pixel art: each pixel becomes a square at whole multiples (as the installed
  // SVG draws it), so the icon stays sharp on screens of two or three times the density.
  QIcon sharp;
  for (int times = 1; times <= 4; ++times)
    sharp.addPixmap(QPixmap::fromImage(image.scaled(icon->width * times, icon->height * times, Qt::IgnoreAspectRatio,
                                                    Qt::FastTransformation)));
  return sharp;
}

}  // namespace

FrameWindow::FrameWindow(QtFrontEnd& frontEnd, quill::Host& host, quill::EditorSession& session)
    : frontEnd_(frontEnd), host_(host), frame_(session.frame), editor_(session.editor) {
  setAttribute(Qt::WA_DeleteOnClose);
  Registry()[frame_] = this;
  menuBar_ = GetMenu(frame_);
  gridView_ = new GridView(frontEnd_, *this, session.grid);
  setCentralWidget(gridView_);
  setWindowIcon(ModuleIcon(host_.module()));
  buildMenus();
  buildToolbar();
  liveCheck_ =
      new LiveCheck(host_, *this, [this](std::vector<quill::RowError> errors) { showRowErrors(std::move(errors)); });
  liveCheck_->setParent(this);
  findBar_ = new FindBar(this);
  addToolBar(Qt::BottomToolBarArea, findBar_);
  connect(findBar_, &FindBar::findRequested, this, &FrameWindow::find);
  connect(findBar_, &FindBar::closed, gridView_, [this] { gridView_->setFocus(); });
  statusBar()->showMessage(QStringLiteral("Ready"));
  refreshTitle();
  syncCommandStates();
  resize(720, 480);
}

FrameWindow::~FrameWindow() {
  Registry().erase(frame_);
  if (!platformGone_ && IsWindow(frame_)) DestroyWindow(frame_);
}

FrameWindow* FrameWindow::ofFrame(HWND frame) {
  auto it = Registry().find(frame);
  return it == Registry().end() ? nullptr : it->second;
}

std::vector<FrameWindow*> FrameWindow::all() {
  std::vector<FrameWindow*> frames;
  for (auto& [hwnd, window] : Registry()) frames.push_back(window);
  return frames;
}

quill::EditorSession* FrameWindow::session() const { return host_.sessionOfFrame(frame_); }

void FrameWindow::refreshTitle() {
  char title[256] = {};
  GetWindowTextA(frame_, title, sizeof title);
  QString text = QString::fromLatin1(title);
  auto* s = session();
  const QString library = s ? QString::fromStdString(host_.editorLibrary(*s)) : QString();
  if (!library.isEmpty()) text += QStringLiteral(" - ") + QFileInfo(library).fileName();
  setWindowTitle(text + QStringLiteral("[*]"));
  refreshUnsavedMark();
  keepStatusToItsStructure();
  if (liveCheck_) liveCheck_->rowsMayHaveChanged();
  announceEntry(false);
}

void FrameWindow::refreshUnsavedMark() {
  auto* s = session();
  setWindowModified(s && host_.hasUnsavedChanges(*s));
}

void FrameWindow::announceEntry(bool again) {
  auto* s = session();
  if (!s || s->contextCode != kContextStandAlone) return;
  const QString library = QString::fromStdString(host_.editorLibrary(*s));
  const QString structure = QString::fromStdString(host_.editorStructure(*s));
  if (structure.isEmpty() || library.isEmpty()) return;
  const QString entry = library + QLatin1Char('\n') + structure;
  if (entry == shownEntry_ && !again) return;
  shownEntry_ = entry;
  emit entryShown(library, structure);
}

// One QMenu a pop-up; items are refreshed from the platform menu whenever it opens,
// after the editor has had its WM_INITMENUPOPUP.
void FrameWindow::buildMenus() {
  if (!menuBar_) return;
  const int count = GetMenuItemCount(menuBar_);
  for (int index = 0; index < count; ++index) {
    HMENU popup = GetSubMenu(menuBar_, index);
    QMenu* menu = menuBar()->addMenu(MenuText(menuBar_, index, MF_BYPOSITION));
    fillPopup(menu, popup);
    if (index == 0) addPrintPreview(menu);
    connect(menu, &QMenu::aboutToShow, this, [this, index] {
      if (auto* s = session()) host_.openPopup(*s, index);
      refreshMenuStates();
    });
  }
}

void FrameWindow::fillPopup(QMenu* menu, HMENU popup) {
  const int count = GetMenuItemCount(popup);
  for (int pos = 0; pos < count; ++pos) {
    const UINT state = GetMenuState(popup, pos, MF_BYPOSITION);
    if (state & MF_SEPARATOR) {
      menu->addSeparator();
      continue;
    }
    const WORD id = static_cast<WORD>(GetMenuItemID(popup, pos));
    QAction* action = menu->addAction(MenuText(popup, pos, MF_BYPOSITION));
    action->setData(id);
    action->setEnabled(!(state & (MF_GRAYED | MF_DISABLED)));
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
  }
}

// Print Preview goes under Print, and is there when Print is.
void FrameWindow::addPrintPreview(QMenu* fileMenu) {
  const QList<QAction*> items = fileMenu->actions();
  for (int i = 0; i < items.size(); ++i) {
    if (items[i]->data().toUInt() != CmdPrint) continue;
    auto* preview = new QAction(QStringLiteral("Print Pre&view..."), fileMenu);
    preview->setData(CmdPrintPreview);
    fileMenu->insertAction(i + 1 < items.size() ? items[i + 1] : nullptr, preview);
    connect(preview, &QAction::triggered, this, [this] { runCommand(CmdPrintPreview); });
    return;
  }
}

void FrameWindow::refreshMenuStates() {
  if (!IsWindow(frame_)) return;
  for (QAction* top : menuBar()->actions()) {
    QMenu* menu = top->menu();
    if (!menu) continue;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) continue;
      const UINT id = action->data().toUInt();
      if (id == CmdPrintPreview) {
        const UINT print = GetMenuState(menuBar_, CmdPrint, MF_BYCOMMAND);
        action->setEnabled(print != static_cast<UINT>(-1) && !(print & (MF_GRAYED | MF_DISABLED)));
        continue;
      }
      action->setText(MenuText(menuBar_, id, MF_BYCOMMAND));
      const UINT state = GetMenuState(menuBar_, id, MF_BYCOMMAND);
      action->setEnabled(state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED)));
    }
  }
  refreshToolbar();
}

// The toolbar is the host's: the editor only says which commands it shows.
void FrameWindow::buildToolbar() {
  toolBar_ = addToolBar(QStringLiteral("Commands"));
  toolBar_->setMovable(false);
  WORD ids[32] = {};
  const int count =
      static_cast<int>(SendMessageA(editor_, HM_QUERYCOMMANDS, QueryToolbar, reinterpret_cast<LPARAM>(ids)));
  WORD lastDescription[4] = {};
  SendMessageA(editor_, HM_QUERYCOMMANDS, QueryLastCommandString, reinterpret_cast<LPARAM>(lastDescription));
  for (int i = 0; i < count && i < 32; ++i) {
    const WORD id = ids[i];
    if (id == kCommandSeparator) {
      toolBar_->addSeparator();
      continue;
    }
    const bool last = i == count - 1;
    const UINT textId = last && lastDescription[0] ? lastDescription[0] : id;
    QString label = ModuleString(host_.module(), CommandLabel(static_cast<CommandId>(textId)));
    label = label.section(QLatin1Char(','), 0, 0);  // "Insert,Insert Row": the short form
    QAction* action = toolBar_->addAction(label);
    const QString tip = ModuleString(host_.module(), textId);
    action->setToolTip(tip.isEmpty() ? label : tip);
    // A reader says what the button does, as the tooltip shows it.
    if (QWidget* button = toolBar_->widgetForAction(action)) {
      button->setAccessibleName(label);
      button->setAccessibleDescription(action->toolTip());
    }
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    toolActions_.emplace_back(id, action);
  }
  refreshToolbar();
}

void FrameWindow::syncCommandStates() {
  auto* s = session();
  if (s && IsWindow(editor_)) refreshUnsavedMark();
  // Inside a dialog the editor is busy with a command of its own; it refreshes at its end.
  if (!s || syncing_ || !IsWindow(editor_) || QApplication::activeModalWidget()) return;
  syncing_ = true;
  host_.openPopup(*s, kEditMenuIndex);
  syncing_ = false;
  refreshMenuStates();
}

void FrameWindow::refreshToolbar() {
  if (!menuBar_ || !IsWindow(frame_)) return;
  for (auto& [id, action] : toolActions_) {
    const UINT state = GetMenuState(menuBar_, id, MF_BYCOMMAND);
    action->setEnabled(state == static_cast<UINT>(-1) || !(state & (MF_GRAYED | MF_DISABLED)));
  }
}

// A message says something about now: it goes after a while, at the next key in
// the grid, and when the window comes to hold another structure.
void FrameWindow::setStatusText(const QString& text) {
  constexpr int kShownMs = 10000;
  statusBar()->showMessage(text, kShownMs);
  statusFresh_ = true;
}

void FrameWindow::clearStatusText() { statusBar()->clearMessage(); }

QString FrameWindow::heldEntry() const {
  auto* s = session();
  return s ? QString::fromStdString(host_.editorLibrary(*s)) + QLatin1Char('\n') +
                 QString::fromStdString(host_.editorStructure(*s))
           : QString();
}

// The command that showed a message may also have named the structure (a save):
// the message belongs to the structure held once the title follows.
void FrameWindow::keepStatusToItsStructure() {
  const QString entry = heldEntry();
  if (statusFresh_)
    statusEntry_ = entry;
  else if (entry != statusEntry_)
    clearStatusText();
  statusFresh_ = false;
}

void FrameWindow::startFind() { findBar_->start(); }

void FrameWindow::findAgain(bool forward) {
  if (findBar_->field()->text().isEmpty())
    startFind();
  else
    find(findBar_->field()->text(), forward);
}

void FrameWindow::find(const QString& text, bool forward) {
  quill::GridSheet* sheet = gridView_->sheet();
  if (!sheet) return;
  const auto found = FindVariable(*sheet, text.toLatin1().toStdString(), sheet->currentRow(), forward);
  if (!found) {
    setStatusText(QStringLiteral("No variable name or type contains \"%1\".").arg(text));
    return;
  }
  gridView_->goTo(found->row, found->column);
  setStatusText(QStringLiteral("Row %1%2")
                    .arg(found->row)
                    .arg(found->wrapped
                             ? (forward ? QStringLiteral(" (from the top)") : QStringLiteral(" (from the bottom)"))
                             : QString()));
}

void FrameWindow::showEditMenu(QPoint at) {
  syncCommandStates();
  QMenu menu(this);
  menu.addActions(menuBar()->actions().at(kEditMenuIndex)->menu()->actions());
  menu.exec(at);
}

void FrameWindow::showCompileErrors(const std::vector<quill::CompileError>& errors) {
  // Line 1 is the header; each later line is the next row that holds a variable.
  // The rows are read only as far as the last line with an error.
  int lastLine = 0;
  for (const auto& error : errors) lastLine = std::max(lastLine, error.line);
  std::vector<std::uint32_t> variableRows;
  if (quill::GridSheet* sheet = gridView_->sheet())
    for (std::uint32_t row = 1; row <= sheet->rowCount() && static_cast<int>(variableRows.size()) < lastLine - 1; ++row)
      if (!sheet->cellText(row, ColName).empty() && !sheet->cellText(row, ColType).empty()) variableRows.push_back(row);
  std::vector<quill::RowError> byRow;
  for (const auto& error : errors) {
    const auto index = static_cast<std::size_t>(error.line) - 2;
    const std::uint32_t row = error.line >= 2 && index < variableRows.size() ? variableRows[index] : 0;
    byRow.push_back({row, error.variable, error.message});
  }
  if (byRow.empty()) {
    showRowErrors({});
    return;
  }
  QString structure = QString::fromStdString(host_.compiler().lastStructure());
  if (structure.isEmpty())
    if (auto* s = session()) structure = QString::fromStdString(host_.editorStructure(*s));
  refusedSave_ = RefusedSave{structure.isEmpty() ? QStringLiteral("The structure") : structure, std::move(byRow)};
  // Told at the end of the command that saved, whichever way it came; this
  // is for a way that does not say when it is over.
  QTimer::singleShot(0, this, &FrameWindow::reportRefusedSave);
}

void FrameWindow::reportRefusedSave() {
  if (!refusedSave_) return;
  RefusedSave refused = std::move(*refusedSave_);
  refusedSave_.reset();
  const std::size_t count = refused.errors.size();
  const quill::RowError first = refused.errors.front();
  const QString text = QStringLiteral("%1 was not saved: the compiler found %2 %3.")
                           .arg(refused.structure)
                           .arg(count)
                           .arg(count == 1 ? QStringLiteral("error") : QStringLiteral("errors"));
  // The editor put the status line back when its save ended: this comes after.
  setStatusText(text);
  char caption[256] = {};
  GetWindowTextA(frame_, caption, sizeof caption);
  frontEnd_.detailedMessageBox(frame_, text.toStdString(), ErrorText(first).toStdString(), caption,
                               MB_OK | MB_ICONEXCLAMATION);
  if (!ofFrame(frame_)) return;
  showRowErrors(std::move(refused.errors));
  errorList_->setCurrentRow(0);
  if (first.row != 0) gridView_->goTo(first.row, ColName);
  gridView_->setFocus();
  setStatusText(text);
}

void FrameWindow::showRowErrors(std::vector<quill::RowError> errors) {
  if (errors.empty()) {
    gridView_->setRowErrors({});
    if (errorDock_) {
      errorList_->clear();
      if (errorDock_->isVisible()) RememberFrameLayout(this, errorDock_->height());
      errorDock_->hide();
    }
    return;
  }
  fillErrorList(errors);
  gridView_->setRowErrors(std::move(errors));  // a million of them are handed over, not copied
  if (errorDock_->isVisible()) return;
  errorDock_->show();
  // As high as the user left it, yet never more than a third of the window as it opens.
  const int kept = RememberedErrorPanelHeight();
  const int height = std::min(kept > 0 ? kept : errorDock_->sizeHint().height(), this->height() / 3);
  resizeDocks({errorDock_}, {height}, Qt::Vertical);
}

void FrameWindow::fillErrorList(const std::vector<quill::RowError>& errors) {
  if (!errorDock_) {
    errorDock_ = new QDockWidget(QStringLiteral("Compile errors"), this);
    errorList_ = new QListWidget(errorDock_);
    errorList_->setAccessibleName(QStringLiteral("Compile errors"));
    errorDock_->setWidget(errorList_);
    addDockWidget(Qt::BottomDockWidgetArea, errorDock_);
    connect(errorList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
      const auto row = item->data(Qt::UserRole).toUInt();
      if (row != 0) gridView_->goTo(row, ColName);
      gridView_->setFocus();
    });
  }
  errorList_->clear();
  // The marks show every error; the list stops where no one would read on.
  constexpr std::size_t kListedErrors = 500;
  for (const auto& error : errors) {
    if (static_cast<std::size_t>(errorList_->count()) == kListedErrors) {
      errorList_->addItem(QStringLiteral("... and %1 more").arg(errors.size() - kListedErrors));
      break;
    }
    auto* item = new QListWidgetItem(ErrorText(error));
    item->setData(Qt::UserRole, error.row);
    errorList_->addItem(item);
  }
}

void FrameWindow::frameDestroyed() {
  platformGone_ = true;
  close();
}

bool FrameWindow::translateAccelerator(int vkey, Qt::KeyboardModifiers modifiers) {
  auto* s = session();
  if (!s || !s->accelerators || vkey == 0) return false;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool alt = modifiers & Qt::AltModifier;
  ACCEL entries[64];
  const int count = CopyAcceleratorTableA(s->accelerators, entries, 64);
  for (int i = 0; i < count; ++i) {
    const ACCEL& a = entries[i];
    if (a.key != vkey || bool(a.fVirt & FCONTROL) != ctrl || bool(a.fVirt & FSHIFT) != shift ||
        bool(a.fVirt & FALT) != alt)
      continue;
    // The host's own commands: the editor leaves them alone.
    if (a.cmd == CmdQuillPanel || a.cmd == CmdPrinterSetup || a.cmd == CmdExit) {
      runCommand(a.cmd);
      return true;
    }
    break;
  }
  const bool matched = host_.key(*s, vkey, ctrl, shift, alt);
  frontEnd_.pump();
  if (FrameWindow* self = ofFrame(frame_)) self->reportRefusedSave();
  return matched;
}

void FrameWindow::runCommand(WORD id) {
  switch (id) {
    case CmdExit: emit exitRequested(); return;
    case CmdPrinterSetup: emit printerSetupRequested(); return;
    case CmdQuillPanel: emit quillPanelRequested(); return;
    case CmdPrintPreview:
      // The editor prints as for Print (asking to save first); the front end shows it.
      frontEnd_.setPrintPreview(true);
      runCommand(CmdPrint);
      frontEnd_.setPrintPreview(false);
      return;
    default:
      if (auto* s = session()) host_.command(*s, id);
      frontEnd_.pump();
      // The command may have closed the editor and with it this window.
      if (FrameWindow* self = ofFrame(frame_)) {
        self->syncCommandStates();
        self->refreshTitle();
        self->reportRefusedSave();
      }
  }
}

// Closing the window is the user's close request: the editor may ask to save,
// and the window stays when it refuses.
void FrameWindow::closeEvent(QCloseEvent* event) {
  if (platformGone_ || !IsWindow(frame_)) {
    event->accept();
    return;
  }
  if (host_.closeFrame(frame_)) {
    platformGone_ = true;
    RememberFrameLayout(this, errorDock_ && errorDock_->isVisible() ? errorDock_->height() : 0);
    event->accept();
  } else {
    event->ignore();
  }
  frontEnd_.pump();
  // The close question's Yes may have saved, and the compiler refused it.
  if (!platformGone_) reportRefusedSave();
}

}  // namespace desktop
