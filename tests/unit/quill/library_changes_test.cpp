// Library files: the change counter every write of an entry or local structure
// raises, the writes that expect a counter, and how a library of the earlier
// format (no counters) is read as it is and gains them with its first write.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "quill/library.h"
#include "tests/unit/quill/library_older_formats.h"
#include "tests/unit/quill/library_test_support.h"

namespace quill {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;

std::string Source(const std::string& name, const std::string& variable) {
  return "global type " + name + " from structure\r\n\tstring\t\t" + variable + "\r\nend type";
}

class LibraryChanges : public ::testing::Test {
 protected:
  std::unique_ptr<Library> open() {
    std::string error;
    auto library = Library::open(path_, true, &error);
    EXPECT_NE(library, nullptr) << error;
    return library;
  }

  // A library as the earlier format wrote it: no counters, user_version 1.
  void makeFormatOne() { EXPECT_EQ(testing::MakeOlderFormat(path_, testing::kOlderFormats[0]), ""); }

  ScratchDir dir_;
  std::string path_ = dir_.file("app.lib");
};

// One write after another on one library: what each returns and the counter after it.
TEST_F(LibraryChanges, EveryWriteRaisesTheCounterAndExpectedCountersGuardTheWrite) {
  auto library = open();
  struct Step {
    const char* what;
    std::string name;
    std::int64_t expected;  // kAnyChanges: an ordinary write
    WriteOutcome outcome;
    std::int64_t changes;  // the counter stored afterwards
  } steps[] = {
      {"a new entry starts at 1", "s_a", kAnyChanges, WriteOutcome::Written, 1},
      {"each write raises it", "s_a", kAnyChanges, WriteOutcome::Written, 2},
      {"the counter read last is current", "s_a", 2, WriteOutcome::Written, 3},
      {"an older counter: someone wrote meanwhile", "s_a", 2, WriteOutcome::Changed, 3},
      {"names ignore letter case", "S_A", 3, WriteOutcome::Written, 4},
      {"0 expects no entry: a new one is written", "s_b", 0, WriteOutcome::Written, 1},
      {"0 expects no entry: one is there", "s_b", 0, WriteOutcome::Changed, 1},
      {"a counter for an entry that is not there", "s_c", 5, WriteOutcome::Changed, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const std::string before = library->entrySource(step.name).value_or("");
    std::int64_t changes = -7;
    std::string error;
    WriteOutcome outcome =
        library->writeEntryIfUnchanged(step.name, Source(step.name, step.what), "", step.expected, &changes, &error);
    EXPECT_EQ(outcome, step.outcome) << error;
    EXPECT_EQ(changes, step.changes);
    EXPECT_EQ(library->entryInfo(step.name).value_or(LibraryEntryInfo{}).changes, step.changes);
    const std::string after = library->entrySource(step.name).value_or("");
    EXPECT_EQ(after, outcome == WriteOutcome::Written ? Source(step.name, step.what) : before);
  }
  // Another connection sees the same counters.
  std::vector<LibraryEntryInfo> entries = open()->entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].changes, 4);
  EXPECT_EQ(entries[1].changes, 1);
}

TEST_F(LibraryChanges, LocalStructuresKeepCountersAndAChangedOneStopsTheWholeWrite) {
  auto library = open();
  const StoredObject owner{7, "window", "w_main"};
  ASSERT_TRUE(library->writeObjectTypes(owner, {{"s_line", "one"}, {"s_cell", "one"}}, nullptr));
  ASSERT_TRUE(library->writeLocalTypes(7, {{"s_line", "two"}}, nullptr));
  std::vector<StoredLocalType> stored = library->localTypes(7);
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].changes, 2);
  EXPECT_EQ(stored[1].changes, 1);

  // s_cell current, s_line stale: nothing at all is written.
  std::vector<StoredLocalType> mine = {{"s_cell", "mine", 1}, {"s_line", "mine", 1}};
  EXPECT_EQ(library->writeObjectTypesIfUnchanged(owner, mine, nullptr), WriteOutcome::Changed);
  stored = library->localTypes(7);
  EXPECT_EQ(stored[0].source, "two");
  EXPECT_EQ(stored[1].source, "one");

  // With the counters found, and a new one expected absent (0), all are written.
  mine = {{"s_cell", "mine", 1}, {"s_line", "mine", 2}, {"s_new", "mine", 0}};
  EXPECT_EQ(library->writeObjectTypesIfUnchanged(owner, mine, nullptr), WriteOutcome::Written);
  EXPECT_EQ(mine[0].changes, 2);
  EXPECT_EQ(mine[1].changes, 3);
  EXPECT_EQ(mine[2].changes, 1);
}

// Each operation on a library of the earlier format, opened by two connections
// before it runs: reads leave the file as it was; any write adds the counters
// (existing rows count 0, what was written 1) and the other connection keeps working.
TEST_F(LibraryChanges, EarlierFormatIsReadAsItIsAndGainsCountersWithItsFirstWrite) {
  struct Case {
    const char* what;
    std::function<bool(Library&)> run;
    bool writes;
  } cases[] = {
      {"reading", [](Library& l) { return l.entries().size() == 1 && l.localTypes(7).size() == 1; }, false},
      {"an entry", [](Library& l) { return l.writeEntry("s_new", Source("s_new", "x"), "", nullptr); }, true},
      {"an object",
       [](Library& l) {
         return l.writeObject({8, "menu", "m_main"}, nullptr);
       },
       true},
      {"local structures",
       [](Library& l) {
         return l.writeLocalTypes(7, {{"s_new", "x"}}, nullptr);
       },
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(path_);
    makeFormatOne();
    const std::string before = ReadBytes(path_);
    auto library = open();
    auto other = open();
    ASSERT_TRUE(library && other);
    EXPECT_EQ(library->formatVersion(), 1);
    EXPECT_EQ(library->entryInfo("s_old").value_or(LibraryEntryInfo{}).comment, "kept");
    EXPECT_EQ(library->entryInfo("s_old").value_or(LibraryEntryInfo{}).changes, 0);
    EXPECT_TRUE(c.run(*library));
    if (!c.writes) {
      EXPECT_EQ(ReadBytes(path_), before);
      continue;
    }
    EXPECT_EQ(library->formatVersion(), kLibraryFormatVersion);
    EXPECT_EQ(open()->formatVersion(), kLibraryFormatVersion);
    EXPECT_EQ(library->entryInfo("s_old")->changes, 0);
    EXPECT_EQ(library->localTypes(7).at(0).changes, 0);
    // The connection opened before the upgrade writes into the new format.
    std::string error;
    EXPECT_TRUE(other->writeEntry("s_old", Source("s_old", "y"), "", &error)) << error;
    EXPECT_EQ(library->entryInfo("s_old")->changes, 1);
    EXPECT_EQ(library->entryInfo("s_old")->comment, "kept");
  }
}

}  // namespace
}  // namespace quill
