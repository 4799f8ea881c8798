// The module's string, menu and accelerator tables.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editor/resources/module_resources.h"
#include "platform/platform.h"
#include "qst/grid_columns.h"
#include "qst/type_vocabulary.h"

namespace {

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override { module_ = PlatformRegisterModule(EditorModuleResources()); }
  std::string String(UINT id, int size = 256) const {
    std::string buffer(static_cast<std::size_t>(size), '\0');
    const int n = LoadStringA(module_, id, buffer.data(), size);
    return buffer.substr(0, static_cast<std::size_t>(n));
  }
  HINSTANCE module_ = nullptr;
};

TEST_F(ResourcesTest, StringNumbersAreUnique) {
  const ModuleResources* resources = EditorModuleResources();
  std::set<UINT> ids;
  for (int i = 0; i < resources->stringCount; ++i) EXPECT_TRUE(ids.insert(resources->strings[i].id).second);
}

TEST_F(ResourcesTest, TextsCarryRealLineEnds) {
  EXPECT_EQ(String(4013), "global type %s from structure\r\n");
  EXPECT_EQ(String(4015), "type %s from structure\r\n");
  EXPECT_EQ(String(4017), "\n%s(%s)");
  EXPECT_EQ(String(4339), "The structure must be saved prior to printing.\nDo you want to save it now?");
  EXPECT_EQ(String(4029), "Can't Undo\tCtrl+Z");
  EXPECT_EQ(String(150), "");  // the status line's "ready" id is the host's, not ours
}

TEST_F(ResourcesTest, TypeNamesRunInTheLanguagesOrder) {
  EXPECT_EQ(String(4300), "boolean");
  EXPECT_EQ(String(4307), "decimal");
  EXPECT_EQ(String(4315), "integer");
  EXPECT_EQ(String(4330), "string");
  EXPECT_EQ(String(4337), "window");
  for (UINT id = 4300; id <= 4337; ++id) EXPECT_FALSE(String(id).empty()) << id;
  EXPECT_EQ(String(4340) + String(4341) + String(4342), "decintchar");
}

// The host reads the contract's words, the module its own string table: a word
// spelt differently on one side would make the live check, the type choices or
// the compiler disagree with what the editor writes.
TEST_F(ResourcesTest, StringTableSpellsTheContractsVocabulary) {
  for (UINT id = IdsTypeBoolean; id <= IdsTypeWindow; ++id) EXPECT_EQ(String(id), LanguageTypeName(id)) << id;
  for (const TypeShortForm& shortForm : kTypeShortForms) EXPECT_EQ(String(shortForm.id), shortForm.text);
  for (const VocabularyText& text : kSourceFrameTexts) EXPECT_EQ(String(text.id), text.text) << text.id;
  for (const VocabularyText& text : kRowMessages) EXPECT_EQ(String(text.id), text.text) << text.id;
  EXPECT_EQ(String(IdsRowIndicator), kGridColumns[ColRowIndicator].object);
}

TEST_F(ResourcesTest, CommandDescriptionsAndShortLabels) {
  EXPECT_EQ(String(1546), "Insert row above cursor");
  EXPECT_EQ(String(1547), "Insert,Insert Row");
  EXPECT_EQ(String(1935), "Delete,Delete Row");
  for (UINT id : {1282u, 1284u, 1286u, 1310u}) EXPECT_EQ(String(id + 1), "Return") << id;
  EXPECT_EQ(String(2290), "Close Structure");
}

TEST_F(ResourcesTest, MenusDifferOnlyByTheReturnItemAndTheInsertLabel) {
  HMENU standAlone = LoadMenuA(module_, MAKEINTRESOURCEA(kMenuStandAlone));
  HMENU embedded = LoadMenuA(module_, MAKEINTRESOURCEA(kMenuEmbedded));
  ASSERT_NE(standAlone, nullptr);
  ASSERT_NE(embedded, nullptr);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(standAlone, 0)), 13);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(embedded, 0)), 14);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(embedded, 0), 3), 1u);
  char label[64];
  GetMenuStringA(standAlone, 1546, label, sizeof label, MF_BYCOMMAND);
  EXPECT_STREQ(label, "&Insert Row");
  GetMenuStringA(embedded, 1546, label, sizeof label, MF_BYCOMMAND);
  EXPECT_STREQ(label, "Insert Row");
  GetMenuStringA(embedded, 1262, label, sizeof label, MF_BYCOMMAND);
  EXPECT_STREQ(label, "&Copy\tCrtl+C");
  EXPECT_NE(GetMenuState(embedded, 1258, MF_BYCOMMAND) & MF_GRAYED, 0u);
  DestroyMenu(standAlone);
  DestroyMenu(embedded);
}

TEST_F(ResourcesTest, OnlyTheEmbeddedTableHasCtrlShiftTForReturn) {
  ACCEL entries[16];
  HACCEL standAlone = LoadAcceleratorsA(module_, MAKEINTRESOURCEA(kAcceleratorsStandAlone));
  HACCEL embedded = LoadAcceleratorsA(module_, MAKEINTRESOURCEA(kAcceleratorsEmbedded));
  ASSERT_EQ(CopyAcceleratorTableA(standAlone, entries, 16), 11);
  for (int i = 0; i < 11; ++i) EXPECT_NE(entries[i].cmd, 1) << i;
  ASSERT_EQ(CopyAcceleratorTableA(embedded, entries, 16), 12);
  EXPECT_EQ(entries[3].cmd, 1);
  EXPECT_EQ(entries[3].key, 'T');
  EXPECT_EQ(entries[3].fVirt, FVIRTKEY | FNOINVERT | FCONTROL | FSHIFT);
  EXPECT_EQ(entries[7].key, VK_DELETE);
  EXPECT_EQ(entries[7].fVirt, FVIRTKEY | FNOINVERT);
  DestroyAcceleratorTable(standAlone);
  DestroyAcceleratorTable(embedded);
}

TEST_F(ResourcesTest, TheEditorIconIsSixteenPixelsSquare) {
  HICON icon = LoadIconA(module_, MAKEINTRESOURCEA(kEditorIcon));
  const ResourceIcon* pixels = PlatformIconPixels(icon);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels->width, 16);
  EXPECT_EQ(pixels->height, 16);
}

}  // namespace
