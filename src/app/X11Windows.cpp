#include "app/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>

namespace qv530 {
namespace {

std::string WindowTitle(Display* display, Window window) {
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", True);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", True);
    if (netName != None && utf8 != None) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
                Success &&
            data != nullptr) {
            std::string title(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (!title.empty()) return title;
        }
    }
    char* name = nullptr;
    if (XFetchName(display, window, &name) && name != nullptr) {
        std::string title(name);
        XFree(name);
        return title;
    }
    return {};
}

// Window managers put top-level windows into frames: look two levels down.
bool Search(Display* display, Window parent, const std::string& title, int depth) {
    Window root = 0, ignored = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ignored, &children, &count)) return false;
    bool found = false;
    for (unsigned int i = 0; i < count && !found; ++i) {
        found = WindowTitle(display, children[i]) == title || (depth > 0 && Search(display, children[i], title, depth - 1));
    }
    if (children != nullptr) XFree(children);
    return found;
}

} // namespace

bool TopLevelWindowTitled(const std::string& title) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || name[0] == '\0') return false;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    const bool found = Search(display, DefaultRootWindow(display), title, 1);
    XCloseDisplay(display);
    return found;
}

} // namespace qv530
