#include "host/HostTextFiles.h"

#include "formats/Rtf.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/Host.h"
#include "platform/SystemErrors.h"
#include "platform/TextEncoding.h"
#include "toolkit/ErrorTexts.h"
#include "toolkit/Exception.h"

namespace orvane {

namespace {

[[noreturn]] void CannotOpen(const std::string& dosPath, const std::string& reason)
{
    throw tk::EInOutError(tk::CannotOpenFileText(dosPath, reason));
}

std::string ReadFileBytes(const platform::DriveMap& drives, const std::string& dosPath)
{
    if (auto content = platform::ReadWholeFile(drives, dosPath))
        return std::move(*content);
    std::string reason = platform::OpenFailureReason(drives, dosPath);
    // It opens now: it failed as it was read.
    CannotOpen(dosPath, reason.empty() ? "ファイルを読み込めません" : reason);
}

tk::TFontCharset Charset(int rtfCharset)
{
    switch (rtfCharset) {
    case 0: return tk::TFontCharset::AnsiCharset;
    case 128: return tk::TFontCharset::ShiftJisCharset;
    default: return tk::TFontCharset::DefaultCharset;
    }
}

tk::TParagraphAlignment Alignment(formats::RtfAlignment alignment)
{
    switch (alignment) {
    case formats::RtfAlignment::Center: return tk::TParagraphAlignment::Center;
    case formats::RtfAlignment::Right: return tk::TParagraphAlignment::Right;
    case formats::RtfAlignment::Justify: return tk::TParagraphAlignment::Justify;
    case formats::RtfAlignment::Left: break;
    }
    return tk::TParagraphAlignment::Left;
}

tk::TCharFormat CharFormat(const formats::RtfCharFormat& rtf)
{
    tk::TCharFormat format;
    format.name = platform::Utf8ToCp932(rtf.font);
    format.charset = Charset(rtf.charset);
    format.halfPoints = rtf.halfPoints;
    const std::pair<bool, tk::TFontStyles> styles[] = {
        {rtf.bold, tk::fsBold}, {rtf.italic, tk::fsItalic}, {rtf.underline, tk::fsUnderline}, {rtf.strike, tk::fsStrikeOut}};
    for (const auto& [on, style] : styles)
        if (on)
            format.style |= style;
    if (rtf.color)
        format.color = tk::TColor::Rgb(rtf.color->red, rtf.color->green, rtf.color->blue);
    return format;
}

// The reader's document, its texts taken from UTF-8 into the program's code page.
std::shared_ptr<tk::TRichDocument> RichDocument(const formats::RtfDocument& rtf)
{
    auto document = std::make_shared<tk::TRichDocument>();
    document->defaultTab = rtf.defaultTab;
    document->paragraphs.reserve(rtf.paragraphs.size());
    for (const formats::RtfParagraph& source : rtf.paragraphs) {
        tk::TParagraph paragraph;
        paragraph.alignment = Alignment(source.alignment);
        paragraph.leftIndent = source.leftIndent;
        paragraph.rightIndent = source.rightIndent;
        paragraph.firstIndent = source.firstIndent;
        paragraph.spaceBefore = source.spaceBefore;
        paragraph.spaceAfter = source.spaceAfter;
        paragraph.tabStops = source.tabStops;
        for (const formats::RtfRun& run : source.runs)
            paragraph.runs.push_back({platform::Utf8ToCp932(run.text), CharFormat(run.format)});
        document->paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

}  // namespace

// A file that starts like rich text but cannot be read as such (its groups nest too deep) is
// shown as plain text, as the original control did with what its reader refused.
tk::TRichContent HostTextFiles::ReadTextFile(const std::string& dosPath, tk::TTextFormat format)
{
    std::string bytes = ReadFileBytes(m_host.Drives(), dosPath);
    if (bytes.size() > tk::TTextBuffer::MaxSize)
        CannotOpen(dosPath, "ファイルが 4 GB を超えています");
    if (format == tk::TTextFormat::RichOrPlain && formats::IsRtf(bytes)) {
        formats::RtfReadResult rtf = formats::ReadRtf(bytes);
        if (rtf.document) {
            auto document = RichDocument(*rtf.document);
            return {std::make_shared<tk::TTextBuffer>(document->PlainText()), document};
        }
    }
    return {std::make_shared<tk::TTextBuffer>(platform::DecodeTextFile(std::move(bytes))), nullptr};
}

}  // namespace orvane
