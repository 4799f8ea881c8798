// The replace question and the differences it can show.
#include "replace_question.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace desktop {

bool AskReplace(QWidget* parent, const QString& title, const QString& question, const QStringList& differences) {
  for (;;) {
    QMessageBox box(QMessageBox::Warning, title, question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    // Its own role, so that choosing it closes the box without answering.
    QPushButton* show = box.addButton(QObject::tr("Show &Differences"), QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() != show) return box.clickedButton() == box.button(QMessageBox::Yes);
    ShowDifferences(parent, differences);
  }
}

void ShowDifferences(QWidget* parent, const QStringList& differences) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QObject::tr("Differences"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QObject::tr("From the version stored now to your rows:"), &dialog));
  auto* text = new QPlainTextEdit(&dialog);
  text->setObjectName(QStringLiteral("differences"));
  text->setReadOnly(true);
  text->setAccessibleName(QObject::tr("Differences"));
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Versions that differ in their text only (comments, spacing) still differ.
  text->setPlainText(differences.isEmpty() ? QObject::tr("No variable differs; the text does.")
                                           : differences.join(QLatin1Char('\n')));
  layout->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(480, 300);
  dialog.exec();
}

}  // namespace desktop
