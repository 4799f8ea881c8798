// HostPrint: finds the stored source of each listed entry and hands the lot to
// the front end, which lays it out and prints it.
#include <string_view>

#include "qst/host_print.h"
#include "quill/src/host_impl.h"

namespace {

constexpr std::string_view kSourceExtension = ".srs";

// "NAME.srs" names the stored source of the structure NAME.
std::string StructureOf(const std::string& entry) {
  std::string_view name = entry;
  if (name.size() > kSourceExtension.size() && name.ends_with(kSourceExtension)) {
    name.remove_suffix(kSourceExtension.size());
  }
  return std::string(name);
}

std::optional<std::string> GlobalSource(quill::Runtime& runtime, const std::string& library, const std::string& entry) {
  if (library.empty()) return std::nullopt;
  // Entries are stored under the structure's name; the full entry name is tried
  // too for libraries that keep the extension.
  if (auto text = runtime.storedEntrySource(library, StructureOf(entry))) return text;
  return runtime.storedEntrySource(library, entry);
}

// The owner's local structure of that name, for an embedded editor's entry.
std::optional<std::string> LocalSource(quill::Runtime& runtime, std::int32_t owner, const std::string& entry) {
  if (owner == 0) return std::nullopt;
  runtime.objectGroup(owner);  // loads the owner's structures from its library
  return runtime.localTypeSource(owner, StructureOf(entry));
}

}  // namespace

extern "C" void PrintEntries(HostContext* context, HWND frame, PoolList* list, int flag) {
  quill::SessionState* state = quill::SessionOf(context);
  if (state == nullptr || list == nullptr) return;
  quill::Host::Impl& impl = *quill::ImplOf(context);
  std::vector<quill::PrintedEntry> printed;
  // At most count nodes: a damaged list must not keep us walking forever.
  PoolListNode* node = list->first;
  for (std::uint32_t i = 0; node != nullptr && i < list->count; ++i, node = node->next) {
    const auto* item = static_cast<const PrintEntry*>(node->item);
    if (item == nullptr || item->entryName == nullptr) continue;
    quill::PrintedEntry entry;
    entry.library = item->library != nullptr ? item->library : "";
    entry.entry = item->entryName;
    entry.flag = flag;
    std::optional<std::string> text;
    if (!entry.library.empty()) {
      text = GlobalSource(impl.runtime, entry.library, entry.entry);
    } else {
      text = LocalSource(impl.runtime, state->session.ownerObject, entry.entry);
      if (!text) text = GlobalSource(impl.runtime, impl.runtime.currentLibrary(), entry.entry);
    }
    entry.text = text.value_or("");
    printed.push_back(std::move(entry));
  }
  if (!printed.empty()) impl.frontEnd.print(frame, printed);
}
