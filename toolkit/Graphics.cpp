#include "toolkit/Graphics.h"

#include "toolkit/ErrorTexts.h"
#include "toolkit/Exception.h"
#include "toolkit/Services.h"

#include <algorithm>

namespace tk {

namespace {
constexpr uint32_t OpaqueWhite = 0xFFFFFFFF;

uint32_t Blend(uint32_t destination, uint32_t source)
{
    uint32_t alpha = source >> 24;
    if (alpha == 255)
        return source;
    if (alpha == 0)
        return destination;
    auto channel = [&](int shift) {
        uint32_t s = (source >> shift) & 0xFF;
        uint32_t d = (destination >> shift) & 0xFF;
        return ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    };
    uint32_t destAlpha = destination >> 24;
    uint32_t outAlpha = alpha + destAlpha * (255 - alpha) / 255;
    return (outAlpha << 24) | channel(16) | channel(8) | channel(0);
}
}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

TBitmap::TBitmap(int width, int height, std::vector<uint32_t> pixels)
{
    if (width > 0 && height > 0 && pixels.size() == size_t(width) * size_t(height)) {
        m_width = width;
        m_height = height;
        m_pixels = std::move(pixels);
    } else {
        SetSize(width, height);
    }
}

TBitmap::TBitmap(const TBitmap& other)
    : TGraphic(), m_width(other.m_width), m_height(other.m_height), m_pixels(other.m_pixels)
{
}

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    std::vector<uint32_t> pixels(size_t(width) * size_t(height), OpaqueWhite);
    int keepWidth = std::min(width, m_width);
    int keepHeight = std::min(height, m_height);
    for (int y = 0; y < keepHeight; ++y)
        std::copy_n(m_pixels.begin() + size_t(y) * m_width, keepWidth, pixels.begin() + size_t(y) * width);
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
    Changed();
}

uint32_t TBitmap::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[size_t(y) * m_width + x];
}

void TBitmap::SetPixel(int x, int y, uint32_t argb)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[size_t(y) * m_width + x] = argb;
    Changed();
}

TCanvas& TBitmap::Canvas()
{
    if (!m_canvas)
        m_canvas = std::make_unique<TCanvas>(*this);
    return *m_canvas;
}

void TBitmap::Draw(TCanvas& canvas, int x, int y) const
{
    canvas.BlendPixels(x, y, m_width, m_height, m_pixels);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
    return std::make_unique<TBitmap>(*this);
}

TIcon::TIcon(int width, int height, std::vector<uint32_t> pixels)
{
    SetImage(width, height, std::move(pixels));
}

void TIcon::SetImage(int width, int height, std::vector<uint32_t> pixels)
{
    if (width < 0 || height < 0 || pixels.size() != size_t(width) * size_t(height)) {
        width = height = 0;
        pixels.clear();
    }
    m_width = width;
    m_height = height;
    m_pixels = pixels.empty() ? nullptr : std::make_shared<const std::vector<uint32_t>>(std::move(pixels));
    Changed();
}

const std::vector<uint32_t>& TIcon::Pixels() const
{
    static const std::vector<uint32_t> none;
    return m_pixels ? *m_pixels : none;
}

void TIcon::Draw(TCanvas& canvas, int x, int y) const
{
    canvas.BlendPixels(x, y, m_width, m_height, Pixels());
}

std::unique_ptr<TGraphic> TIcon::Clone() const
{
    auto clone = std::make_unique<TIcon>(*this);
    clone->OnChange = nullptr;
    return clone;
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic)
{
    graphic.Draw(*this, x, y);
}

void TCanvas::BlendPixels(int x, int y, int width, int height, const std::vector<uint32_t>& pixels)
{
    if (pixels.size() < size_t(width) * size_t(height))
        return;
    int x0 = std::max(0, -x), y0 = std::max(0, -y);
    int x1 = std::min(width, m_bitmap.Width() - x), y1 = std::min(height, m_bitmap.Height() - y);
    if (x0 >= x1 || y0 >= y1)
        return;
    auto& target = m_bitmap.m_pixels;
    for (int row = y0; row < y1; ++row)
        for (int column = x0; column < x1; ++column) {
            uint32_t& destination = target[size_t(y + row) * m_bitmap.Width() + (x + column)];
            destination = Blend(destination, pixels[size_t(row) * width + column]);
        }
    m_bitmap.PixelsChanged();
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect)
{
    int width = std::min(dest.Width(), sourceRect.Width());
    int height = std::min(dest.Height(), sourceRect.Height());
    bool copied = false;
    for (int row = 0; row < height; ++row) {
        int sy = sourceRect.Top + row, dy = dest.Top + row;
        if (sy < 0 || sy >= source.Height() || dy < 0 || dy >= Height())
            continue;
        for (int column = 0; column < width; ++column) {
            int sx = sourceRect.Left + column, dx = dest.Left + column;
            if (sx < 0 || sx >= source.Width() || dx < 0 || dx >= Width())
                continue;
            m_bitmap.m_pixels[size_t(dy) * Width() + dx] = source.m_bitmap.m_pixels[size_t(sy) * source.Width() + sx];
            copied = true;
        }
    }
    if (copied)
        m_bitmap.PixelsChanged();
}

void TCanvas::FillRect(const TRect& rect)
{
    uint32_t argb = 0xFF000000 | ResolveColor(m_brushColor);
    int left = std::max(rect.Left, 0), top = std::max(rect.Top, 0);
    int right = std::min(rect.Right, Width()), bottom = std::min(rect.Bottom, Height());
    if (left >= right || top >= bottom)
        return;
    for (int y = top; y < bottom; ++y)
        std::fill_n(m_bitmap.m_pixels.begin() + size_t(y) * Width() + left, right - left, argb);
    m_bitmap.PixelsChanged();
}

void TCanvas::SetPixel(int x, int y, uint32_t argb)
{
    m_bitmap.SetPixel(x, y, argb);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    m_graphic = std::move(graphic);
    if (m_graphic)
        m_graphic->OnChange = [this] { Changed(); };
    Changed();
}

void TPicture::Assign(const TPicture& other)
{
    SetGraphic(other.m_graphic ? other.m_graphic->Clone() : nullptr);
}

TBitmap& TPicture::Bitmap()
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(m_graphic.get()))
        return *bitmap;
    auto bitmap = std::make_unique<TBitmap>();
    TBitmap& result = *bitmap;
    SetGraphic(std::move(bitmap));
    return result;
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    if (!m_formats)
        throw EInvalidGraphic(WithReason("画像 \"" + fileName + "\" を読み込めません。", "画像を読み込むしくみがありません"));
    SetGraphic(m_formats->LoadPicture(fileName));
}

void TPicture::LoadFromFile(const std::string& fileName, int pageWidth)
{
    if (!m_formats)
        throw EInvalidGraphic("Cannot load the picture \"" + fileName + "\": no picture loader is installed");
    SetGraphic(m_formats->LoadPicture(fileName, pageWidth));
}

std::unique_ptr<TGraphic> IPictureFormats::LoadPicture(const std::string& dosPath, int)
{
    return LoadPicture(dosPath);
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}

}  // namespace tk
