// Starting the desktop program: the host, the module, the profile and the first frame.
#include "application.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include "frame_window.h"
#include "platform/platform.h"
#include "qst/command_ids.h"
#include "qst/context_codes.h"
#include "quill/library.h"
#include "quill/runtime.h"
#include "used_by_list.h"

namespace desktop {
namespace {

// The caller kind an owning object's editor passes when it opens a structure editor.
std::int32_t CallerKindOf(const std::string& kind) {
  if (kind == "window") return kCallerWindow;
  if (kind == "menu") return kCallerMenu;
  if (kind == "function") return kCallerFunction;
  if (kind == "userobject") return kCallerUserObject;
  return 0;
}

}  // namespace

UserFiles PrepareUserFiles(const QString& sampleLibrary) {
  UserFiles files;
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  QDir().mkpath(data);
  QDir().mkpath(config);
  files.library = QDir(data).filePath(QStringLiteral("sample.lib"));
  // The sample itself is never changed: the user works on a copy.
  if (!QFileInfo::exists(files.library) && QFileInfo::exists(sampleLibrary)) {
    QFile::copy(sampleLibrary, files.library);
    QFile(files.library).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  }
  files.profile = QDir(config).filePath(QStringLiteral("quillmaker.ini"));
  if (!QFileInfo::exists(files.profile)) {
    QFile out(files.profile);
    if (out.open(QIODevice::WriteOnly | QIODevice::Text))
      out.write(QStringLiteral("[application]\nDefLib=%1\n").arg(files.library).toLocal8Bit());
  }
  return files;
}

namespace {

// A long structure's Copy, Save and check each take and free blocks of tens of
// megabytes. The C library's default raises its threshold for mapping a block
// of its own each time such a block is freed, so the next ones come from the
// heap and stay there: the program would keep the most it ever used. A fixed
// threshold gives each large block back as it is freed.
void KeepLargeBlocksOutOfTheHeap() {
#if defined(__GLIBC__)
  constexpr int kOwnMappingFrom = 1 << 20;
  mallopt(M_MMAP_THRESHOLD, kOwnMappingFrom);
#endif
}

}  // namespace

Application::Application(const AppOptions& options) : options_(options), recent_(options.profilePath) {
  KeepLargeBlocksOutOfTheHeap();
  qApp->installEventFilter(&placer_);
  qApp->installEventFilter(&focusKeeper_);
  quill::HostOptions hostOptions;
  hostOptions.modulePath = options.modulePath.toStdString();
  hostOptions.profilePath = options.profilePath.toStdString();
  hostOptions.gridFontHeight = options.fontHeight;
  host_ = std::make_unique<quill::Host>(frontEnd_, hostOptions);
  frontEnd_.setHost(host_.get());
}

Application::~Application() {
  delete panel_.data();
  qApp->removeEventFilter(&placer_);
  qApp->removeEventFilter(&focusKeeper_);
  for (FrameWindow* frame : FrameWindow::all()) delete frame;
  frontEnd_.setHost(nullptr);
}

bool Application::start() {
  PlatformSetUserInterface(&frontEnd_);
  if (!host_->loadModule()) {
    error_ = QString::fromStdString(host_->error());
    return false;
  }
  if (!options_.library.isEmpty() && !host_->setCurrentLibrary(options_.library.toStdString())) {
    error_ =
        QStringLiteral("Cannot use the library %1. %2").arg(options_.library, QString::fromStdString(host_->error()));
    return false;
  }
  return true;
}

FrameWindow* Application::adopt(quill::EditorSession* session) {
  if (!session) {
    QMessageBox::warning(nullptr, QStringLiteral("Quillmaker"), QStringLiteral("The editor could not be opened."));
    return nullptr;
  }
  const std::vector<FrameWindow*> earlier = FrameWindow::all();
  auto* frame = new FrameWindow(frontEnd_, *host_, *session);
  // The first window where the user left the last one; the others cascade from it.
  if (!RestoreFrameLayout(frame, earlier.empty()) || !earlier.empty())
    WindowPlacer::Cascade(frame, earlier.empty() ? nullptr : earlier.back());
  connect(frame, &FrameWindow::entryShown, this, [this](const QString& library, const QString& structure) {
    remember({RecentItem::Kind::Structure, library, structure});
    remember({RecentItem::Kind::Library, library, {}});
  });
  connect(frame, &FrameWindow::exitRequested, this, [this] {
    if (closeAll()) QApplication::quit();
  });
  connect(frame, &FrameWindow::printerSetupRequested, this, &Application::showPrinterSetup);
  connect(frame, &FrameWindow::quillPanelRequested, this, &Application::showQuillPanel);
  frame->announceEntry(true);
  frame->show();
  // The pump may close the editor (its first dialog cancelled), and free its session.
  const HWND handle = session->frame;
  frontEnd_.pump();
  return FrameWindow::ofFrame(handle) ? frame : nullptr;
}

// The window already holding a global structure of a library, if any.
FrameWindow* Application::holding(const std::string& library, const std::string& structure) const {
  const QString path = QFileInfo(QString::fromStdString(library)).absoluteFilePath();
  for (FrameWindow* frame : FrameWindow::all()) {
    quill::EditorSession* session = frame->session();
    if (!session || session->contextCode != kContextStandAlone) continue;
    if (QString::fromStdString(host_->editorStructure(*session))
                .compare(QString::fromStdString(structure), Qt::CaseInsensitive) == 0 &&
        QFileInfo(QString::fromStdString(host_->editorLibrary(*session))).absoluteFilePath() == path)
      return frame;
  }
  return nullptr;
}

// A structure open already comes to the front: two editors on one would each save over the other.
FrameWindow* Application::bringToFront(FrameWindow* frame) {
  frame->show();
  frame->raise();
  frame->activateWindow();
  return frame;
}

FrameWindow* Application::newGlobalEditor(const std::optional<QString>& open) {
  std::optional<std::string> name;
  if (open) name = open->toStdString();
  if (name)
    if (FrameWindow* frame = holding(host_->currentLibrary(), *name)) return bringToFront(frame);
  return adopt(host_->createEditor(kContextStandAlone, 0, name, host_->currentLibrary()));
}

FrameWindow* Application::newEmbeddedEditor(const QString& objectName) {
  auto id = host_->objectId(objectName.toStdString());
  if (!id) {
    QMessageBox::warning(nullptr, QStringLiteral("Quillmaker"),
                         QStringLiteral("The library has no object %1.").arg(objectName));
    return nullptr;
  }
  std::string error;
  auto library = quill::Library::open(host_->currentLibrary(), false, &error);
  std::int32_t caller = kCallerWindow;
  if (library)
    if (auto object = library->objectById(*id)) caller = CallerKindOf(object->kind);
  FrameWindow* frame = adopt(host_->createEditor(kContextEmbedded, caller, std::nullopt, "", *id));
  if (frame) {
    const QString libraryPath = QString::fromStdString(host_->currentLibrary());
    remember({RecentItem::Kind::Object, libraryPath, objectName});
    remember({RecentItem::Kind::Library, libraryPath, {}});
  }
  return frame;
}

void Application::remember(const RecentItem& item) {
  RecentItem kept = item;
  kept.library = QFileInfo(item.library).absoluteFilePath();
  recent_.add(kept);
}

// A structure opens in its library at once; an object's local structures and a
// library become the library worked in. A library that is gone leaves the list.
FrameWindow* Application::reopen(const RecentItem& item) {
  if (!QFileInfo::exists(item.library)) {
    QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Quill Panel"),
                         QStringLiteral("The library %1 no longer exists.").arg(item.library));
    recent_.remove(item);
    return nullptr;
  }
  if (item.kind == RecentItem::Kind::Structure) {
    if (FrameWindow* frame = holding(item.library.toStdString(), item.name.toStdString())) return bringToFront(frame);
    return adopt(host_->createEditor(kContextStandAlone, 0, item.name.toStdString(), item.library.toStdString()));
  }
  if (!host_->setCurrentLibrary(item.library.toStdString())) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quill Panel"),
                    QStringLiteral("Cannot use the library %1.").arg(item.library), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setInformativeText(QString::fromStdString(host_->error()));  // why: in use, damaged, not a library
    box.exec();
    return nullptr;
  }
  if (item.kind == RecentItem::Kind::Object) return newEmbeddedEditor(item.name);
  remember(item);
  return newGlobalEditor();
}

