// The runner against the real module and host: a scenario that should fail
// must fail, at the right line, with what was expected and what was found.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "scenario_runner.h"
#include "scratch_directory.h"

namespace script {
namespace {

namespace fs = std::filesystem;

RunOptions Options() {
  RunOptions options;
  const char* module = std::getenv("QST_MODULE");
  options.modulePath = module && *module ? module : QUILL_MODULE_PATH;
  return options;
}

// Runs text as file t.qs in an empty scratch directory.
FileResult RunText(const std::string& text, std::string* output = nullptr) {
  fs::path empty = fs::temp_directory_path() / ("quill-script-test-" + std::to_string(::getpid()));
  fs::create_directories(empty);
  std::string error;
  std::unique_ptr<ScratchDirectory> scratch = ScratchDirectory::enter(empty, &error);
  EXPECT_TRUE(scratch) << error;
  std::ostringstream out;
  FileResult result = RunScenarioText("t.qs", text, Options(), out);
  scratch.reset();
  fs::remove_all(empty);
  if (output) *output = out.str();
  return result;
}

TEST(ScenarioRunner, PassesAFileWhoseChecksHold) {
  FileResult result = RunText(
      "create standalone\n"
      "expect rows 12\n"
      "expect posted frame WM_COMMAND 2300 0\n");
  EXPECT_TRUE(result.passed) << result.failure;
  EXPECT_EQ(result.steps, 3);
}

TEST(ScenarioRunner, AFailingCheckNamesItsLineWithExpectedAndGot) {
  FileResult result = RunText(
      "create standalone\n"
      "\n"
      "expect rows 11\n"
      "expect rows 12\n");
  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.failure, "t.qs:3: expected 11, got 12");
  EXPECT_EQ(result.steps, 1);  // the file ends at the failing step
}

TEST(ScenarioRunner, AGridMismatchPointsAtTheRow) {
  FileResult result = RunText(
      "create standalone\n"
      "expect grid\n"
      ". . . .\n"
      "x . . .\n"
      "end\n");
  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.failure.rfind("t.qs:4: expected row 2 x . . ., got . . . ", 0), 0u) << result.failure;
  result = RunText(
      "create standalone\n"
      "expect grid\n"
      ". . . .\n"
      "end\n");
  EXPECT_EQ(result.failure.rfind("t.qs:4: expected 1 rows, got 12", 0), 0u) << result.failure;
}

TEST(ScenarioRunner, AnAnswerLeftQueuedFailsTheFile) {
  FileResult result = RunText(
      "create standalone\n"
      "answer message yes\n"
      "expect rows 12\n");
  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.failure,
            "t.qs:2: expected every answer taken by a dialog or message box, got this one still queued when the "
            "file ended");
}

TEST(ScenarioRunner, ADialogWithoutAnAnswerFailsTheStep) {
  // The Open command queued at creation shows the open dialog when pumped.
  FileResult result = RunText(
      "create standalone\n"
      "pump\n"
      "expect rows 12\n");
  EXPECT_FALSE(result.passed);
  EXPECT_EQ(result.failure, "t.qs:2: expected an answer for the open dialog, got none queued");
}

TEST(ScenarioRunner, UnknownWordsAndBadArgumentsFail) {
  EXPECT_EQ(RunText("frobnicate 3\n").failure, "t.qs:1: expected a step word, got \"frobnicate 3\"");
  EXPECT_EQ(RunText("create standalone\ncell 1 var_size\n").failure,
            "t.qs:2: expected a column (1, 2, 3, var_name, var_type or var_dec), got \"var_size\"");
  EXPECT_EQ(RunText("create standalone\npress var_size 1\n").failure,
            "t.qs:2: expected var_row, var_name, var_type or var_dec, got \"var_size\"");
  EXPECT_EQ(RunText("create standalone\nexpect rows\n").failure,
            "t.qs:2: expected a row count, got the end of the line");
  EXPECT_EQ(RunText("expect rows 1\n").failure, "t.qs:1: expected an open editor, got none created");
}

