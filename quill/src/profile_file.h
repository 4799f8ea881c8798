// Reading one value from a profile file: inih on Linux, the system's own
// profile functions on Windows.
#pragma once

#include <optional>
#include <string>

namespace quill {

// The value of key in section of the profile file at path, or nothing when the
// file, the section or the key is missing. Section and key ignore letter case;
// the file's first occurrence of a key wins, as with Windows profile files.
std::optional<std::string> ReadProfileFile(const std::string& path, const std::string& section, const std::string& key);

}  // namespace quill
