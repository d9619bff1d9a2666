#include "toolkit/Font.h"

namespace tk {

namespace {
constexpr int PixelsPerInch = 96;

// MulDiv of that desktop: the product divided with rounding half away from zero.
int MulDiv(int number, int numerator, int denominator)
{
    long long product = static_cast<long long>(number) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}
}  // namespace

std::string DefaultFontName()
{
    return "ＭＳ Ｐゴシック";
}

TFont::TFont() : m_name(DefaultFontName()) {}

TFont::TFont(const TFont& other)
    : m_name(other.m_name),
      m_pixelHeight(other.m_pixelHeight),
      m_color(other.m_color),
      m_style(other.m_style),
      m_charset(other.m_charset)
{
}

// Assigning copies the attributes only; the change handler stays with its owner.
TFont& TFont::operator=(const TFont& other)
{
    if (this == &other || *this == other)
        return *this;
    m_name = other.m_name;
    m_pixelHeight = other.m_pixelHeight;
    m_color = other.m_color;
    m_style = other.m_style;
    m_charset = other.m_charset;
    Changed();
    return *this;
}

bool TFont::operator==(const TFont& other) const
{
    return m_name == other.m_name && m_pixelHeight == other.m_pixelHeight && m_color == other.m_color &&
           m_style == other.m_style && m_charset == other.m_charset;
}

void TFont::SetName(const std::string& name)
{
    if (m_name == name)
        return;
    m_name = name;
    Changed();
}

void TFont::SetPixelHeight(int pixels)
{
    if (pixels < 0)
        pixels = -pixels;
    if (m_pixelHeight == pixels)
        return;
    m_pixelHeight = pixels;
    Changed();
}

int TFont::Size() const
{
    return MulDiv(m_pixelHeight, 72, PixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetPixelHeight(MulDiv(points, PixelsPerInch, 72));
}

void TFont::SetColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (m_style == style)
        return;
    m_style = style;
    Changed();
}

void TFont::SetCharset(TFontCharset charset)
{
    if (m_charset == charset)
        return;
    m_charset = charset;
    Changed();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

}  // namespace tk
