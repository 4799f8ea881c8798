// Printing of stored structure sources: the system's print dialog (a PDF file
// being one of its choices), Printer Setup's page layout, and a print preview.
#pragma once

#include <QString>

#include <memory>
#include <vector>

#include "quill/front_end.h"

class QPrinter;
class QWidget;

namespace desktop {

class PrintService {
 public:
  PrintService();
  ~PrintService();

  // The printer every print uses, so that Printer Setup's orientation and margins
  // hold for the next print. Where no printer exists it writes PDF files.
  QPrinter& printer();
  // Printer Setup: paper, orientation and margins.
  void setup(QWidget* parent);
  // The system print dialog, then the entries' listings. Returns a line for the
  // status bar saying where they went, or "" when the user cancelled.
  QString print(QWidget* parent, const std::vector<quill::PrintedEntry>& entries);
  // The listings page by page as they would print, with a Print button of their own.
  void preview(QWidget* parent, const std::vector<quill::PrintedEntry>& entries);

 private:
  std::unique_ptr<QPrinter> printer_;
};

// The folder PDF output goes to by default.
QString PdfOutputFolder();

}  // namespace desktop
