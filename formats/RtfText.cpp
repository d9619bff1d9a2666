// The text side of the rich text reader: bytes and characters into the destination of the group
// that holds them, runs of one format, paragraphs, and the names of fonts.

#include "formats/RtfReader.h"

namespace formats::rtf {

int Reader::CurrentCodePage() const
{
    int charset = 1;
    if (State().destination == Destination::FontTable) {
        auto it = m_fonts.find(m_fontEntry);
        if (it != m_fonts.end())
            charset = it->second.charset;
    } else {
        auto it = m_fonts.find(TextFont());
        if (it != m_fonts.end())
            charset = it->second.charset;
    }
    int codePage = CodePageOfCharset(charset);
    return codePage ? codePage : AnsiCodePage();
}

void Reader::TextByte(char byte)
{
    if (m_stack.empty())
        return;
    Destination destination = State().destination;
    if (destination == Destination::ColorTable) {
        if (byte == ';') {
            m_colors.push_back(m_colorEntryGiven ? std::optional<RtfColor>(m_colorEntry) : std::nullopt);
            m_colorEntry = RtfColor{};
            m_colorEntryGiven = false;
        }
        return;
    }
    if (destination == Destination::FontTable && byte == ';') {
        FinishFontName();
        return;
    }
    if (destination != Destination::Text && destination != Destination::FontTable)
        return;
    int codePage = CurrentCodePage();
    if (!m_pending.empty() && codePage != m_pendingCodePage)
        FlushBytes();
    m_pendingCodePage = codePage;
    m_pending += byte;
}

// A character given by its number: \u, or a word that stands for one.
void Reader::TextCharacter(char32_t character)
{
    FlushBytes();
    std::string utf8;
    if (character >= 0xD800 && character <= 0xDBFF) {
        if (m_highSurrogate)
            AppendUtf8(utf8, 0xFFFD);
        m_highSurrogate = character;
        Emit(utf8);
        return;
    }
    if (character >= 0xDC00 && character <= 0xDFFF) {
        AppendUtf8(utf8, m_highSurrogate ? 0x10000 + ((m_highSurrogate - 0xD800) << 10) + (character - 0xDC00) : 0xFFFD);
        m_highSurrogate = 0;
        Emit(utf8);
        return;
    }
    if (m_highSurrogate)
        AppendUtf8(utf8, 0xFFFD);
    m_highSurrogate = 0;
    AppendUtf8(utf8, character);
    Emit(utf8);
}

void Reader::FlushBytes()
{
    if (m_pending.empty())
        return;
    std::string utf8;
    if (m_highSurrogate) {
        AppendUtf8(utf8, 0xFFFD);
        m_highSurrogate = 0;
    }
    m_decoder.Decode(m_pendingCodePage, m_pending, utf8);
    m_pending.clear();
    Emit(utf8);
}

void Reader::Emit(std::string_view utf8)
{
    if (utf8.empty() || m_stack.empty())
        return;
    const GroupState& state = State();
    if (state.destination == Destination::FontTable) {
        auto it = m_fonts.find(m_fontEntry);
        if (it != m_fonts.end() && !it->second.named)
            it->second.name += utf8;
        return;
    }
    if (state.destination != Destination::Text || state.hidden)
        return;
    RtfCharFormat format = CurrentFormat();
    if (m_paragraph.runs.empty() || !(m_paragraph.runs.back().format == format))
        m_paragraph.runs.push_back(RtfRun{std::string(), std::move(format)});
    m_paragraph.runs.back().text += utf8;
    TakeParagraphState();
}

// A paragraph takes the properties in force at its end, or at its last text when the document
// ends without closing it.
void Reader::TakeParagraphState()
{
    static_cast<RtfParagraphFormat&>(m_paragraph) = State().paragraph;
}

void Reader::EndParagraph()
{
    TakeParagraphState();
    m_document.paragraphs.push_back(std::move(m_paragraph));
    m_paragraph = RtfParagraph{};
}

void Reader::FinishFontName()
{
    FlushBytes();
    auto it = m_fonts.find(m_fontEntry);
    if (it == m_fonts.end() || it->second.named)
        return;
    FontEntry& font = it->second;
    font.named = true;
    size_t first = font.name.find_first_not_of(' ');
    size_t last = font.name.find_last_not_of(' ');
    font.name = first == std::string::npos ? std::string() : font.name.substr(first, last - first + 1);
}

int Reader::TextFont() const
{
    const GroupState& state = State();
    if (state.doubleByte && state.doubleByteFont >= 0)
        return state.doubleByteFont;
    return state.font >= 0 ? state.font : m_defaultFont;
}

RtfCharFormat Reader::CurrentFormat() const
{
    const GroupState& state = State();
    RtfCharFormat format;
    auto font = m_fonts.find(TextFont());
    if (font != m_fonts.end()) {
        format.font = font->second.name;
        format.charset = font->second.charset;
    }
    format.halfPoints = state.doubleByte && state.doubleByteHalfPoints > 0 ? state.doubleByteHalfPoints : state.halfPoints;
    format.bold = state.bold || (state.doubleByte && state.doubleByteBold);
    format.italic = state.italic || (state.doubleByte && state.doubleByteItalic);
    format.underline = state.underline;
    format.strike = state.strike;
    if (state.color > 0 && static_cast<size_t>(state.color) < m_colors.size())
        format.color = m_colors[state.color];
    return format;
}

}  // namespace formats::rtf
