// The members of a compiled structure, held compactly: a structure of a million
// members is kept by the runtime for as long as the type lives, so each member
// costs a 16-byte record plus its name's bytes, and each distinct type name is
// stored once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "qst/host_api.h"

namespace quill {

// One member as read out of a table.
struct MemberInfo {
  std::string name;      // without suffix
  std::string suffix;    // "[10]" or ""
  std::string typeName;  // "" for none
  int decimals = 0;
};

class HOST_API MemberTable {
 public:
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  std::string_view name(std::size_t i) const { return {text_.data() + entries_[i].text, entries_[i].nameLength}; }
  std::string_view suffix(std::size_t i) const {
    const Entry& e = entries_[i];
    return {text_.data() + e.text + e.nameLength, e.suffixLength};
  }
  std::string_view typeName(std::size_t i) const { return types_[entries_[i].type]; }
  // Type names by number: each distinct one once, number 0 the empty one.
  std::uint32_t typeNumber(std::size_t i) const { return entries_[i].type; }
  std::size_t typeCount() const { return types_.size(); }
  std::string_view type(std::uint32_t number) const { return types_[number]; }
  int decimals(std::size_t i) const { return entries_[i].decimals; }
  MemberInfo operator[](std::size_t i) const {
    return {std::string(name(i)), std::string(suffix(i)), std::string(typeName(i)), decimals(i)};
  }

  // Room for members whose names and suffixes take about textBytes in all.
  void reserve(std::size_t members, std::size_t textBytes);
  // Appends a member. Names are at most 65,535 bytes, suffixes too, decimals 0 to 255.
  void add(std::string_view name, std::string_view suffix, std::string_view typeName, int decimals);
  // Gives back spare room and the type lookup that only adding needs.
  void shrink();
  void clear() { *this = MemberTable(); }

 private:
  // Twelve bytes a member: a runtime may keep the table of a large structure
  // for as long as its stored version stands.
  struct Entry {
    std::uint32_t text;  // offset of name then suffix in text_
    std::uint16_t nameLength;
    std::uint16_t suffixLength;
    std::uint32_t type : 24;     // index in types_ (0: no type)
    std::uint32_t decimals : 8;  // 0 to 255
  };
  static_assert(sizeof(Entry) == 12);

  std::string text_;
  std::vector<Entry> entries_;
  std::vector<std::string> types_{std::string()};
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>> typeIndex_;
};

}  // namespace quill
