// Reading a profile file on Windows with the system's own profile functions,
// which is what a Windows host uses for its INI file.
#include <windows.h>

#include <cstring>
#include <filesystem>

#include "quill/src/profile_file.h"

namespace quill {
namespace {

// A value no profile holds, to tell a missing key from an empty value.
constexpr const char* kMissing = "\x01missing\x01";

}  // namespace

std::optional<std::string> ReadProfileFile(const std::string& path, const std::string& section,
                                           const std::string& key) {
  // Without a folder the system would look in the Windows folder instead.
  std::error_code ec;
  const std::string file = std::filesystem::absolute(path, ec).string();
  char buffer[1024];
  GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, sizeof buffer, file.c_str());
  if (std::strcmp(buffer, kMissing) == 0) return std::nullopt;
  return std::string(buffer);
}

}  // namespace quill
