// HostLibrary: the dialogs that choose library entries and local structures.
// The front end shows them; the host gives them what the library holds and
// makes sure every text it hands back ends within its field.
#include "editor/host/host_library.h"
#include "quill/src/host_impl.h"

namespace {

template <std::size_t N>
void Terminate(char (&field)[N]) {
  field[N - 1] = '\0';
}

std::string OwnerName(quill::Host::Impl& impl, const std::int32_t* objectId) {
  return objectId != nullptr ? impl.runtime.objectName(*objectId) : std::string();
}

}  // namespace

extern "C" {

GlobalOpenChoice LibraryOpenEntryDialog(HostContext* context, int /*libraryKind*/, HWND owner) {
  GlobalOpenChoice choice{};
  choice.action = kOpenActionCancel;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  const std::string& library = impl->runtime.currentLibrary();
  std::string error;
  // A library that cannot be read offers no entries; the user may still pick another.
  std::vector<quill::LibraryEntryInfo> entries = impl->runtime.listEntries(library, &error);
  choice = impl->frontEnd.openEntryDialog(owner, library, entries);
  Terminate(choice.name);
  Terminate(choice.library);
  return choice;
}

EmbeddedOpenChoice LibraryOpenLocalTypeDialog(HostContext* context, int /*ownerKind*/, HWND owner,
                                              std::int32_t* objectId) {
  EmbeddedOpenChoice choice{};
  choice.action = kOpenActionCancel;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  std::vector<std::string> types;
  if (objectId != nullptr) {
    impl->runtime.objectGroup(*objectId);  // loads the owner's structures from its library
    types = impl->runtime.localTypeNames(*objectId);
  }
  choice = impl->frontEnd.openLocalTypeDialog(owner, OwnerName(*impl, objectId), types);
  Terminate(choice.name);
  choice.typeId = 0;
  if (choice.action == kOpenActionOpen && objectId != nullptr) {
    // The front end knows names only; the runtime knows the chosen type's id.
    choice.typeId = impl->runtime.localTypeId(*objectId, choice.name);
  }
  return choice;
}

GlobalSaveChoice LibrarySaveEntryDialog(HostContext* context, int /*libraryKind*/, HWND owner,
                                        const char* initialName, const char* initialLibrary, int /*reserved*/) {
  GlobalSaveChoice choice{};
  choice.cancelled = 1;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  choice = impl->frontEnd.saveEntryDialog(owner, initialName != nullptr ? initialName : "",
                                          initialLibrary != nullptr ? initialLibrary : "");
  Terminate(choice.comment);
  Terminate(choice.name);
  Terminate(choice.library);
  return choice;
}

EmbeddedSaveChoice LibrarySaveLocalTypeDialog(HostContext* context, int /*ownerKind*/, HWND owner,
                                              const char* initialName, std::int32_t* objectId) {
  EmbeddedSaveChoice choice{};
  choice.cancelled = 1;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  choice = impl->frontEnd.saveLocalTypeDialog(owner, OwnerName(*impl, objectId),
                                              initialName != nullptr ? initialName : "");
  Terminate(choice.name);
  return choice;
}

void LibraryPrepareLayouts(HostContext* context) {
  if (quill::SessionState* state = quill::SessionOf(context)) ++state->session.layoutsPrepared;
}

}  // extern "C"
