// Reading and rewriting the [recent] section of the user's profile.
#include "recent_list.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace desktop {
namespace {

const QString kSection = QStringLiteral("recent");

QString KindWord(RecentItem::Kind kind) {
  switch (kind) {
    case RecentItem::Kind::Structure: return QStringLiteral("structure");
    case RecentItem::Kind::Object: return QStringLiteral("object");
    case RecentItem::Kind::Library: break;
  }
  return QStringLiteral("library");
}

bool IsSectionHeader(const QByteArray& line) { return line.trimmed().startsWith('['); }

bool IsOurSection(const QByteArray& line) {
  return QString::fromLatin1(line.trimmed())
             .compare(QLatin1Char('[') + kSection + QLatin1Char(']'), Qt::CaseInsensitive) == 0;
}

// "ItemN=KIND [NAME] PATH": names hold no blanks, paths may.
std::optional<RecentItem> ParseItem(const QString& value) {
  const QString kind = value.section(QLatin1Char(' '), 0, 0);
  RecentItem item;
  int pathField = 2;
  if (kind == QLatin1String("library")) {
    item.kind = RecentItem::Kind::Library;
    pathField = 1;
  } else if (kind == QLatin1String("structure") || kind == QLatin1String("object")) {
    item.kind = kind == QLatin1String("object") ? RecentItem::Kind::Object : RecentItem::Kind::Structure;
    item.name = value.section(QLatin1Char(' '), 1, 1);
  } else {
    return std::nullopt;
  }
  item.library = value.section(QLatin1Char(' '), pathField);
  if (item.library.isEmpty() || (item.kind != RecentItem::Kind::Library && item.name.isEmpty())) return std::nullopt;
  return item;
}

QString ItemValue(const RecentItem& item) {
  if (item.kind == RecentItem::Kind::Library) return KindWord(item.kind) + QLatin1Char(' ') + item.library;
  return KindWord(item.kind) + QLatin1Char(' ') + item.name + QLatin1Char(' ') + item.library;
}

// The profile's lines as bytes: lines of other sections are written back unchanged.
QByteArrayList ProfileLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QByteArrayList lines = file.readAll().split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

bool RecentItem::operator==(const RecentItem& other) const {
  return kind == other.kind && library == other.library && name.compare(other.name, Qt::CaseInsensitive) == 0;
}

QString RecentItem::label() const {
  const QString file = QFileInfo(library).fileName();
  switch (kind) {
    case Kind::Structure: return QStringLiteral("%1 (%2)").arg(name, file);
    case Kind::Object: return QStringLiteral("%1: local structures (%2)").arg(name, file);
    case Kind::Library: break;
  }
  return QStringLiteral("%1 (%2)").arg(file, QFileInfo(library).absolutePath());
}

RecentList::RecentList(QString profilePath) : path_(std::move(profilePath)) {}

QList<RecentItem> RecentList::items() const {
  if (path_.isEmpty()) return unsaved_;
  QList<RecentItem> items;
  bool inSection = false;
  for (const QByteArray& line : ProfileLines(path_)) {
    if (IsSectionHeader(line)) {
      inSection = IsOurSection(line);
      continue;
    }
    if (!inSection) continue;
    const qsizetype equals = line.indexOf('=');
    if (equals < 0) continue;
    const QString value = QFile::decodeName(line.mid(equals + 1).trimmed());
    if (auto item = ParseItem(value); item && !items.contains(*item)) items << *item;
  }
  return items;
}

void RecentList::add(const RecentItem& item) {
  QList<RecentItem> items = this->items();
  items.removeAll(item);
  items.prepend(item);
  int structures = 0, libraries = 0;
  QList<RecentItem> kept;
  for (const RecentItem& each : items) {
    const bool library = each.kind == RecentItem::Kind::Library;
    if (library ? ++libraries <= kMaxLibraries : ++structures <= kMaxStructures) kept << each;
  }
  store(kept);
}

void RecentList::remove(const RecentItem& item) {
  QList<RecentItem> items = this->items();
  if (items.removeAll(item) > 0) store(items);
}

// Only the [recent] section is rewritten; every other line stays as it was.
// The new profile replaces the old in one step, so a failed write loses nothing.
void RecentList::store(const QList<RecentItem>& items) {
  if (path_.isEmpty()) {
    unsaved_ = items;
    return;
  }
  QByteArrayList section{'[' + kSection.toLatin1() + ']'};
  for (qsizetype i = 0; i < items.size(); ++i)
    section << "Item" + QByteArray::number(i + 1) + '=' + QFile::encodeName(ItemValue(items[i]));
  QByteArrayList lines;
  qsizetype at = -1;
  bool inSection = false;
  for (const QByteArray& line : ProfileLines(path_)) {
    if (IsSectionHeader(line)) {
      inSection = IsOurSection(line);
      if (inSection && at < 0) at = lines.size();
    }
    if (!inSection) lines << line;
  }
  if (at < 0) {
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines << QByteArray();
    at = lines.size();
  }
  for (qsizetype i = 0; i < section.size(); ++i) lines.insert(at + i, section[i]);
  QSaveFile out(path_);
  if (!out.open(QIODevice::WriteOnly)) return;
  out.write(lines.join('\n') + '\n');
  out.commit();
}

}  // namespace desktop
