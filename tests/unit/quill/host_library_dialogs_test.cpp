// The library dialogs: what the front end is offered and what comes back.
#include <cstring>
#include <filesystem>

#include "host_test_support.h"
#include "qst/host_library.h"
#include "qst/host_runtime.h"
#include "quill/library.h"

namespace hosttest {
namespace {

class LibraryDialogs : public HostLibraryTest {};

TEST_F(LibraryDialogs, OpenEntryOffersTheCurrentLibraryAndItsEntries) {
  std::string error;
  auto file = quill::Library::open(library_, false, &error);
  ASSERT_NE(file, nullptr) << error;
  ASSERT_TRUE(file->writeEntry("s_address", "global type s_address from structure\r\nend type", "", &error));
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  std::memset(frontEnd.openChoice.name, 'n', sizeof frontEnd.openChoice.name);  // no terminator
  std::memset(frontEnd.openChoice.library, 'l', sizeof frontEnd.openChoice.library);
  frontEnd.openChoice.action = kOpenActionOpen;
  GlobalOpenChoice choice = LibraryOpenEntryDialog(session->context, kLibraryKindStructure, session->editor);
  EXPECT_EQ(frontEnd.offeredLibrary, library_);
  EXPECT_EQ(frontEnd.offeredEntries, std::vector<std::string>{"s_address"});
  EXPECT_EQ(int{choice.action}, kOpenActionOpen);
  EXPECT_EQ(std::string(choice.name), std::string(40, 'n'));
  EXPECT_EQ(std::string(choice.library), std::string(259, 'l'));
}

TEST_F(LibraryDialogs, SaveEntryPassesInitialValuesAndBoundsEveryField) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  std::memset(&frontEnd.saveChoice, 'x', sizeof frontEnd.saveChoice);
  frontEnd.saveChoice.cancelled = 0;
  GlobalSaveChoice choice =
      LibrarySaveEntryDialog(session->context, kLibraryKindStructure, session->editor, nullptr, "/libs/app.lib", 0);
  EXPECT_EQ(frontEnd.offeredName, "");
  EXPECT_EQ(frontEnd.offeredLibrary, "/libs/app.lib");
  EXPECT_EQ(int{choice.cancelled}, 0);
  EXPECT_EQ(std::strlen(choice.comment), 254u);
  EXPECT_EQ(std::strlen(choice.name), 40u);
  EXPECT_EQ(std::strlen(choice.library), 259u);

  frontEnd.saveChoice.cancelled = 1;
  choice = LibrarySaveEntryDialog(session->context, kLibraryKindStructure, session->editor, "s_old", nullptr, 0);
  EXPECT_EQ(frontEnd.offeredName, "s_old");
  EXPECT_EQ(frontEnd.offeredLibrary, "");
  EXPECT_EQ(int{choice.cancelled}, 1);
}

TEST_F(LibraryDialogs, LocalTypeDialogsNameTheOwnerAndFindTheChosenType) {
  std::int32_t owner = host->addObject("window", "w_main", std::nullopt);
  ASSERT_NE(owner, 0);
  quill::EditorSession* session = host->createEditor(kContextEmbedded, kCallerWindow, std::nullopt, "", owner);
  ASSERT_NE(session, nullptr);
  std::int32_t type =
      StoreLocalType(*session, owner, "s_local", "type s_local from structure\r\n\tinteger\t\tqty\r\nend type");

  std::strcpy(frontEnd.localOpenChoice.name, "s_local");
  frontEnd.localOpenChoice.action = kOpenActionOpen;
  frontEnd.localOpenChoice.typeId = -1;  // the front end cannot know ids: the host decides
  EmbeddedOpenChoice open = LibraryOpenLocalTypeDialog(session->context, 10, session->editor, &owner);
  EXPECT_EQ(frontEnd.offeredOwner, "w_main");
  EXPECT_EQ(frontEnd.offeredTypes, std::vector<std::string>{"s_local"});
  EXPECT_EQ(int{open.action}, kOpenActionOpen);
  EXPECT_STREQ(open.name, "s_local");
  EXPECT_EQ(int{open.typeId}, type);

  std::strcpy(frontEnd.localOpenChoice.name, "s_nosuch");
  open = LibraryOpenLocalTypeDialog(session->context, 10, session->editor, &owner);
  EXPECT_EQ(int{open.typeId}, 0);  // chosen but not there: the load reports it

  std::memset(frontEnd.localSaveChoice.name, 'z', sizeof frontEnd.localSaveChoice.name);
  frontEnd.localSaveChoice.cancelled = 0;
  EmbeddedSaveChoice save = LibrarySaveLocalTypeDialog(session->context, 10, session->editor, "s_local", &owner);
  EXPECT_EQ(frontEnd.offeredOwner, "w_main");
  EXPECT_EQ(frontEnd.offeredName, "s_local");
  EXPECT_EQ(std::string(save.name), std::string(40, 'z'));
}

TEST_F(LibraryDialogs, PrepareLayoutsIsOnlyRecorded) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  LibraryPrepareLayouts(session->context);
  LibraryPrepareLayouts(session->context);
  EXPECT_EQ(session->layoutsPrepared, 2);
}

}  // namespace
}  // namespace hosttest
