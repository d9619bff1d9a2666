#pragma once

// The X display as the platform services use it: one connection each, errors caught rather than
// fatal, and the few questions about windows that they ask. Included by the services' sources
// only, since Xlib's macros (None, Bool, Status) would spill into everything else.

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

class XConnection {
public:
    // None where no X display can be opened ($DISPLAY unset or the server unreachable).
    static std::unique_ptr<XConnection> Open();
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    Display* Get() const { return m_display; }
    Window Root() const;
    int ScreenWidth() const;
    int ScreenHeight() const;

    // The first 32-bit item of a window property (CARDINAL or WINDOW); none when it is missing.
    std::optional<unsigned long> LongProperty(Window window, const char* name, Atom type);
    // All 32-bit items of a window property.
    std::vector<unsigned long> LongProperties(Window window, const char* name, Atom type);
    // The child of the root window that holds the window (its frame, under a reparenting window
    // manager); none when the window is gone or is the root itself.
    std::optional<Window> TopLevelOf(Window window);
    // The application windows that are shown: per child of the root, itself or the window below
    // it that the window manager marked (WM_STATE) or that names its process (_NET_WM_PID).
    std::vector<Window> ShownClientWindows();
    // Whether the window exists and is viewable (mapped, with all its ancestors).
    bool IsMapped(Window window);

private:
    explicit XConnection(Display* display) : m_display(display) {}
    struct Tree {
        Window parent = None;
        std::vector<Window> children;
    };
    // The window's parent and children; none when the window is gone.
    std::optional<Tree> QueryTree(Window window);
    std::optional<Window> ClientBelow(Window window, int depth);
    bool HasProperty(Window window, Atom property);

    Display* m_display = nullptr;
};

// Within its lifetime, X errors (a window that vanished between two requests) are recorded
// instead of ending the process, the way Xlib's default handler would.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    // Whether a request since the trap was set failed.
    bool Failed();

private:
    Display* m_display;
    int (*m_previous)(Display*, XErrorEvent*) = nullptr;
};

}  // namespace platform
