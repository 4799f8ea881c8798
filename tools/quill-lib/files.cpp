// Whole files read and written byte for byte.
#include "files.h"

#include <fstream>
#include <iterator>

#include "tool_error.h"

namespace quill_lib {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return text;
}

void WriteFileIfChanged(const std::filesystem::path& path, const std::string& text) {
  if (ReadWholeFile(path) == text) return;
  std::filesystem::path temporary = path;
  temporary += ".quill-lib-new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw ToolError{kExitFile, "Cannot write " + path.string() + "."};
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::filesystem::remove(temporary, ec);
    throw ToolError{kExitFile, "Cannot write " + path.string() + "."};
  }
}

}  // namespace quill_lib
