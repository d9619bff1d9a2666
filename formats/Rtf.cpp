#include "formats/RtfReader.h"

#include "formats/Unicode.h"

#include <algorithm>
#include <climits>

namespace formats {

namespace rtf {

namespace {
bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

RtfReadResult Reader::Read()
{
    if (!IsRtf(m_bytes))
        return {std::nullopt, "the file is not rich text: it does not start with {\\rtf"};
    while (m_position < m_bytes.size() && !m_finished && !m_unreadable) {
        char c = m_bytes[m_position++];
        switch (c) {
        case '{': OpenGroup(); break;
        case '}': CloseGroup(); break;
        case '\\': ReadControl(); break;
        case '\r':
        case '\n': break;
        case '\t':
            if (!SwallowFallback())
                Dispatch("tab", false, 0);
            break;
        case '\0': break;
        default:
            if (!SwallowFallback())
                TextByte(c);
            break;
        }
    }
    if (m_unreadable)
        return {std::nullopt, m_fault};
    if (!m_finished && !m_stack.empty()) {
        m_fault = "the file ends inside " + std::to_string(m_stack.size()) + " open group" +
                  (m_stack.size() == 1 ? "" : "s");
        while (!m_stack.empty())
            CloseGroup();
    } else {
        size_t rest = m_bytes.find_first_not_of(" \t\r\n", m_position);
        if (rest != std::string_view::npos && m_bytes[rest] != '\0')
            m_fault = "text after the end of the document was left out";
    }
    if (!m_paragraph.runs.empty())
        m_document.paragraphs.push_back(std::move(m_paragraph));
    return {std::move(m_document), m_fault};
}

void Reader::OpenGroup()
{
    m_fallbackLeft = 0;
    FlushBytes();
    if (static_cast<int>(m_stack.size()) >= m_options.maxDepth) {
        m_unreadable = true;
        m_fault = "groups are nested deeper than " + std::to_string(m_options.maxDepth) + " levels";
        return;
    }
    if (m_stack.empty())
        m_stack.emplace_back();
    else
        m_stack.push_back(State());
    State().starred = false;
}

void Reader::CloseGroup()
{
    m_fallbackLeft = 0;
    FlushBytes();
    if (m_highSurrogate) {
        // A high surrogate whose low half never came.
        std::string replacement;
        AppendUtf8(replacement, 0xFFFD);
        m_highSurrogate = 0;
        Emit(replacement);
    }
    Destination closing = State().destination;
    m_stack.pop_back();
    if (m_stack.empty()) {
        m_finished = true;
        return;
    }
    if (closing == Destination::FontTable)
        FinishFontName();
    if (closing == Destination::ColorTable && State().destination != Destination::ColorTable)
        m_colorTableRead = true;
}

void Reader::ReadControl()
{
    if (m_position >= m_bytes.size())
        return;
    char c = m_bytes[m_position];
    if (IsLetter(c)) {
        ReadControlWord();
        return;
    }
    ++m_position;
    ReadControlSymbol(c);
}

// A word of letters, an optional signed number (kept within the range of int), and one blank that
// belongs to it.
void Reader::ReadControlWord()
{
    size_t start = m_position;
    while (m_position < m_bytes.size() && IsLetter(m_bytes[m_position]))
        ++m_position;
    std::string_view name = m_bytes.substr(start, std::min<size_t>(m_position - start, MaxWordLength));
    bool negative = false;
    if (m_position + 1 < m_bytes.size() && m_bytes[m_position] == '-' && IsDigit(m_bytes[m_position + 1])) {
        negative = true;
        ++m_position;
    }
    bool hasParameter = false;
    long long value = 0;
    while (m_position < m_bytes.size() && IsDigit(m_bytes[m_position])) {
        hasParameter = true;
        value = std::min<long long>(value * 10 + (m_bytes[m_position] - '0'), 1LL << 32);
        ++m_position;
    }
    if (m_position < m_bytes.size() && m_bytes[m_position] == ' ')
        ++m_position;
    value = negative ? -value : value;
    int parameter = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));

