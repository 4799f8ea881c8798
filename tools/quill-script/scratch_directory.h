// The working directory a scenario file runs in: a fresh temporary directory
// holding copies of the files beside the scenario (and of its subfolders), so
// relative names resolve as in the scenario's own directory while writes never
// reach it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace script {

class ScratchDirectory {
 public:
  // Subfolders beside a scenario hold its data files; a scenario run from a
  // large folder (a source tree with its builds) must not copy all of it.
  static constexpr std::uintmax_t kSubfolderCopyLimit = 64u << 20;

  // Creates the directory, copies the regular files of source into it, and
  // those of its subfolders while they stay within kSubfolderCopyLimit bytes
  // (never symbolic links), and makes it the working directory.
  // Null with a reason in *error when any of that fails (nothing is left behind).
  static std::unique_ptr<ScratchDirectory> enter(const std::filesystem::path& source, std::string* error);
  // Returns to the previous working directory and removes the temporary one.
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  ScratchDirectory(std::filesystem::path path, std::filesystem::path previous)
      : path_(std::move(path)), previous_(std::move(previous)) {}
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace script
