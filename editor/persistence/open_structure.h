// The Open dialogs and the owner kinds they name.
#pragma once

#include <cstdint>

#include "editor/window/editor_instance.h"

int OpenGlobalStructure(EditorInstance* instance);
int OpenEmbeddedStructure(EditorInstance* instance);

// The library kind code of an owning object of the given runtime kind.
std::int32_t OwnerKindOf(std::uint16_t runtimeKind);
