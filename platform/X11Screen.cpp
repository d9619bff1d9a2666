#include "platform/Screen.h"

#include "platform/XConnection.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>

namespace platform {

namespace {
constexpr uint32_t Black = 0xFF000000u;

// One colour channel of a true-colour pixel, scaled to eight bits.
uint32_t Channel(unsigned long pixel, unsigned long mask)
{
    if (mask == 0)
        return 0;
    int shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    unsigned long value = (pixel & mask) >> shift;
    if (bits >= 8)
        return static_cast<uint32_t>(value >> (bits - 8));
    return static_cast<uint32_t>(value * 255 / ((1ul << bits) - 1));
}

uint32_t Argb(XImage* image, int x, int y)
{
    unsigned long pixel = XGetPixel(image, x, y);
    return Black | Channel(pixel, image->red_mask) << 16 | Channel(pixel, image->green_mask) << 8
        | Channel(pixel, image->blue_mask);
}
}  // namespace

X11Screen::X11Screen() = default;

X11Screen::~X11Screen() = default;

bool X11Screen::Connected()
{
    // One attempt: a display that is not there at the first question stays away.
    if (!m_triedToConnect) {
        m_triedToConnect = true;
        m_display = XConnection::Open();
    }
    return m_display != nullptr;
}

ScreenRect X11Screen::DesktopRect()
{
    if (!Connected())
        return {};
    return {0, 0, m_display->ScreenWidth(), m_display->ScreenHeight()};
}

std::optional<WindowId> X11Screen::ForegroundWindow()
{
    if (!Connected())
        return std::nullopt;
    Window root = m_display->Root();
    auto active = m_display->LongProperty(root, "_NET_ACTIVE_WINDOW", XA_WINDOW);
    if (active && *active != None && m_display->TopLevelOf(*active))
        return *active;
    // Without a window manager that names it, the focus tells; it may sit on a child window.
    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(m_display->Get(), &focus, &revertTo);
    if (focus == None || focus == PointerRoot || focus == root)
        return std::nullopt;
    return m_display->TopLevelOf(focus);
}

std::optional<ScreenRect> X11Screen::WindowRect(WindowId window)
{
    if (!Connected())
        return std::nullopt;
    auto topLevel = m_display->TopLevelOf(window);
    if (!topLevel)
        return std::nullopt;
    XErrorTrap trap(m_display->Get());
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(m_display->Get(), *topLevel, &attributes) || trap.Failed())
        return std::nullopt;
    int border = attributes.border_width;
    ScreenRect rect{attributes.x, attributes.y, attributes.x + attributes.width + 2 * border,
                    attributes.y + attributes.height + 2 * border};
    // A window manager that draws its frame without reparenting says how wide it is.
    if (*topLevel == window) {
        auto extents = m_display->LongProperties(window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
        if (extents.size() == 4) {
            rect.left -= static_cast<int>(extents[0]);
            rect.right += static_cast<int>(extents[1]);
            rect.top -= static_cast<int>(extents[2]);
            rect.bottom += static_cast<int>(extents[3]);
        }
    }
    return rect;
}

std::optional<WindowPixels> X11Screen::CaptureWindow(WindowId window, int width, int height)
{
    auto rect = WindowRect(window);
    if (!rect)
        return std::nullopt;
    WindowPixels result;
    result.width = std::max(width, 0);
    result.height = std::max(height, 0);
    result.pixels.assign(static_cast<size_t>(result.width) * result.height, Black);
    int left = std::max(rect->left, 0);
    int top = std::max(rect->top, 0);
    int right = std::min(rect->left + result.width, m_display->ScreenWidth());
    int bottom = std::min(rect->top + result.height, m_display->ScreenHeight());
    if (right <= left || bottom <= top)
        return result;
    XErrorTrap trap(m_display->Get());
    XImage* image = XGetImage(m_display->Get(), m_display->Root(), left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (!image || trap.Failed()) {
        if (image)
            XDestroyImage(image);
        return std::nullopt;
    }
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = result.pixels.data() + static_cast<size_t>(y - rect->top) * result.width;
        for (int x = left; x < right; ++x)
            row[x - rect->left] = Argb(image, x - left, y - top);
    }
    XDestroyImage(image);
    return result;
}

}  // namespace platform
