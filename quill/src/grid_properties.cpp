// Property assignments ("object.property=value") and their values.
#include "grid_control.h"

namespace quill::grid {

namespace {
constexpr std::string_view kHeaderHeightPath = "gridsheet.header.height";
constexpr std::string_view kDetailHeightPath = "gridsheet.detail.height";

// "object.property": both parts present.
bool IsPropertyPath(std::string_view path) {
  const auto dot = path.find('.');
  return dot != std::string_view::npos && dot > 0 && dot + 1 < path.size();
}
}  // namespace

void GridControl::assign(std::string_view assignment) {
  assignments_.emplace_back(assignment);
  if (assignments_.size() > kAssignmentLogMax) assignments_.pop_front();
  const auto equals = assignment.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view path = assignment.substr(0, equals);
  // The band heights are the layout's; they cannot be assigned.
  if (!IsPropertyPath(path) || path == kHeaderHeightPath || path == kDetailHeightPath) return;
  properties_.insert_or_assign(std::string(path), std::string(assignment.substr(equals + 1)));
  contentChanged();
}

std::optional<std::string> GridControl::propertyValue(std::string_view path) const {
  if (path == kHeaderHeightPath) return std::to_string(layout_->headerHeight);
  if (path == kDetailHeightPath) return std::to_string(layout_->detailHeight);
  auto found = properties_.find(path);
  if (found == properties_.end()) return std::nullopt;
  return found->second;
}

std::string GridControl::property(const std::string& path) const { return propertyValue(path).value_or(""); }

std::vector<std::string> GridControl::takeAssignments() {
  std::vector<std::string> taken(assignments_.begin(), assignments_.end());
  assignments_.clear();
  return taken;
}

}  // namespace quill::grid
