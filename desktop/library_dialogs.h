// The host's library dialogs as windows: open and save a global structure, open
// and save a structure local to an owning object.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "quill/front_end.h"

class QLabel;
class QLineEdit;
class QTreeWidget;
class QListWidget;

namespace desktop {

// Lists a library's global structures, for the open dialog's "Other Library...".
using EntryLister = std::function<std::vector<quill::LibraryEntryInfo>(const std::string& library, QString* error)>;

class OpenEntryDialog : public QDialog {
  Q_OBJECT
 public:
  OpenEntryDialog(QWidget* parent, const QString& library, std::vector<quill::LibraryEntryInfo> entries,
                  EntryLister lister);
  GlobalOpenChoice choice() const { return choice_; }
  // The library could not be listed: the reason stands in place of its entries.
  void showListError(const QString& reason);

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showLibrary(const QString& library, const std::vector<quill::LibraryEntryInfo>& entries);
  void applyFilter(const QString& text);
  void finish(int action);

  QString library_;
  QLineEdit* libraryField_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QTreeWidget* list_ = nullptr;
  QLabel* listError_ = nullptr;
  EntryLister lister_;
  GlobalOpenChoice choice_{};
};

class SaveEntryDialog : public QDialog {
  Q_OBJECT
 public:
  // check: whether a choice may be returned (the host asks before replacing an
  // entry); while it refuses, the dialog stays open for another name. comment:
  // the structure's comment as stored, shown to be kept or changed.
  SaveEntryDialog(QWidget* parent, const QString& name, const QString& library, const QString& comment = {},
                  quill::SaveChoiceCheck check = {});
  GlobalSaveChoice choice() const { return choice_; }

 private:
  void accept() override;

  QLineEdit* name_ = nullptr;
  QLineEdit* library_ = nullptr;
  QLineEdit* comment_ = nullptr;
  quill::SaveChoiceCheck check_;
  GlobalSaveChoice choice_{};
};

class OpenLocalTypeDialog : public QDialog {
  Q_OBJECT
 public:
  OpenLocalTypeDialog(QWidget* parent, const QString& owner, const std::vector<std::string>& types);
  // The chosen name and action (0 open, 1 cancel, 2 new).
  QString name() const { return name_; }
  int action() const { return action_; }

 private:
  QListWidget* list_ = nullptr;
  QString name_;
  int action_ = 1;
};

class SaveLocalTypeDialog : public QDialog {
  Q_OBJECT
 public:
  SaveLocalTypeDialog(QWidget* parent, const QString& owner, const QString& name);
  EmbeddedSaveChoice choice() const { return choice_; }

 private:
  void accept() override;

  QLineEdit* name_ = nullptr;
  EmbeddedSaveChoice choice_{};
};

// Copies text into a fixed field, always terminated.
void CopyField(char* field, std::size_t size, const std::string& text);
// Whether text fits a field of size bytes with its NUL, counted as the field
// holds it (UTF-8 bytes): a longer text would be cut into another name.
bool FitsField(const QString& text, std::size_t size);

}  // namespace desktop
