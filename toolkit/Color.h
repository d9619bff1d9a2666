#pragma once

#include <cstdint>

namespace tk {

// A colour is either an RGB value or the index of a system colour, resolved when it is drawn.
class TColor {
public:
    constexpr TColor() = default;

    static constexpr TColor Rgb(uint8_t red, uint8_t green, uint8_t blue)
    {
        return TColor(Kind::Rgb, (uint32_t(red) << 16) | (uint32_t(green) << 8) | blue);
    }
    static constexpr TColor System(int index) { return TColor(Kind::System, uint32_t(index)); }

    constexpr bool IsSystem() const { return m_kind == Kind::System; }
    constexpr int SystemIndex() const { return IsSystem() ? int(m_value) : -1; }
    // 0xRRGGBB for an RGB colour.
    constexpr uint32_t RgbValue() const { return IsSystem() ? 0 : m_value; }
    constexpr uint8_t Red() const { return uint8_t(RgbValue() >> 16); }
    constexpr uint8_t Green() const { return uint8_t(RgbValue() >> 8); }
    constexpr uint8_t Blue() const { return uint8_t(RgbValue()); }

    constexpr bool operator==(const TColor&) const = default;

private:
    enum class Kind : uint8_t { Rgb, System };
    constexpr TColor(Kind kind, uint32_t value) : m_kind(kind), m_value(value) {}

    Kind m_kind = Kind::Rgb;
    uint32_t m_value = 0;
};

// System colour indexes of the original desktop.
namespace syscolor {
constexpr int ScrollBar = 0;
constexpr int Background = 1;
constexpr int ActiveCaption = 2;
constexpr int InactiveCaption = 3;
constexpr int Menu = 4;
constexpr int Window = 5;
constexpr int WindowFrame = 6;
constexpr int MenuText = 7;
constexpr int WindowText = 8;
constexpr int CaptionText = 9;
constexpr int ActiveBorder = 10;
constexpr int InactiveBorder = 11;
constexpr int AppWorkspace = 12;
constexpr int Highlight = 13;
constexpr int HighlightText = 14;
constexpr int BtnFace = 15;
constexpr int BtnShadow = 16;
constexpr int GrayText = 17;
constexpr int BtnText = 18;
constexpr int InactiveCaptionText = 19;
constexpr int BtnHighlight = 20;
constexpr int DkShadow3D = 21;
constexpr int Light3D = 22;
constexpr int InfoText = 23;
constexpr int InfoBk = 24;
constexpr int Count = 25;
}  // namespace syscolor

// The classic appearance of that desktop: the RGB value of each system colour.
constexpr uint32_t ClassicSystemColor(int index)
{
    constexpr uint32_t table[syscolor::Count] = {
        0xC0C0C0, 0x008080, 0x000080, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
        0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x000080, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080,
        0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xDFDFDF, 0x000000, 0xFFFFE1,
    };
    return index >= 0 && index < syscolor::Count ? table[index] : 0x000000;
}

// The colour as RGB, system colours resolved to their classic values.
constexpr uint32_t ResolveColor(TColor color)
{
    return color.IsSystem() ? ClassicSystemColor(color.SystemIndex()) : color.RgbValue();
}

constexpr TColor clBlack = TColor::Rgb(0, 0, 0);
constexpr TColor clWhite = TColor::Rgb(255, 255, 255);
constexpr TColor clRed = TColor::Rgb(255, 0, 0);
constexpr TColor clGreen = TColor::Rgb(0, 128, 0);
constexpr TColor clBlue = TColor::Rgb(0, 0, 255);
constexpr TColor clFuchsia = TColor::Rgb(255, 0, 255);
constexpr TColor clSilver = TColor::Rgb(192, 192, 192);
constexpr TColor clGray = TColor::Rgb(128, 128, 128);
constexpr TColor clBtnFace = TColor::System(syscolor::BtnFace);
constexpr TColor clWindow = TColor::System(syscolor::Window);
constexpr TColor clWindowText = TColor::System(syscolor::WindowText);
constexpr TColor clBtnText = TColor::System(syscolor::BtnText);
constexpr TColor clActiveCaption = TColor::System(syscolor::ActiveCaption);
constexpr TColor clHighlight = TColor::System(syscolor::Highlight);
constexpr TColor clGrayText = TColor::System(syscolor::GrayText);
constexpr TColor clInfoBk = TColor::System(syscolor::InfoBk);

}  // namespace tk
