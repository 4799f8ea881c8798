// What a library connection reports when the file system fails it: a shim over
// SQLite's own file layer fails the chosen calls once the library is open.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "quill/library.h"
#include "quill/library_structures.h"
#include "tests/unit/quill/library_test_support.h"

namespace quill {
namespace {

using testing::ScratchDir;

// Which calls of the file layer fail, and how.
struct Faults {
  bool busyLocks = false;    // every lock is held by another program
  bool failReads = false;    // reads of the main file end in an input/output error
  bool failUnlocks = false;  // releasing a lock fails
  bool failDeletes = false;  // a journal cannot be deleted
};
Faults faults;

sqlite3_vfs* Real() { return sqlite3_vfs_find("unix"); }

struct ShimFile {
  sqlite3_file base;
  sqlite3_file* real;  // the real layer's file, allocated behind this one
};

sqlite3_file* RealOf(sqlite3_file* file) { return reinterpret_cast<ShimFile*>(file)->real; }

int ShimClose(sqlite3_file* f) { return RealOf(f)->pMethods->xClose(RealOf(f)); }
int ShimRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
  if (faults.failReads) return SQLITE_IOERR_READ;
  return RealOf(f)->pMethods->xRead(RealOf(f), buffer, amount, offset);
}
int ShimWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
  return RealOf(f)->pMethods->xWrite(RealOf(f), buffer, amount, offset);
}
int ShimTruncate(sqlite3_file* f, sqlite3_int64 size) { return RealOf(f)->pMethods->xTruncate(RealOf(f), size); }
int ShimSync(sqlite3_file* f, int flags) { return RealOf(f)->pMethods->xSync(RealOf(f), flags); }
int ShimFileSize(sqlite3_file* f, sqlite3_int64* size) { return RealOf(f)->pMethods->xFileSize(RealOf(f), size); }
int ShimLock(sqlite3_file* f, int level) {
  if (faults.busyLocks) return SQLITE_BUSY;
  return RealOf(f)->pMethods->xLock(RealOf(f), level);
}
int ShimUnlock(sqlite3_file* f, int level) {
  int rc = RealOf(f)->pMethods->xUnlock(RealOf(f), level);
  return faults.failUnlocks && rc == SQLITE_OK ? SQLITE_IOERR_UNLOCK : rc;
}
int ShimCheckReserved(sqlite3_file* f, int* out) {
  return RealOf(f)->pMethods->xCheckReservedLock(RealOf(f), out);
}
int ShimFileControl(sqlite3_file* f, int op, void* arg) {
  // The library reads the change counter through the real file itself.
  if (op == SQLITE_FCNTL_FILE_POINTER) {
    *static_cast<sqlite3_file**>(arg) = RealOf(f);
    return SQLITE_OK;
  }
  return RealOf(f)->pMethods->xFileControl(RealOf(f), op, arg);
}
int ShimSectorSize(sqlite3_file* f) { return RealOf(f)->pMethods->xSectorSize(RealOf(f)); }
int ShimDeviceCharacteristics(sqlite3_file* f) { return RealOf(f)->pMethods->xDeviceCharacteristics(RealOf(f)); }

sqlite3_io_methods ShimMethods() {
  sqlite3_io_methods methods{};
  methods.iVersion = 1;  // no shared memory, no memory mapping
  methods.xClose = ShimClose;
  methods.xRead = ShimRead;
  methods.xWrite = ShimWrite;
  methods.xTruncate = ShimTruncate;
  methods.xSync = ShimSync;
  methods.xFileSize = ShimFileSize;
  methods.xLock = ShimLock;
  methods.xUnlock = ShimUnlock;
  methods.xCheckReservedLock = ShimCheckReserved;
  methods.xFileControl = ShimFileControl;
  methods.xSectorSize = ShimSectorSize;
  methods.xDeviceCharacteristics = ShimDeviceCharacteristics;
  return methods;
}
const sqlite3_io_methods kShimMethods = ShimMethods();

int ShimOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  auto* shim = reinterpret_cast<ShimFile*>(file);
  shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
  shim->base.pMethods = nullptr;
  int rc = Real()->xOpen(Real(), name, shim->real, flags, outFlags);
  if (rc == SQLITE_OK) shim->base.pMethods = &kShimMethods;
  return rc;
}
int ShimDelete(sqlite3_vfs*, const char* name, int syncDir) {
  if (faults.failDeletes) return SQLITE_IOERR_DELETE;
  return Real()->xDelete(Real(), name, syncDir);
}

