// The Type cell's completion list: the types the structure may use, filtered by
// what was typed, shown under the cell while typing or as a drop-down.
#pragma once

#include <QListWidget>

#include <vector>

#include "quill/type_choices.h"

namespace desktop {

class TypeCompletion : public QListWidget {
  Q_OBJECT
 public:
  explicit TypeCompletion(QWidget* viewport);

  // Shows the choices that match typed under (or above) cell; hidden when none
  // does. A drop-down offers them all when typed is empty or already a whole
  // name, with that name highlighted; otherwise the best match is highlighted.
  void showFor(const std::vector<quill::TypeChoice>& choices, const QString& typed, QRect cell, bool dropDown);
  // The highlighted type name, or "" when none is.
  QString chosen() const;
  // Whether the highlighted entry is what was typed, name or short form in full:
  // then the typed text stands as it is.
  bool typedInFull() const { return isVisible() && typedInFull_; }
  // Moves the highlight by delta entries (from none: to the first or the last).
  void step(int delta);

  // The choices typed matches: those starting with it (by name or short form),
  // then those holding it further in. best is the index of the one Enter takes.
  static std::vector<quill::TypeChoice> matching(const std::vector<quill::TypeChoice>& choices, const QString& typed,
                                                 int* best);
  static QString labelOf(const quill::TypeChoice& choice);

 signals:
  void picked(const QString& name);

 private:
  static bool matchesInFull(const quill::TypeChoice& choice, const QString& typed);
  bool typedInFull_ = false;
};

}  // namespace desktop
