// quill-mime-type FILE...: the file type of each FILE as a file manager finds it
// in the shared MIME database of $XDG_DATA_DIRS, one name a line.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  const QMimeDatabase database;
  for (const QString& file : QCoreApplication::arguments().mid(1)) out << database.mimeTypeForFile(file).name() << '\n';
  return 0;
}
