// Message boxes in a browser page: nobody may be kept waiting by a modal dialog, so a box becomes a
// line in the page's message area and on the console, answered with its default button.
#include "platform/DialogFallback.h"
#include "platform/MessageBox.h"
#include "platform/web/Page.h"

namespace platform {

bool dialogsSuppressed() {
    return true;
}

int messageBox(WindowHandle, const char* text, const char* caption, unsigned style) {
    if (!dialogsSuppressedOnRequest()) pageShowMessage(text ? text : "", caption ? caption : "");
    return printDialog(text, caption, style);
}

}  // namespace platform
