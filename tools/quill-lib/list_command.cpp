// quill-lib list: the library's structures and owning objects, as a table or JSON.
#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "library_access.h"
#include "printable.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

struct ListRow {
  std::string kind;        // "global" or "object"
  std::string objectKind;  // window, menu, ... for an object
  std::string name;
  std::size_t members = 0;  // variables of a structure, local structures of an object
  std::string comment;
  std::string modified;  // "" for an object, which has no time of its own
};

std::vector<ListRow> CollectRows(const quill::Library& library, const std::string& kind) {
  std::vector<ListRow> rows;
  if (kind != "object") {
    quill::LibraryStructures structures = ReadStructures(library, "reading");
    for (const quill::Library::StoredEntry& entry : StoredEntries(library)) {
      ListRow row{"global", "", entry.name, 0, entry.comment, entry.modified};
      if (std::optional<std::size_t> at = structures.find(entry.name))
        row.members = structures.all()[*at].compiled.members.size();
      rows.push_back(std::move(row));
    }
  }
  if (kind != "global")
    for (const quill::StoredObject& object : Objects(library))
      rows.push_back({"object", object.kind, object.name, LocalTypes(library, object.id).size(), "", ""});
  return rows;
}

void PrintJson(const std::vector<ListRow>& rows) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const ListRow& row : rows) {
    nlohmann::ordered_json item{
        {"kind", row.kind}, {"name", row.name}, {"members", row.members}, {"comment", row.comment}};
    item["modified"] = row.modified.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(row.modified);
    if (row.kind == "object") item["object_kind"] = row.objectKind;
    list.push_back(std::move(item));
  }
  // Library text is single-byte; bytes that are not UTF-8 must not stop the listing.
  std::puts(list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace).c_str());
}

// Every text from the library goes through Printable: a table is for a terminal.
void PrintTable(const std::vector<ListRow>& rows) {
  std::size_t nameWidth = 4;
  for (const ListRow& row : rows) nameWidth = std::max(nameWidth, Printable(row.name).size());
  const int width = static_cast<int>(nameWidth);
  std::printf("%-16s %-*s %7s  %-19s  %s\n", "KIND", width, "NAME", "MEMBERS", "CHANGED", "COMMENT");
  for (const ListRow& row : rows) {
    std::string kind = Printable(row.kind == "object" ? "object " + row.objectKind : row.kind);
    std::string modified = row.modified.empty() ? "-" : Printable(row.modified);
    std::printf("%-16s %-*s %7zu  %-19s  %s\n", kind.c_str(), width, Printable(row.name).c_str(), row.members,
                modified.c_str(), Printable(row.comment).c_str());
  }
}

}  // namespace

int RunList(const ListOptions& options) {
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(options.library);
  std::vector<ListRow> rows = CollectRows(*library, options.kind);
  if (options.json)
    PrintJson(rows);
  else
    PrintTable(rows);
  return kExitOk;
}

}  // namespace quill_lib
