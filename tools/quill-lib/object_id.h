// Ids for owning objects written into a library that may already hold others.
#pragma once

#include <cstdint>
#include <vector>

#include "quill/library.h"

namespace quill_lib {

// The wanted id when it is free (also as a group: the low 16 bits), otherwise
// the next free one; throws ToolError when none is left.
std::int32_t FreeObjectId(const std::vector<quill::StoredObject>& existing, std::int32_t wanted);

}  // namespace quill_lib
