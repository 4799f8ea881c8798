// The headless front end answers only what the scenario queued, and answers
// safely (and records a problem) for anything else.
#include <gtest/gtest.h>

#include <cstring>

#include "headless_front_end.h"

namespace script {
namespace {

Answer MessageAnswer(int button, int line = 1) {
  Answer answer;
  answer.kind = AnswerKind::Message;
  answer.button = button;
  answer.line = line;
  return answer;
}

Answer DialogAnswer(AnswerKind kind, std::string name) {
  Answer answer;
  answer.kind = kind;
  answer.name = std::move(name);
  return answer;
}

TEST(HeadlessFrontEnd, UnansweredMessageBoxesGetTheSafestButton) {
  HeadlessFrontEnd frontEnd;
  EXPECT_EQ(frontEnd.messageBox(nullptr, "Save changes to a?", "c", MB_YESNOCANCEL), IDCANCEL);
  std::optional<FrontEndProblem> problem = frontEnd.takeProblem();
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->expected, "an answer for the message box \"Save changes to a?\"");
  EXPECT_EQ(problem->got, "none queued");
  EXPECT_FALSE(frontEnd.takeProblem());
  EXPECT_EQ(frontEnd.messageBox(nullptr, "q", "c", MB_YESNO), IDNO);
  EXPECT_EQ(frontEnd.messageBox(nullptr, "q", "c", MB_OK | MB_ICONEXCLAMATION), IDOK);
  EXPECT_EQ(frontEnd.takeMessages().size(), 3u);
  EXPECT_TRUE(frontEnd.takeMessages().empty());
}

TEST(HeadlessFrontEnd, AnswersAreTakenInOrderByTheirKindOnly) {
  HeadlessFrontEnd frontEnd;
  frontEnd.queueAnswer(DialogAnswer(AnswerKind::Open, "s_a"));
  frontEnd.queueAnswer(MessageAnswer(IDYES));
  // A message box cannot take the open dialog's answer: it stays queued.
  EXPECT_EQ(frontEnd.messageBox(nullptr, "q", "c", MB_YESNO), IDNO);
  ASSERT_TRUE(frontEnd.takeProblem());
  EXPECT_EQ(frontEnd.pendingAnswers().size(), 2u);
  GlobalOpenChoice open = frontEnd.openEntryDialog(nullptr, "app.lib", {});
  EXPECT_EQ(static_cast<int>(open.action), kOpenActionOpen);
  EXPECT_STREQ(open.name, "s_a");
  EXPECT_STREQ(open.library, "app.lib");
  EXPECT_EQ(frontEnd.messageBox(nullptr, "q", "c", MB_YESNO), IDYES);
  EXPECT_FALSE(frontEnd.takeProblem());
  EXPECT_TRUE(frontEnd.pendingAnswers().empty());
}

TEST(HeadlessFrontEnd, AnAnswerTheBoxDoesNotOfferIsAProblem) {
  HeadlessFrontEnd frontEnd;
  frontEnd.queueAnswer(MessageAnswer(IDYES, 7));
  EXPECT_EQ(frontEnd.messageBox(nullptr, "Error", "c", MB_OK), IDOK);
  std::optional<FrontEndProblem> problem = frontEnd.takeProblem();
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->got, "yes (line 7)");
}

TEST(HeadlessFrontEnd, OpenDialogChoices) {
  HeadlessFrontEnd frontEnd;
  Answer other = DialogAnswer(AnswerKind::Open, "missing");
  other.library = "other.lib";
  frontEnd.queueAnswer(other);
  Answer makeNew;
  makeNew.kind = AnswerKind::Open;
  makeNew.makeNew = true;
  frontEnd.queueAnswer(makeNew);
  GlobalOpenChoice chosen = frontEnd.openEntryDialog(nullptr, "app.lib", {});
  EXPECT_EQ(static_cast<int>(chosen.action), kOpenActionOpen);
  EXPECT_STREQ(chosen.name, "missing");  // returned even though the library lacks it
  EXPECT_STREQ(chosen.library, "other.lib");
  EmbeddedOpenChoice local = frontEnd.openLocalTypeDialog(nullptr, "w_main", {});
  EXPECT_EQ(static_cast<int>(local.action), kOpenActionNew);
  // Nothing queued: the dialog is cancelled and the step will fail.
  EXPECT_EQ(static_cast<int>(frontEnd.openEntryDialog(nullptr, "app.lib", {}).action), kOpenActionCancel);
  EXPECT_TRUE(frontEnd.takeProblem());
}

TEST(HeadlessFrontEnd, SaveDialogKeepsTheOfferedLibraryAndBoundsItsFields) {
  HeadlessFrontEnd frontEnd;
  Answer save = DialogAnswer(AnswerKind::Save, std::string(40, 'n'));
  save.comment = "address lines";
  frontEnd.queueAnswer(save);
  GlobalSaveChoice choice = frontEnd.saveEntryDialog(nullptr, "", "def.lib");
  EXPECT_NE(static_cast<int>(choice.cancelled), 1);
  EXPECT_EQ(std::strlen(choice.name), 40u);
  EXPECT_STREQ(choice.library, "def.lib");
  EXPECT_STREQ(choice.comment, "address lines");
  Answer cancel;
  cancel.kind = AnswerKind::Save;
  cancel.cancel = true;
  frontEnd.queueAnswer(cancel);
  EXPECT_EQ(static_cast<int>(frontEnd.saveLocalTypeDialog(nullptr, "w_main", "s_a").cancelled), 1);
  EXPECT_FALSE(frontEnd.takeProblem());
}

TEST(HeadlessFrontEnd, ModifiersAndRecords) {
  HeadlessFrontEnd frontEnd;
  EXPECT_EQ(frontEnd.asyncKeyState(VK_SHIFT), 0);
  frontEnd.setModifiers(true, true, false);
  EXPECT_TRUE(frontEnd.asyncKeyState(VK_SHIFT) & 0x8000);
  EXPECT_TRUE(frontEnd.asyncKeyState(VK_CONTROL) & 0x8000);
  EXPECT_EQ(frontEnd.asyncKeyState(VK_MENU), 0);
  frontEnd.showCompileErrors(nullptr, {{3, "qty", "Unknown type \"integr\"."}, {5, "", "Missing \"end type\"."}});
  std::optional<std::vector<quill::CompileError>> report = frontEnd.takeErrorReport();
  ASSERT_TRUE(report);
  EXPECT_EQ(FormatCompileError((*report)[0]), "3: qty: Unknown type \"integr\".");
  EXPECT_EQ(FormatCompileError((*report)[1]), "5: Missing \"end type\".");
  EXPECT_FALSE(frontEnd.takeErrorReport());
  frontEnd.print(nullptr, {{"app.lib", "s_a.srs", 1, "text"}});
  EXPECT_EQ(frontEnd.printsSinceCheck(), 1);
  frontEnd.markPrintChecked();
  EXPECT_EQ(frontEnd.printsSinceCheck(), 0);
  EXPECT_EQ(frontEnd.printed().back().entry, "s_a.srs");
}

}  // namespace
}  // namespace script
