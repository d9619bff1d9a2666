// The rich text reader: structure and formatting, destinations it skips, code pages and Unicode,
// damaged files, and documents written by other programs. This file is UTF-8 and so are the
// reader's texts.

#include "formats/Rtf.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace formats;

namespace {

RtfDocument Read(const std::string& rtf)
{
    RtfReadResult result = ReadRtf(rtf);
    EXPECT_TRUE(result.document.has_value()) << result.fault;
    EXPECT_EQ(result.fault, "");
    return result.document.value_or(RtfDocument{});
}

std::string ParagraphText(const RtfParagraph& paragraph)
{
    std::string text;
    for (const RtfRun& run : paragraph.runs)
        text += run.text;
    return text;
}

// The paragraphs' texts joined by "|".
std::string Text(const RtfDocument& document)
{
    std::string text;
    for (size_t i = 0; i < document.paragraphs.size(); ++i)
        text += (i ? "|" : "") + ParagraphText(document.paragraphs[i]);
    return text;
}

// The run that holds the text.
const RtfRun* RunWith(const RtfDocument& document, const std::string& text)
{
    for (const RtfParagraph& paragraph : document.paragraphs)
        for (const RtfRun& run : paragraph.runs)
            if (run.text.find(text) != std::string::npos)
                return &run;
    return nullptr;
}

std::string Sample(const std::string& name)
{
    std::ifstream file(std::string(ORVANE_TEST_DATA) + "/rtf/" + name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace

TEST(RtfStructure, CharacterFormattingIsScopedByGroups)
{
    RtfDocument document =
        Read("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
             "plain {\\b bold {\\i both}} {\\ul under}{\\strike gone}\\b heavy\\b0 light {\\f1\\fs36 big}\\plain reset}");
    ASSERT_NE(RunWith(document, "plain"), nullptr);
    EXPECT_EQ(RunWith(document, "plain")->format.font, "Arial") << "the default font is font 0";
    EXPECT_FALSE(RunWith(document, "bold")->format.italic);
    EXPECT_TRUE(RunWith(document, "both")->format.bold && RunWith(document, "both")->format.italic);
    EXPECT_TRUE(RunWith(document, "under")->format.underline);
    EXPECT_TRUE(RunWith(document, "gone")->format.strike);
    EXPECT_TRUE(RunWith(document, "heavy")->format.bold);
    EXPECT_FALSE(RunWith(document, "light")->format.bold);
    EXPECT_EQ(RunWith(document, "big")->format.font, "Times New Roman");
    EXPECT_EQ(RunWith(document, "big")->format.halfPoints, 36);
    EXPECT_EQ(RunWith(document, "reset")->format, RunWith(document, "plain")->format);
}

TEST(RtfStructure, ColoursComeFromTheTableAndIndexZeroIsAutomatic)
{
    RtfDocument document = Read("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
                                "{\\cf1 red}{\\cf2 navy}{\\cf0 auto}{\\cf9 beyond}}");
    EXPECT_EQ(RunWith(document, "red")->format.color, (RtfColor{255, 0, 0}));
    EXPECT_EQ(RunWith(document, "navy")->format.color, (RtfColor{0, 0, 128}));
    EXPECT_FALSE(RunWith(document, "auto")->format.color.has_value());
    EXPECT_FALSE(RunWith(document, "beyond")->format.color.has_value());
}

TEST(RtfStructure, ParagraphPropertiesAlignmentIndentsAndTabStops)
{
    RtfDocument document = Read("{\\rtf1\\deftab360 \\qc centred\\par\\qr right\\par\\pard\\qj\\li720\\fi-360\\sa120"
                                "\\tx1440\\tqr\\tx2880 justified\\par\\pard left {\\qc grouped}\\par}");
    ASSERT_EQ(document.paragraphs.size(), 4u);
    EXPECT_EQ(document.defaultTab, 360);
    EXPECT_EQ(document.paragraphs[0].alignment, RtfAlignment::Center);
    EXPECT_EQ(document.paragraphs[1].alignment, RtfAlignment::Right);
    const RtfParagraph& justified = document.paragraphs[2];
    EXPECT_EQ(justified.alignment, RtfAlignment::Justify);
    EXPECT_EQ(justified.leftIndent, 720);
    EXPECT_EQ(justified.firstIndent, -360);
    EXPECT_EQ(justified.spaceAfter, 120);
    EXPECT_EQ(justified.tabStops, (std::vector<int>{1440, 2880}));
    EXPECT_EQ(document.paragraphs[3].alignment, RtfAlignment::Left)
        << "the paragraph ends after the group: its properties are those in force at \\par";
}

TEST(RtfDestinations, FieldsKeepTheirResultAndHiddenTextIsDropped)
{
    RtfDocument document = Read("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"http://example.com/\"}"
                                "{\\fldrslt {\\ul link}}} and {\\fldinst PAGE}{\\v hidden}shown\\v0 .}");
    EXPECT_EQ(Text(document), "see link and shown.");
    EXPECT_TRUE(RunWith(document, "link")->format.underline);
}

TEST(RtfCodePages, DoubleByteEscapesInCodePage932)
{
    // WordPad on a Japanese desktop: the code page of the document and a Shift-JIS font.
    RtfDocument document = Read(
        "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72 "
        "\\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}}\\f0\\fs20 \\'82\\'a0\\'82\\'a2 "
        "\\'95\\\\\\'8e\\'a6 \\'83\\'5c\\'83\\'74\\'83\\'67 \\'b1\\'b2\\par}");
    EXPECT_EQ(Text(document), "あい 表示 ソフト ｱｲ") << "a trail byte 0x5C may come as \\\\ or as \\'5c";
    EXPECT_EQ(document.paragraphs[0].runs[0].format.font, "ＭＳ Ｐゴシック");
    EXPECT_EQ(document.paragraphs[0].runs[0].format.charset, 128);
}

// Each case: the document, the paragraphs' texts it gives (joined by "|"), and why.
struct TextCase {
    const char* rtf;
    const char* text;
    const char* why;
};

void ExpectTexts(std::initializer_list<TextCase> cases)
{
    for (const TextCase& each : cases)
        EXPECT_EQ(Text(Read(each.rtf)), each.text) << each.why << ": " << each.rtf;
}

TEST(RtfText, ParagraphsLinesAndTabs)
{
    ExpectTexts({
        {"{\\rtf1\\ansi one\\par two\\line half\\tab tabbed\\par\nthree}", "one|two\nhalf\ttabbed|three", "breaks"},
        {"{\\rtf1 last\\par}", "last", "the closing \\par leaves no empty paragraph"},
        {"{\\rtf1 a\\par\\par b}", "a||b", "an empty paragraph between"},
        {"{\\rtf1 lit\teral\\\nnext}", "lit\teral|next", "a tab character, and \\<newline> for \\par"},
        {"{\\rtf1 \\emdash\\~\\{\\}\\\\\\-\\bullet}", "—\u00A0{}\\•", "symbols"},
    });
}

TEST(RtfText, DestinationsThatAreNoTextAreSkipped)
{
    ExpectTexts({
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s1 Heading;}}"
         "{\\info{\\title Secret}}{\\header head}x}",
         "x", "tables, information, headers"},
        {"{\\rtf1 a{\\*\\generator Writer;}{\\*\\unknown hidden {\\b text}}b}", "ab", "starred destinations"},
        {"{\\rtf1 a{\\pict\\wmetafile8 0a0b}{\\*\\shppict{\\pict\\bin5 {}}}x}}b}", "ab", "pictures, their binary data"},
        {"{\\rtf1 a{\\object{\\*\\objdata 0102}{\\result shown}}b}", "ab", "objects"},
        {"{\\rtf1 {\\upr{ansi text}{\\*\\ud{\\u26085 ?unicode}}} end}", "日unicode end",
         "the Unicode half of \\upr"},
    });
}

