// The frame's title from the structure name and owner.
#include "editor/window/window_title.h"

#include <cstring>

#include "editor/resources/module_resources.h"
#include "editor/window/module_state.h"
#include "qst/host_runtime.h"

namespace {

constexpr int kTitleMax = 123;
// wsprintfA never writes more than 1024 characters and the terminator.
constexpr int kFormatScratch = 1025;

// Appends format filled with argument to title, keeping title within kTitleMax
// characters whatever the argument holds.
void AppendFormatted(char* title, UINT formatId, const char* argument) {
  char format[kStringBufferSize];
  LoadModuleString(formatId, format, sizeof format);
  char filled[kFormatScratch];
  wsprintfA(filled, format, argument);
  const std::size_t used = std::strlen(title);
  const std::size_t room = kTitleMax - used;
  std::strncat(title, filled, room);
}

// Owners named like "w1", "m7" or "u0" are the host's placeholders for an
// object that was never saved under a name of its own.
bool IsUntitledOwner(const char* owner) {
  return owner[0] != '\0' && std::strchr("muw", owner[0]) != nullptr && owner[1] >= '0' && owner[1] <= '9' &&
         owner[2] == '\0';
}

}  // namespace

void SetEditorTitle(EditorInstance* instance, const char* structureName) {
  char title[kTitleMax + 1] = {};
  char untitled[kStringBufferSize];
  LoadModuleString(IdsUntitled, untitled, sizeof untitled);
  AppendFormatted(title, IdsTitle, structureName != nullptr ? structureName : untitled);
  if (instance->document.contextCode == kContextEmbedded) {
    const char* owner = RuntimeObjectName(instance->hostContext->runtime, instance->document.ownerId);
    if (owner == nullptr) owner = "";
    AppendFormatted(title, IdsTitleOwner, IsUntitledOwner(owner) ? untitled : owner);
  }
  SetWindowTextA(GetParent(instance->editorWindow), title);
}
