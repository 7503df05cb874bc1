// Message boxes on Win32 through MessageBoxA, or on stderr when ORBEK42_NO_DIALOGS or the program
// asks that no box wait for a click (test runs, tools). The system always has a desktop to show a
// box on.
#include "platform/DialogFallback.h"
#include "platform/MessageBox.h"
#include "platform/win32/Win32Handles.h"

namespace platform {

static_assert(MB_OK == mbOk && MB_YESNO == mbYesNo && MB_ICONSTOP == mbIconStop &&
                  MB_ICONEXCLAMATION == mbIconExclamation &&
                  MB_ICONINFORMATION == mbIconInformation && IDOK == idOk && IDYES == idYes &&
                  IDNO == idNo,
              "styles and answers carry the system's values");

bool dialogsSuppressed() {
    return dialogsSuppressedOnRequest();
}

int messageBox(WindowHandle owner, const char* text, const char* caption, unsigned style) {
    if (dialogsSuppressed()) return printDialog(text, caption, style);
    return MessageBoxA(toHwnd(owner), text ? text : "", caption ? caption : "", style);
}

}  // namespace platform
