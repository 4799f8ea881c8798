// The host's INI profile: values read from the profile file, overridden by
// values a front end sets while the program runs.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "qst/host_api.h"

namespace quill {

class HOST_API Profile {
 public:
  explicit Profile(std::string path);

  // Section and key compare without regard to case, as profile look-ups do.
  std::optional<std::string> value(const std::string& section, const std::string& key) const;
  void set(const std::string& section, const std::string& key, const std::string& value);

 private:
  std::string path_;
  std::map<std::string, std::string> overrides_;
};

// Copies text into buffer of size bytes, cut to fit and always terminated.
// Does nothing when buffer is null or size is not positive.
HOST_API void CopyBounded(const std::string& text, char* buffer, int size);

}  // namespace quill
