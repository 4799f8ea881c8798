// Library files of every older format: brought to today's format by the first
// write, with everything they held, or, when the upgrade fails part-way, left
// exactly as they were.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "quill/library.h"
#include "tests/unit/quill/library_older_formats.h"
#include "tests/unit/quill/library_test_support.h"

namespace quill {
namespace {

using testing::kOlderFormats;
using testing::OlderFormat;
using testing::ReadBytes;
using testing::ScratchDir;

const std::string kNewSource = "global type s_new from structure\r\n\tstring\t\tx\r\nend type";

// One line a result row of sql, its columns joined by '|'.
std::string Rows(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  std::string text;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_exec(
        db, sql.c_str(),
        [](void* out, int count, char** values, char**) {
          auto* rows = static_cast<std::string*>(out);
          for (int i = 0; i < count; ++i)
            *rows += std::string(values[i] ? values[i] : "NULL") + (i + 1 < count ? "|" : "\n");
          return 0;
        },
        &text, nullptr);
  }
  sqlite3_close(db);
  return text;
}

// What a program of today's format relies on: the tables and indexes, each
// table's columns with their types, defaults and keys, and the format number.
std::string Shape(const std::string& path) {
  return Rows(path,
              "SELECT s.type, s.name, c.name, c.type, c.dflt_value, c.pk FROM sqlite_schema s"
              " LEFT JOIN pragma_table_info(s.name) c WHERE s.name NOT LIKE 'sqlite_%' ORDER BY s.name, c.cid") +
         Rows(path, "PRAGMA user_version");
}

std::unique_ptr<Library> Open(const std::string& path) {
  std::string error;
  auto library = Library::open(path, true, &error);
  EXPECT_NE(library, nullptr) << error;
  return library;
}

TEST(LibraryFormat, EveryOlderFormatHasItsRecipe) {
  EXPECT_EQ(std::size(kOlderFormats), static_cast<std::size_t>(kLibraryFormatVersion - kLibraryOldestFormat));
  for (std::size_t i = 0; i < std::size(kOlderFormats); ++i)
    EXPECT_EQ(kOlderFormats[i].version, kLibraryOldestFormat + static_cast<std::int32_t>(i));
}

TEST(LibraryFormat, FirstWriteBringsEveryOlderFormatToTodaysWithWhatItHeld) {
  ScratchDir dir;
  const std::string fresh = dir.file("fresh.lib");
  ASSERT_TRUE(Open(fresh)->writeEntry("s_new", kNewSource, "", nullptr));
  for (const OlderFormat& format : kOlderFormats) {
    SCOPED_TRACE("format " + std::to_string(format.version));
    const std::string path = dir.file("format" + std::to_string(format.version) + ".lib");
    ASSERT_EQ(testing::MakeOlderFormat(path, format), "");
    {
      auto library = Open(path);
      ASSERT_NE(library, nullptr);
      EXPECT_EQ(library->formatVersion(), format.version);
      std::string error;
      EXPECT_TRUE(library->writeEntry("s_new", kNewSource, "", &error)) << error;
    }
    EXPECT_EQ(Shape(path), Shape(fresh));
    auto library = Open(path);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(library->formatVersion(), kLibraryFormatVersion);
    LibraryEntryInfo old = library->entryInfo(testing::kOldEntry).value_or(LibraryEntryInfo{});
    EXPECT_EQ(old.comment, testing::kOldEntryComment);
    EXPECT_EQ(old.modified, testing::kOldEntryModified);
    EXPECT_EQ(library->entrySource(testing::kOldEntry), testing::kOldEntrySource);
    EXPECT_EQ(library->entrySource("s_new"), kNewSource);
    EXPECT_EQ(library->objectById(testing::kOldOwnerId).value_or(StoredObject{}).name, "w_main");
    std::vector<StoredLocalType> locals = library->localTypes(testing::kOldOwnerId);
    ASSERT_EQ(locals.size(), 1u);
    EXPECT_EQ(locals[0].source, testing::kOldLocalSource);
  }
}

TEST(LibraryFormat, UpgradeFailingPartWayLeavesTheFileAsItWas) {
  ScratchDir dir;
  for (const OlderFormat& format : kOlderFormats) {
    SCOPED_TRACE("format " + std::to_string(format.version));
    const std::string path = dir.file("format" + std::to_string(format.version) + ".lib");
    ASSERT_EQ(testing::MakeOlderFormat(path, format), "");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, format.breaksUpgrade, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    const std::string before = ReadBytes(path);

    auto library = Open(path);
    ASSERT_NE(library, nullptr);
    std::string error;
    EXPECT_FALSE(library->writeEntry("s_new", kNewSource, "", &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(library->formatVersion(), format.version);
    EXPECT_EQ(library->entrySource(testing::kOldEntry), testing::kOldEntrySource);
    library.reset();
    EXPECT_TRUE(ReadBytes(path) == before) << "the file changed";
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
  }
}

// Another program of a newer format may take the file past this program's
// format while it is open here, whether the file was of today's format or an
// older one; writing rows of the older shape into it would damage its data.
TEST(LibraryFormat, WriteRefusedWhenAnotherProgramMadeTheFileNewerMeanwhile) {
  ScratchDir dir;
  std::vector<std::int32_t> starts{kLibraryFormatVersion};
  for (const OlderFormat& format : kOlderFormats) starts.push_back(format.version);
  for (std::int32_t start : starts) {
    SCOPED_TRACE("format " + std::to_string(start));
    const std::string path = dir.file("from" + std::to_string(start) + ".lib");
    if (start == kLibraryFormatVersion) {
      ASSERT_TRUE(Open(path)->writeEntry(testing::kOldEntry, testing::kOldEntrySource, "", nullptr));
    } else {
      ASSERT_EQ(testing::MakeOlderFormat(path, kOlderFormats[start - kLibraryOldestFormat]), "");
    }
    auto library = Open(path);
    ASSERT_NE(library, nullptr);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    const std::string newer = std::to_string(kLibraryFormatVersion + 1);
    EXPECT_EQ(sqlite3_exec(db, ("PRAGMA user_version=" + newer).c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    const std::string before = ReadBytes(path);

    std::string error;
    EXPECT_FALSE(library->writeEntry("s_new", kNewSource, "", &error));
    EXPECT_EQ(error,
              path + " now has library format " + newer + ", which this program cannot write; nothing was written.");
    library.reset();
    EXPECT_TRUE(ReadBytes(path) == before) << "the file changed";
  }
}

}  // namespace
}  // namespace quill
