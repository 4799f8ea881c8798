// What the allocation-failure judge counts as a library file hurt by a step:
// changed, made or removed while no library write completed, or left unusable.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "library_watch.h"
#include "quill/library.h"

namespace script {
namespace {

// A fresh working folder holding app.lib (one entry) and notes.txt.
class WatchedFolder {
 public:
  WatchedFolder() : previous_(std::filesystem::current_path()) {
    char pattern[] = "/tmp/quill-watch-XXXXXX";
    path_ = mkdtemp(pattern);
    std::filesystem::current_path(path_);
    auto library = quill::Library::open("app.lib", true, nullptr);
    library->writeEntry("s_a", "global type s_a from structure\r\nend type", "", nullptr);
    std::ofstream("notes.txt") << "not a library";
  }
  ~WatchedFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(path_);
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

void WriteEntry(const char* file) {
  auto library = quill::Library::open(file, true, nullptr);
  ASSERT_NE(library, nullptr);
  ASSERT_TRUE(library->writeEntry("s_b", "global type s_b from structure\r\nend type", "", nullptr));
}

TEST(LibraryWatch, AChangeCountsOnlyWithACompletedWriteAndNeverWhenItDamages) {
  struct Case {
    const char* what;
    std::function<void()> step;
    bool wrote;                // the host completed a library write in the step
    const char* fault;         // what the first fault says, "" for none
  } cases[] = {
      {"nothing", [] {}, false, ""},
      {"a text file changed", [] { std::ofstream("notes.txt") << "other"; }, false, ""},
      {"an entry written, the write counted", [] { WriteEntry("app.lib"); }, true, ""},
      {"an entry written, no write counted", [] { WriteEntry("app.lib"); }, false, "app.lib changed while"},
      {"a library made, no write counted", [] { WriteEntry("new.lib"); }, false, "new.lib was made while"},
      {"a library removed, no write counted", [] { std::filesystem::remove("app.lib"); }, false,
       "app.lib was removed while"},
      {"a library cut short, the write counted",
       [] { std::filesystem::resize_file("app.lib", 100); }, true, "app.lib was left unusable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WatchedFolder folder;
    LibraryWatch watch;
    watch.before(5);
    c.step();
    const std::vector<std::string> faults = watch.after(c.wrote ? 6 : 5);
    if (!*c.fault) {
      EXPECT_TRUE(faults.empty()) << faults.front();
      continue;
    }
    ASSERT_FALSE(faults.empty());
    EXPECT_EQ(faults.front().rfind(c.fault, 0), 0u) << faults.front();
  }
}

}  // namespace
}  // namespace script
