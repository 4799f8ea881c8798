// Key presses as scenarios write them: "ctrl+z", "ctrl+shift+t", "del".
#pragma once

#include <optional>
#include <string_view>

namespace script {

struct KeyPress {
  int vkey = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

// Modifiers (ctrl, shift, alt) joined by '+' before one key: a letter, a digit,
// f1 to f12, or a named key (del, ins, enter, tab, esc, backspace, space, home,
// end, up, down, left, right). Case does not matter. Nullopt for anything else.
std::optional<KeyPress> ParseKeys(std::string_view text);

}  // namespace script
