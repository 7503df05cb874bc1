// Test helper: asks the X window whose name contains a text to close, the way a window manager's
// close button does (WM_DELETE_WINDOW), so the program sees an ordinary close request.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <cstring>

namespace {

Window findWindow(Display* display, Window root, const char* text) {
    char* name = nullptr;
    if (XFetchName(display, root, &name) && name != nullptr) {
        bool match = std::strstr(name, text) != nullptr;
        XFree(name);
        if (match) return root;
    }
    Window parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && found == 0; ++i)
        found = findWindow(display, children[i], text);
    if (children) XFree(children);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_window NAME\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    Window window = findWindow(display, DefaultRootWindow(display), argv[1]);
    if (window == 0) {
        std::fprintf(stderr, "no window named %s\n", argv[1]);
        return 1;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return 0;
}