bool Application::closeAll() {
  for (FrameWindow* frame : FrameWindow::all()) {
    if (!frame->close()) return false;
  }
  return true;
}

void Application::showPrinterSetup() { frontEnd_.printing().setup(QApplication::activeWindow()); }

namespace {

// A titled list whose label's access key moves to it.
QListWidget* AddList(QDialog* panel, QVBoxLayout* layout, const QString& title, int stretch) {
  auto* list = new QListWidget(panel);
  auto* label = new QLabel(title, panel);
  label->setBuddy(list);
  layout->addWidget(label);
  layout->addWidget(list, stretch);
  return list;
}

}  // namespace

// The program's home: reopen a recent structure or library, start a new
// structure, open one, edit the local structures of an owning object, or open a
// structure of the library from the "used by" lists. It stays open beside the
// editors; showing it again brings it up to date with the recent list.
void Application::showQuillPanel() {
  if (panel_) panel_->close();
  auto* panel = new QDialog(nullptr);
  panel_ = panel;
  panel->setAttribute(Qt::WA_DeleteOnClose);
  panel->setWindowTitle(QStringLiteral("Quill Panel"));
  auto* layout = new QVBoxLayout(panel);
  auto* libraryLabel = new QLabel(QStringLiteral("Library: %1").arg(QString::fromStdString(host_->currentLibrary())));
  libraryLabel->setTextFormat(Qt::PlainText);
  layout->addWidget(libraryLabel);
  QListWidget* recentStructures = AddList(panel, layout, QStringLiteral("&Recent structures:"), 1);
  QListWidget* recentLibraries = AddList(panel, layout, QStringLiteral("Recent &libraries:"), 0);
  auto recent = std::make_shared<std::vector<RecentItem>>();
  for (const RecentItem& item : recent_.items()) {
    auto* entry = new QListWidgetItem(item.label());
    entry->setToolTip(item.library);
    entry->setData(Qt::UserRole, static_cast<int>(recent->size()));
    (item.kind == RecentItem::Kind::Library ? recentLibraries : recentStructures)->addItem(entry);
    recent->push_back(item);
  }
  recentLibraries->setMaximumHeight(recentLibraries->sizeHintForRow(0) * RecentList::kMaxLibraries +
                                    2 * recentLibraries->frameWidth());
  auto* create = new QPushButton(QStringLiteral("&New Structure"), panel);
  auto* open = new QPushButton(QStringLiteral("&Open Structure..."), panel);
  layout->addWidget(create);
  layout->addWidget(open);
  QListWidget* objects = AddList(panel, layout, QStringLiteral("Local structures of an o&bject:"), 1);
  std::string error;
  if (auto library = quill::Library::open(host_->currentLibrary(), false, &error))
    for (const auto& object : library->objects(&error))
      objects->addItem(
          QStringLiteral("%1 (%2)").arg(QString::fromStdString(object.name), QString::fromStdString(object.kind)));
  // A library that cannot be read is not one without objects: say why.
  if (!error.empty()) {
    objects->hide();
    auto* reason = new QLabel(QString::fromStdString(error), panel);
    reason->setWordWrap(true);
    layout->insertWidget(layout->indexOf(objects), reason, 1);
  }
  auto* edit = new QPushButton(QStringLiteral("&Edit Local Structures"), panel);
  layout->addWidget(edit);
  auto* usedBy = new UsedByList(host_->currentLibrary(), panel);
  layout->addWidget(usedBy, 1);
  // A structure of the library opens as itself, a local one with its owner's.
  connect(usedBy, &UsedByList::structureChosen, this, [this](const QString& owner, const QString& name) {
    if (owner.isEmpty())
      newGlobalEditor(name);
    else
      newEmbeddedEditor(owner);
  });
  // One click (or Enter) on a recent entry opens it. A library chosen becomes
  // the one worked in, and the panel shows it.
  auto reopenChosen = [this, recent](QListWidgetItem* entry) {
    if (!entry) return;
    const RecentItem item = (*recent)[static_cast<std::size_t>(entry->data(Qt::UserRole).toInt())];
    const std::string before = host_->currentLibrary();
    reopen(item);
    if (host_->currentLibrary() != before) QTimer::singleShot(0, this, [this] { refreshQuillPanel(); });
  };
  for (QListWidget* list : {recentStructures, recentLibraries}) {
    connect(list, &QListWidget::itemClicked, this, reopenChosen);
    connect(list, &QListWidget::itemActivated, this, reopenChosen);
  }
  connect(create, &QPushButton::clicked, this, [this] {
    if (FrameWindow* frame = newGlobalEditor()) frame->runCommand(CmdNew);
  });
  connect(open, &QPushButton::clicked, this, [this] { newGlobalEditor(); });
  auto editObject = [this, objects] {
    if (!objects->currentItem()) return;
    newEmbeddedEditor(objects->currentItem()->text().section(QLatin1Char(' '), 0, 0));
  };
  connect(edit, &QPushButton::clicked, this, editObject);
  connect(objects, &QListWidget::itemActivated, this, editObject);
  // The keyboard starts at the latest structure, else at Open.
  if (recentStructures->count() > 0) {
    recentStructures->setCurrentRow(0);
    recentStructures->setFocus();
  } else {
    open->setFocus();
  }
  panel->show();
  panel->raise();
  panel->activateWindow();
}

void Application::refreshQuillPanel() {
  if (panel_) showQuillPanel();
}

}  // namespace desktop
