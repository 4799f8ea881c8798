// The question a save asks before it replaces a version someone else wrote
// since the editor read it: the user may look at how the two differ first.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace desktop {

// Asks until the user answers Yes (true) or No (false); Show Differences shows
// the differences (a line each) in a read-only dialog, then asks again.
bool AskReplace(QWidget* parent, const QString& title, const QString& question, const QStringList& differences);

// The read-only dialog of the variables added, removed, retyped and moved.
void ShowDifferences(QWidget* parent, const QStringList& differences);

}  // namespace desktop
