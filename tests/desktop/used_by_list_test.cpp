// The Quill Panel's "used by" list, driven with the mouse on the offscreen platform.
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include "quill/library.h"
#include "used_by_list.h"

class UsedByListTest : public QObject {
  Q_OBJECT

 private slots:
  void selectingAStructureListsItsUsers();
};

namespace {

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

void Select(QListWidget* list, const QString& text) {
  QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
  QVERIFY2(found.size() == 1, qPrintable(text));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.front()).center());
}

}  // namespace

void UsedByListTest::selectingAStructureListsItsUsers() {
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("used.lib")).toStdString();
  auto library = quill::Library::open(path, true, nullptr);
  QVERIFY(library);
  std::vector<quill::Library::StoredEntry> entries{
      {"s_point", "global type s_point from structure\r\n\tinteger\t\tx\r\nend type", "", ""},
      {"s_line", "global type s_line from structure\r\n\ts_point\t\ta\r\n\ts_point\t\tb\r\nend type", "", ""}};
  std::vector<quill::Library::ObjectTypes> objects{
      {{12, "window", "w_main"}, {{"s_loc", "type s_loc from structure\r\n\ts_point\t\tat\r\nend type"}}}};
  QVERIFY(library->writeAll(entries, objects, nullptr));

  desktop::UsedByList list(path);
  list.resize(500, 300);
  list.show();
  QVERIFY(QTest::qWaitForWindowExposed(&list));
  auto* structures = list.findChild<QListWidget*>(QStringLiteral("usedByStructures"));
  auto* users = list.findChild<QListWidget*>(QStringLiteral("usedByUsers"));
  QVERIFY(structures && users);
  QCOMPARE(Texts(structures), (QStringList{"s_line", "s_point", "w_main/s_loc"}));

  const struct {
    QString structure;
    QStringList users;
  } cases[] = {
      {"s_point", {"s_line: a, b", "w_main/s_loc: at"}},
      {"w_main/s_loc", {"(nothing uses it)"}},
  };
  for (const auto& c : cases) {
    Select(structures, c.structure);
    QCOMPARE(Texts(users), c.users);
  }
}

QTEST_MAIN(UsedByListTest)
#include "used_by_list_test.moc"
