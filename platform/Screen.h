#pragma once

// The screen: the desktop's rectangle, the foreground window, its rectangle and its pixels.

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

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

}  // namespace platform
