// The Quill Panel's list of a structure's users.
#include "used_by_list.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace desktop {
namespace {

QWidget* Titled(const QString& title, QWidget* content, QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(title, box);
  label->setBuddy(content);
  layout->addWidget(label);
  layout->addWidget(content, 1);
  return box;
}

}  // namespace

UsedByList::UsedByList(const std::string& library, QWidget* parent)
    : QWidget(parent), structureList_(new QListWidget(this)), userList_(new QListWidget(this)) {
  structureList_->setObjectName(QStringLiteral("usedByStructures"));
  userList_->setObjectName(QStringLiteral("usedByUsers"));
  std::string unread;
  if (auto opened = quill::Library::open(library, false, nullptr))
    structures_ = quill::LibraryStructures::read(*opened, {}, &unread);
  for (const quill::LibraryStructure& structure : structures_.all())
    structureList_->addItem(QString::fromStdString(structure.label()));
  // A library that cannot be read is not one without structures: say why.
  if (!unread.empty()) {
    structureList_->addItem(QString::fromStdString(unread));
    structureList_->setEnabled(false);
  }
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Titled(QStringLiteral("S&tructures:"), structureList_, this), 1);
  layout->addWidget(Titled(QStringLiteral("&Used by:"), userList_, this), 1);
  connect(structureList_, &QListWidget::currentRowChanged, this, &UsedByList::showUsers);
  connect(structureList_, &QListWidget::itemActivated, this, [this] {
    const int row = structureList_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= structures_.all().size()) return;
    const quill::StructureSource& chosen = structures_.all()[static_cast<std::size_t>(row)].stored;
    emit structureChosen(QString::fromStdString(chosen.owner), QString::fromStdString(chosen.name));
  });
}

void UsedByList::showUsers() {
  userList_->clear();
  QListWidgetItem* current = structureList_->currentItem();
  if (!current) return;
  std::optional<std::vector<std::string>> users =
      quill::DescribeStructureUsers(structures_, current->text().toStdString());
  if (!users) return;
  if (users->empty()) userList_->addItem(QStringLiteral("(nothing uses it)"));
  for (const std::string& line : *users) userList_->addItem(QString::fromStdString(line));
}

}  // namespace desktop