TEST(RtfText, CodePagesOfTheDocumentAndOfItsFonts)
{
    ExpectTexts({
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f1\\fcharset128 Gothic;}"
         "{\\f2\\fcharset204 Cyr;}}caf\\'e9 {\\f1\\'93\\'fa\\'96\\'7b}{\\f2 \\'c4\\'e0}}",
         "café 日本Да", "each font's character set"},
        {"{\\rtf1\\ansi \\'82\\'a0}", "あ", "a document naming no code page is in the desktop's"},
        {"{\\rtf1\\ansicpg932 \\'82}", "\uFFFD", "a lead byte without its trail byte"},
    });
    RtfOptions western;
    western.systemCodePage = 1252;
    EXPECT_EQ(Text(*ReadRtf("{\\rtf1\\ansi \\'e9}", western).document), "é");
}

TEST(RtfText, UnicodeEscapesAndTheirFallbacks)
{
    ExpectTexts({
        {"{\\rtf1 \\u26085?\\u26412?}", "日本", "one fallback character each"},
        {"{\\rtf1\\ansicpg932\\uc2 \\u26085\\'93\\'fa\\u26412\\'96\\'7b.}", "日本.", "two escapes each"},
        {"{\\rtf1\\uc0 \\u26085 x}", "日x", "no fallback"},
        {"{\\rtf1\\uc1 \\u-248?}", "（", "numbers above 32767 are written negative"},
        {"{\\rtf1\\uc2 {\\u26085?}kept}", "日kept", "a group's end ends the fallback"},
        {"{\\rtf1\\uc1 {\\uc2 \\u26085??}\\u26412?x}", "日本x", "\\uc is scoped by groups"},
        {"{\\rtf1\\uc0 \\u55357\\uc1 \\u56832?}", "😀", "a surrogate pair"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "😀", "a surrogate pair, negative"},
        {"{\\rtf1 \\u55357?x}", "\uFFFDx", "a lone high surrogate"},
        {"{\\rtf1 \\u56832?}", "\uFFFD", "a lone low surrogate"},
    });
}

