// The close question's name texts and answers, and saves that cannot build their text.
#include <string>

#include "editor/persistence/save_structure.h"
#include "persistence_fixture.h"
#include "qst/host_pool.h"
#include "quill/src/pool.h"

namespace {

using persistence_test::EditorFixture;

class CloseQuestion : public EditorFixture {
 protected:
  void Name(const char* structure, const char* library) {
    instance_->document.structureName = structure ? PoolStrDup(instance_->pool, structure, 0) : nullptr;
    instance_->document.libraryName = library ? PoolStrDup(instance_->pool, library, 0) : nullptr;
    instance_->document.untitled = 0;
    instance_->document.changed = 1;
  }
  std::string Asked() {
    const quill::ShellMessage* message = host_->lastMessage();
    if (message == nullptr) return "<none>";
    EXPECT_EQ(message->stringId, 4003);
    EXPECT_EQ(message->style, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    return message->text;
  }
};

TEST_F(CloseQuestion, NamesTheStructureByItsSetting) {
  Name("s_address", "app.lib");
  EXPECT_EQ(QueryCloseStructure(instance_, WM_CLOSE), 0);  // no answer queued: cancel
  EXPECT_EQ(Asked(), "Save changes to \napp.lib(s_address)?");

  instance_->document.contextCode = kContextEmbedded;
  QueryCloseStructure(instance_, WM_CLOSE);
  EXPECT_EQ(Asked(), "Save changes to s_address?");

  instance_->document.untitled = 1;
  QueryCloseStructure(instance_, WM_CLOSE);
  EXPECT_EQ(Asked(), "Save changes to (Untitled)?");
  instance_->document.contextCode = kContextStandAlone;
  QueryCloseStructure(instance_, WM_CLOSE);
  EXPECT_EQ(Asked(), "Save changes to (Untitled)?");
}

TEST_F(CloseQuestion, LongestLibraryPathIsShownWhole) {
  std::string library(259, 'L');
  std::string name(40, 'n');
  Name(name.c_str(), library.c_str());
  QueryCloseStructure(instance_, WM_CLOSE);
  EXPECT_EQ(Asked(), "Save changes to \n" + library + "(" + name + ")?");
}

TEST_F(CloseQuestion, StructureWithoutNameCountsAsUntitled) {
  Name(nullptr, nullptr);
  QueryCloseStructure(instance_, WM_CLOSE);
  EXPECT_EQ(Asked(), "Save changes to (Untitled)?");
}

TEST_F(CloseQuestion, NoGoesOnWithoutSavingAndYesStopsWhenTheSaveIsCancelled) {
  Name(nullptr, nullptr);
  SetRow(1, "a", "integer");
  frontEnd_.messageAnswers = {IDNO};
  EXPECT_EQ(QueryCloseStructure(instance_, WM_CLOSE), 1);
  EXPECT_EQ(instance_->document.changed, 1);
  EXPECT_EQ(frontEnd_.dialogs, 0);

  frontEnd_.messageAnswers = {IDYES};  // the save dialog then answers cancel
  EXPECT_EQ(QueryCloseStructure(instance_, WM_CLOSE), 0);
  EXPECT_EQ(frontEnd_.dialogs, 1);
  EXPECT_EQ(instance_->document.changed, 1);
}

TEST_F(CloseQuestion, SaveWithoutRoomForItsTextFailsAndKeepsEverything) {
  Name("s_address", "app.lib");
  SetRow(1, "a", "integer");
  instance_->document.groupId = 7;
  instance_->document.globalTypeId = 9;
  instance_->pool->setLimit(instance_->pool->liveBytes() + 8);
  EXPECT_EQ(SaveStructure(instance_, 1452), 0);
  instance_->pool->setLimit(0);
  EXPECT_EQ(instance_->document.changed, 1);
  EXPECT_EQ(instance_->document.groupId, 7);
  EXPECT_EQ(instance_->document.globalTypeId, 9);
  EXPECT_STREQ(instance_->document.structureName, "s_address");
  EXPECT_EQ(session_->statusId, 150);
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
