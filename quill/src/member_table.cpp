// Building the compact member table of a compiled structure.
#include "quill/member_table.h"

#include <limits>
#include <stdexcept>

namespace quill {

void MemberTable::reserve(std::size_t members, std::size_t textBytes) {
  entries_.reserve(members);
  text_.reserve(textBytes);
}

void MemberTable::add(std::string_view name, std::string_view suffix, std::string_view typeName, int decimals) {
  constexpr std::size_t kLengthMax = std::numeric_limits<std::uint16_t>::max();
  constexpr std::size_t kTypeMax = 0xFFFFFF;  // what an entry's type field holds
  if (name.size() > kLengthMax || suffix.size() > kLengthMax || decimals < 0 || decimals > 255) {
    throw std::length_error("member too long");
  }
  if (text_.size() + name.size() + suffix.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw std::length_error("member names too long");
  }
  std::uint32_t type = 0;
  if (!typeName.empty() && !entries_.empty() && types_[entries_.back().type] == typeName) {
    type = entries_.back().type;  // members mostly follow one of their own type
  } else if (!typeName.empty()) {
    auto it = typeIndex_.find(typeName);
    if (it == typeIndex_.end()) {
      if (types_.size() > kTypeMax) throw std::length_error("too many member types");
      it = typeIndex_.emplace(std::string(typeName), static_cast<std::uint32_t>(types_.size())).first;
      types_.emplace_back(typeName);
    }
    type = it->second;
  }
  entries_.push_back(Entry{static_cast<std::uint32_t>(text_.size()), static_cast<std::uint16_t>(name.size()),
                           static_cast<std::uint16_t>(suffix.size()), static_cast<std::uint32_t>(type & kTypeMax),
                           static_cast<std::uint32_t>(decimals)});
  text_.append(name);
  text_.append(suffix);
}

void MemberTable::shrink() {
  text_.shrink_to_fit();
  entries_.shrink_to_fit();
  typeIndex_ = {};
}

}  // namespace quill
