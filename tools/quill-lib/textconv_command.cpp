// quill-lib textconv: the whole library as stable text, for git's diff and
// log: every global structure and every object's local structures in name
// order, each with its comment and its stored source. Line ends are shown as
// stored (a CR as "\r"), so that a change of line ends is a visible change.
#include <algorithm>
#include <cstdio>
#include <string_view>

#include "commands.h"
#include "library_access.h"
#include "names.h"
#include "printable.h"
#include "tool_error.h"

namespace quill_lib {
namespace {

// A source line with its TABs kept (they lay out the variables) and every
// other control byte made visible.
void PrintSourceLine(std::string_view line) {
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    std::fputs(Printable(line.substr(start, tab == std::string_view::npos ? tab : tab - start)).c_str(), stdout);
    if (tab == std::string_view::npos) break;
    std::fputc('\t', stdout);
    start = tab + 1;
  }
  std::fputc('\n', stdout);
}

void PrintSource(std::string_view source) {
  std::size_t start = 0;
  for (std::size_t end; (end = source.find('\n', start)) != std::string_view::npos; start = end + 1)
    PrintSourceLine(source.substr(start, end - start));
  if (start < source.size()) {
    PrintSourceLine(source.substr(start));
    std::puts("\\ no line end");
  }
}

}  // namespace

int RunTextconv(const std::string& path) {
  if (IsEmptyFile(path)) return kExitOk;  // a library just added has no earlier side
  std::unique_ptr<quill::Library> library = OpenExistingLibrary(path);
  for (const quill::Library::StoredEntry& entry : StoredEntries(*library)) {
    std::printf("global %s\n", Printable(entry.name).c_str());
    if (!entry.comment.empty()) std::printf("comment %s\n", Printable(entry.comment).c_str());
    PrintSource(entry.source);
    std::putchar('\n');
  }
  std::vector<quill::StoredObject> objects = Objects(*library);
  std::sort(objects.begin(), objects.end(),
            [](const quill::StoredObject& a, const quill::StoredObject& b) { return Lowered(a.name) < Lowered(b.name); });
  for (const quill::StoredObject& object : objects) {
    std::printf("object %s %s %d\n", Printable(object.name).c_str(), Printable(object.kind).c_str(), object.id);
    std::vector<quill::StoredLocalType> types = LocalTypes(*library, object.id);
    std::sort(types.begin(), types.end(),
              [](const quill::StoredLocalType& a, const quill::StoredLocalType& b) { return Lowered(a.name) < Lowered(b.name); });
    for (const quill::StoredLocalType& type : types) {
      std::printf("local %s/%s\n", Printable(object.name).c_str(), Printable(type.name).c_str());
      PrintSource(type.source);
    }
    std::putchar('\n');
  }
  return kExitOk;
}

}  // namespace quill_lib
