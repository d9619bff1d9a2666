#include "platform/DrawnIcons.h"

#include <algorithm>

namespace platform {

namespace {

constexpr uint32_t Outline = 0xFF404040;
constexpr uint32_t Paper = 0xFFFFFFFF;
constexpr uint32_t Fold = 0xFFC8C8C8;
constexpr uint32_t Text = 0xFF8090A8;
constexpr uint32_t TitleBar = 0xFF2858B8;
constexpr uint32_t WindowFace = 0xFFE4E4E4;
constexpr uint32_t FolderFace = 0xFFF2C94C;
constexpr uint32_t FolderTab = 0xFFD9A92E;
constexpr uint32_t FolderEdge = 0xFF9A7314;

// Draws in units of a 16 x 16 grid on an icon of any size.
class GridPainter {
public:
    explicit GridPainter(int size) : m_icon{size, size, std::vector<uint32_t>(size_t(size) * size, 0)} {}

    // Fills the grid cells from (left, top) up to but not including (right, bottom).
    void Fill(int left, int top, int right, int bottom, uint32_t colour)
    {
        int x0 = Scale(left), y0 = Scale(top), x1 = Scale(right), y1 = Scale(bottom);
        for (int y = std::max(y0, 0); y < std::min(y1, m_icon.height); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, m_icon.width); ++x)
                m_icon.pixels[size_t(y) * m_icon.width + x] = colour;
    }
    // A filled box with a one-cell border.
    void Box(int left, int top, int right, int bottom, uint32_t face, uint32_t edge)
    {
        Fill(left, top, right, bottom, edge);
        Fill(left + 1, top + 1, right - 1, bottom - 1, face);
    }
    IconPixels Take() { return std::move(m_icon); }

private:
    int Scale(int cell) const { return cell * m_icon.width / 16; }

    IconPixels m_icon;
};

}  // namespace

IconPixels DrawSystemIcon(SystemIcon icon, int size)
{
    GridPainter painter(std::max(size, 1));
    switch (icon) {
    case SystemIcon::Document:
        painter.Box(2, 0, 14, 16, Paper, Outline);
        // The top right corner folded down: cut away above the diagonal, the fold below it.
        for (int y = 0; y < 4; ++y)
            for (int x = 10; x < 14; ++x) {
                int step = x - 10;
                uint32_t colour = step > y ? 0 : step == y || x == 10 || y == 3 ? Outline : Fold;
                painter.Fill(x, y, x + 1, y + 1, colour);
            }
        for (int line = 6; line <= 12; line += 2)
            painter.Fill(4, line, 12, line + 1, Text);
        break;
    case SystemIcon::Application:
        painter.Box(0, 2, 16, 14, WindowFace, Outline);
        painter.Fill(1, 3, 15, 5, TitleBar);
        painter.Fill(12, 3, 14, 5, WindowFace);  // the close box
        break;
    case SystemIcon::Folder:
        painter.Box(0, 2, 7, 5, FolderTab, FolderEdge);
        painter.Box(0, 4, 16, 14, FolderFace, FolderEdge);
        break;
    }
    return painter.Take();
}

}  // namespace platform
