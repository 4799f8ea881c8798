// Reading a profile file with inih.
#include "quill/src/profile_file.h"

#include <ini.h>
#include <strings.h>

namespace quill {
namespace {

struct Lookup {
  const std::string& section;
  const std::string& key;
  std::optional<std::string> found;
};

int OnEntry(void* user, const char* section, const char* name, const char* value) {
  auto* lookup = static_cast<Lookup*>(user);
  if (!lookup->found && strcasecmp(section, lookup->section.c_str()) == 0 &&
      strcasecmp(name, lookup->key.c_str()) == 0) {
    lookup->found = value;
  }
  return 1;
}

}  // namespace

std::optional<std::string> ReadProfileFile(const std::string& path, const std::string& section,
                                           const std::string& key) {
  // Malformed lines are skipped by the parser; what it could read still counts.
  Lookup lookup{section, key, std::nullopt};
  if (ini_parse(path.c_str(), OnEntry, &lookup) < 0) return std::nullopt;
  return lookup.found;
}

}  // namespace quill
