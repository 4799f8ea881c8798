// The INI profile the host reads for the module (ShellReadProfileString): the
// front end's overrides first, then the profile file.
#include "quill/src/profile.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "quill/src/profile_file.h"

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

}  // namespace

Profile::Profile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> Profile::value(const std::string& section, const std::string& key) const {
  if (auto it = overrides_.find(OverrideKey(section, key)); it != overrides_.end()) return it->second;
  if (path_.empty()) return std::nullopt;
  // Read afresh each time, so a profile edited while the program runs is seen.
  return ReadProfileFile(path_, section, key);
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
