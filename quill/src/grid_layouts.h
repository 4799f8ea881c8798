// The layout objects the grid engine can show.
#pragma once

#include <string_view>

#include "qst/host_api.h"

// A layout object: the band heights of the grid that shows it.
struct GridLayout {
  std::string_view objectName;
  int headerHeight;  // pixels
  int detailHeight;  // pixels of one row
};

namespace quill::grid {

// The layout of that name, or null when the engine has none by that name.
const GridLayout* FindGridLayout(std::string_view objectName);

}  // namespace quill::grid
