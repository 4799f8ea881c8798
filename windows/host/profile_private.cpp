// The host's INI profile on Windows: read with the system's own profile
// functions, which is what a Windows host uses for its INI file.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "quill/src/profile.h"

namespace quill {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string OverrideKey(const std::string& section, const std::string& key) {
  return Lower(section) + '\n' + Lower(key);
}

// A value no profile holds, to tell a missing key from an empty value.
constexpr const char* kMissing = "\x01missing\x01";

}  // namespace

Profile::Profile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> Profile::value(const std::string& section, const std::string& key) const {
  if (auto it = overrides_.find(OverrideKey(section, key)); it != overrides_.end()) return it->second;
  if (path_.empty()) return std::nullopt;
  // Without a folder the system would look in the Windows folder instead.
  std::error_code ec;
  const std::string file = std::filesystem::absolute(path_, ec).string();
  char buffer[1024];
  GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer, sizeof buffer, file.c_str());
  if (std::strcmp(buffer, kMissing) == 0) return std::nullopt;
  return std::string(buffer);
}

void Profile::set(const std::string& section, const std::string& key, const std::string& value) {
  overrides_[OverrideKey(section, key)] = value;
}

void CopyBounded(const std::string& text, char* buffer, int size) {
  if (buffer == nullptr || size <= 0) return;
  std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
}

}  // namespace quill
