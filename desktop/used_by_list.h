// The Quill Panel's "used by" list: the library's structures and, for the
// selected one, every structure and object that uses it, so that nobody
// renames or deletes a structure without seeing what depends on it.
#pragma once

#include <QWidget>
#include <string>

#include "quill/library_structures.h"

class QListWidget;

namespace desktop {

class UsedByList : public QWidget {
  Q_OBJECT

 public:
  // Reads the library once; a library that cannot be read shows no structures.
  explicit UsedByList(const std::string& library, QWidget* parent = nullptr);

 signals:
  // A double-click or Enter on a structure: owner "" for a global one.
  void structureChosen(const QString& owner, const QString& name);

 private:
  void showUsers();

  quill::LibraryStructures structures_;
  QListWidget* structureList_;
  QListWidget* userList_;
};

}  // namespace desktop
