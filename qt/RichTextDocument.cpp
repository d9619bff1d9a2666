#include "qt/RichTextDocument.h"

#include "qt/Convert.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace qtui {

namespace {

Qt::Alignment ToQtAlignment(tk::TParagraphAlignment alignment)
{
    switch (alignment) {
    case tk::TParagraphAlignment::Center: return Qt::AlignHCenter;
    case tk::TParagraphAlignment::Right: return Qt::AlignRight;
    case tk::TParagraphAlignment::Justify: return Qt::AlignJustify;
    case tk::TParagraphAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat BlockFormat(const tk::TParagraph& paragraph)
{
    QTextBlockFormat format;
    format.setAlignment(ToQtAlignment(paragraph.alignment));
    format.setLeftMargin(TwipsToPixels(paragraph.leftIndent));
    format.setRightMargin(TwipsToPixels(paragraph.rightIndent));
    format.setTextIndent(TwipsToPixels(paragraph.firstIndent));
    format.setTopMargin(TwipsToPixels(paragraph.spaceBefore));
    format.setBottomMargin(TwipsToPixels(paragraph.spaceAfter));
    QList<QTextOption::Tab> tabs;
    for (int stop : paragraph.tabStops)
        tabs.append(QTextOption::Tab(TwipsToPixels(stop), QTextOption::LeftTab));
    format.setTabPositions(tabs);
    return format;
}

// A face of a Japanese character set falls back on the desktop's Japanese gothic, so that its
// text never shows in a face without the glyphs.
QTextCharFormat CharFormat(const tk::TCharFormat& run, const tk::TFont& defaults)
{
    QTextCharFormat format;
    QString family = MapFontFamily(ToQString(run.name.empty() ? defaults.Name() : run.name));
    QStringList families{family};
    if (run.charset == tk::TFontCharset::ShiftJisCharset || defaults.Charset() == tk::TFontCharset::ShiftJisCharset)
        families.append(MapFontFamily(ToQString(tk::DefaultFontName())));
    format.setFontFamilies(families);
    format.setProperty(QTextFormat::FontPixelSize,
                       run.halfPoints > 0 ? HalfPointsToPixels(run.halfPoints) : std::max(defaults.PixelHeight(), 1));
    tk::TFontStyles style = run.style;
    format.setFontWeight(style & tk::fsBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(style & tk::fsItalic);
    format.setFontUnderline(style & tk::fsUnderline);
    format.setFontStrikeOut(style & tk::fsStrikeOut);
    format.setForeground(ToQColor(run.color.value_or(defaults.Color())));
    return format;
}

// A line break inside a paragraph is Unicode's line separator to Qt.
QString RunText(const std::string& cp932)
{
    QString text = ToQString(cp932);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

}  // namespace

int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

int HalfPointsToPixels(int halfPoints)
{
    return std::max(1, static_cast<int>(std::lround(halfPoints * 2 / 3.0)));
}

void FillDocument(QTextDocument& target, const tk::TRichDocument& document, const tk::TFont& defaults)
{
    bool undo = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
    target.clear();
    QTextOption option = target.defaultTextOption();
    option.setTabStopDistance(TwipsToPixels(document.defaultTab));
    target.setDefaultTextOption(option);
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    for (size_t index = 0; index < document.paragraphs.size(); ++index) {
        const tk::TParagraph& paragraph = document.paragraphs[index];
        // An empty paragraph is as high as the text it would hold.
        QTextCharFormat mark = CharFormat(paragraph.runs.empty() ? tk::TCharFormat{} : paragraph.runs[0].format, defaults);
        if (index == 0) {
            cursor.setBlockFormat(BlockFormat(paragraph));
            cursor.setBlockCharFormat(mark);
        } else {
            cursor.insertBlock(BlockFormat(paragraph), mark);
        }
        for (const tk::TTextRun& run : paragraph.runs)
            cursor.insertText(RunText(run.text), CharFormat(run.format, defaults));
    }
    cursor.endEditBlock();
    target.setUndoRedoEnabled(undo);
}

}  // namespace qtui
