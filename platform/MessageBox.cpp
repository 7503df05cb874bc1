// The parts of message boxes that are the same on every system.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/DialogFallback.h"
#include "platform/MessageBox.h"

namespace platform {
namespace {

bool suppressedByProgram = false;

}  // namespace

void suppressDialogs() {
    suppressedByProgram = true;
}

bool dialogsSuppressedOnRequest() {
    if (suppressedByProgram) return true;
    const char* value = std::getenv("ORBEK42_NO_DIALOGS");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

int printDialog(const char* text, const char* caption, unsigned style) {
    std::string line = std::string(caption ? caption : "") + ": " + (text ? text : "");
    if (line.back() != '\n') line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    return (style & 0xF) == mbYesNo ? idNo : idOk;
}

}  // namespace platform
