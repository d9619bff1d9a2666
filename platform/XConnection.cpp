#include "platform/XConnection.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

namespace platform {

namespace {
// Xlib's error handlers get no context of ours, so the trap's flag is the one process-wide
// value here. Traps are set and released on the one thread that talks to the display.
bool g_errorSeen = false;

int RecordError(Display*, XErrorEvent*)
{
    g_errorSeen = true;
    return 0;
}

// Deep enough for the frames of the usual window managers (frame, border, client).
constexpr int ClientSearchDepth = 3;
}  // namespace

XErrorTrap::XErrorTrap(Display* display) : m_display(display)
{
    XSync(m_display, False);
    g_errorSeen = false;
    m_previous = XSetErrorHandler(RecordError);
}

XErrorTrap::~XErrorTrap()
{
    XSync(m_display, False);
    XSetErrorHandler(m_previous);
}

bool XErrorTrap::Failed()
{
    XSync(m_display, False);
    return g_errorSeen;
}

std::unique_ptr<XConnection> XConnection::Open()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return nullptr;
    return std::unique_ptr<XConnection>(new XConnection(display));
}

XConnection::~XConnection()
{
    XCloseDisplay(m_display);
}

Window XConnection::Root() const
{
    return DefaultRootWindow(m_display);
}

int XConnection::ScreenWidth() const
{
    return DisplayWidth(m_display, DefaultScreen(m_display));
}

int XConnection::ScreenHeight() const
{
    return DisplayHeight(m_display, DefaultScreen(m_display));
}

std::vector<unsigned long> XConnection::LongProperties(Window window, const char* name, Atom type)
{
    std::vector<unsigned long> items;
    Atom property = XInternAtom(m_display, name, True);
    if (property == None)
        return items;
    XErrorTrap trap(m_display);
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    int status = XGetWindowProperty(m_display, window, property, 0, 1024, False, type, &actualType, &format,
                                    &count, &remaining, &data);
    if (status == Success && data && actualType == type && format == 32) {
        // Xlib hands 32-bit items over as longs.
        const long* values = reinterpret_cast<const long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            items.push_back(static_cast<unsigned long>(values[i]) & 0xFFFFFFFFul);
    }
    if (data)
        XFree(data);
    return items;
}

std::optional<unsigned long> XConnection::LongProperty(Window window, const char* name, Atom type)
{
    std::vector<unsigned long> items = LongProperties(window, name, type);
    if (items.empty())
        return std::nullopt;
    return items.front();
}

std::optional<Window> XConnection::TopLevelOf(Window window)
{
    XErrorTrap trap(m_display);
    Window root = Root();
    while (window != None && window != root) {
        std::optional<Tree> tree = QueryTree(window);
        if (!tree)
            return std::nullopt;
        if (tree->parent == root)
            return window;
        window = tree->parent;
    }
    return std::nullopt;
}

std::optional<XConnection::Tree> XConnection::QueryTree(Window window)
{
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(m_display, window, &root, &parent, &children, &count))
        return std::nullopt;
    Tree tree{parent, std::vector<Window>(children, children + count)};
    if (children)
        XFree(children);
    return tree;
}

bool XConnection::HasProperty(Window window, Atom property)
{
    if (property == None)
        return false;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    int status = XGetWindowProperty(m_display, window, property, 0, 0, False, AnyPropertyType, &actualType,
                                    &format, &count, &remaining, &data);
    if (data)
        XFree(data);
    return status == Success && actualType != None;
}

std::optional<Window> XConnection::ClientBelow(Window window, int depth)
{
    if (HasProperty(window, XInternAtom(m_display, "WM_STATE", True))
        || HasProperty(window, XInternAtom(m_display, "_NET_WM_PID", True)))
        return window;
    if (depth == 0)
        return std::nullopt;
    std::optional<Tree> tree = QueryTree(window);
    if (!tree)
        return std::nullopt;
    for (Window child : tree->children)
        if (auto found = ClientBelow(child, depth - 1))
            return found;
    return std::nullopt;
}

bool XConnection::IsMapped(Window window)
{
    XErrorTrap trap(m_display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display, window, &attributes))
        return false;
    return !trap.Failed() && attributes.map_state == IsViewable;
}

std::vector<Window> XConnection::ShownClientWindows()
{
    std::vector<Window> clients;
    XErrorTrap trap(m_display);
    std::optional<Tree> tree = QueryTree(Root());
    if (!tree)
        return clients;
    for (Window topLevel : tree->children) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(m_display, topLevel, &attributes) || attributes.map_state != IsViewable
            || attributes.c_class == InputOnly)
            continue;
        if (auto client = ClientBelow(topLevel, ClientSearchDepth); client && IsMapped(*client))
            clients.push_back(*client);
    }
    return clients;
}

}  // namespace platform