    if (name == "bin" && hasParameter) {
        // Binary data: its bytes are no RTF and may hold braces.
        m_position += std::min<size_t>(std::max(parameter, 0), m_bytes.size() - m_position);
        return;
    }
    if (SwallowFallback())
        return;
    Dispatch(name, hasParameter, parameter);
}

void Reader::ReadControlSymbol(char symbol)
{
    if (symbol == '\'') {
        int high = m_position < m_bytes.size() ? HexDigitValue(m_bytes[m_position]) : -1;
        int low = m_position + 1 < m_bytes.size() ? HexDigitValue(m_bytes[m_position + 1]) : -1;
        if (high < 0 || low < 0) {
            // A broken escape: its valid digits go with it, the rest is read as text.
            m_position += high < 0 ? 0 : 1;
            return;
        }
        m_position += 2;
        if (!SwallowFallback())
            TextByte(static_cast<char>(high * 16 + low));
        return;
    }
    if (symbol == '*') {
        FlushBytes();
        if (!m_stack.empty())
            State().starred = true;
        return;
    }
    if (SwallowFallback())
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}': TextByte(symbol); break;
    case '~': TextCharacter(0x00A0); break;
    case '_': TextCharacter(0x2011); break;
    case '\r':
    case '\n': Dispatch("par", false, 0); break;
    case '\t': Dispatch("tab", false, 0); break;
    default: break;   // \- optional hyphen, \| and \: of formulas and index entries, unknown symbols
    }
}

