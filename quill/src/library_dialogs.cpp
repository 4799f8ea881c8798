// HostLibrary: the dialogs that choose library entries and local structures.
// The front end shows them; the host gives them what the library holds and
// makes sure every text it hands back ends within its field.
#include <cstring>
#include <new>

#include "platform/platform.h"
#include "qst/host_library.h"
#include "quill/src/host_impl.h"

namespace {

constexpr UINT kQuestionStyle = MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2;

template <std::size_t N>
void Terminate(char (&field)[N]) {
  field[N - 1] = '\0';
}

template <std::size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

// A save that would replace an entry of the chosen library (names ignoring
// letter case) happens only when the user says so.
bool MayReplaceEntry(quill::Host::Impl& impl, HWND owner, const GlobalSaveChoice& choice) {
  const std::string library = FieldText(choice.library);
  std::optional<quill::LibraryEntryInfo> stored = impl.runtime.storedEntry(library, FieldText(choice.name));
  if (!stored) return true;
  const std::string question = stored->name + " already exists in " + library + ".\nDo you want to replace it?";
  return MessageBoxA(owner, question.c_str(), "Save Structure", kQuestionStyle) == IDYES;
}

std::string OwnerName(quill::Host::Impl& impl, const std::int32_t* objectId) {
  return objectId != nullptr ? impl.runtime.objectName(*objectId) : std::string();
}

// The box that tells why a dialog's list could not be read.
void ShowUnlisted(HWND owner, const std::string& text, const std::string& reason) {
  PlatformSetMessageDetail(reason.c_str());
  MessageBoxA(owner, text.c_str(), "Open Structure", MB_OK | MB_ICONEXCLAMATION);
}

// A dialog that ran out of memory chose nothing.
template <typename Choice>
Choice Cancelled() {
  Choice choice{};
  choice.cancelled = 1;
  return choice;
}

}  // namespace

extern "C" {

GlobalOpenChoice LibraryOpenEntryDialog(HostContext* context, int /*libraryKind*/, HWND owner) try {
  GlobalOpenChoice choice{};
  choice.action = kOpenActionCancel;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  const std::string& library = impl->runtime.currentLibrary();
  std::string error;
  // No library chosen yet: nothing to list, and nothing failed.
  std::vector<quill::LibraryEntryInfo> entries;
  if (!library.empty()) entries = impl->runtime.listEntries(library, &error);
  // A library that cannot be listed is not an empty one: the dialog says why,
  // and the user may still pick another library.
  choice = error.empty() ? impl->frontEnd.openEntryDialog(owner, library, entries)
                         : impl->frontEnd.unlistedOpenEntryDialog(owner, library, error);
  Terminate(choice.name);
  Terminate(choice.library);
  return choice;
} catch (const std::bad_alloc&) {
  return {};  // no action: nothing opened
}

EmbeddedOpenChoice LibraryOpenLocalTypeDialog(HostContext* context, int /*ownerKind*/, HWND owner,
                                              std::int32_t* objectId) try {
  EmbeddedOpenChoice choice{};
  choice.action = kOpenActionCancel;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  std::vector<std::string> types;
  if (objectId != nullptr) {
    std::string unread;
    impl->runtime.objectGroup(*objectId, &unread);  // loads the owner's structures from its library
    types = impl->runtime.localTypeNames(*objectId);
    // What the dialog offers may miss what the library holds: the user hears why.
    if (!unread.empty())
      ShowUnlisted(owner, "The structures of " + OwnerName(*impl, objectId) + " cannot be listed.", unread);
  }
  choice = impl->frontEnd.openLocalTypeDialog(owner, OwnerName(*impl, objectId), types);
  Terminate(choice.name);
  choice.typeId = 0;
  if (choice.action == kOpenActionOpen && objectId != nullptr) {
    // The front end knows names only; the runtime knows the chosen type's id.
    choice.typeId = impl->runtime.localTypeId(*objectId, choice.name);
  }
  return choice;
} catch (const std::bad_alloc&) {
  return {};  // no action: nothing opened
}

GlobalSaveChoice LibrarySaveEntryDialog(HostContext* context, int /*libraryKind*/, HWND owner, const char* initialName,
                                        const char* initialLibrary, int /*reserved*/) try {
  GlobalSaveChoice choice{};
  choice.cancelled = 1;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  auto check = [impl, owner](const GlobalSaveChoice& chosen) { return MayReplaceEntry(*impl, owner, chosen); };
  choice = impl->frontEnd.checkedSaveEntryDialog(owner, initialName != nullptr ? initialName : "",
                                                 initialLibrary != nullptr ? initialLibrary : "", check);
  Terminate(choice.comment);
  Terminate(choice.name);
  Terminate(choice.library);
  return choice;
} catch (const std::bad_alloc&) {
  return Cancelled<GlobalSaveChoice>();
}

EmbeddedSaveChoice LibrarySaveLocalTypeDialog(HostContext* context, int /*ownerKind*/, HWND owner,
                                              const char* initialName, std::int32_t* objectId) try {
  EmbeddedSaveChoice choice{};
  choice.cancelled = 1;
  quill::Host::Impl* impl = quill::ImplOf(context);
  if (impl == nullptr) return choice;
  choice =
      impl->frontEnd.saveLocalTypeDialog(owner, OwnerName(*impl, objectId), initialName != nullptr ? initialName : "");
  Terminate(choice.name);
  return choice;
} catch (const std::bad_alloc&) {
  return Cancelled<EmbeddedSaveChoice>();
}

void LibraryPrepareLayouts(HostContext* context) try {
  if (quill::SessionState* state = quill::SessionOf(context)) ++state->session.layoutsPrepared;
} catch (const std::bad_alloc&) {
}

}  // extern "C"

namespace quill {

GlobalSaveChoice HostFrontEnd::checkedSaveEntryDialog(HWND owner, const std::string& initialName,
                                                      const std::string& initialLibrary, const SaveChoiceCheck& check) {
  GlobalSaveChoice choice = saveEntryDialog(owner, initialName, initialLibrary);
  if (choice.cancelled != 1 && check && !check(choice)) {
    choice = GlobalSaveChoice{};
    choice.cancelled = 1;
  }
  return choice;
}

bool HostFrontEnd::askReplace(const std::string& question, const std::vector<std::string>& differences) {
  (void)differences;
  return MessageBoxA(nullptr, question.c_str(), "Save Structure", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

GlobalOpenChoice HostFrontEnd::unlistedOpenEntryDialog(HWND owner, const std::string& library,
                                                       const std::string& listError) {
  ShowUnlisted(owner, "The structures of " + library + " cannot be listed.", listError);
  return openEntryDialog(owner, library, {});
}

}  // namespace quill
