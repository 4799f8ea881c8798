// Printing of stored structure sources: the system's print dialog where printers
// exist, otherwise a PDF file.
#pragma once

#include <QString>

#include <vector>

#include "quill/front_end.h"

class QWidget;

namespace desktop {

// Prints the entries; returns a line for the status bar saying where they went,
// or "" when the user cancelled.
QString PrintEntriesToPrinterOrPdf(QWidget* parent, const std::vector<quill::PrintedEntry>& entries);

// Writes the entries as a PDF file (fixed-pitch source, library, entry name,
// date and page numbers). Returns false when the file cannot be written.
bool WriteEntriesPdf(const QString& path, const std::vector<quill::PrintedEntry>& entries);

// The folder PDF output goes to when no printer exists.
QString PdfOutputFolder();

}  // namespace desktop
