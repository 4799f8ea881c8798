// Connections a runtime keeps open between its calls: used again only while
// nobody else touched the file, so that a file replaced, rewritten or damaged
// meanwhile is checked and reported as a fresh open would; libraries read from
// memory; the index the entries' list reads.
#include <sqlite3.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "quill/library.h"
#include "quill/src/library_connections.h"
#include "tests/unit/quill/library_test_support.h"

namespace quill {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

std::string Source(const std::string& name) {
  return "global type " + name + " from structure\r\n\tinteger\t\tqty\r\nend type";
}

// Writes through a connection of another program (not the kept one).
void WriteElsewhere(const std::string& path) {
  std::string error;
  auto other = Library::open(path, false, &error);
  ASSERT_NE(other, nullptr) << error;
  ASSERT_TRUE(other->writeEntry("s_other", Source("s_other"), "", &error)) << error;
}

// Overwrites a page in the middle of the entries with noise.
void Damage(const std::string& path) {
  std::string bytes = ReadBytes(path);
  ASSERT_GT(bytes.size(), 8192u);
  for (std::size_t i = 4096; i < 8192; ++i) bytes[i] = static_cast<char>(i * 7);
  WriteBytes(path, bytes);
}

TEST(LibraryConnections, KeptConnectionIsUsedOnlyWhileNobodyElseTouchedTheFile) {
  struct Case {
    const char* what;
    std::function<void(const std::string& path, Library& kept)> meanwhile;
    bool sameConnection;
    const char* failure;  // the reason the next open gives, "" when it opens
  } cases[] = {
      {"nothing", [](const std::string&, Library&) {}, true, ""},
      {"a write through the kept connection",
       [](const std::string&, Library& kept) { ASSERT_TRUE(kept.writeEntry("s_mine", Source("s_mine"), "", nullptr)); },
       true, ""},
      {"a write of another program", [](const std::string& path, Library&) { WriteElsewhere(path); }, false, ""},
      {"the file replaced by a copy",
       [](const std::string& path, Library&) {
         std::string bytes = ReadBytes(path);
         std::filesystem::remove(path);
         WriteBytes(path, bytes);
       },
       false, ""},
      {"other permissions", [](const std::string& path, Library&) { chmod(path.c_str(), 0444); }, false, ""},
      {"the file removed", [](const std::string& path, Library&) { std::filesystem::remove(path); }, false,
       "does not exist"},
      {"the file damaged", [](const std::string& path, Library&) { Damage(path); }, false, "is damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    const std::string path = dir.file("app.lib");
    {
      auto library = Library::open(path, true, nullptr);
      ASSERT_NE(library, nullptr);
      // Enough text that the entries span several pages (the damage hits one).
      for (int i = 0; i < 40; ++i) library->writeEntry("s_" + std::to_string(i), std::string(3000, 'x'), "", nullptr);
    }
    LibraryConnections connections;
    std::string error;
    std::shared_ptr<Library> first = connections.open(path, false, false, &error, 100);
    ASSERT_NE(first, nullptr) << error;
    c.meanwhile(path, *first);
    error.clear();
    std::shared_ptr<Library> next = connections.open(path, false, false, &error, 100);
    if (*c.failure) {
      EXPECT_EQ(next, nullptr);
      EXPECT_NE(error.find(c.failure), std::string::npos) << error;
      continue;
    }
    ASSERT_NE(next, nullptr) << error;
    EXPECT_EQ(next == first, c.sameConnection);
    EXPECT_EQ(next->entries().size(), 40u + (next->entryInfo("s_mine") ? 1 : 0) + (next->entryInfo("s_other") ? 1 : 0));
    chmod(path.c_str(), 0644);
  }
}

TEST(LibraryConnections, CountsTheWritesThatCompletedAndTheFilesItMade) {
  ScratchDir dir;
  LibraryConnections connections;
  std::string error;
  auto made = connections.open(dir.file("new.lib"), true, true, &error, 100);
  ASSERT_NE(made, nullptr) << error;
  EXPECT_EQ(connections.commits(), 0u);  // a new library for a write is made by that write
  ASSERT_TRUE(made->writeEntry("s_a", Source("s_a"), "", &error)) << error;
  EXPECT_FALSE(made->writeObject({0, "window", "w"}, &error) && made->writeObject({1, "menu", "W"}, &error));
  EXPECT_EQ(connections.commits(), 2u);  // the entry and the first object; the clashing name wrote nothing
  connections.forget(dir.file("new.lib"));
  EXPECT_EQ(connections.open(dir.file("missing.lib"), false, false, &error, 100), nullptr);
  ASSERT_NE(connections.open(dir.file("used.lib"), true, false, &error, 100), nullptr) << error;
  EXPECT_EQ(connections.commits(), 3u);  // an empty library opened to be used is written at once
}

TEST(LibraryImage, BytesAreReadAsTheFileWouldBeAndNeverWritten) {
  ScratchDir dir;
  const std::string path = dir.file("app.lib");
  {
    auto library = Library::open(path, true, nullptr);
    ASSERT_TRUE(library->writeEntry("s_a", Source("s_a"), "kept", nullptr));
    ASSERT_TRUE(library->writeObjectTypes({7, "window", "w_main"}, {{"s_line", "L1"}}, nullptr));
  }
  const std::string sound = ReadBytes(path);
  std::string otherApp = sound;
  otherApp[68] = 'X';
  std::string newer = sound;
  newer[63] = 9;
  struct Case {
    const char* what;
    std::string bytes;
    const char* failure;
  } cases[] = {
      {"a library", sound, ""},
      {"no bytes", "", "is not a library file"},
      {"text", "global type s_a from structure\r\nend type\r\n", "is not a library file"},
      {"another program's database", otherApp, "is not a library file"},
      {"a newer format", newer, "format 9"},
      {"the first page only", sound.substr(0, 4096), "damaged"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string error;
    auto library = Library::openImage(c.bytes, "image.lib", &error);
    if (*c.failure) {
      EXPECT_EQ(library, nullptr);
      EXPECT_NE(error.find(c.failure), std::string::npos) << error;
      EXPECT_NE(error.find("image.lib"), std::string::npos) << error;
      continue;
    }
    ASSERT_NE(library, nullptr) << error;
    EXPECT_EQ(library->path(), "image.lib");
    EXPECT_EQ(library->entryInfo("s_a").value_or(LibraryEntryInfo{}).comment, "kept");
    EXPECT_EQ(library->localTypes(7).at(0).source, "L1");
    EXPECT_FALSE(library->writeEntry("s_b", Source("s_b"), "", &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_FALSE(library->fileUnchanged());  // no file to keep a connection to
  }
}

// Whether the file has the index the entries' list reads.
bool HasListIndex(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* query = nullptr;
  sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_schema WHERE type='index' AND name='entries_list'", -1, &query,
                     nullptr);
  const bool has = sqlite3_step(query) == SQLITE_ROW && sqlite3_column_int(query, 0) == 1;
  sqlite3_finalize(query);
  sqlite3_close(db);
  return has;
}

TEST(LibraryListIndex, LibraryWithoutTheIndexListsTheSameAndGainsItWithItsNextWrite) {
  ScratchDir dir;
  const std::string path = dir.file("app.lib");
  {
    auto library = Library::open(path, true, nullptr);
    for (const char* name : {"s_b", "S_a", "s_C"}) ASSERT_TRUE(library->writeEntry(name, Source(name), name, nullptr));
  }
  EXPECT_TRUE(HasListIndex(path));
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "DROP INDEX entries_list", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  const std::string before = ReadBytes(path);

  auto library = Library::open(path, false, nullptr);
  ASSERT_NE(library, nullptr);
  auto names = [&] {
    std::string all;
    for (const LibraryEntryInfo& entry : library->entries()) all += entry.name + "/" + entry.comment + " ";
    return all;
  };
  EXPECT_EQ(names(), "S_a/S_a s_b/s_b s_C/s_C ");
  EXPECT_EQ(ReadBytes(path), before);  // reading adds nothing
  ASSERT_TRUE(library->writeEntry("s_d", Source("s_d"), "", nullptr));
  EXPECT_TRUE(HasListIndex(path));
  EXPECT_EQ(names(), "S_a/S_a s_b/s_b s_C/s_C s_d/ ");
}

}  // namespace
}  // namespace quill
