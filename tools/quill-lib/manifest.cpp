// Writing and reading the export manifest.
#include "manifest.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "printable.h"
#include "quill/compiler.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

constexpr const char* kHeader =
    "# quill-lib manifest 1: one line a structure or owning object, fields separated by TAB.\n"
    "# global NAME COMMENT / object ID KIND NAME LOCAL-STRUCTURE...\n";

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// The kinds of owning object the host knows.
constexpr std::array<std::string_view, 4> kObjectKinds = {"window", "menu", "userobject", "function"};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseObject(const std::vector<std::string>& fields, Manifest::Object* object) {
  if (fields.size() < 4 || fields[2].empty() || fields[3].empty()) return false;
  const std::string& id = fields[1];
  auto [end, ec] = std::from_chars(id.data(), id.data() + id.size(), object->id);
  if (ec != std::errc() || end != id.data() + id.size()) return false;
  object->kind = fields[2];
  object->name = fields[3];
  object->locals.assign(fields.begin() + 4, fields.end());
  std::string suffix;
  bool named = quill::SplitVariableName(object->name, nullptr, &suffix) && suffix.empty();
  return named && std::find(kObjectKinds.begin(), kObjectKinds.end(), object->kind) != kObjectKinds.end();
}

}  // namespace

bool UnescapeField(const std::string& field, std::string* text) {
  text->clear();
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      *text += field[i];
      continue;
    }
    if (++i >= field.size()) return false;
    switch (field[i]) {
      case '\\': *text += '\\'; break;
      case 't': *text += '\t'; break;
      case 'n': *text += '\n'; break;
      case 'r': *text += '\r'; break;
      case 'x': {
        int high = i + 2 < field.size() ? HexDigit(field[i + 1]) : -1;
        int low = high >= 0 ? HexDigit(field[i + 2]) : -1;
        if (low < 0) return false;
        *text += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default: return false;
    }
  }
  return true;
}

std::string FormatManifest(const Manifest& manifest) {
  std::string text = kHeader;
  for (const Manifest::Global& global : manifest.globals)
    text += "global\t" + global.name + "\t" + EscapeField(global.comment) + "\n";
  for (const Manifest::Object& object : manifest.objects) {
    text += "object\t" + std::to_string(object.id) + "\t" + object.kind + "\t" + object.name;
    for (const std::string& local : object.locals) text += "\t" + local;
    text += "\n";
  }
  return text;
}

Manifest ParseManifest(const std::string& text, const std::string& path) {
  Manifest manifest;
  int number = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a checkout may have added CRs
    if (line.empty() || line.front() == '#') continue;
    std::vector<std::string> fields = SplitTabs(line);
    bool ok = false;
    if (fields[0] == "global" && fields.size() == 3 && !fields[1].empty()) {
      Manifest::Global global{fields[1], ""};
      ok = UnescapeField(fields[2], &global.comment);
      manifest.globals.push_back(std::move(global));
    } else if (fields[0] == "object") {
      Manifest::Object object;
      ok = ParseObject(fields, &object);
      manifest.objects.push_back(std::move(object));
    }
    if (!ok)
      throw ToolError{kExitFile, path + ":" + std::to_string(number) +
                                     ": expected \"global NAME COMMENT\" or \"object ID KIND NAME ...\" (KIND window, "
                                     "menu, userobject or function), separated by TABs."};
  }
  return manifest;
}

}  // namespace quill_lib
