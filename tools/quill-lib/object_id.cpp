// Ids for owning objects new to a library.
#include "object_id.h"

#include <algorithm>

#include "tool_error.h"

namespace quill_lib {

std::int32_t FreeObjectId(const std::vector<quill::StoredObject>& existing, std::int32_t wanted) {
  auto taken = [&](std::int32_t id) {
    return id <= 0 || std::any_of(existing.begin(), existing.end(), [&](const quill::StoredObject& o) {
             return o.id == id || (o.id & 0xFFFF) == (id & 0xFFFF);
           });
  };
  if (!taken(wanted)) return wanted;
  for (std::int32_t id = 1; id < 0xFFFF; ++id)
    if (!taken(id)) return id;
  throw ToolError{kExitFile, "No free object id is left in the library."};
}

}  // namespace quill_lib
