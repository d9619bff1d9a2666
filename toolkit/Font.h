#pragma once

#include "toolkit/Color.h"

#include <functional>
#include <string>

namespace tk {

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

enum class TFontCharset { DefaultCharset, AnsiCharset, ShiftJisCharset };

// The font of a control. Its size is kept in pixels; Size() gives the point size of the original
// desktop (96 pixels per inch), rounded as that desktop rounded it.
class TFont {
public:
    TFont();
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& name);
    int PixelHeight() const { return m_pixelHeight; }
    void SetPixelHeight(int pixels);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);
    TFontCharset Charset() const { return m_charset; }
    void SetCharset(TFontCharset charset);

    bool operator==(const TFont& other) const;

    // Runs after every change; the owning control mirrors the font to its peer.
    std::function<void()> OnChange;

private:
    void Changed();

    std::string m_name;
    int m_pixelHeight = 12;
    TColor m_color = clWindowText;
    TFontStyles m_style = 0;
    TFontCharset m_charset = TFontCharset::ShiftJisCharset;
};

// The face every window of the program uses unless told otherwise.
std::string DefaultFontName();

}  // namespace tk