TEST(RtfDamage, WhatIsNotRichTextHasNoDocument)
{
    EXPECT_FALSE(IsRtf("plain text"));
    EXPECT_FALSE(IsRtf(" {\\rtf1}"));
    EXPECT_FALSE(IsRtf("{\\rt"));
    EXPECT_TRUE(IsRtf("{\\rtf1}"));
    RtfReadResult result = ReadRtf("hello {\\rtf1}");
    EXPECT_FALSE(result.document.has_value());
    EXPECT_NE(result.fault, "");
}

TEST(RtfDamage, ATruncatedFileGivesWhatWasReadAndSaysWhy)
{
    for (const char* text : {"{\\rtf1 one\\par two {\\b three", "{\\rtf1 a\\'8", "{\\rtf1 a\\", "{\\rtf1 a\\u",
                             "{\\rtf1 a\\'"}) {
        RtfReadResult result = ReadRtf(text);
        ASSERT_TRUE(result.document.has_value()) << text;
        EXPECT_NE(result.fault.find("ends inside"), std::string::npos) << text << ": " << result.fault;
    }
    EXPECT_EQ(Text(*ReadRtf("{\\rtf1 one\\par two {\\b three").document), "one|two three");
}

TEST(RtfDamage, BrokenEscapesAndHugeNumbers)
{
    EXPECT_EQ(Text(Read("{\\rtf1\\ansicpg1252 a\\'zzb\\'4g}")), "azzbg");
    RtfDocument document = Read("{\\rtf1\\fs99999999999999999999 big\\fs-5 small\\cf4294967296 c"
                                "\\u99999999999 u\\uc99999999 \\u65 ab\\li-2147483649 x}");
    EXPECT_EQ(RunWith(document, "big")->format.halfPoints, 3276);
    EXPECT_EQ(RunWith(document, "small")->format.halfPoints, 24);
    EXPECT_NE(Text(document).find("\uFFFD"), std::string::npos) << "a number beyond Unicode";
    EXPECT_EQ(Text(*ReadRtf("{\\rtf1 a\\bin999999999 {\\b}}").document), "a") << "binary data longer than the file";
    EXPECT_EQ(Text(Read("{\\rtf1 \\averyveryveryverylongcontrolwordthatgoesonandon x}")), "x");
}

TEST(RtfDamage, DeepNestingIsRefusedAndBracesTooManyEndTheDocument)
{
    std::string deep = "{\\rtf1 ";
    deep += std::string(100000, '{') + "x" + std::string(100000, '}') + "}";
    RtfReadResult result = ReadRtf(deep);
    EXPECT_FALSE(result.document.has_value());
    EXPECT_NE(result.fault.find("nested"), std::string::npos) << result.fault;
    EXPECT_EQ(Text(*ReadRtf(std::string("{\\rtf1 ") + std::string(900, '{') + "x" + std::string(901, '}')).document),
              "x");

    RtfReadResult extra = ReadRtf("{\\rtf1 kept}} lost}");
    ASSERT_TRUE(extra.document.has_value());
    EXPECT_EQ(Text(*extra.document), "kept");
    EXPECT_NE(extra.fault, "");
}

TEST(RtfDamage, DamagedSamplesKeepTheTextBeforeTheDamage)
{
    RtfReadResult truncated = ReadRtf(Sample("truncated.rtf"));
    ASSERT_TRUE(truncated.document.has_value());
    EXPECT_NE(truncated.fault, "");
    EXPECT_EQ(Text(*truncated.document), "日本語");

    RtfReadResult unbalanced = ReadRtf(Sample("unbalanced.rtf"));
    ASSERT_TRUE(unbalanced.document.has_value());
    EXPECT_EQ(Text(*unbalanced.document).substr(0, 9), "日本語");
}

