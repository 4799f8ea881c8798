// What every parse of clipboard bytes must give, whichever target feeds them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillfuzz {

// Parses every line of a NUL-terminated private copy of the bytes and aborts
// when a line's words lie outside the copy or hold other than word bytes.
void ParseEveryLine(const std::uint8_t* data, std::size_t size);

}  // namespace quillfuzz
