// Message boxes on Win32 through MessageBoxA, or on stderr when ORBEK42_NO_DIALOGS or the program
// asks that no box wait for a click (test runs, tools). The system always has a desktop to show a box on.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/MessageBox.h"
#include "platform/win32/Win32Handles.h"

namespace platform {

// Types

static_assert(MB_OK == mbOk && MB_YESNO == mbYesNo && MB_ICONSTOP == mbIconStop &&
                  MB_ICONEXCLAMATION == mbIconExclamation && MB_ICONINFORMATION == mbIconInformation &&
                  IDOK == idOk && IDYES == idYes && IDNO == idNo,
              "styles and answers carry the system's values");

// Globals

namespace {

bool suppressedByProgram = false;

// Functions

int printBox(const char* text, const char* caption, unsigned style) {
    std::string line = std::string(caption ? caption : "") + ": " + (text ? text : "");
    if (line.back() != '\n') line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    return (style & 0xF) == mbYesNo ? idNo : idOk;
}

}  // namespace

void suppressDialogs() { suppressedByProgram = true; }

bool dialogsSuppressed() {
    if (suppressedByProgram) return true;
    const char* value = std::getenv("ORBEK42_NO_DIALOGS");
    return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

int messageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
    if (dialogsSuppressed()) return printBox(text, caption, style);
    return MessageBoxA(toHwnd(owner), text ? text : "", caption ? caption : "", style);
}

}  // namespace platform
