// Library files: what is refused, and that nothing stored is ever lost, also
// with a second process on the same file.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "quill/library.h"
#include "tests/unit/quill/library_test_support.h"

namespace quill {
namespace {

using testing::ReadBytes;
using testing::ScratchDir;
using testing::WriteBytes;

const std::string kSource = "global type s_a from structure\r\n\tinteger\t\tqty\r\nend type";

std::unique_ptr<Library> MakeLibrary(const std::string& path) {
  std::string error;
  auto library = Library::open(path, true, &error);
  EXPECT_NE(library, nullptr) << error;
  return library;
}

// Runs body in a child process; its result is the child's exit status.
template <typename Body>
int InChild(Body body) {
  pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST(LibraryFile, StoresEntriesObjectsAndLocalStructures) {
  ScratchDir dir;
  std::string path = dir.file("app.lib");
  std::string error;
  {
    auto library = MakeLibrary(path);
    ASSERT_TRUE(library->writeEntry("s_a", kSource, "first", &error)) << error;
    ASSERT_TRUE(library->writeObjectTypes({7, "window", "w_main"}, {{"s_line", "L1"}, {"s_item", "I1"}}, &error));
    // Later writes replace by name, ignoring case, and keep what they do not name.
    ASSERT_TRUE(library->writeLocalTypes(7, {{"S_LINE", "L2"}}, &error)) << error;
    EXPECT_FALSE(library->writeLocalTypes(8, {{"s_x", "X"}}, &error));
    EXPECT_FALSE(library->writeObject({9, "menu", "W_MAIN"}, &error));  // the name is taken
  }
  auto library = Library::open(path, false, &error);
  ASSERT_NE(library, nullptr) << error;
  EXPECT_EQ(library->entrySource("S_A"), kSource);
  auto info = library->entryInfo("s_a");
  ASSERT_TRUE(info);
  EXPECT_EQ(info->comment, "first");
  ASSERT_EQ(info->modified.size(), 19u);  // YYYY-MM-DD HH:MM:SS
  EXPECT_EQ(info->modified[4], '-');
  EXPECT_EQ(info->modified[13], ':');
  EXPECT_FALSE(library->entrySource("s_b"));
  auto object = library->object("w_Main");
  ASSERT_TRUE(object);
  EXPECT_EQ(object->id, 7);
  EXPECT_EQ(object->kind, "window");
  auto locals = library->localTypes(7);
  ASSERT_EQ(locals.size(), 2u);
  EXPECT_EQ(locals[0].name, "S_LINE");
  EXPECT_EQ(locals[0].source, "L2");
  EXPECT_EQ(locals[1].source, "I1");
}

TEST(LibraryFile, PlainSaveWithEmptyCommentKeepsTheStoredComment) {
  ScratchDir dir;
  auto library = MakeLibrary(dir.file("app.lib"));
  std::string error;
  ASSERT_TRUE(library->writeEntry("s_a", kSource, "the address", &error));
  ASSERT_TRUE(library->writeEntry("s_a", kSource + " ", "", &error));
  EXPECT_EQ(library->entryInfo("s_a")->comment, "the address");
  ASSERT_TRUE(library->writeEntry("s_a", kSource, "new words", &error));
  EXPECT_EQ(library->entryInfo("s_a")->comment, "new words");
  ASSERT_EQ(library->entries().size(), 1u);
}

TEST(LibraryFile, MissingFileIsCreatedOnlyWhereAsked) {
  ScratchDir dir;
  std::string path = dir.file("new.lib");
  std::string error;
  EXPECT_EQ(Library::open(path, false, &error), nullptr);
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_NE(Library::open(path, true, &error), nullptr) << error;
  EXPECT_NE(Library::open(path, false, &error), nullptr) << error;
}

// Names the database engine would read as something other than a file are
// files like any other: what is written there is on disk afterwards.
TEST(LibraryFile, SpecialLookingNamesAreOrdinaryFiles) {
  ScratchDir dir;
  testing::WorkingDirectory inside(dir.path());
  for (const std::string name : {":memory:", "file:app.lib", "file:app.lib?mode=memory"}) {
    std::string error;
    ASSERT_TRUE(MakeLibrary(name)->writeEntry("s_a", kSource, "", &error)) << name << ": " << error;
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.file(name))) << name;
    auto reopened = Library::open(dir.file(name), false, &error);
    ASSERT_NE(reopened, nullptr) << name << ": " << error;
    EXPECT_EQ(reopened->entrySource("s_a"), kSource) << name;
  }
}

TEST(LibraryFile, ForeignFilesAreRefusedAndNeverWritten) {
  ScratchDir dir;
  std::string real = dir.file("real.lib");
  MakeLibrary(real)->writeEntry("s_a", kSource, "", nullptr);
  std::string sqlite = ReadBytes(real);

  std::string otherApp = sqlite;
  otherApp[68] = 'X';  // another application's id in an otherwise sound database
  std::string plainSqlite = sqlite;
  for (int i = 68; i < 72; ++i) plainSqlite[i] = 0;
  std::string newerFormat = sqlite;
  newerFormat[63] = 9;  // user_version 9

  struct Foreign {
    const char* name;
    std::string bytes;
    const char* reason;
  } files[] = {
      {"notes.txt", "global type s_a from structure\r\nend type\r\n", "is not a library file"},
      {"other.db", otherApp, "is not a library file"},
      {"plain.db", plainSqlite, "is not a library file"},
      {"newer.lib", newerFormat, "format 9"},
      {"short.lib", sqlite.substr(0, 50), "is not a library file"},
  };
  for (const Foreign& foreign : files) {
    SCOPED_TRACE(foreign.name);
    std::string path = dir.file(foreign.name);
    WriteBytes(path, foreign.bytes);
    for (bool create : {false, true}) {
      std::string error;
      EXPECT_EQ(Library::open(path, create, &error), nullptr);
      EXPECT_NE(error.find(foreign.reason), std::string::npos) << error;
      EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_EQ(ReadBytes(path), foreign.bytes);
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
  }
  std::string error;
  EXPECT_EQ(Library::open(dir.file(""), true, &error), nullptr);  // a directory
}

TEST(LibraryFile, DamagedFileIsRefusedAndLeftAsItWas) {
  ScratchDir dir;
  std::string path = dir.file("app.lib");
  {
    auto library = MakeLibrary(path);
    // Enough text that the entries table spans several pages.
    for (int i = 0; i < 40; ++i) library->writeEntry("s_" + std::to_string(i), std::string(3000, 'x'), "", nullptr);
  }
  std::string bytes = ReadBytes(path);
  ASSERT_GT(bytes.size(), 8192u);
  for (std::size_t i = 4096; i < 8192; ++i) bytes[i] = static_cast<char>(i * 7);
  WriteBytes(path, bytes);
  std::string error;
  EXPECT_EQ(Library::open(path, true, &error), nullptr);
  EXPECT_NE(error.find("damaged"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(path), bytes);
}

TEST(LibraryFile, ReadOnlyFileReadsButRefusesWritesWithoutChange) {
  ScratchDir dir;
  std::string path = dir.file("app.lib");
  MakeLibrary(path)->writeEntry("s_a", kSource, "kept", nullptr);
  chmod(path.c_str(), 0444);
  std::string before = ReadBytes(path);
  // The file mode does not stop root: the check runs as an unprivileged user.
  int status = InChild([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 10;
    std::string error;
    auto library = Library::open(path, false, &error);
    if (!library || library->entrySource("s_a") != kSource) return 11;
    if (library->writeEntry("s_a", "global type s_a from structure\r\nend type", "lost", &error)) return 12;
    if (error.find("read-only") == std::string::npos) return 13;
    return 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes(path), before);
}

TEST(LibraryFile, TwoProcessesWritingOneFileLoseNothing) {
  ScratchDir dir;
  std::string path = dir.file("shared.lib");
  MakeLibrary(path);
  auto writeMany = [&](const std::string& prefix) {
    for (int i = 0; i < 25; ++i) {
      std::string error;
      auto library = Library::open(path, false, &error);
      if (!library) return 1;
      if (!library->writeEntry(prefix + std::to_string(i), prefix + " source " + std::to_string(i), "", &error))
        return 2;
      if (!library->writeEntry("s_both", prefix + " wrote last", "", &error)) return 3;
    }
    return 0;
  };
  pid_t child = fork();
  if (child == 0) _exit(writeMany("c"));
  EXPECT_EQ(writeMany("p"), 0);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

  auto library = Library::open(path, false, nullptr);
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->entries().size(), 51u);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(library->entrySource("c" + std::to_string(i)), "c source " + std::to_string(i));
    EXPECT_EQ(library->entrySource("p" + std::to_string(i)), "p source " + std::to_string(i));
  }
  std::string both = library->entrySource("s_both").value_or("");
  EXPECT_TRUE(both == "c wrote last" || both == "p wrote last") << both;
}

TEST(LibraryFile, WriteWhileAnotherProcessHoldsTheLockFailsCleanly) {
  ScratchDir dir;
  std::string path = dir.file("app.lib");
  auto library = MakeLibrary(path);
  ASSERT_TRUE(library->writeEntry("s_a", kSource, "kept", nullptr));
  int ready[2], release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  pid_t child = fork();
  if (child == 0) {
    // Hold the file's locking bytes the way a writer in another process does.
    int fd = ::open(path.c_str(), O_RDWR);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0x40000000;
    lock.l_len = 512;
    int ok = fd >= 0 && fcntl(fd, F_SETLK, &lock) == 0;
    char c = ok ? 'y' : 'n';
    (void)!write(ready[1], &c, 1);
    (void)!read(release[0], &c, 1);
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  ASSERT_EQ(c, 'y');
  library->setBusyTimeout(200);
  std::string error;
  EXPECT_FALSE(library->writeEntry("s_a", "global type s_a from structure\r\nend type", "lost", &error));
  EXPECT_NE(error.find("in use by another program"), std::string::npos) << error;
  (void)!write(release[1], "x", 1);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(library->entrySource("s_a"), kSource);
  EXPECT_EQ(library->entryInfo("s_a")->comment, "kept");
  EXPECT_TRUE(library->writeEntry("s_a", kSource, "later", &error)) << error;
}

TEST(LibraryFile, FullDiskLeavesThePreviousEntryExactlyAsItWas) {
  ScratchDir dir;
  std::string path = dir.file("app.lib");
  MakeLibrary(path)->writeEntry("s_a", kSource, "kept", nullptr);
  int status = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    limit.rlim_cur = limit.rlim_max = 64 * 1024;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
    std::string error;
    auto library = Library::open(path, false, &error);
    if (!library) return 11;
    return library->writeEntry("s_a", std::string(1 << 20, 'x'), "lost", &error) ? 12 : 0;
  });
  EXPECT_EQ(status, 0);
  std::string error;
  auto library = Library::open(path, false, &error);
  ASSERT_NE(library, nullptr) << error;
  EXPECT_EQ(library->entrySource("s_a"), kSource);
  EXPECT_EQ(library->entryInfo("s_a")->comment, "kept");
}

}  // namespace
}  // namespace quill
