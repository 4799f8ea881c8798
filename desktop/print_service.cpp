#include "print_service.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace desktop {
namespace {

// Lays the entries out page by page on any paged device: a heading with library,
// entry and date, the source in a fixed-pitch font, the page number at the foot.
void RenderEntries(QPagedPaintDevice& device, const std::vector<quill::PrintedEntry>& entries) {
  QPainter painter(&device);
  QFont mono(QStringLiteral("Monospace"));
  mono.setStyleHint(QFont::TypeWriter);
  mono.setPointSize(10);
  QFont heading = mono;
  heading.setBold(true);
  const QRect page = painter.viewport();
  const QString date = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"));
  int pageNumber = 0;
  bool firstPage = true;
  for (const auto& entry : entries) {
    const QString source = QString::fromLatin1(entry.text.c_str()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = source.split(QLatin1Char('\n'));
    int index = 0;
    do {
      if (!firstPage) device.newPage();
      firstPage = false;
      ++pageNumber;
      painter.setFont(heading);
      const int lineHeight = QFontMetrics(mono, &device).height();
      int y = lineHeight;
      painter.drawText(0, y, QStringLiteral("%1  %2").arg(QString::fromStdString(entry.library.empty() ? "-" : entry.library),
                                                       QString::fromStdString(entry.entry)));
      painter.drawText(page.width() - QFontMetrics(heading, &device).horizontalAdvance(date), y, date);
      y += lineHeight * 2;
      painter.setFont(mono);
      const int bottom = page.height() - lineHeight * 2;
      for (; index < lines.size() && y < bottom; ++index, y += lineHeight) {
        QString line = lines[index];
        line.replace(QLatin1Char('\t'), QStringLiteral("    "));
        painter.drawText(0, y, line);
      }
      painter.drawText(QRect(0, page.height() - lineHeight, page.width(), lineHeight), Qt::AlignCenter,
                       QStringLiteral("Page %1").arg(pageNumber));
    } while (index < lines.size());
  }
}

}  // namespace

QString PdfOutputFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  QDir().mkpath(folder);
  return folder;
}

bool WriteEntriesPdf(const QString& path, const std::vector<quill::PrintedEntry>& entries) {
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setResolution(300);
  writer.setTitle(entries.empty() ? QString() : QString::fromStdString(entries.front().entry));
  RenderEntries(writer, entries);
  return QFileInfo(path).size() > 0;
}

QString PrintEntriesToPrinterOrPdf(QWidget* parent, const std::vector<quill::PrintedEntry>& entries) {
  if (entries.empty()) return {};
  if (!QPrinterInfo::availablePrinters().isEmpty()) {
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return {};
    RenderEntries(printer, entries);
    return QStringLiteral("Printed on %1").arg(printer.printerName());
  }
  QString name = QString::fromStdString(entries.front().entry);
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  const QString path = QDir(PdfOutputFolder()).filePath(name + QStringLiteral(".pdf"));
  if (!WriteEntriesPdf(path, entries)) return QStringLiteral("Could not write %1").arg(path);
  return QStringLiteral("No printer: written to %1").arg(path);
}

}  // namespace desktop
