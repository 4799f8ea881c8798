// The open and save dialogs of global and local structures as Qt dialogs.
#include "library_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstring>

#include "window_placement.h"

namespace desktop {
namespace {

constexpr int kNameMax = 40;
const char* kLibraryFilter = "Libraries (*.lib *.qlb);;All files (*)";

// The buttons of both open dialogs, added below layout's content: Open, New and Cancel.
struct OpenButtons {
  QDialogButtonBox* box;
  QPushButton* open;
  QPushButton* create;
};

OpenButtons AddOpenButtons(QDialog* dialog, QVBoxLayout* layout) {
  auto* box = new QDialogButtonBox(dialog);
  QPushButton* open = box->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
  QPushButton* create = box->addButton(QStringLiteral("&New"), QDialogButtonBox::ActionRole);
  box->addButton(QDialogButtonBox::Cancel);
  layout->addWidget(box);
  return {box, open, create};
}

// A prefilled name is selected, so that typing replaces it.
void SelectForTyping(QLineEdit* field) {
  field->setFocus();
  field->selectAll();
}

}  // namespace

void CopyField(char* field, std::size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::strncpy(field, text.c_str(), size - 1);
}

bool FitsField(const QString& text, std::size_t size) { return text.toStdString().size() + 1 <= size; }

namespace {

// The refusal of a name or path that its record cannot hold; the dialog stays.
bool RefuseTooLong(QWidget* dialog, QLineEdit* field, const QString& text, std::size_t size, const QString& what) {
  if (FitsField(text, size)) return false;
  QMessageBox::warning(dialog, dialog->windowTitle(),
                       QStringLiteral("The %1 is too long: it may hold at most %2 bytes.").arg(what).arg(size - 1));
  if (field) field->setFocus();
  return true;
}

}  // namespace

OpenEntryDialog::OpenEntryDialog(QWidget* parent, const QString& library, std::vector<quill::LibraryEntryInfo> entries,
                                 EntryLister lister)
    : QDialog(parent), lister_(std::move(lister)) {
  setWindowTitle(QStringLiteral("Open Structure"));
  auto* layout = new QVBoxLayout(this);
  auto* libraryRow = new QHBoxLayout;
  libraryField_ = new QLineEdit(this);
  libraryField_->setReadOnly(true);
  auto* other = new QPushButton(QStringLiteral("Other &Library..."), this);
  auto* libraryLabel = new QLabel(QStringLiteral("Library:"), this);
  libraryLabel->setBuddy(libraryField_);
  libraryRow->addWidget(libraryLabel);
  libraryRow->addWidget(libraryField_, 1);
  libraryRow->addWidget(other);
  layout->addLayout(libraryRow);
  auto* filterRow = new QHBoxLayout;
  filter_ = new QLineEdit(this);
  filter_->setPlaceholderText(QStringLiteral("type to filter the structures"));
  filter_->setClearButtonEnabled(true);
  auto* filterLabel = new QLabel(QStringLiteral("&Filter:"), this);
  filterLabel->setBuddy(filter_);
  filterRow->addWidget(filterLabel);
  filterRow->addWidget(filter_, 1);
  layout->addLayout(filterRow);
  list_ = new QTreeWidget(this);
  list_->setHeaderLabels({QStringLiteral("Structure"), QStringLiteral("Comment"), QStringLiteral("Modified")});
  list_->setRootIsDecorated(false);
  list_->setAccessibleName(QStringLiteral("Structures"));
  list_->header()->setStretchLastSection(true);
  layout->addWidget(list_, 1);
  // Typing in the list filters it; arrows and Enter stay with the list.
  list_->installEventFilter(this);
  filter_->installEventFilter(this);
  connect(filter_, &QLineEdit::textChanged, this, &OpenEntryDialog::applyFilter);
  listError_ = new QLabel(this);
  listError_->setWordWrap(true);
  listError_->setAlignment(Qt::AlignCenter);
  listError_->hide();
  layout->addWidget(listError_, 1);
  auto [buttons, open, create] = AddOpenButtons(this, layout);
  connect(open, &QPushButton::clicked, this, [this] { finish(0); });
  connect(create, &QPushButton::clicked, this, [this] { finish(2); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { finish(1); });
  connect(list_, &QTreeWidget::itemActivated, this, [this] { finish(0); });
  connect(other, &QPushButton::clicked, this, [this] {
    QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Library"), library_, kLibraryFilter);
    if (path.isEmpty() || RefuseTooLong(this, nullptr, path, sizeof choice_.library, QStringLiteral("library path")))
      return;
    QString error;
    auto found = lister_ ? lister_(path.toStdString(), &error) : std::vector<quill::LibraryEntryInfo>{};
    if (!error.isEmpty()) {
      QMessageBox::warning(this, QStringLiteral("Open Structure"), error);
      return;
    }
    showLibrary(path, found);
  });
  showLibrary(library, entries);
  choice_.action = 1;
  resize(560, 360);
  list_->setFocus();
}

bool OpenEntryDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == list_) {
    const QString text = key->text();
    // Names hold no blanks: Space still selects in the list.
    const bool typed = !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace() &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const bool erase = key->key() == Qt::Key_Backspace && !filter_->text().isEmpty();
    if (typed || erase) {
      QApplication::sendEvent(filter_, event);
      return true;
    }
  } else if (watched == filter_ && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
    QApplication::sendEvent(list_, event);
    list_->setFocus();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// Entries whose name holds the filter text, letter case ignored; the current
// entry moves to the first one shown when it is filtered out.
void OpenEntryDialog::applyFilter(const QString& text) {
  QTreeWidgetItem* firstShown = nullptr;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    const bool shown = item->text(0).contains(text, Qt::CaseInsensitive);
    item->setHidden(!shown);
    if (shown && !firstShown) firstShown = item;
  }
  QTreeWidgetItem* current = list_->currentItem();
  if (!current || current->isHidden()) list_->setCurrentItem(firstShown);
  if (!firstShown) list_->clearSelection();
}

void OpenEntryDialog::showListError(const QString& reason) {
  list_->clear();
  list_->hide();
  listError_->setText(QStringLiteral("The structures of this library cannot be listed.\n%1").arg(reason));
  listError_->show();
}

void OpenEntryDialog::showLibrary(const QString& library, const std::vector<quill::LibraryEntryInfo>& entries) {
  library_ = library;
  libraryField_->setText(library);
  listError_->hide();
  list_->show();
  list_->clear();
  for (const auto& entry : entries) {
    list_->addTopLevelItem(
        new QTreeWidgetItem({QString::fromStdString(entry.name), QString::fromStdString(entry.comment),
                             QString::fromStdString(entry.modified)}));
  }
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  applyFilter(filter_->text());
}

void OpenEntryDialog::finish(int action) {
  choice_ = {};
  choice_.action = action;
  if (action == 0) {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item || item->isHidden()) return;  // nothing chosen: the dialog stays
    // A name another program stored longer than the record holds would open another entry.
    if (RefuseTooLong(this, nullptr, item->text(0), sizeof choice_.name, QStringLiteral("name"))) return;
    CopyField(choice_.name, sizeof choice_.name, item->text(0).toStdString());
    CopyField(choice_.library, sizeof choice_.library, library_.toStdString());
  }
  done(action == 1 ? QDialog::Rejected : QDialog::Accepted);
}

