// The libraries and structures opened last, kept in the [recent] section of the
// user's INI profile (the rest of the profile is left as it is) for one-click
// reopening from the Quill Panel.
#pragma once

#include <QList>
#include <QString>

namespace desktop {

struct RecentItem {
  enum class Kind { Library, Structure, Object };
  Kind kind = Kind::Library;
  QString library;  // absolute path
  QString name;     // the structure or owning object; "" for a library

  bool operator==(const RecentItem& other) const;
  // How the Quill Panel lists it.
  QString label() const;
};

class RecentList {
 public:
  static constexpr int kMaxStructures = 8;  // structures and objects together
  static constexpr int kMaxLibraries = 5;

  // profilePath "" keeps the list for this run only.
  explicit RecentList(QString profilePath);

  // Most recent first, as the profile holds them now.
  QList<RecentItem> items() const;
  // To the front (once), the oldest of its kind dropped past the limit.
  void add(const RecentItem& item);
  void remove(const RecentItem& item);

 private:
  void store(const QList<RecentItem>& items);

  QString path_;
  QList<RecentItem> unsaved_;  // without a profile
};

}  // namespace desktop
