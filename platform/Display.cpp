#include "platform/Display.h"

// Xlib's macros clash with Qt's names, so this file includes no Qt header.
#include <X11/Xlib.h>

#include <cstdlib>
#include <string_view>

namespace platform {

namespace {
std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool X11DisplayAnswers(const std::string& name)
{
    Display* display = XOpenDisplay(name.c_str());
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}
}  // namespace

bool DisplayReachable(std::string& why)
{
    std::string platform = Environment("QT_QPA_PLATFORM");
    std::string_view chosen = std::string_view(platform).substr(0, platform.find(':'));
    if (chosen == "offscreen" || chosen == "minimal" || chosen == "vnc" || chosen == "linuxfb" || chosen == "eglfs")
        return true;
    std::string x11 = Environment("DISPLAY");
    std::string wayland = Environment("WAYLAND_DISPLAY");
    if (chosen != "xcb" && !wayland.empty())
        return true;
    if (!x11.empty()) {
        if (X11DisplayAnswers(x11))
            return true;
        why = "Orvane cannot open its window: the X display \"" + x11 + "\" does not answer.";
        return false;
    }
    why = "Orvane needs a graphical display, and none is set (DISPLAY and WAYLAND_DISPLAY are empty).";
    return false;
}

}  // namespace platform
