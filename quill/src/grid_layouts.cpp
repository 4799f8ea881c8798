// The table of layout objects the grid engine knows by name.
#include "grid_layouts.h"

#include "quill/grid_sheet.h"

namespace quill::grid {

namespace {
constexpr GridLayout kLayouts[] = {
    {"structure_body", kGridHeaderHeight, kGridDetailHeight},
};
}  // namespace

const GridLayout* FindGridLayout(std::string_view objectName) {
  for (const GridLayout& layout : kLayouts) {
    if (layout.objectName == objectName) return &layout;
  }
  return nullptr;
}

}  // namespace quill::grid
