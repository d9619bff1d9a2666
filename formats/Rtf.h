#pragma once

// Rich text (RTF) as word processors of every age write it, read into paragraphs of formatted
// runs. The reader keeps what a viewer shows (text, fonts, sizes, bold, italic, underline,
// strike-out, colours, alignment, indents and tab stops) and skips the rest: pictures, objects,
// field instructions, headers, style sheets and every destination it does not know.
//
// Texts come out in UTF-8, whatever code pages the document mixed: the ANSI code page it names,
// the character sets of its fonts (128 is Shift-JIS) and \u escapes. Callers convert at their
// edge.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

struct RtfColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const RtfColor&) const = default;
};

struct RtfCharFormat {
    std::string font;          // face name, UTF-8; empty when the document names none
    int charset = 1;           // \fcharset of that font (1: default, 128: Shift-JIS)
    int halfPoints = 24;       // \fs: size in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<RtfColor> color;   // none: the automatic colour, the viewer's text colour
    bool operator==(const RtfCharFormat&) const = default;
};

enum class RtfAlignment { Left, Center, Right, Justify };

struct RtfRun {
    // UTF-8. A tab is "\t"; a line break inside the paragraph (\line) is "\n".
    std::string text;
    RtfCharFormat format;
};

// What \pard resets: a paragraph's alignment, indents, spacing and tab stops.
struct RtfParagraphFormat {
    RtfAlignment alignment = RtfAlignment::Left;
    // Indents and spacing in twips (1/1440 inch).
    int leftIndent = 0;
    int rightIndent = 0;
    int firstIndent = 0;   // of the first line, relative to the left indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> tabStops;   // twips from the left margin, as written
};

struct RtfParagraph : RtfParagraphFormat {
    std::vector<RtfRun> runs;
};

struct RtfDocument {
    int defaultTab = 720;   // \deftab, twips
    std::vector<RtfParagraph> paragraphs;
};

struct RtfReadResult {
    // None when the bytes are not rich text or cannot be read as such.
    std::optional<RtfDocument> document;
    // Why there is no document; or, beside one, what was damaged (it then holds what could be
    // read before or around the damage). Empty for a sound document.
    std::string fault;
};

// Whether the bytes are rich text: they start with "{\rtf".
bool IsRtf(std::string_view bytes);

struct RtfOptions {
    // The code page of text that neither the document nor its font names one for: the ANSI code
    // page of the desktop the document was written on.
    int systemCodePage = 932;
    // Groups nested deeper than this make the document unreadable.
    int maxDepth = 1000;
};

RtfReadResult ReadRtf(std::string_view bytes, const RtfOptions& options = {});

}  // namespace formats
