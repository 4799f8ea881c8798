// The INI profile the host reads for the module (ShellReadProfileString).
#include "quill/src/profile.h"

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <cstring>

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

struct Lookup {
  std::string section;  // lower case
  std::string key;      // lower case
  std::optional<std::string> found;
};

// The file's first occurrence of a key wins, as with Windows profile files.
int OnEntry(void* user, const char* section, const char* name, const char* value) {
  auto* lookup = static_cast<Lookup*>(user);
  if (!lookup->found && Lower(section) == lookup->section && Lower(name) == lookup->key) {
    lookup->found = value;
  }
  return 1;
}

}  // namespace

Profile::Profile(std::string path) : path_(std::move(path)) {}

std::optional<std::string> Profile::value(const std::string& section, const std::string& key) const {
  if (auto it = overrides_.find(OverrideKey(section, key)); it != overrides_.end()) return it->second;
  if (path_.empty()) return std::nullopt;
  // Read afresh each time, so a profile edited while the program runs is seen.
  // Malformed lines are skipped by the parser; what it could read still counts.
  Lookup lookup{Lower(section), Lower(key), std::nullopt};
  if (ini_parse(path_.c_str(), OnEntry, &lookup) < 0) return std::nullopt;
  return lookup.found;
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
