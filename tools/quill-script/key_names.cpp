// Key names of the scenario language.
#include "key_names.h"

#include <array>
#include <cctype>
#include <string>

#include "platform/win.h"

namespace script {
namespace {

struct NamedKey {
  std::string_view name;
  int vkey;
};
constexpr std::array<NamedKey, 18> kNamedKeys{{
    {"del", VK_DELETE},
    {"delete", VK_DELETE},
    {"ins", VK_INSERT},
    {"insert", VK_INSERT},
    {"enter", VK_RETURN},
    {"return", VK_RETURN},
    {"tab", VK_TAB},
    {"esc", VK_ESCAPE},
    {"escape", VK_ESCAPE},
    {"backspace", VK_BACK},
    {"space", 0x20},
    {"home", VK_HOME},
    {"end", VK_END},
    {"up", VK_UP},
    {"down", VK_DOWN},
    {"left", VK_LEFT},
    {"right", VK_RIGHT},
    {"back", VK_BACK},
}};
constexpr int kVkF1 = 0x70;

std::optional<int> KeyCode(const std::string& key) {
  if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0])))
    return std::toupper(static_cast<unsigned char>(key[0]));
  for (const NamedKey& named : kNamedKeys) {
    if (key == named.name) return named.vkey;
  }
  if (key.size() >= 2 && key.size() <= 3 && key[0] == 'f') {
    int number = 0;
    for (std::size_t i = 1; i < key.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(key[i]))) return std::nullopt;
      number = number * 10 + (key[i] - '0');
    }
    if (number >= 1 && number <= 12) return kVkF1 + number - 1;
  }
  return std::nullopt;
}

}  // namespace

std::optional<KeyPress> ParseKeys(std::string_view text) {
  KeyPress press;
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::size_t start = 0;
  while (true) {
    std::size_t plus = lower.find('+', start);
    // A '+' at the very end would leave no key; "ctrl++" is not a key press here.
    std::string part = lower.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    if (plus == std::string::npos) {
      std::optional<int> code = KeyCode(part);
      if (!code) return std::nullopt;
      press.vkey = *code;
      return press;
    }
    if (part == "ctrl" || part == "control")
      press.ctrl = true;
    else if (part == "shift")
      press.shift = true;
    else if (part == "alt")
      press.alt = true;
    else
      return std::nullopt;
    start = plus + 1;
  }
}

}  // namespace script
