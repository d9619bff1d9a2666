#pragma once

// The inside of the rich text reader, shared by its source files: the control words it knows, the
// state that each group carries, and the reader itself.

#include "formats/Rtf.h"
#include "formats/RtfCodePages.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace formats::rtf {

enum class Destination {
    Text,
    FontTable,
    ColorTable,
    Skip,
    // The ANSI half of \upr, whose \*\ud half holds the same text in Unicode.
    UprAnsi,
};

enum class Word {
    Unknown,
    // document
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, DefaultTab, Bin, UnicodeSkip, Unicode,
    // destinations
    FontTable, ColorTable, Skipped, Upr, Ud,
    // tables
    Font, Charset, Red, Green, Blue,
    // characters
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Hidden, FontSize, ColorIndex,
    SingleByte, DoubleByte, AssociatedFont, AssociatedSize, AssociatedBold, AssociatedItalic,
    // paragraphs
    Pard, AlignLeft, AlignCenter, AlignRight, Justify, LeftIndent, RightIndent, FirstIndent, SpaceBefore,
    SpaceAfter, TabStop,
    // text
    Par, Line, Tab, Character,
};

struct WordInfo {
    Word word;
    char32_t character = 0;
};

// What a control word means; Word::Unknown for one the reader does not know.
WordInfo LookUpWord(std::string_view name);


struct GroupState {
    Destination destination = Destination::Text;
    // Where \*\ud inside an \upr group goes back to.
    Destination uprOuter = Destination::Text;
    bool starred = false;
    int font = -1;   // none: the default font
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int color = 0;
    // After \dbch, double-byte text takes the font, size, weight and slant that \af, \afs, \ab
    // and \ai give it there.
    bool doubleByte = false;
    int doubleByteFont = -1;
    int doubleByteHalfPoints = 0;
    bool doubleByteBold = false;
    bool doubleByteItalic = false;
    int unicodeSkip = 1;
    RtfParagraphFormat paragraph;
};

struct FontEntry {
    std::string name;   // UTF-8
    int charset = 1;
    bool named = false;   // its ";" was seen: later text is no part of the name
};

constexpr int MaxWordLength = 32;
constexpr int MaxHalfPoints = 3276;
constexpr int MaxUnicodeSkip = 255;

class Reader {
public:
    Reader(std::string_view bytes, const RtfOptions& options) : m_bytes(bytes), m_options(options) {}

    RtfReadResult Read();

private:
    void OpenGroup();
    void CloseGroup();
    void ReadControl();
    void ReadControlWord();
    void ReadControlSymbol(char symbol);
    void Dispatch(std::string_view name, bool hasParameter, int parameter);
    bool DispatchDestination(const WordInfo& info, int parameter, bool hasParameter);
    void DispatchFormat(const WordInfo& info, int parameter, bool hasParameter);

    // Text enters as bytes of the current code page or as Unicode characters.
    void TextByte(char byte);
    void TextCharacter(char32_t character);
    void FlushBytes();
    void Emit(std::string_view utf8);
    void EndParagraph();
    void TakeParagraphState();
    void FinishFontName();
    // Consumes one unit of the fallback that follows \u; true when the unit was swallowed.
    bool SwallowFallback();

    int CurrentCodePage() const;
    // The number of the font that text takes now.
    int TextFont() const;
    int AnsiCodePage() const { return m_ansiCodePage > 0 ? m_ansiCodePage : m_options.systemCodePage; }
    RtfCharFormat CurrentFormat() const;
    GroupState& State() { return m_stack.back(); }
    const GroupState& State() const { return m_stack.back(); }

    std::string_view m_bytes;
    const RtfOptions& m_options;
    size_t m_position = 0;
    std::vector<GroupState> m_stack;
    bool m_finished = false;
    std::string m_fault;
    bool m_unreadable = false;

    int m_ansiCodePage = 0;
    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    int m_fontEntry = -1;
    std::vector<std::optional<RtfColor>> m_colors;
    bool m_colorTableRead = false;
    RtfColor m_colorEntry;
    bool m_colorEntryGiven = false;
    int m_fallbackLeft = 0;
    char32_t m_highSurrogate = 0;

    std::string m_pending;
    int m_pendingCodePage = 0;
    CodePageDecoder m_decoder;

    RtfDocument m_document;
    RtfParagraph m_paragraph;
};

}  // namespace formats::rtf
