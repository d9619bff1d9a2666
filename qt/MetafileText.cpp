// The player's texts: the font of a LOGFONT at the device's scale, the characters of the font's
// character set, their advances, alignment and background.

#include "dos/DosText.h"
#include "qt/Convert.h"
#include "qt/MetafilePlayer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QStringDecoder>

#include <cmath>

namespace qtui {

namespace meta = formats::meta;

namespace {

constexpr uint32_t TaUpdateCp = 1, TaRight = 2, TaCenter = 6, TaBottom = 8, TaBaseline = 24;
constexpr uint8_t DefaultCharset = 1, ShiftJisCharset = 128;
// Without a height the system chooses one; this is the size of the desktop's usual text.
constexpr double DefaultFontPixels = 12;

// Windows-1252, the ANSI code page of western fonts, where it differs from Latin-1.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The other double-byte character sets of the Far East, by the names Qt's converters know.
const char* FarEastEncoding(uint8_t charSet)
{
    switch (charSet) {
    case 129: return "CP949";    // HANGUL_CHARSET
    case 134: return "GBK";      // GB2312_CHARSET
    case 136: return "Big5";     // CHINESEBIG5_CHARSET
    default: return nullptr;
    }
}

QString FaceName(const meta::Text& face)
{
    QString name = face.wide ? QString::fromUtf16(face.units.data(), qsizetype(face.units.size()))
                             : ToQString(face.bytes);
    // A face for vertical writing ("@" before the name) is drawn upright here.
    if (name.startsWith(QLatin1Char('@')))
        name.remove(0, 1);
    return name;
}

}  // namespace

QFont MetafilePlayer::MakeFont(double pixelHeight) const
{
    const meta::LogFont& logFont = m_state.font;
    QString face = MapFontFamily(FaceName(logFont.face));
    QFont font(face);
    if (face.isEmpty()) {
        uint8_t family = logFont.pitchAndFamily & 0xF0;
        font.setStyleHint(family == 0x10   ? QFont::Serif
                          : family == 0x30 ? QFont::Monospace
                                           : QFont::SansSerif);
    }
    if ((logFont.pitchAndFamily & 3) == 1)
        font.setFixedPitch(true);
    double dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
    auto setPixels = [&](double pixels) { font.setPointSizeF(std::max(pixels, 0.5) * 72 / dpi); };
    setPixels(pixelHeight);
    font.setWeight(QFont::Weight(std::clamp(logFont.weight == 0 ? 400 : logFont.weight, 1, 1000)));
    font.setItalic(logFont.italic);
    font.setUnderline(logFont.underline);
    font.setStrikeOut(logFont.strikeOut);
    font.setKerning(false);
    if (logFont.height > 0) {
        // A positive height is the cell's (ascent and descent), not the characters'.
        QFontMetricsF metrics(font);
        double cell = metrics.ascent() + metrics.descent();
        if (cell > 0)
            setPixels(pixelHeight * pixelHeight / cell);
    }
    return font;
}

std::vector<MetafilePlayer::Character> MetafilePlayer::Characters(const meta::Text& text) const
{
    std::vector<Character> result;
    if (text.wide) {
        for (size_t i = 0; i < text.units.size(); ++i) {
            bool pair = QChar::isHighSurrogate(text.units[i]) && i + 1 < text.units.size() &&
                        QChar::isLowSurrogate(text.units[i + 1]);
            QString character(QChar(text.units[i]));
            if (pair)
                character += QChar(text.units[++i]);
            result.push_back({character, pair ? 2 : 1});
        }
        return result;
    }
    uint8_t charSet = m_state.font.charSet;
    bool japanese = charSet == ShiftJisCharset || charSet == DefaultCharset;
    const char* farEast = FarEastEncoding(charSet);
    const std::string& bytes = text.bytes;
    for (size_t i = 0; i < bytes.size(); ++i) {
        auto byte = uint8_t(bytes[i]);
        if (japanese) {
            // Half-width katakana and ASCII take one byte, the rest two.
            int length = dos::IsLeadByte(byte) && i + 1 < bytes.size() ? 2 : 1;
            result.push_back({ToQString(bytes.substr(i, size_t(length))), length});
            i += size_t(length - 1);
        } else if (farEast && byte >= 0x81 && i + 1 < bytes.size()) {
            QStringDecoder decoder(farEast);
            QString character = decoder.isValid() ? decoder(QByteArrayView(bytes.data() + i, 2)) : QString();
            result.push_back({character.isEmpty() ? QString(QChar(u'?')) : character.left(2), 2});
            ++i;
        } else {
            char16_t unit = byte >= 0x80 && byte < 0xA0 ? Windows1252High[byte - 0x80] : char16_t(byte);
            result.push_back({QString(QChar(unit)), 1});
        }
    }
    return result;
}

void MetafilePlayer::DrawText(const meta::TextOut& text)
{
    QTransform device = DeviceTransform();
    uint32_t align = m_state.textAlign;
    QPointF reference = (align & TaUpdateCp) ? m_state.position : QPointF(text.reference.x, text.reference.y);

    // Glyphs stand upright on the device whatever way the mapping turns the axes; a world
    // transform that rotates or shears carries them along.
    QTransform linear(device.m11(), device.m12(), device.m21(), device.m22(), 0, 0);
    if (device.m12() == 0 && device.m21() == 0)
        linear = QTransform::fromScale(std::abs(device.m11()), std::abs(device.m22()));
    else if (linear.determinant() < 0)
        linear = QTransform(linear.m11(), linear.m12(), -linear.m21(), -linear.m22(), 0, 0);
    double yScale = std::hypot(linear.m21(), linear.m22());
    if (!(yScale > 0) || !std::isfinite(yScale))
        return;
    QTransform glyphs(linear.m11() / yScale, linear.m12() / yScale, linear.m21() / yScale, linear.m22() / yScale, 0, 0);

    double pixels = m_state.font.height == 0 ? DefaultFontPixels : std::abs(double(m_state.font.height)) * yScale;
    if (pixels > 4096)
        return;
    QFont font = MakeFont(pixels);
    QFontMetricsF metrics(font);
    if (m_state.font.width != 0 && metrics.averageCharWidth() > 0) {
        double wanted = std::abs(double(m_state.font.width)) * yScale;
        font.setStretch(std::clamp(int(std::lround(wanted / metrics.averageCharWidth() * 100)), 1, 4000));
        metrics = QFontMetricsF(font);
    }

    std::vector<Character> characters = Characters(text.text);
    QString whole;
    std::vector<double> advances;
    size_t unit = 0;
    for (const Character& character : characters) {
        whole += character.text;
        if (!text.advances.empty()) {
            double advance = 0;
            for (int k = 0; k < character.units && unit < text.advances.size(); ++k)
                advance += text.advances[unit++];
            advances.push_back(advance * yScale);
        } else {
            advances.push_back(metrics.horizontalAdvance(character.text));
        }
    }
    double width = 0;
    for (double advance : advances)
        width += advance;

    double x = (align & TaCenter) == TaCenter ? -width / 2 : (align & TaCenter) == TaRight ? -width : 0;
    double y = (align & TaBaseline) == TaBaseline ? 0 : (align & TaBaseline) == TaBottom ? -metrics.descent()
                                                                                        : metrics.ascent();
    QTransform place = glyphs * QTransform().rotate(-m_state.font.escapement / 10.0) *
                       QTransform::fromTranslate(device.map(reference).x(), device.map(reference).y());

    PrepareClip();
    if (text.hasRect && (text.options & meta::EtoOpaque)) {
        QPainterPath box;
        box.addPolygon(device.map(QPolygonF(QRectF(QPointF(text.rect.left, text.rect.top),
                                                   QPointF(text.rect.right, text.rect.bottom)))));
        m_painter.fillPath(box, m_state.bkColor);
    }
    if (text.hasRect && (text.options & meta::EtoClipped)) {
        QPainterPath box;
        box.addPolygon(device.map(QPolygonF(QRectF(QPointF(text.rect.left, text.rect.top),
                                                   QPointF(text.rect.right, text.rect.bottom)))));
        m_painter.setClipPath(box, Qt::IntersectClip);
        m_clipApplied = false;
    }
    m_painter.setTransform(place);
    if (m_state.bkMode == 2)
        m_painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                           m_state.bkColor);
    m_painter.setFont(font);
    m_painter.setPen(m_state.textColor);
    if (text.advances.empty()) {
        m_painter.drawText(QPointF(x, y), whole);
    } else {
        for (size_t i = 0; i < characters.size(); ++i) {
            m_painter.drawText(QPointF(x, y), characters[i].text);
            x += advances[i];
        }
    }
    m_painter.setTransform(QTransform());
    if ((align & TaUpdateCp) && (align & TaCenter) == 0) {
        bool invertible = false;
        QTransform back = device.inverted(&invertible);
        if (invertible)
            m_state.position = back.map(place.map(QPointF(x + (text.advances.empty() ? width : 0), 0)));
    }
}

}  // namespace qtui
