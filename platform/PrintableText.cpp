// Escaping of file data for terminals and messages, the same for every tool and every system.
#include "platform/PrintableText.h"

#include <cstdio>

namespace platform {

std::string printableText(const char* bytes, std::size_t length) {
    std::string text;
    text.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const bool startsEscape = c == '\\' && i + 1 < length && bytes[i + 1] == 'x';
        if (c < 0x20 || c >= 0x7f || startsEscape) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text;
}

std::string printableText(const std::string& text) {
    return printableText(text.data(), text.size());
}

}  // namespace platform