// The shim is every connection's file layer while a test holds it.
class FaultyFiles {
 public:
  FaultyFiles() {
    vfs_ = *Real();
    vfs_.szOsFile = static_cast<int>(sizeof(ShimFile)) + Real()->szOsFile;
    vfs_.zName = "quill-faults";
    vfs_.xOpen = ShimOpen;
    vfs_.xDelete = ShimDelete;
    sqlite3_vfs_register(&vfs_, 1);
    faults = {};
  }
  ~FaultyFiles() {
    faults = {};
    sqlite3_vfs_unregister(&vfs_);
    sqlite3_vfs_register(Real(), 1);
  }

 private:
  sqlite3_vfs vfs_{};
};

const std::string kSource = "global type s_a from structure\r\n\tinteger\t\tqty\r\nend type";

std::unique_ptr<Library> Sample(const std::string& path) {
  std::string error;
  auto library = Library::open(path, true, &error);
  EXPECT_NE(library, nullptr) << error;
  EXPECT_TRUE(library->writeEntry("s_a", kSource, "", &error)) << error;
  EXPECT_TRUE(library->writeObjectTypes({7, "window", "w_main"}, {{"s_loc", kSource, 0}}, &error)) << error;
  return library;
}

// Every read a program makes of a library, each saying whether it failed.
const std::vector<std::pair<const char*, std::function<std::string(const Library&)>>> kReads = {
    {"entries", [](const Library& l) { std::string e; return l.entries(&e).empty() ? e : "read"; }},
    {"entryInfo", [](const Library& l) { std::string e; return l.entryInfo("s_a", &e) ? "read" : e; }},
    {"entrySource", [](const Library& l) { std::string e; return l.entrySource("s_a", &e) ? "read" : e; }},
    {"objects", [](const Library& l) { std::string e; return l.objects(&e).empty() ? e : "read"; }},
    {"object", [](const Library& l) { std::string e; return l.object("w_main", &e) ? "read" : e; }},
    {"objectById", [](const Library& l) { std::string e; return l.objectById(7, &e) ? "read" : e; }},
    {"localTypes", [](const Library& l) { std::string e; return l.localTypes(7, &e).empty() ? e : "read"; }},
    {"storedEntries", [](const Library& l) { std::string e; return l.storedEntries(&e).empty() ? e : "read"; }},
    {"namelessStructures", [](const Library& l) { std::string e; return l.namelessStructures(&e) ? "read" : e; }},
    {"structures",
     [](const Library& l) {
       std::string e;
       return LibraryStructures::read(l, {}, &e).all().empty() ? e : "read";
     }},
};

// A read that fails after the open check is a failure with its reason, never
// a library that looks empty.
TEST(LibraryFaults, EveryReadReportsTheFailureOfItsStep) {
  ScratchDir dir;
  FaultyFiles shim;
  const std::string path = dir.file("app.lib");
  Sample(path);
  const std::vector<std::pair<bool Faults::*, std::string>> cases = {
      {&Faults::busyLocks, "The library " + path + " is in use by another program."},
      {&Faults::failReads, path + " cannot be read: input/output error."},
  };
  for (const auto& [fault, reason] : cases) {
    std::string error;
    auto library = Library::open(path, false, &error, 50);
    ASSERT_NE(library, nullptr) << error;
    for (const auto& [name, read] : kReads) {
      EXPECT_EQ(read(*library), "read") << name;
      faults.*fault = true;
      EXPECT_EQ(read(*library), reason) << name;
      faults.*fault = false;
    }
  }
}

// Releasing the lock after the commit is no part of the write: it succeeded,
// and the next conditional write knows it as this connection's own.
TEST(LibraryFaults, AFailedUnlockAfterTheCommitIsAWrite) {
  ScratchDir dir;
  FaultyFiles shim;
  const std::string path = dir.file("app.lib");
  auto library = Sample(path);
  std::string error;
  std::int64_t changes = 0;
  faults.failUnlocks = true;
  EXPECT_EQ(library->writeEntryIfUnchanged("s_a", kSource + " ", "", 1, &changes, &error), WriteOutcome::Written)
      << error;
  faults.failUnlocks = false;
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(library->fileUnchanged());
  EXPECT_EQ(library->writeEntryIfUnchanged("s_a", kSource, "", changes, &changes, &error), WriteOutcome::Written)
      << error;
  EXPECT_EQ(library->entrySource("s_a"), kSource);
}

