// The printed form of stored structure sources: each entry's lines numbered, the
// variables' types and names in aligned columns of a fixed-pitch font, under a
// header with library, entry, date and page numbers.
#pragma once

#include <QDateTime>
#include <QStringList>

#include <vector>

#include "quill/front_end.h"

class QPagedPaintDevice;

namespace desktop {

// One entry's listing lines.
QStringList SourceListing(const std::string& source);

// Paints the entries on the device's pages (already started by the caller's
// printer or writer), each entry from a new page; printed is the date in the header.
void PaintListings(QPagedPaintDevice& device, const std::vector<quill::PrintedEntry>& entries,
                   const QDateTime& printed);

}  // namespace desktop
