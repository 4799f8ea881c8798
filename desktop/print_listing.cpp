// Laying out stored sources as numbered, column-aligned pages with a header.
#include "print_listing.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace desktop {
namespace {

constexpr int kPointSize = 9;

// A variable line is a tab, the type, tabs and the name; anything else is printed as it stands.
bool SplitVariable(const QString& line, QString* type, QString* name) {
  if (!line.startsWith(QLatin1Char('\t'))) return false;
  const QStringList fields = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
  if (fields.size() != 2) return false;
  *type = fields[0];
  *name = fields[1];
  return true;
}

struct Page {
  const quill::PrintedEntry* entry;
  QStringList lines;
};

std::vector<Page> Paginate(const std::vector<quill::PrintedEntry>& entries, int linesPerPage) {
  std::vector<Page> pages;
  for (const auto& entry : entries) {
    const QStringList lines = SourceListing(entry.text);
    int index = 0;
    do {
      pages.push_back({&entry, lines.mid(index, linesPerPage)});
      index += linesPerPage;
    } while (index < lines.size());
  }
  return pages;
}

}  // namespace

QStringList SourceListing(const std::string& source) {
  QString text = QString::fromLatin1(source.c_str());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
  qsizetype typeWidth = 0;
  QString type, name;
  for (const QString& line : lines)
    if (SplitVariable(line, &type, &name)) typeWidth = std::max(typeWidth, type.size());
  const int numberWidth = static_cast<int>(QString::number(lines.size()).size());
  QStringList listing;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString body = lines[i];
    if (SplitVariable(body, &type, &name))
      body = QStringLiteral("    ") + type.leftJustified(typeWidth) + QStringLiteral("  ") + name;
    else
      body.replace(QLatin1Char('\t'), QStringLiteral("    "));
    listing << QStringLiteral("%1  %2").arg(i + 1, numberWidth).arg(body);
  }
  return listing;
}

void PaintListings(QPagedPaintDevice& device, const std::vector<quill::PrintedEntry>& entries,
                   const QDateTime& printed) {
  QPainter painter(&device);
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setStyleHint(QFont::TypeWriter);
  mono.setPointSize(kPointSize);
  QFont bold = mono;
  bold.setBold(true);
  const QFontMetrics metrics(mono, &device);
  const int line = metrics.lineSpacing();
  // The painter starts at the page's margins: the printable area is the page.
  const QRect area(0, 0, device.width(), device.height());
  const int headerHeight = line * 3;
  const int linesPerPage = std::max(1, (area.height() - headerHeight) / line);
  const std::vector<Page> pages = Paginate(entries, linesPerPage);
  // As the open dialog shows modification times.
  const QString date = printed.toString(QStringLiteral("yyyy-MM-dd hh:mm"));
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) device.newPage();
    const Page& page = pages[p];
    const QString library =
        page.entry->library.empty() ? QStringLiteral("(no library)") : QString::fromStdString(page.entry->library);
    painter.setFont(bold);
    const QRect first(area.left(), area.top(), area.width(), line);
    const QRect second = first.translated(0, line);
    painter.drawText(first, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Library: ") + library);
    painter.drawText(first, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size()));
    painter.drawText(second, Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Entry: ") + QString::fromStdString(page.entry->entry));
    painter.drawText(second, Qt::AlignRight | Qt::AlignVCenter, date);
    const int rule = area.top() + line * 2 + line / 2;
    painter.drawLine(area.left(), rule, area.right(), rule);
    painter.setFont(mono);
    int y = area.top() + headerHeight;
    for (const QString& text : page.lines) {
      painter.drawText(QRect(area.left(), y, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter, text);
      y += line;
    }
  }
}

}  // namespace desktop
