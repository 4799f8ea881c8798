// quillmaker: the desktop program. Opens a structure editor on a library.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>
#include <cstring>

#include "application.h"

namespace {

// An installed program finds the module and the sample relative to itself, so
// that it runs under any prefix; one run from the build folder finds nothing
// there and uses the files the build made.
QString InstalledOrBuilt(const char* fromProgram, const char* built) {
  const QString installed = QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(fromProgram));
  return QFileInfo::exists(installed) ? QDir::cleanPath(installed) : QString::fromUtf8(built);
}

}  // namespace

int main(int argc, char** argv) {
  // Answered before Qt starts, so that it works without a display.
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("quillmaker %s\n", QUILL_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillmaker"));
  QApplication::setApplicationVersion(QStringLiteral(QUILL_VERSION));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Edit the structures of a library."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("LIBRARY"), QStringLiteral("the library file to work in"));
  QCommandLineOption open(QStringLiteral("open"), QStringLiteral("open the global structure NAME"),
                          QStringLiteral("NAME"));
  QCommandLineOption object(QStringLiteral("object"), QStringLiteral("edit the local structures of object NAME"),
                            QStringLiteral("NAME"));
  QCommandLineOption profile(QStringLiteral("profile"), QStringLiteral("the INI profile to use"),
                             QStringLiteral("FILE"));
  parser.addOptions({open, object, profile});
  parser.process(app);

  const desktop::UserFiles files = desktop::PrepareUserFiles(
      InstalledOrBuilt(QUILL_DATA_FROM_PROGRAM "/sample.lib", QUILL_SAMPLE_LIBRARY));
  desktop::AppOptions options;
  options.library = parser.positionalArguments().value(0, files.library);
  options.openName = parser.value(open);
  options.objectName = parser.value(object);
  options.profilePath = parser.isSet(profile) ? parser.value(profile) : files.profile;
  options.modulePath = qEnvironmentVariable(
      "QST_MODULE", InstalledOrBuilt(QUILL_LIBRARIES_FROM_PROGRAM "/libqst.so", QUILL_MODULE_PATH));

  desktop::Application quill(options);
  if (!quill.start()) {
    std::fprintf(stderr, "quillmaker: %s\n", quill.error().toLocal8Bit().constData());
    return 1;
  }
  // Without a structure to open the program starts at its home, the Quill Panel;
  // it ends when its last window closes.
  if (!options.objectName.isEmpty()) {
    if (!quill.newEmbeddedEditor(options.objectName)) return 0;
  } else if (!options.openName.isEmpty()) {
    if (!quill.newGlobalEditor(options.openName)) return 0;
  } else {
    quill.showQuillPanel();
  }
  return app.exec();
}
