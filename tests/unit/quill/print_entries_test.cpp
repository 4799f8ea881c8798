// Printing: the listed entries with their stored source reach the front end.
#include <cstring>
#include <filesystem>

#include "host_test_support.h"
#include "qst/host_print.h"
#include "qst/host_runtime.h"
#include "quill/library.h"

namespace hosttest {
namespace {

constexpr const char* kGlobalSource = "global type s_address from structure\r\n\tstring\t\tcity\r\nend type";
constexpr const char* kLocalSource = "type s_local from structure\r\n\tinteger\t\tqty\r\nend type";

class PrintEntriesTest : public HostLibraryTest {
 protected:
  void SetUp() override {
    HostLibraryTest::SetUp();
    if (HasFatalFailure()) return;
    std::string error;
    auto file = quill::Library::open(library_, false, &error);
    ASSERT_NE(file, nullptr) << error;
    ASSERT_TRUE(file->writeEntry("s_address", kGlobalSource, "", &error)) << error;
  }
  // Prints one entry the way the editor hands it over, and cleans up as it does.
  void Print(quill::EditorSession& session, const char* library, const char* entryName) {
    HostPool* pool = session.context->pool;
    PoolList* list = PoolListCreate(pool, 0);
    auto* entry = static_cast<PrintEntry*>(PoolAlloc(pool, sizeof(PrintEntry), 0));
    entry->library = library;
    entry->entryName = PoolStrDup(pool, entryName, 0);
    PoolListAppend(list, entry);
    PrintEntries(session.context, session.frame, list, 1);
    PoolFree(pool, entry->entryName);
    PoolFree(pool, entry);
    PoolListDestroy(list);
  }
};

TEST_F(PrintEntriesTest, GlobalEntryIsPrintedWithItsStoredSource) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  Print(*session, library_.c_str(), "s_address.srs");
  ASSERT_EQ(frontEnd.printRequests, 1);
  EXPECT_EQ(frontEnd.printFrame, session->frame);
  ASSERT_EQ(frontEnd.printed.size(), 1u);
  EXPECT_EQ(frontEnd.printed[0].library, library_);
  EXPECT_EQ(frontEnd.printed[0].entry, "s_address.srs");
  EXPECT_EQ(frontEnd.printed[0].flag, 1);
  EXPECT_EQ(frontEnd.printed[0].text, kGlobalSource);
  EXPECT_TRUE(host->closeFrame(session->frame));
  EXPECT_EQ(host->livePoolBlocks(), 0);
}

TEST_F(PrintEntriesTest, EntryMissingFromItsLibraryIsStillListedWithoutText) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  Print(*session, library_.c_str(), "s_nosuch.srs");
  ASSERT_EQ(frontEnd.printed.size(), 1u);
  EXPECT_EQ(frontEnd.printed[0].entry, "s_nosuch.srs");
  EXPECT_EQ(frontEnd.printed[0].text, "");
}

TEST_F(PrintEntriesTest, EntryWithoutLibraryIsTheOwnersLocalStructure) {
  std::int32_t owner = host->addObject("window", "w_main", std::nullopt);
  ASSERT_NE(owner, 0);
  quill::EditorSession* session = host->createEditor(kContextEmbedded, kCallerWindow, std::nullopt, "", owner);
  ASSERT_NE(session, nullptr);
  StoreLocalType(*session, owner, "s_local", kLocalSource);

  Print(*session, nullptr, "s_local.srs");
  ASSERT_EQ(frontEnd.printed.size(), 1u);
  EXPECT_EQ(frontEnd.printed[0].library, "");
  EXPECT_EQ(frontEnd.printed[0].entry, "s_local.srs");
  EXPECT_EQ(frontEnd.printed[0].text, kLocalSource);
}

TEST_F(PrintEntriesTest, EmptyOrMissingListPrintsNothing) {
  quill::EditorSession* session = CreateStandAlone();
  ASSERT_NE(session, nullptr);
  PrintEntries(session->context, session->frame, nullptr, 1);
  PoolList* list = PoolListCreate(session->context->pool, 0);
  PrintEntries(session->context, session->frame, list, 1);
  PoolListDestroy(list);
  EXPECT_EQ(frontEnd.printRequests, 0);
}

}  // namespace
}  // namespace hosttest
