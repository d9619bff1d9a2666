#include "toolkit/ImageList.h"

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
// Images are allocated in steps, so that a listing that adds one image per file type does not
// copy the list over and over.
constexpr size_t AllocationStep = 1000;

struct Premultiplied {
    double a = 0, r = 0, g = 0, b = 0;
    void Add(uint32_t argb, double weight)
    {
        double alpha = (argb >> 24) / 255.0 * weight;
        a += alpha;
        r += ((argb >> 16) & 0xFF) * alpha;
        g += ((argb >> 8) & 0xFF) * alpha;
        b += (argb & 0xFF) * alpha;
    }
    uint32_t Straight(double totalWeight) const
    {
        if (a <= 0 || totalWeight <= 0)
            return 0;
        auto channel = [&](double value) { return uint32_t(std::clamp(std::lround(value / a), 0L, 255L)); };
        uint32_t alpha = uint32_t(std::clamp(std::lround(a / totalWeight * 255.0), 0L, 255L));
        return (alpha << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
    }
};
}  // namespace

std::vector<uint32_t> ScalePixels(const std::vector<uint32_t>& pixels, int width, int height, int newWidth,
                                  int newHeight)
{
    const bool usable = width > 0 && height > 0 && newWidth > 0 && newHeight > 0 &&
                        pixels.size() >= size_t(width) * size_t(height);
    if (usable && width == newWidth && height == newHeight)
        return std::vector<uint32_t>(pixels.begin(), pixels.begin() + size_t(width) * height);
    std::vector<uint32_t> out(size_t(std::max(newWidth, 0)) * size_t(std::max(newHeight, 0)), 0);
    if (!usable)
        return out;
    double scaleX = double(width) / newWidth;
    double scaleY = double(height) / newHeight;
    for (int y = 0; y < newHeight; ++y) {
        for (int x = 0; x < newWidth; ++x) {
            Premultiplied sum;
            double total = 0;
            if (scaleX >= 1 && scaleY >= 1) {
                // Area average over the source pixels the target pixel covers.
                double x0 = x * scaleX, x1 = (x + 1) * scaleX, y0 = y * scaleY, y1 = (y + 1) * scaleY;
                for (int sy = int(y0); sy < std::min(height, int(std::ceil(y1))); ++sy) {
                    double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                    for (int sx = int(x0); sx < std::min(width, int(std::ceil(x1))); ++sx) {
                        double wx = std::min<double>(sx + 1, x1) - std::max<double>(sx, x0);
                        sum.Add(pixels[size_t(sy) * width + sx], wx * wy);
                        total += wx * wy;
                    }
                }
            } else {
                // Bilinear interpolation between the four nearest source pixels.
                double fx = std::clamp((x + 0.5) * scaleX - 0.5, 0.0, double(width - 1));
                double fy = std::clamp((y + 0.5) * scaleY - 0.5, 0.0, double(height - 1));
                int ix = int(fx), iy = int(fy);
                int jx = std::min(ix + 1, width - 1), jy = std::min(iy + 1, height - 1);
                double dx = fx - ix, dy = fy - iy;
                sum.Add(pixels[size_t(iy) * width + ix], (1 - dx) * (1 - dy));
                sum.Add(pixels[size_t(iy) * width + jx], dx * (1 - dy));
                sum.Add(pixels[size_t(jy) * width + ix], (1 - dx) * dy);
                sum.Add(pixels[size_t(jy) * width + jx], dx * dy);
                total = 1;
            }
            out[size_t(y) * newWidth + x] = sum.Straight(total);
        }
    }
    return out;
}

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

void TImageList::SetSize(int width, int height)
{
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    m_images.clear();
    Changed();
}

int TImageList::Append(TIcon image)
{
    if (m_images.size() == m_images.capacity())
        m_images.reserve((m_images.size() / AllocationStep + 1) * AllocationStep);
    m_images.push_back(std::move(image));
    Changed();
    return Count() - 1;
}

int TImageList::Add(const TGraphic& graphic)
{
    if (graphic.Empty())
        return -1;
    // An icon of the list's size goes in as it is, sharing its pixels.
    const auto* icon = dynamic_cast<const TIcon*>(&graphic);
    if (icon && icon->Width() == m_width && icon->Height() == m_height) {
        TIcon copy(*icon);
        copy.OnChange = nullptr;
        return Append(std::move(copy));
    }
    return Append(TIcon(m_width, m_height,
                        ScalePixels(graphic.Pixels(), graphic.Width(), graphic.Height(), m_width, m_height)));
}

int TImageList::AddImage(const TImageList& source, int index)
{
    if (index < 0 || index >= source.Count())
        return -1;
    return Add(source.m_images[index]);
}

void TImageList::Clear()
{
    if (m_images.empty())
        return;
    m_images.clear();
    Changed();
}

const TIcon& TImageList::Image(int index) const
{
    static const TIcon empty;
    return index >= 0 && index < Count() ? m_images[index] : empty;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const
{
    canvas.Draw(x, y, Image(index));
}

void TImageList::Changed()
{
    if (OnChange)
        OnChange();
}

void TImageList::DescribeProperties(TPropertyList& list) const
{
    TComponent::DescribeProperties(list);
    list.Add("Width", TPropertyValue::Integer(m_width));
    list.Add("Height", TPropertyValue::Integer(m_height));
    list.Add("Count", TPropertyValue::Integer(Count()));
}

}  // namespace tk
