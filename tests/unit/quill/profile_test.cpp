// The profile: values read through the INI parser, overrides, bounded copies.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "quill/src/profile.h"

namespace {

class ProfileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = std::filesystem::temp_directory_path() /
            ("quill-profile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
  }
  void TearDown() override { std::filesystem::remove(path_); }
  void Write(const std::string& text) { std::ofstream(path_) << text; }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

TEST_F(ProfileFile, ReadsValuesIgnoringCaseOfSectionAndKey) {
  Write("; the host's settings\n[Application]\nDefLib = /home/me/app.lib\nEmpty=\n[other]\nDefLib=wrong\n");
  quill::Profile profile(path());
  EXPECT_EQ(profile.value("application", "deflib"), "/home/me/app.lib");
  EXPECT_EQ(profile.value("APPLICATION", "DefLib"), "/home/me/app.lib");
  EXPECT_EQ(profile.value("application", "Empty"), "");
  EXPECT_EQ(profile.value("application", "missing"), std::nullopt);
  EXPECT_EQ(profile.value("nosuch", "DefLib"), std::nullopt);
}

TEST_F(ProfileFile, SkipsMalformedLinesAndKeepsTheFirstOfTwins) {
  Write("[application]\nthis line is not a setting\nDefLib=first.lib\nDefLib=second.lib\n[broken\nKey=v\n");
  quill::Profile profile(path());
  EXPECT_EQ(profile.value("application", "DefLib"), "first.lib");
}

TEST_F(ProfileFile, OverridesWinAndEditsToTheFileAreSeen) {
  Write("[application]\nDefLib=file.lib\n");
  quill::Profile profile(path());
  Write("[application]\nDefLib=edited.lib\n");
  EXPECT_EQ(profile.value("application", "DefLib"), "edited.lib");
  profile.set("Application", "DEFLIB", "set.lib");
  EXPECT_EQ(profile.value("application", "DefLib"), "set.lib");
}

TEST(Profile, MissingFileOrNoneHasNoValuesButTakesOverrides) {
  quill::Profile none("");
  EXPECT_EQ(none.value("application", "DefLib"), std::nullopt);
  quill::Profile missing("/nonexistent/dir/profile.ini");
  EXPECT_EQ(missing.value("application", "DefLib"), std::nullopt);
  missing.set("application", "DefLib", "x.lib");
  EXPECT_EQ(missing.value("application", "DefLib"), "x.lib");
}

TEST(Profile, CopyBoundedCutsAndAlwaysTerminates) {
  char buffer[8];
  std::memset(buffer, '#', sizeof buffer);
  quill::CopyBounded("abcdefghijk", buffer, 5);
  EXPECT_STREQ(buffer, "abcd");
  EXPECT_EQ(buffer[5], '#');  // nothing written past the size given
  quill::CopyBounded("abc", buffer, 1);
  EXPECT_STREQ(buffer, "");
  buffer[0] = '#';
  quill::CopyBounded("abc", buffer, 0);
  EXPECT_EQ(buffer[0], '#');
  quill::CopyBounded("abc", nullptr, 4);
  quill::CopyBounded("abc", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "abc");
}

}  // namespace
