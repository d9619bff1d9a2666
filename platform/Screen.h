#pragma once

// The screen: the desktop's rectangle, the foreground window, its rectangle and its pixels.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

class XConnection;

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

using WindowId = unsigned long;

struct WindowPixels {
    int width = 0;
    int height = 0;
    // 0xAARRGGBB, row by row from the top.
    std::vector<uint32_t> pixels;
};

class IScreen {
public:
    virtual ~IScreen() = default;
    // GetWindowRect of the desktop window.
    virtual ScreenRect DesktopRect() = 0;
    // GetForegroundWindow; none where there is no such window (or no display).
    virtual std::optional<WindowId> ForegroundWindow() = 0;
    // GetWindowRect: the window with its frame, in screen pixels.
    virtual std::optional<ScreenRect> WindowRect(WindowId window) = 0;
    // The window's pixels from its top-left corner (frame included), width x height of them;
    // parts off the screen or covered come as the screen shows them.
    virtual std::optional<WindowPixels> CaptureWindow(WindowId window, int width, int height) = 0;
};

// The X display's screen. The foreground window is the window manager's active window
// (_NET_ACTIVE_WINDOW), else the top-level window holding the input focus. Its rectangle takes
// in the window manager's frame. Pixels are read from the screen itself, so covering windows
// show as they cover it, and parts beyond the screen's edge are black. Without a display the
// desktop is an empty rectangle and there is no foreground window.
class X11Screen final : public IScreen {
public:
    X11Screen();
    ~X11Screen() override;

    ScreenRect DesktopRect() override;
    std::optional<WindowId> ForegroundWindow() override;
    std::optional<ScreenRect> WindowRect(WindowId window) override;
    std::optional<WindowPixels> CaptureWindow(WindowId window, int width, int height) override;

private:
    bool Connected();

    std::unique_ptr<XConnection> m_display;
    bool m_triedToConnect = false;
};

// A screen of fixed sizes for tests and the probe: a desktop of the given size and, when set, a
// foreground window at its top-left corner that shows TestPattern.
class FakeScreen final : public IScreen {
public:
    // The one window there is.
    static constexpr WindowId ForegroundId = 1;

    void SetDesktop(int width, int height) { m_desktop = {0, 0, width, height}; }
    void SetForeground(int width, int height) { m_foreground = {0, 0, width, height}; }
    void SetNoForeground() { m_foreground.reset(); }

    // The foreground window's pixel at (x, y): red counts the column and green the row (both
    // modulo 256), blue is full on the dark squares of an 8-pixel checkerboard, alpha is opaque.
    static uint32_t TestPattern(int x, int y);

    ScreenRect DesktopRect() override { return m_desktop; }
    std::optional<WindowId> ForegroundWindow() override;
    std::optional<ScreenRect> WindowRect(WindowId window) override;
    std::optional<WindowPixels> CaptureWindow(WindowId window, int width, int height) override;

private:
    ScreenRect m_desktop{0, 0, 1024, 768};
    std::optional<ScreenRect> m_foreground;
};

}  // namespace platform
