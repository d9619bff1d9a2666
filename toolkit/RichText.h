#pragma once

// What a rich edit holds: its text as lines in one buffer, and for rich text the formatted
// document that the lines were made from. Texts are code page 932.

#include "toolkit/Color.h"
#include "toolkit/Font.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

enum class TParagraphAlignment { Left, Center, Right, Justify };

struct TCharFormat {
    std::string name;   // the face; empty: the rich edit's default attributes give it
    TFontCharset charset = TFontCharset::DefaultCharset;
    int halfPoints = 0;   // size in half points; 0: the default attributes give it
    TFontStyles style = 0;
    std::optional<TColor> color;   // none: the colour of the default attributes
    bool operator==(const TCharFormat&) const = default;
};

struct TTextRun {
    // A tab is "\t"; a line break inside the paragraph is "\n".
    std::string text;
    TCharFormat format;
};

struct TParagraph {
    TParagraphAlignment alignment = TParagraphAlignment::Left;
    // Indents and spacing in twips (1/1440 inch); the first line's indent is relative to the left.
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> tabStops;
    std::vector<TTextRun> runs;
};

struct TRichDocument {
    int defaultTab = 720;   // twips
    std::vector<TParagraph> paragraphs;

    // The document's text as lines: paragraphs and line breaks end lines with CR LF.
    std::string PlainText() const;
};

// A text and the offsets at which its lines start. Lines end at CR LF, LF or CR; a line break at
// the very end opens no further line, so "a\r\n" has one line and "" none. Offsets are 32 bits
// wide, which holds a text of up to 4 GiB.
class TTextBuffer {
public:
    static constexpr size_t MaxSize = UINT32_MAX;

    TTextBuffer() = default;
    explicit TTextBuffer(std::string text);

    const std::string& Text() const { return m_text; }
    int Count() const { return static_cast<int>(m_starts.size()); }
    // The line without its line break; empty beyond the last line.
    std::string_view Line(int index) const;
    // The line with the most bytes, or -1 when there is none.
    int LongestLine() const { return m_longest; }
    // Adds a line at the end, after a line break when the text does not end in one. A line that
    // holds line breaks adds several.
    void Append(std::string_view line);

private:
    void IndexFrom(size_t offset);
    size_t LineEnd(int index) const;

    std::string m_text;
    std::vector<uint32_t> m_starts;
    int m_longest = -1;
};

// What a rich edit shows: its lines and, for rich text, the document they come from.
struct TRichContent {
    std::shared_ptr<const TTextBuffer> lines;
    std::shared_ptr<const TRichDocument> document;   // none for plain text
};

}  // namespace tk
