#include "formats/RtfReader.h"

#include <unordered_map>

namespace formats::rtf {

namespace {
const std::unordered_map<std::string_view, WordInfo>& Words()
{
    static const std::unordered_map<std::string_view, WordInfo> words = [] {
        std::unordered_map<std::string_view, WordInfo> table = {
            {"ansi", {Word::Ansi}}, {"mac", {Word::Mac}}, {"pc", {Word::Pc}}, {"pca", {Word::Pca}},
            {"ansicpg", {Word::AnsiCodePage}}, {"deff", {Word::DefaultFont}}, {"deftab", {Word::DefaultTab}},
            {"bin", {Word::Bin}}, {"uc", {Word::UnicodeSkip}}, {"u", {Word::Unicode}},
            {"fonttbl", {Word::FontTable}}, {"colortbl", {Word::ColorTable}}, {"upr", {Word::Upr}},
            {"ud", {Word::Ud}}, {"f", {Word::Font}}, {"fcharset", {Word::Charset}}, {"red", {Word::Red}},
            {"green", {Word::Green}}, {"blue", {Word::Blue}}, {"plain", {Word::Plain}}, {"b", {Word::Bold}},
            {"i", {Word::Italic}}, {"ulnone", {Word::UnderlineNone}}, {"strike", {Word::Strike}},
            {"striked", {Word::Strike}}, {"v", {Word::Hidden}}, {"fs", {Word::FontSize}},
            {"cf", {Word::ColorIndex}}, {"pard", {Word::Pard}}, {"ql", {Word::AlignLeft}},
            {"qc", {Word::AlignCenter}}, {"qr", {Word::AlignRight}}, {"qj", {Word::Justify}},
            {"qd", {Word::Justify}}, {"li", {Word::LeftIndent}}, {"ri", {Word::RightIndent}},
            {"fi", {Word::FirstIndent}}, {"sb", {Word::SpaceBefore}}, {"sa", {Word::SpaceAfter}},
            {"tx", {Word::TabStop}}, {"par", {Word::Par}}, {"sect", {Word::Par}}, {"page", {Word::Par}},
            {"row", {Word::Par}}, {"line", {Word::Line}}, {"lbr", {Word::Line}}, {"tab", {Word::Tab}},
            {"cell", {Word::Tab}}, {"nestcell", {Word::Tab}},
            {"emdash", {Word::Character, 0x2014}}, {"endash", {Word::Character, 0x2013}},
            {"emspace", {Word::Character, 0x2003}}, {"enspace", {Word::Character, 0x2002}},
            {"qmspace", {Word::Character, 0x2005}}, {"bullet", {Word::Character, 0x2022}},
            {"lquote", {Word::Character, 0x2018}}, {"rquote", {Word::Character, 0x2019}},
            {"ldblquote", {Word::Character, 0x201C}}, {"rdblquote", {Word::Character, 0x201D}},
            {"zwj", {Word::Character, 0x200D}}, {"zwnj", {Word::Character, 0x200C}},
            {"zwbo", {Word::Character, 0x200B}}, {"ltrmark", {Word::Character, 0x200E}},
            {"rtlmark", {Word::Character, 0x200F}}, {"loch", {Word::SingleByte}}, {"hich", {Word::SingleByte}},
            {"dbch", {Word::DoubleByte}}, {"af", {Word::AssociatedFont}}, {"afs", {Word::AssociatedSize}},
            {"ab", {Word::AssociatedBold}}, {"ai", {Word::AssociatedItalic}},
        };
        // Every underline kind shows as one underline.
        for (std::string_view underline :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
              "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"})
            table.emplace(underline, WordInfo{Word::Underline});
        // Destinations whose content is no text of the document: tables the reader does not use,
        // document information, pictures, objects, field instructions, headers, footers, notes,
        // bookmarks, index entries and drawing shapes.
        for (std::string_view skipped :
             {"stylesheet", "info", "pict", "object", "fldinst", "header", "headerl", "headerr", "headerf",
              "footer", "footerl", "footerr", "footerf", "footnote", "annotation", "xe", "tc", "txe", "rxe",
              "bkmkstart", "bkmkend", "shp", "shpinst", "shprslt", "nonshppict", "shppict", "filetbl", "listtable",
              "listoverridetable", "revtbl", "rsidtbl", "pn", "pnseclvl", "private", "template", "docvar",
              "userprops", "fchars", "lchars", "comment", "author", "operator", "title", "subject", "keywords",
              "doccomm", "company", "hlinkbase", "category", "manager", "buptim", "creatim", "printim", "revtim",
              "objdata", "objclass", "generator", "themedata", "colorschememapping", "latentstyles", "datastore",
              "xmlnstbl", "mmathPr", "pgdsctbl", "falt", "panose", "do", "atnid", "atnauthor", "atndate", "atnref",
              "atrfstart", "atrfend", "datafield", "formfield", "background", "blipuid"})
            table.emplace(skipped, WordInfo{Word::Skipped});
        return table;
    }();
    return words;
}
}  // namespace

WordInfo LookUpWord(std::string_view name)
{
    const auto& words = Words();
    auto it = words.find(name);
    return it == words.end() ? WordInfo{Word::Unknown} : it->second;
}

}  // namespace formats::rtf