bool Reader::SwallowFallback()
{
    if (m_fallbackLeft <= 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void Reader::Dispatch(std::string_view name, bool hasParameter, int parameter)
{
    if (m_stack.empty())
        return;
    FlushBytes();
    WordInfo info = LookUpWord(name);
    GroupState& state = State();
    bool starred = state.starred;
    state.starred = false;

    if (state.destination == Destination::Skip)
        return;
    if (state.destination == Destination::UprAnsi) {
        if (starred && info.word == Word::Ud)
            state.destination = state.uprOuter;
        return;
    }
    // An unknown destination marked with \* is skipped whole.
    if (starred && info.word != Word::Ud) {
        state.destination = Destination::Skip;
        return;
    }
    if (DispatchDestination(info, parameter, hasParameter))
        return;
    if (state.destination == Destination::Text)
        DispatchFormat(info, parameter, hasParameter);
}

// Words that change where text goes or fill the tables; true when the word was one of them.
bool Reader::DispatchDestination(const WordInfo& info, int parameter, bool hasParameter)
{
    GroupState& state = State();
    switch (info.word) {
    case Word::Skipped: state.destination = Destination::Skip; return true;
    case Word::FontTable: state.destination = Destination::FontTable; return true;
    case Word::ColorTable:
        state.destination = m_colorTableRead ? Destination::Skip : Destination::ColorTable;
        return true;
    case Word::Upr:
        state.uprOuter = state.destination;
        state.destination = Destination::UprAnsi;
        return true;
    case Word::Ud: return true;
    case Word::Ansi: return true;
    case Word::Mac: m_ansiCodePage = m_ansiCodePage ? m_ansiCodePage : 10000; return true;
    case Word::Pc: m_ansiCodePage = m_ansiCodePage ? m_ansiCodePage : 437; return true;
    case Word::Pca: m_ansiCodePage = m_ansiCodePage ? m_ansiCodePage : 850; return true;
    case Word::AnsiCodePage:
        if (parameter > 0)
            m_ansiCodePage = parameter;
        return true;
    case Word::DefaultFont: m_defaultFont = parameter; return true;
    case Word::DefaultTab:
        if (parameter > 0)
            m_document.defaultTab = parameter;
        return true;
    case Word::UnicodeSkip: state.unicodeSkip = std::clamp(parameter, 0, MaxUnicodeSkip); return true;
    case Word::Unicode:
        if (hasParameter) {
            TextCharacter(parameter < 0 ? char32_t(parameter + 65536) : char32_t(parameter));
            m_fallbackLeft = state.unicodeSkip;
        }
        return true;
    default: break;
    }
    if (state.destination == Destination::FontTable) {
        if (info.word == Word::Font) {
            FinishFontName();
            m_fontEntry = parameter;
            m_fonts[parameter] = FontEntry{};
        } else if (info.word == Word::Charset && m_fonts.count(m_fontEntry)) {
            m_fonts[m_fontEntry].charset = parameter;
        }
        return true;
    }
    if (state.destination == Destination::ColorTable) {
        int component = std::clamp(parameter, 0, 255);
        if (info.word == Word::Red)
            m_colorEntry.red = static_cast<uint8_t>(component);
        else if (info.word == Word::Green)
            m_colorEntry.green = static_cast<uint8_t>(component);
        else if (info.word == Word::Blue)
            m_colorEntry.blue = static_cast<uint8_t>(component);
        else
            return true;
        m_colorEntryGiven = true;
        return true;
    }
    return false;
}

void Reader::DispatchFormat(const WordInfo& info, int parameter, bool hasParameter)
{
    GroupState& state = State();
    RtfParagraphFormat& paragraph = state.paragraph;
    bool on = !hasParameter || parameter != 0;
    switch (info.word) {
    case Word::Font: state.font = parameter; break;
    case Word::Plain:
        state.font = -1;
        state.halfPoints = 24;
        state.bold = state.italic = state.underline = state.strike = state.hidden = false;
        state.color = 0;
        state.doubleByte = false;
        state.doubleByteFont = -1;
        state.doubleByteHalfPoints = 0;
        state.doubleByteBold = state.doubleByteItalic = false;
        break;
    case Word::SingleByte: state.doubleByte = false; break;
    case Word::DoubleByte: state.doubleByte = true; break;
    case Word::AssociatedFont:
        if (state.doubleByte)
            state.doubleByteFont = parameter;
        break;
    case Word::AssociatedSize:
        if (state.doubleByte && parameter > 0)
            state.doubleByteHalfPoints = std::min(parameter, MaxHalfPoints);
        break;
    case Word::AssociatedBold:
        if (state.doubleByte)
            state.doubleByteBold = on;
        break;
    case Word::AssociatedItalic:
        if (state.doubleByte)
            state.doubleByteItalic = on;
        break;
    case Word::Bold: state.bold = on; break;
    case Word::Italic: state.italic = on; break;
    case Word::Underline: state.underline = on; break;
    case Word::UnderlineNone: state.underline = false; break;
    case Word::Strike: state.strike = on; break;
    case Word::Hidden: state.hidden = on; break;
    case Word::FontSize: state.halfPoints = parameter > 0 ? std::min(parameter, MaxHalfPoints) : 24; break;
    case Word::ColorIndex: state.color = parameter; break;
    case Word::Pard: paragraph = RtfParagraphFormat{}; break;
    case Word::AlignLeft: paragraph.alignment = RtfAlignment::Left; break;
    case Word::AlignCenter: paragraph.alignment = RtfAlignment::Center; break;
    case Word::AlignRight: paragraph.alignment = RtfAlignment::Right; break;
    case Word::Justify: paragraph.alignment = RtfAlignment::Justify; break;
    case Word::LeftIndent: paragraph.leftIndent = parameter; break;
    case Word::RightIndent: paragraph.rightIndent = parameter; break;
    case Word::FirstIndent: paragraph.firstIndent = parameter; break;
    case Word::SpaceBefore: paragraph.spaceBefore = parameter; break;
    case Word::SpaceAfter: paragraph.spaceAfter = parameter; break;
    case Word::TabStop:
        if (paragraph.tabStops.size() < 256)
            paragraph.tabStops.push_back(parameter);
        break;
    case Word::Par: EndParagraph(); break;
    case Word::Line: TextCharacter('\n'); break;
    case Word::Tab: TextCharacter('\t'); break;
    case Word::Character: TextCharacter(info.character); break;
    default: break;
    }
}

}  // namespace rtf

bool IsRtf(std::string_view bytes)
{
    return bytes.substr(0, 5) == "{\\rtf";
}

RtfReadResult ReadRtf(std::string_view bytes, const RtfOptions& options)
{
    return rtf::Reader(bytes, options).Read();
}

}  // namespace formats
