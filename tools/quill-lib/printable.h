// Text from a library or a folder shown on a terminal: a name or comment may
// hold control characters, and written raw an escape sequence in one could
// rewrite the screen, set the window title or answer for the user.
#pragma once

#include <string>
#include <string_view>

namespace quill_lib {

// TAB, CR and LF as \t, \r and \n, every other control byte and DEL as \xhh
// ("\x1b"); all other bytes as they are.
std::string Printable(std::string_view text);

// The same escapes for a manifest field, which is read back: the backslash
// doubled too, and the hex in capitals as manifests have always been written.
std::string EscapeField(std::string_view text);

}  // namespace quill_lib