SaveEntryDialog::SaveEntryDialog(QWidget* parent, const QString& name, const QString& library, const QString& comment,
                                 quill::SaveChoiceCheck check)
    : QDialog(parent), check_(std::move(check)) {
  setWindowTitle(QStringLiteral("Save Structure"));
  auto* form = new QFormLayout(this);
  name_ = new QLineEdit(name, this);
  name_->setMaxLength(kNameMax);
  library_ = new QLineEdit(library, this);
  comment_ = new QLineEdit(comment, this);
  comment_->setMaxLength(254);
  auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
  auto* libraryRow = new QHBoxLayout;
  libraryRow->addWidget(library_, 1);
  libraryRow->addWidget(browse);
  form->addRow(QStringLiteral("&Name:"), name_);
  // A label beside a row of widgets leads to none of them unless told: the & would show.
  auto* libraryLabel = new QLabel(QStringLiteral("&Library:"), this);
  libraryLabel->setBuddy(library_);
  form->addRow(libraryLabel, libraryRow);
  form->addRow(QStringLiteral("&Comment:"), comment_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &SaveEntryDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // The fields in the order they stand, Browse beside its library.
  setTabOrder(library_, browse);
  SelectForTyping(name_);
  connect(browse, &QPushButton::clicked, this, [this] {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Library"), library_->text(), kLibraryFilter,
                                                nullptr, QFileDialog::DontConfirmOverwrite);
    if (!path.isEmpty()) library_->setText(path);
  });
  choice_.cancelled = 1;
}

