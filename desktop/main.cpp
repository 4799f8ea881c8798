// quillmaker: the desktop program. Opens a structure editor on a library.
#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstdio>

#include "application.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quillmaker"));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Edit the structures of a library."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("LIBRARY"), QStringLiteral("the library file to work in"));
  QCommandLineOption open(QStringLiteral("open"), QStringLiteral("open the global structure NAME"),
                          QStringLiteral("NAME"));
  QCommandLineOption object(QStringLiteral("object"), QStringLiteral("edit the local structures of object NAME"),
                            QStringLiteral("NAME"));
  QCommandLineOption profile(QStringLiteral("profile"), QStringLiteral("the INI profile to use"),
                             QStringLiteral("FILE"));
  parser.addOptions({open, object, profile});
  parser.process(app);

  const desktop::UserFiles files = desktop::PrepareUserFiles(QStringLiteral(QUILL_SAMPLE_LIBRARY));
  desktop::AppOptions options;
  options.library = parser.positionalArguments().value(0, files.library);
  options.openName = parser.value(open);
  options.objectName = parser.value(object);
  options.profilePath = parser.isSet(profile) ? parser.value(profile) : files.profile;
  options.modulePath = qEnvironmentVariable("QST_MODULE", QStringLiteral(QUILL_MODULE_PATH));

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
