#include "platform/Screen.h"

#include <algorithm>

namespace platform {

uint32_t FakeScreen::TestPattern(int x, int y)
{
    uint32_t red = static_cast<uint32_t>(x) & 0xFF;
    uint32_t green = static_cast<uint32_t>(y) & 0xFF;
    uint32_t blue = (x / 8 + y / 8) % 2 ? 0xFF : 0x00;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

std::optional<WindowId> FakeScreen::ForegroundWindow()
{
    if (!m_foreground)
        return std::nullopt;
    return ForegroundId;
}

std::optional<ScreenRect> FakeScreen::WindowRect(WindowId window)
{
    if (window != ForegroundId || !m_foreground)
        return std::nullopt;
    return m_foreground;
}

std::optional<WindowPixels> FakeScreen::CaptureWindow(WindowId window, int width, int height)
{
    if (window != ForegroundId || !m_foreground)
        return std::nullopt;
    WindowPixels result;
    result.width = std::max(width, 0);
    result.height = std::max(height, 0);
    result.pixels.reserve(static_cast<size_t>(result.width) * result.height);
    // Beyond the window lies a black desktop.
    for (int y = 0; y < result.height; ++y)
        for (int x = 0; x < result.width; ++x)
            result.pixels.push_back(x < m_foreground->right && y < m_foreground->bottom ? TestPattern(x, y)
                                                                                        : 0xFF000000u);
    return result;
}

}  // namespace platform