void SaveEntryDialog::accept() {
  const QString name = name_->text().trimmed();
  const QString library = library_->text().trimmed();
  if (name.isEmpty() || name.size() > kNameMax || library.isEmpty()) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("Enter a name of at most 40 characters and a library."));
    return;
  }
  GlobalSaveChoice chosen{};
  if (RefuseTooLong(this, name_, name, sizeof chosen.name, QStringLiteral("name")) ||
      RefuseTooLong(this, library_, library, sizeof chosen.library, QStringLiteral("library path")) ||
      RefuseTooLong(this, comment_, comment_->text(), sizeof chosen.comment, QStringLiteral("comment")))
    return;
  CopyField(chosen.name, sizeof chosen.name, name.toStdString());
  CopyField(chosen.library, sizeof chosen.library, library.toStdString());
  CopyField(chosen.comment, sizeof chosen.comment, comment_->text().toStdString());
  // Declining to replace an entry keeps the dialog open for another name.
  if (check_ && !check_(chosen)) {
    name_->setFocus();
    name_->selectAll();
    return;
  }
  choice_ = chosen;
  choice_.cancelled = 0;
  QDialog::accept();
}

OpenLocalTypeDialog::OpenLocalTypeDialog(QWidget* parent, const QString& owner, const std::vector<std::string>& types)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Open Structure for %1").arg(owner));
  auto* layout = new QVBoxLayout(this);
  list_ = new QListWidget(this);
  list_->setAccessibleName(QStringLiteral("Local structures of %1").arg(owner));
  for (const auto& type : types) list_->addItem(QString::fromStdString(type));
  if (list_->count() > 0) list_->setCurrentRow(0);
  layout->addWidget(list_, 1);
  auto [buttons, open, create] = AddOpenButtons(this, layout);
  auto openChosen = [this] {
    if (!list_->currentItem()) return;
    name_ = list_->currentItem()->text();
    action_ = 0;
    QDialog::accept();
  };
  connect(open, &QPushButton::clicked, this, openChosen);
  connect(list_, &QListWidget::itemActivated, this, openChosen);
  connect(create, &QPushButton::clicked, this, [this] {
    action_ = 2;
    QDialog::accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // As tall as its entries (at least three rows), as wide as its title.
  list_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
  const int row = list_->count() > 0 ? list_->sizeHintForRow(0) : list_->fontMetrics().height();
  list_->setMinimumHeight(row * 3 + 2 * list_->frameWidth());
  list_->setFocus();
  SizeToContents(this);
}

SaveLocalTypeDialog::SaveLocalTypeDialog(QWidget* parent, const QString& owner, const QString& name) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Save Structure in %1").arg(owner));
  auto* form = new QFormLayout(this);
  name_ = new QLineEdit(name, this);
  name_->setMaxLength(kNameMax);
  form->addRow(QStringLiteral("&Name:"), name_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &SaveLocalTypeDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  choice_.cancelled = 1;
  SelectForTyping(name_);
  SizeToContents(this);
}

void SaveLocalTypeDialog::accept() {
  const QString name = name_->text().trimmed();
  if (name.isEmpty() || name.size() > kNameMax) {
    QMessageBox::warning(this, windowTitle(), QStringLiteral("Enter a name of at most 40 characters."));
    return;
  }
  if (RefuseTooLong(this, name_, name, sizeof choice_.name, QStringLiteral("name"))) return;
  choice_ = {};
  CopyField(choice_.name, sizeof choice_.name, name.toStdString());
  choice_.cancelled = 0;
  QDialog::accept();
}

}  // namespace desktop