// A journal left by a write cut short must be rolled back before the library
// can be read; where that is refused, the library is not called damaged.
TEST(LibraryFaults, AJournalThatCannotBeRolledBackIsNoDamage) {
  ScratchDir dir;
  const std::string path = dir.file("app.lib"), copy = dir.file("copy.lib");
  Sample(path).reset();
  {
    // The files as they are in the middle of a write, with the old pages in the journal.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA cache_size=1; BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < 50; ++i) {
      std::string sql = "INSERT INTO entries(name, source, modified) VALUES('s_" + std::to_string(i) +
                        "', hex(randomblob(3000)), '')";
      ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    }
    std::filesystem::copy_file(path, copy);
    std::filesystem::copy_file(path + "-journal", copy + "-journal");
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  std::string error;
  {
    FaultyFiles shim;
    faults.failDeletes = true;
    EXPECT_EQ(Library::open(copy, false, &error), nullptr);
    EXPECT_EQ(error, "The library " + copy +
                         " has an interrupted write to roll back, which needs the file and its folder writable.");
  }
  auto library = Library::open(copy, false, &error);
  ASSERT_NE(library, nullptr) << error;
  EXPECT_EQ(library->entries().size(), 1u);
}

// New libraries refuse a structure without a name; older ones that hold one
// say how many.
TEST(LibraryFaults, NamelessStructuresAreRefusedAndCounted) {
  ScratchDir dir;
  const std::string path = dir.file("app.lib");
  auto library = Sample(path);
  std::string error;
  EXPECT_FALSE(library->writeEntry("", kSource, "", &error));
  EXPECT_NE(error.find("refused the write"), std::string::npos) << error;
  EXPECT_FALSE(library->writeObjectTypes({7, "window", "w_main"}, {{"", kSource, 0}}, &error));
  EXPECT_EQ(library->namelessStructures(), 0);
  library.reset();
  // A library made before the schema refused them: the same tables without the checks.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  const char* sql =
      "PRAGMA writable_schema=ON;"
      "UPDATE sqlite_schema SET sql=replace(sql, 'CHECK(name <> '''')', '') WHERE name IN ('entries','local_types');"
      "PRAGMA writable_schema=OFF;";
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "INSERT INTO entries(name, source, modified) VALUES('', 'x', '');"
                         "INSERT INTO local_types(object_id, name, source) VALUES(7, '', 'x');",
                         nullptr, nullptr, nullptr),
            SQLITE_OK)
      << sqlite3_errmsg(db);
  sqlite3_close(db);
  library = Library::open(path, false, &error);
  ASSERT_NE(library, nullptr) << error;
  EXPECT_EQ(library->namelessStructures(), 2);
}

// A new library has no file under its name until its first write committed,
// and leaves none of its own when that write fails.
TEST(LibraryFaults, ANewLibraryAppearsWholeOrNotAtAll) {
  ScratchDir dir;
  const std::string path = dir.file("new.lib");
  std::string error;
  auto library = Library::openForWriting(path, &error);
  ASSERT_NE(library, nullptr) << error;
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(library->writeEntry("", kSource, "", &error));
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_TRUE(library->writeEntry("s_a", kSource, "", &error)) << error;
  EXPECT_TRUE(library->fileUnchanged());
  library.reset();
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  library = Library::open(path, false, &error);
  ASSERT_NE(library, nullptr) << error;
  EXPECT_EQ(library->entrySource("s_a"), kSource);
  // Another program that made the file meanwhile keeps it.
  const std::string raced = dir.file("raced.lib");
  auto late = Library::openForWriting(raced, &error);
  ASSERT_NE(late, nullptr) << error;
  Sample(raced);
  EXPECT_FALSE(late->writeEntry("s_b", kSource, "", &error));
  EXPECT_EQ(error, "The library " + raced + " was created by another program meanwhile; nothing was written.");
  EXPECT_EQ(late->lastFailure(), LibraryFailure::InUse);
  late.reset();
  EXPECT_EQ(Library::open(raced, false, &error)->entries().size(), 1u);
}

}  // namespace
}  // namespace quill
