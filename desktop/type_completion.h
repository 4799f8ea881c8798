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
  // name, with that name highlighted; while typing nothing is highlighted.
  void showFor(const std::vector<quill::TypeChoice>& choices, const QString& typed, QRect cell, bool dropDown);
  // The highlighted type name, or "" when none is.
  QString chosen() const;
  // Moves the highlight by delta entries (from none: to the first or the last).
  void step(int delta);

  static QString labelOf(const quill::TypeChoice& choice);

 signals:
  void picked(const QString& name);
};

}  // namespace desktop
