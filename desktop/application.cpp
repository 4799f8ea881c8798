#include "application.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "frame_window.h"
#include "platform/platform.h"
#include "quill/library.h"
#include "quill/runtime.h"
#include "used_by_list.h"

namespace desktop {
namespace {

constexpr std::int32_t kStandAlone = 1022;
constexpr std::int32_t kEmbedded = 1023;

// The caller kind an owning object's editor passes when it opens a structure editor.
std::int32_t CallerKindOf(const std::string& kind) {
  if (kind == "window") return 1013;
  if (kind == "menu") return 1014;
  if (kind == "function") return 1018;
  if (kind == "userobject") return 1024;
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

Application::Application(const AppOptions& options) : options_(options) {
  quill::HostOptions hostOptions;
  hostOptions.modulePath = options.modulePath.toStdString();
  hostOptions.profilePath = options.profilePath.toStdString();
  hostOptions.gridFontHeight = options.fontHeight;
  host_ = std::make_unique<quill::Host>(frontEnd_, hostOptions);
  frontEnd_.setHost(host_.get());
}

Application::~Application() {
  for (FrameWindow* frame : FrameWindow::all()) delete frame;
  frontEnd_.setHost(nullptr);
}

bool Application::start() {
  PlatformSetFrontEnd(&frontEnd_);
  if (!host_->loadModule()) {
    error_ = QString::fromStdString(host_->error());
    return false;
  }
  if (!options_.library.isEmpty() && !host_->setCurrentLibrary(options_.library.toStdString())) {
    error_ = QStringLiteral("Cannot use the library %1.").arg(options_.library);
    return false;
  }
  return true;
}

FrameWindow* Application::adopt(quill::EditorSession* session) {
  if (!session) {
    QMessageBox::warning(nullptr, QStringLiteral("Quillmaker"), QStringLiteral("The editor could not be opened."));
    return nullptr;
  }
  auto* frame = new FrameWindow(frontEnd_, *host_, *session);
  connect(frame, &FrameWindow::exitRequested, this, [this] {
    if (closeAll()) QApplication::quit();
  });
  connect(frame, &FrameWindow::printerSetupRequested, this, &Application::showPrinterSetup);
  connect(frame, &FrameWindow::quillPanelRequested, this, &Application::showQuillPanel);
  frame->show();
  host_->pump();
  return FrameWindow::ofFrame(session->frame) ? frame : nullptr;
}

FrameWindow* Application::newGlobalEditor(const std::optional<QString>& open) {
  std::optional<std::string> name;
  if (open) name = open->toStdString();
  return adopt(host_->createEditor(kStandAlone, 0, name, host_->currentLibrary()));
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
  std::int32_t caller = 1013;
  if (library)
    if (auto object = library->objectById(*id)) caller = CallerKindOf(object->kind);
  return adopt(host_->createEditor(kEmbedded, caller, std::nullopt, "", *id));
}

bool Application::closeAll() {
  for (FrameWindow* frame : FrameWindow::all()) {
    if (!frame->close()) return false;
  }
  return true;
}

void Application::showPrinterSetup() {
  if (!printer_) printer_ = std::make_unique<QPrinter>();
  QPageSetupDialog dialog(printer_.get(), QApplication::activeWindow());
  dialog.exec();
}

// A small panel to start a new structure, open one, or edit the local structures
// of an owning object of the library.
void Application::showQuillPanel() {
  QDialog panel(QApplication::activeWindow());
  panel.setWindowTitle(QStringLiteral("Quill Panel"));
  auto* layout = new QVBoxLayout(&panel);
  layout->addWidget(new QLabel(QStringLiteral("Library: %1").arg(QString::fromStdString(host_->currentLibrary()))));
  auto* create = new QPushButton(QStringLiteral("&New Structure"), &panel);
  auto* open = new QPushButton(QStringLiteral("&Open Structure..."), &panel);
  layout->addWidget(create);
  layout->addWidget(open);
  layout->addWidget(new QLabel(QStringLiteral("Local structures of an object:")));
  auto* objects = new QListWidget(&panel);
  std::string error;
  if (auto library = quill::Library::open(host_->currentLibrary(), false, &error))
    for (const auto& object : library->objects())
      objects->addItem(QStringLiteral("%1 (%2)").arg(QString::fromStdString(object.name),
                                                     QString::fromStdString(object.kind)));
  layout->addWidget(objects, 1);
  // A library that cannot be read is not one without objects: say why.
  if (!error.empty()) {
    objects->hide();
    auto* reason = new QLabel(QString::fromStdString(error), &panel);
    reason->setWordWrap(true);
    layout->insertWidget(layout->indexOf(objects), reason, 1);
  }
  auto* edit = new QPushButton(QStringLiteral("&Edit Local Structures"), &panel);
  layout->addWidget(edit);
  layout->addWidget(new UsedByList(host_->currentLibrary(), &panel), 1);
  connect(create, &QPushButton::clicked, &panel, [&] {
    panel.accept();
    if (FrameWindow* frame = newGlobalEditor()) frame->runCommand(1450);
  });
  connect(open, &QPushButton::clicked, &panel, [&] {
    panel.accept();
    newGlobalEditor();
  });
  auto editObject = [&] {
    if (!objects->currentItem()) return;
    const QString name = objects->currentItem()->text().section(QLatin1Char(' '), 0, 0);
    panel.accept();
    newEmbeddedEditor(name);
  };
  connect(edit, &QPushButton::clicked, &panel, editObject);
  connect(objects, &QListWidget::itemActivated, &panel, editObject);
  panel.exec();
}

}  // namespace desktop
