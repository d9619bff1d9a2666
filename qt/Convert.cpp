#include "qt/Convert.h"

#include "platform/CodePage.h"

#include <algorithm>

namespace qtui {

QString ToQString(const std::string& cp932)
{
    return QString::fromStdString(platform::Cp932ToUtf8(cp932));
}

std::string ToCp932(const QString& text)
{
    return platform::Utf8ToCp932(text.toStdString());
}

QColor ToQColor(tk::TColor color)
{
    return QColor::fromRgb(tk::ResolveColor(color) | 0xFF000000u);
}

QString MapFontFamily(const QString& family)
{
    // The faces of the original desktop, in their Japanese names and in their English ones.
    struct Mapping {
        const char16_t* japanese;
        const char* english;
        const char* replacement;
    };
    static const Mapping mappings[] = {
        {u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF", "MS PGothic", "IPAPGothic"},
        {u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF", "MS Gothic", "IPAGothic"},
        {u"\uFF2D\uFF33 \uFF30\u660E\u671D", "MS PMincho", "IPAPMincho"},
        {u"\uFF2D\uFF33 \u660E\u671D", "MS Mincho", "IPAMincho"},
    };
    for (const Mapping& mapping : mappings)
        if (family == QString::fromUtf16(mapping.japanese) ||
            family.compare(QLatin1String(mapping.english), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(mapping.replacement);
    return family;
}

QFont ToQFont(const tk::TFont& font)
{
    QFont result(MapFontFamily(ToQString(font.Name())));
    result.setPixelSize(std::max(font.PixelHeight(), 1));
    result.setBold(font.Style() & tk::fsBold);
    result.setItalic(font.Style() & tk::fsItalic);
    result.setUnderline(font.Style() & tk::fsUnderline);
    result.setStrikeOut(font.Style() & tk::fsStrikeOut);
    return result;
}

Qt::CursorShape ToCursorShape(tk::TCursor cursor)
{
    switch (cursor) {
    case tk::crCross: return Qt::CrossCursor;
    case tk::crIBeam: return Qt::IBeamCursor;
    case tk::crSizeWE: return Qt::SizeHorCursor;
    case tk::crHourGlass: return Qt::WaitCursor;
    case tk::crHSplit: return Qt::SplitHCursor;
    case tk::crVSplit: return Qt::SplitVCursor;
    case tk::crHandPoint: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
    }
}

QString ShortHint(const std::string& hint)
{
    QString text = ToQString(hint);
    qsizetype bar = text.indexOf(QLatin1Char('|'));
    return bar < 0 ? text : text.left(bar);
}

}  // namespace qtui