TEST(ScenarioRunner, ChecksSayWhatTheyFound) {
  EXPECT_EQ(RunText("create standalone\nexpect field changed 1\n").failure,
            "t.qs:2: expected changed 1, got changed 0");
  EXPECT_EQ(RunText("create standalone\nexpect field structureName \"s_a\"\n").failure,
            "t.qs:2: expected structureName \"s_a\", got structureName none");
  EXPECT_EQ(RunText("create standalone\nexpect field nosuch 1\n").failure,
            "t.qs:2: expected a field of the editor's record, got \"nosuch\"");
  EXPECT_EQ(RunText("create standalone\nexpect title \"Structure\"\n").failure,
            "t.qs:2: expected \"Structure\", got \"Structure - (Untitled)\"");
  EXPECT_EQ(RunText("create standalone\nexpect posted editor WM_CLOSE 0 0\n").failure,
            "t.qs:2: expected posted to editor: WM_CLOSE 0 0, got WM_COMMAND 2300 0 to frame");
  EXPECT_EQ(RunText("create standalone\nexpect commands 5 1\n").failure, "t.qs:2: expected 1, got no entries");
  EXPECT_EQ(RunText("create standalone\nexpect closed\n").failure, "t.qs:2: expected the editor closed, got it open");
  EXPECT_EQ(RunText("clipboard \"x\"\nexpect clipboard none\n").failure, "t.qs:2: expected none, got \"x\"");
}

TEST(ScenarioRunner, MessageChecksTakeWhatWasShownSinceTheLastOne) {
  const std::string failedLoad =
      "library app.lib\n"
      "answer message ok\n"
      "create standalone open=s_gone\n";
  EXPECT_TRUE(RunText(failedLoad + "expect message \"Error loading structure s_gone.\"\nexpect nomessage\n").passed);
  EXPECT_EQ(RunText(failedLoad + "expect message 4020 \"s_other\"\n").failure,
            "t.qs:4: expected message \"Error loading structure s_other.\", got message \"Error loading structure "
            "s_gone.\"");
  EXPECT_EQ(RunText(failedLoad + "expect nomessage\n").failure,
            "t.qs:4: expected no message box, got message \"Error loading structure s_gone.\"");
  EXPECT_EQ(RunText(failedLoad + "expect message 4020 \"s_gone\"\nexpect message 4020 \"s_gone\"\n").failure,
            "t.qs:5: expected message \"Error loading structure s_gone.\", got no message box since the last check");
  EXPECT_EQ(RunText(failedLoad + "expect message 99999\n").failure,
            "t.qs:4: expected string 99999 in the module, got none");
}

// The checks accept the several ways a scenario may write a value; each must
// still fail when the value differs.
TEST(ScenarioRunner, MessageByIdWithoutArgumentStillComparesTheString) {
  const std::string failedLoad =
      "library app.lib\n"
      "answer message ok\n"
      "create standalone open=s_gone\n";
  EXPECT_TRUE(RunText(failedLoad + "expect message 4020\n").passed);
  EXPECT_TRUE(RunText(failedLoad + "expect message \"4020\"\n").passed);
  EXPECT_EQ(RunText(failedLoad + "expect message 4003\n").failure,
            "t.qs:4: expected message \"Save changes to %s?\", got message \"Error loading structure s_gone.\"");
  EXPECT_EQ(RunText(failedLoad + "expect message \"4003\"\n").failure,
            "t.qs:4: expected message \"Save changes to %s?\", got message \"Error loading structure s_gone.\"");
  EXPECT_EQ(RunText(failedLoad + "expect message 4020 \"s_gone\" \"x\" \"y\"\n").failure,
            "t.qs:4: expected the end of the line, got \"y\"");
}

TEST(ScenarioRunner, CommandListsWithOrWithoutTheirCount) {
  EXPECT_TRUE(RunText("create context=1023 caller=1014\nexpect commands 17 1 1284\nexpect commands 17 1284\n").passed);
  EXPECT_EQ(RunText("create context=1023 caller=1014\nexpect commands 17 2 1284\n").failure,
            "t.qs:2: expected 2 1284, got 1284");
  EXPECT_EQ(RunText("create context=1023 caller=1014\nexpect commands 17 1 1282\n").failure,
            "t.qs:2: expected 1 1282, got 1284");
  EXPECT_EQ(RunText("create standalone\nexpect commands 5 1\n").failure, "t.qs:2: expected 1, got no entries");
}

