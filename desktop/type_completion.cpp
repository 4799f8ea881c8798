// The completion list of the Type cell and the choice it commits.
#include "type_completion.h"

#include <QScrollBar>

#include <algorithm>

namespace desktop {
namespace {

constexpr int kVisibleEntries = 10;
constexpr int kMinWidth = 220;

}  // namespace

TypeCompletion::TypeCompletion(QWidget* viewport) : QListWidget(viewport) {
  // The grid keeps the focus: it hands the list the keys that move in it.
  setFocusPolicy(Qt::NoFocus);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFrameShape(QFrame::Box);
  setAccessibleName(QStringLiteral("Types"));
  hide();
  connect(this, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { emit picked(item->data(Qt::UserRole).toString()); });
}

QString TypeCompletion::labelOf(const quill::TypeChoice& choice) {
  QString label = QString::fromStdString(choice.name);
  switch (choice.kind) {
    case quill::TypeChoice::Kind::Language:
      if (!choice.abbreviation.empty())
        label += QStringLiteral(" (%1)").arg(QString::fromStdString(choice.abbreviation));
      break;
    case quill::TypeChoice::Kind::Structure: label += QStringLiteral(" (structure)"); break;
    case quill::TypeChoice::Kind::LocalStructure: label += QStringLiteral(" (local structure)"); break;
  }
  return label;
}

bool TypeCompletion::matchesInFull(const quill::TypeChoice& choice, const QString& typed) {
  return QString::fromStdString(choice.name).compare(typed, Qt::CaseInsensitive) == 0 ||
         (!choice.abbreviation.empty() &&
          QString::fromStdString(choice.abbreviation).compare(typed, Qt::CaseInsensitive) == 0);
}

std::vector<quill::TypeChoice> TypeCompletion::matching(const std::vector<quill::TypeChoice>& choices,
                                                        const QString& typed, int* best) {
  std::vector<quill::TypeChoice> shown = quill::FilterTypeChoices(choices, typed.toLatin1().toStdString());
  const std::size_t starting = shown.size();
  // Then the names that hold the text further in, for a name remembered by its middle.
  if (!typed.isEmpty())
    for (const quill::TypeChoice& choice : choices) {
      const QString name = QString::fromStdString(choice.name);
      if (name.contains(typed, Qt::CaseInsensitive) && !name.startsWith(typed, Qt::CaseInsensitive) &&
          !QString::fromStdString(choice.abbreviation).startsWith(typed, Qt::CaseInsensitive))
        shown.push_back(choice);
    }
  // The best match: a name or short form typed in full, else the first that starts with the text.
  int at = shown.empty() ? -1 : 0;
  for (std::size_t i = 0; i < starting; ++i)
    if (matchesInFull(shown[i], typed)) {
      at = static_cast<int>(i);
      break;
    }
  if (best) *best = at;
  return shown;
}

void TypeCompletion::showFor(const std::vector<quill::TypeChoice>& choices, const QString& typed, QRect cell,
                             bool dropDown) {
  auto whole = std::find_if(choices.begin(), choices.end(), [&](const quill::TypeChoice& c) {
    return QString::fromStdString(c.name).compare(typed, Qt::CaseInsensitive) == 0;
  });
  const bool all = dropDown && (typed.isEmpty() || whole != choices.end());
  int best = 0;
  const std::vector<quill::TypeChoice> shown = all ? choices : matching(choices, typed, &best);
  // While typing, a text that already is the one matching name needs no list.
  if (shown.empty() || (!dropDown && shown.size() == 1 && whole != choices.end())) {
    hide();
    return;
  }
  clear();
  for (const quill::TypeChoice& choice : shown) {
    auto* item = new QListWidgetItem(labelOf(choice), this);
    item->setData(Qt::UserRole, QString::fromStdString(choice.name));
    if (all && whole != choices.end() && choice.name == whole->name) setCurrentItem(item);
  }
  if (!all) setCurrentRow(best);
  typedInFull_ = !all && best >= 0 && matchesInFull(shown[static_cast<std::size_t>(best)], typed);
  if (!currentItem()) setCurrentRow(0);
  const int rows = std::min<int>(count(), kVisibleEntries);
  const int height = rows * sizeHintForRow(0) + 2 * frameWidth();
  const int width = std::max(cell.width(), kMinWidth);
  // Below the cell, or above it when there is more room there; cut to the room.
  const int below = parentWidget()->height() - (cell.bottom() + 1);
  const int above = cell.top();
  const bool up = height > below && above > below;
  const int fitted = std::min(height, up ? above : below);
  setGeometry(cell.left(), up ? cell.top() - fitted : cell.bottom() + 1, width, fitted);
  show();
  raise();
  if (currentItem()) scrollToItem(currentItem());
}

QString TypeCompletion::chosen() const {
  return isVisible() && currentItem() && currentItem()->isSelected() ? currentItem()->data(Qt::UserRole).toString()
                                                                     : QString();
}

void TypeCompletion::step(int delta) {
  if (count() == 0) return;
  int row = currentItem() && currentItem()->isSelected() ? currentRow() + delta : (delta > 0 ? 0 : count() - 1);
  setCurrentRow(std::clamp(row, 0, count() - 1));
  typedInFull_ = false;
  scrollToItem(currentItem());
}

}  // namespace desktop
