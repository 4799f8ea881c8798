// The print dialog, page setup and preview around the printed listing.
#include "print_service.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include "print_listing.h"

namespace desktop {
namespace {

QString PdfNameFor(const std::vector<quill::PrintedEntry>& entries) {
  QString name = QFileInfo(QString::fromStdString(entries.front().entry)).completeBaseName();
  name.replace(QLatin1Char('/'), QLatin1Char('_'));
  return QDir(PdfOutputFolder()).filePath(name + QStringLiteral(".pdf"));
}

}  // namespace

PrintService::PrintService() = default;
PrintService::~PrintService() = default;

QString PdfOutputFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = QDir::homePath();
  QDir().mkpath(folder);
  return folder;
}

QPrinter& PrintService::printer() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *printer_;
}

void PrintService::setup(QWidget* parent) {
  QPageSetupDialog dialog(&printer(), parent);
  dialog.setWindowTitle(QStringLiteral("Printer Setup"));
  dialog.exec();
}

QString PrintService::print(QWidget* parent, const std::vector<quill::PrintedEntry>& entries) {
  if (entries.empty()) return {};
  QPrinter& device = printer();
  // Without a printer the dialog's choice is a PDF file, by default in the
  // Documents folder, named after the entry.
  if (QPrinterInfo::availablePrinters().isEmpty()) device.setOutputFormat(QPrinter::PdfFormat);
  if (device.outputFormat() == QPrinter::PdfFormat) device.setOutputFileName(PdfNameFor(entries));
  device.setDocName(QString::fromStdString(entries.front().entry));
  QPrintDialog dialog(&device, parent);
  dialog.setWindowTitle(QStringLiteral("Print"));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
  if (dialog.exec() != QDialog::Accepted) return {};
  PaintListings(device, entries, QDateTime::currentDateTime());
  if (device.outputFormat() == QPrinter::PdfFormat) {
    if (!QFileInfo(device.outputFileName()).isFile())
      return QStringLiteral("Could not write %1").arg(device.outputFileName());
    return QStringLiteral("Printed to %1").arg(device.outputFileName());
  }
  return QStringLiteral("Printed on %1").arg(device.printerName());
}

void PrintService::preview(QWidget* parent, const std::vector<quill::PrintedEntry>& entries) {
  if (entries.empty()) return;
  QPrinter& device = printer();
  if (device.outputFormat() == QPrinter::PdfFormat) device.setOutputFileName(PdfNameFor(entries));
  QPrintPreviewDialog dialog(&device, parent);
  dialog.setWindowTitle(QStringLiteral("Print Preview - %1").arg(QString::fromStdString(entries.front().entry)));
  const QDateTime now = QDateTime::currentDateTime();
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&entries, now](QPrinter* target) { PaintListings(*target, entries, now); });
  dialog.resize(760, 620);
  dialog.exec();
}

}  // namespace desktop