TEST(ScenarioRunner, NoCurrentCellIsRowZeroOnly) {
  const std::string fresh = "create standalone\nanswer open new\npump\n";
  EXPECT_TRUE(RunText(fresh + "expect current 0\nexpect current 0 var_type\nexpect current none\n").passed);
  EXPECT_EQ(RunText(fresh + "cell 1 2\nexpect current 0\n").failure,
            "t.qs:5: expected current cell 0 0, got current cell 1 2");
  EXPECT_EQ(RunText(fresh + "expect current 1 1\n").failure, "t.qs:4: expected current cell 1 1, got current cell 0 0");
  EXPECT_EQ(RunText(fresh + "expect current 0 var_size\n").failure,
            "t.qs:4: expected a column (1, 2, 3, var_name, var_type or var_dec), got \"var_size\"");
  EXPECT_EQ(RunText(fresh + "type \"\"\n").failure, "t.qs:4: expected a current cell to type into, got none");
}

TEST(ScenarioRunner, PrintedNeedsANewPrintSinceTheLastPrintedCheck) {
  const std::string printed =
      "library app.lib\n"
      "store s_a \"global type s_a from structure\\r\\n\\tlong\\t\\tn\\r\\nend type\"\n"
      "create standalone open=s_a\n"
      "command print\n";
  EXPECT_TRUE(RunText(printed + "expect printed-text \"global type s_a from structure\\r\\n\\tlong\\t\\tn\\r\\nend "
                                "type\"\nexpect printed app.lib s_a.srs 1\nexpect noprint\n")
                  .passed);
  EXPECT_EQ(RunText(printed + "expect printed app.lib s_a.srs 1\nexpect printed app.lib s_a.srs 1\n").failure,
            "t.qs:6: expected printed app.lib s_a.srs 1, got nothing printed since the last check");
  EXPECT_EQ(RunText(printed + "expect printed app.lib s_b.srs 1\n").failure,
            "t.qs:5: expected printed app.lib s_b.srs 1, got printed app.lib s_a.srs 1");
}

TEST(ScenarioRunner, ErrorsByMessageStillCountAndOrderThem) {
  const std::string failedSave =
      "library app.lib\n"
      "store s_a \"global type s_a from structure\\r\\n\\tlong\\t\\tn\\r\\nend type\"\n"
      "create standalone open=s_a\n"
      "cell 1 1\n"
      "type \"9x\"\n"
      "cell 1 2\n"
      "command save\n";
  EXPECT_TRUE(RunText(failedSave + "expect errors \"Invalid variable name.\"\n").passed);
  EXPECT_EQ(RunText(failedSave + "expect errors \"Invalid variable name.\" \"Invalid variable name.\"\n").failure,
            "t.qs:8: expected \"Invalid variable name.\" \"Invalid variable name.\", got \"2: 9x: Invalid variable "
            "name.\"");
  EXPECT_EQ(RunText(failedSave + "expect errors \"3: 9x: Invalid variable name.\"\n").failure,
            "t.qs:8: expected \"3: 9x: Invalid variable name.\", got \"2: 9x: Invalid variable name.\"");
  EXPECT_EQ(RunText(failedSave + "expect errors\n").failure,
            "t.qs:8: expected no errors, got \"2: 9x: Invalid "
            "variable name.\"");
}

TEST(ScenarioRunner, ObjectsAreEntriesToo) {
  const std::string owner = "library app.lib\nobject window w_main id=77\n";
  EXPECT_TRUE(RunText(owner + "expect entry w_main\nexpect noentry w_other\n").passed);
  EXPECT_EQ(RunText(owner + "expect noentry w_main\n").failure,
            "t.qs:3: expected no entry \"w_main\" in the library, got one");
  EXPECT_EQ(RunText(owner + "expect entry s_main\n").failure,
            "t.qs:3: expected entry \"s_main\" in the library, got no such entry");
}

TEST(ScenarioRunner, PrintAndErrorChecksWithNothingToShow) {
  EXPECT_TRUE(RunText("expect noprint\nexpect errors\n").passed);
  EXPECT_EQ(RunText("expect printed app.lib s_a.srs 1\n").failure,
            "t.qs:1: expected printed app.lib s_a.srs 1, got nothing printed since the last check");
  EXPECT_EQ(RunText("expect errors \"1: x: bad\"\n").failure, "t.qs:1: expected \"1: x: bad\", got no errors");
}

