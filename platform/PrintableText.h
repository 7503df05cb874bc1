// Text that came from a data file made safe for a terminal or a message box: no byte of it can
// start an escape sequence, retitle or clear a terminal, or stand for anything but itself.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The bytes with every control byte (below 0x20 and 0x7F) and every byte outside ASCII written
// as \xNN. A backslash that comes before an 'x' is written as \x5c too, so every \xNN in the
// result stands for exactly one escaped byte; other backslashes (Windows paths) stay as they are.
std::string printableText(const char* bytes, std::size_t length);
std::string printableText(const std::string& text);

}  // namespace platform
