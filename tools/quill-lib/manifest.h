// The manifest an export writes beside the structure files: the comments of
// the global structures and the owning objects with their local structures'
// order. A line a structure or object, fields separated by TAB, so that a
// changed comment is a one-line diff.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quill_lib {

constexpr const char* kManifestName = "quill-lib.manifest";

struct Manifest {
  struct Global {
    std::string name;
    std::string comment;
  };
  struct Object {
    std::int32_t id = 0;
    std::string kind;
    std::string name;
    std::vector<std::string> locals;  // in the order the library holds them
  };
  std::vector<Global> globals;
  std::vector<Object> objects;
};

std::string FormatManifest(const Manifest& manifest);
// Throws ToolError naming path and line for a line it cannot read.
Manifest ParseManifest(const std::string& text, const std::string& path);

// A comment in one manifest field is written with EscapeField (printable.h):
// backslash, TAB, CR, LF and other control bytes escaped; read back here.
bool UnescapeField(const std::string& field, std::string* text);

}  // namespace quill_lib