TEST(ScenarioRunner, SetupWordsRefuseWhatTheyCannotDo) {
  EXPECT_EQ(RunText("create standalone\nfont 13\n").failure,
            "t.qs:2: expected font before the first create, got an editor already created");
  EXPECT_EQ(RunText("store s_a \"global type s_a from structure\\r\\nend type\"\n").failure,
            "t.qs:1: expected a library (the library step first), got none");
  EXPECT_EQ(RunText("library app.lib\nstore-local w_none s_a \"x\"\n").failure,
            "t.qs:2: expected object \"w_none\" in the library (the object step first), got none");
  EXPECT_EQ(RunText("library app.lib\nobject table t_a\n").failure,
            "t.qs:2: expected an object kind (window, menu, userobject or function), got \"table\"");
  EXPECT_EQ(RunText("answer save " + std::string(41, 'n') + "\n").failure,
            "t.qs:1: expected a name of at most 40 characters, got 41 characters");
}

TEST(ScenarioRunner, FontIsTheGridFontsHeight) {
  FileResult result = RunText(
      "library app.lib\n"
      "font 13\n"
      "create standalone\n"
      "expect field fontMetrics 13\n");
  EXPECT_TRUE(result.passed) << result.failure;
}

TEST(ScenarioRunner, TypingNeedsACurrentCell) {
  FileResult result = RunText(
      "create standalone\n"
      "type \"qty\"\n");
  EXPECT_EQ(result.failure, "t.qs:2: expected a current cell to type into, got none");
}

TEST(ScenarioRunner, VerbosePrintsEachStep) {
  RunOptions options = Options();
  options.verbose = true;
  std::ostringstream out;
  fs::path empty = fs::temp_directory_path() / ("quill-script-verbose-" + std::to_string(::getpid()));
  fs::create_directories(empty);
  std::string error;
  {
    std::unique_ptr<ScratchDirectory> scratch = ScratchDirectory::enter(empty, &error);
    RunScenarioText("v.qs", "create standalone\n# note\nexpect rows 12\n", options, out);
  }
  fs::remove_all(empty);
  EXPECT_EQ(out.str(), "v.qs:1: create standalone\nv.qs:3: expect rows 12\n");
}

TEST(ScenarioRunner, FilesRunInAScratchCopyOfTheirDirectory) {
  fs::path source = fs::temp_directory_path() / ("quill-script-source-" + std::to_string(::getpid()));
  fs::create_directories(source);
  std::ofstream(source / "given.txt") << "beside the scenario";
  fs::create_directories(source / "data");
  std::ofstream(source / "data" / "empty.lib");  // an empty file opens as an empty library
  std::ofstream(source / "s.qs") << "library made.lib\nexpect noentry s_a\nlibrary data/empty.lib\n"
                                    "store s_a \"global type s_a from structure\\r\\n\\tlong\\t\\tn\\r\\nend type\"\n"
                                    "expect entry s_a\n";
  fs::path before = fs::current_path();
  std::ostringstream out;
  FileResult result = RunScenarioFile((source / "s.qs").string(), Options(), out);
  EXPECT_TRUE(result.passed) << result.failure;
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_FALSE(fs::exists(source / "made.lib"));                // written in the copy, never in the source folder
  EXPECT_EQ(fs::file_size(source / "data" / "empty.lib"), 0u);  // subfolders are copied too
  fs::remove_all(source);
}

// A scenario run from a large folder copies the files beside it, not the
// large subfolders (a sparse file stands for a build tree here).
TEST(ScenarioRunner, LargeSubfoldersAreLeftOut) {
  fs::path source = fs::temp_directory_path() / ("quill-script-large-" + std::to_string(::getpid()));
  fs::create_directories(source / "big");
  std::ofstream(source / "big" / "huge.bin");
  fs::resize_file(source / "big" / "huge.bin", ScratchDirectory::kSubfolderCopyLimit + 1);
  std::ofstream(source / "beside.txt") << "x";
  std::string error;
  {
    std::unique_ptr<ScratchDirectory> scratch = ScratchDirectory::enter(source, &error);
    ASSERT_TRUE(scratch) << error;
    EXPECT_TRUE(fs::exists(scratch->path() / "beside.txt"));
    EXPECT_FALSE(fs::exists(scratch->path() / "big" / "huge.bin"));
  }
  fs::remove_all(source);
}

}  // namespace
}  // namespace script
