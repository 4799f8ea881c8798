// What the user is shown when a save or a load cannot go on: the string, the
// caption it is shown under, the buttons and icon, and what is put back.
#include <cstdio>
#include <string>

#include "editor/commands/command_dispatch.h"
#include "editor/persistence/load_structure.h"
#include "editor/persistence/open_structure.h"
#include "editor/persistence/save_structure.h"
#include "persistence_fixture.h"
#include "qst/command_ids.h"
#include "qst/host_pool.h"

namespace {

using persistence_test::EditorFixture;

class SaveMessages : public EditorFixture {
 protected:
  std::string GridCaption() {
    char caption[300] = {};
    GetWindowTextA(grid_, caption, sizeof caption);
    return caption;
  }
  std::string FrameCaption() {
    char caption[300] = {};
    GetWindowTextA(session_->frame, caption, sizeof caption);
    return caption;
  }
  void Name(const char* structure, const char* library) {
    instance_->document.structureName = PoolStrDup(instance_->pool, structure, 0);
    instance_->document.libraryName = library != nullptr ? PoolStrDup(instance_->pool, library, 0) : nullptr;
    instance_->document.untitled = 0;
  }
};

TEST_F(SaveMessages, OneRowIsRefusedEvenWhenItHoldsAVariable) {
  SetRow(1, "a", "integer");
  KeepRows(1);
  HCURSOR before = GetCursor();
  EXPECT_EQ(SaveStructure(instance_, CmdSave), 0);
  const quill::ShellMessage* message = host_->lastMessage();
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->stringId, 4019);
  EXPECT_EQ(message->text, "All structures requires at least one variable.");
  EXPECT_EQ(message->caption, GridCaption());
  EXPECT_EQ(message->style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(frontEnd_.dialogs, 0);
  EXPECT_EQ(GetCursor(), before);
}

TEST_F(SaveMessages, DuplicateShowsTheLowerRowOfTheFirstPair) {
  SetRow(1, "a", "integer");
  SetRow(2, "b", "integer");
  SetRow(3, "a", "integer");
  SetRow(4, "b", "integer");
  GridSetCurrentCell(grid_, 1, 2);
  EXPECT_EQ(SaveStructure(instance_, CmdSave), 0);
  const quill::ShellMessage* message = host_->lastMessage();
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->stringId, 4016);
  EXPECT_EQ(message->text, "Duplicate variable name.");
  EXPECT_EQ(message->style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  std::uint32_t row = 0;
  std::uint16_t column = 0;
  GridGetCurrentCell(grid_, &row, &column);
  EXPECT_EQ(row, 3u);
  EXPECT_EQ(column, 1u);
  EXPECT_EQ(frontEnd_.dialogs, 0);
}

TEST_F(SaveMessages, CloseQuestionIsAskedUnderTheFrameTitle) {
  Name("s_address", "app.lib");
  instance_->document.changed = 1;
  QueryCloseStructure(instance_, 0);
  const quill::ShellMessage* message = host_->lastMessage();
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->caption, FrameCaption());
  EXPECT_EQ(message->style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
}

TEST_F(SaveMessages, FailedLoadNamesTheStructureUnderOpenStructure) {
  Name("nosuch", "no_such_folder/x.lib");
  EXPECT_EQ(LoadStructure(instance_), 0);
  const quill::ShellMessage* message = host_->lastMessage();
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->stringId, 4020);
  EXPECT_EQ(message->text, "Error loading structure nosuch.");
  EXPECT_EQ(message->caption, "Open Structure");
  EXPECT_EQ(message->style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(GridRowCount(grid_), 0u);
  EXPECT_EQ(session_->statusId, 150);
}

TEST_F(SaveMessages, PrintQuestionIsAskedByTheEditorWithOkAndCancel) {
  Name("s_address", "app.lib");
  instance_->document.changed = 1;
  frontEnd_.messageAnswers = {IDCANCEL};
  OnCommand(instance_, CmdPrint, 0, session_->editor);
  ASSERT_EQ(frontEnd_.messages.size(), 1u);
  EXPECT_EQ(frontEnd_.messages[0], "The structure must be saved prior to printing.\nDo you want to save it now?");
  EXPECT_EQ(frontEnd_.captions[0], "Print");
  EXPECT_EQ(frontEnd_.styles[0], static_cast<UINT>(MB_OKCANCEL | MB_ICONHAND));
  EXPECT_EQ(instance_->document.changed, 1);
  EXPECT_EQ(frontEnd_.dialogs, 0);
}

TEST_F(SaveMessages, SaveAsIntoAnUnwritableLibraryReportsTheFailure) {
  SetRow(1, "a", "integer");
  Name("s_address", "app.lib");
  instance_->document.changed = 1;
  GlobalSaveChoice choice{};
  std::snprintf(choice.name, sizeof choice.name, "s_address");
  std::snprintf(choice.library, sizeof choice.library, "no_such_folder/x.lib");
  frontEnd_.saveAnswers = {choice};
  frontEnd_.messageAnswers = {IDOK};
  HCURSOR before = GetCursor();
  // Save As takes the new-entry road, so the group comes from the unwritable library.
  EXPECT_EQ(SaveStructure(instance_, CmdSaveAs), 0);
  const quill::ShellMessage* message = host_->lastMessage();
  ASSERT_NE(message, nullptr);
  EXPECT_EQ(message->stringId, 4012);
  EXPECT_EQ(message->text, "Save of structure failed.");
  EXPECT_EQ(message->caption, GridCaption());
  EXPECT_EQ(message->style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(instance_->document.changed, 1);
  EXPECT_EQ(instance_->document.untitled, 0);
  EXPECT_EQ(GetCursor(), before);
  EXPECT_EQ(session_->statusId, 150);
}

}  // namespace
