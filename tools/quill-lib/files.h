// Whole files read and written byte for byte.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quill_lib {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);
// Writes through a temporary file and a rename, so that a reader never sees
// half a file; a file that already holds the text is left untouched (its time
// too). Throws ToolError when the file cannot be written.
void WriteFileIfChanged(const std::filesystem::path& path, const std::string& text);

}  // namespace quill_lib