TEST(RtfSamples, LibreOfficeJapaneseWithCodePageFallbacks)
{
    RtfDocument document = Read(Sample("libreoffice-japanese.rtf"));
    ASSERT_GE(document.paragraphs.size(), 7u);
    EXPECT_EQ(ParagraphText(document.paragraphs[0]), "日本語の文書です。表示とソフト、能力。");
    EXPECT_EQ(document.paragraphs[0].runs[0].format.font, "ＭＳ 明朝");
    EXPECT_EQ(document.paragraphs[0].runs[0].format.halfPoints, 21);
    EXPECT_TRUE(RunWith(document, "中央揃えの見出し")->format.bold) << "\\ab after \\dbch";
    EXPECT_TRUE(RunWith(document, "取り消し線")->format.strike);
    EXPECT_EQ(RunWith(document, "赤い文字")->format.color, (RtfColor{255, 0, 0}));
    EXPECT_EQ(RunWith(document, "blue courier")->format.font, "Courier New");
    EXPECT_NE(RunWith(document, "絵文字 😀 と記号 ①②③ ～"), nullptr);
}

TEST(RtfSamples, LibreOfficeJapaneseInUnicodeEscapes)
{
    RtfDocument unicode = Read(Sample("libreoffice-japanese-unicode.rtf"));
    RtfDocument fallbacks = Read(Sample("libreoffice-japanese.rtf"));
    EXPECT_EQ(Text(unicode), Text(fallbacks));
    EXPECT_EQ(unicode.paragraphs[0].runs[0].format.font, "ＭＳ 明朝") << "chosen by \\dbch\\af7";
}

TEST(RtfSamples, LibreOfficeWesternWithFieldListAndTable)
{
    RtfDocument document = Read(Sample("libreoffice-western.rtf"));
    EXPECT_EQ(Text(document), "Café résumé|Naïve bold, italic and “quotes” — dashes – € 100.|"
                              "A justified paragraph with a link text inside.|•\tfirst|•\tsecond|"
                              "cell one\tcell two\t|");
    EXPECT_EQ(document.paragraphs[0].runs[0].format.halfPoints, 48);
    EXPECT_EQ(document.paragraphs[2].alignment, RtfAlignment::Justify);
    EXPECT_TRUE(RunWith(document, "link text")->format.underline);
    EXPECT_EQ(document.paragraphs[3].leftIndent, 709);
    EXPECT_EQ(document.paragraphs[3].firstIndent, -283);
}

TEST(RtfSamples, Pandoc)
{
    RtfDocument document = Read(Sample("pandoc-japanese.rtf"));
    EXPECT_EQ(ParagraphText(document.paragraphs[0]), "見出し");
    EXPECT_TRUE(RunWith(document, "太字")->format.bold);
    EXPECT_EQ(document.paragraphs[1].runs[0].format.font, "Helvetica");
    EXPECT_EQ(ParagraphText(document.paragraphs.back()), "引用 quote");
    EXPECT_EQ(document.paragraphs.back().leftIndent, 720);
}

// Documents that pandoc writes now, when it is installed.
TEST(RtfSamples, WrittenByPandocNow)
{
    if (std::system("command -v pandoc >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pandoc is not installed";
    TempTree folder("rtf");
    const std::string& base = folder.Root();
    ASSERT_FALSE(base.empty());
    {
        std::ofstream markdown(base + "/in.md");
        markdown << "Plain, **strong**, *emphasis*, `code`.\n\n"
                    "日本語の段落。絵文字😀も。\n\n"
                    "1. first\n2. second\n";
    }
    std::string command = "pandoc -s -f markdown -t rtf -o " + base + "/out.rtf " + base + "/in.md";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream file(base + "/out.rtf", std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();

    RtfDocument document = Read(content.str());
    EXPECT_TRUE(RunWith(document, "strong")->format.bold);
    EXPECT_TRUE(RunWith(document, "emphasis")->format.italic);
    EXPECT_EQ(RunWith(document, "code")->format.font, "Courier");
    EXPECT_NE(RunWith(document, "日本語の段落。絵文字😀も。"), nullptr);
    EXPECT_NE(Text(document).find("second"), std::string::npos);
}
