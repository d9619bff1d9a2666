// EUC-JP and ISO-2022-JP texts beside code page 932: the samples iconv wrote from one Japanese
// text (tests/data/text, made by make-text.sh), code page 932 texts that EUC-JP could also read,
// and cut or damaged texts. Literals here are code page 932.

#include "platform/CodePage.h"
#include "platform/JapaneseEncodings.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

using namespace platform;

namespace {

std::string Sample(const std::string& name)
{
    std::ifstream file(std::string(ORVANE_TEST_DATA) + "/text/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    EXPECT_TRUE(file.good() || file.eof()) << name;
    return bytes.str();
}

const std::string Replacement = Utf8ToCp932("\xEF\xBF\xBD");

// The code page 932 sample without its last line (ISO-2022-JP has no half-width katakana).
std::string Cp932WithoutLastLine()
{
    std::string text = Sample("japanese.sjis.txt");
    return text.substr(0, text.rfind('\n', text.size() - 2) + 1);
}

std::string Repeated(const std::string& piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

}  // namespace

TEST(JapaneseEncodings, EverySampleIsRecognisedAndShowsTheSameText)
{
    const std::string cp932 = Sample("japanese.sjis.txt");
    ASSERT_FALSE(cp932.empty());
    struct Case {
        const char* name;
        TextEncoding encoding;
        std::string text;
    } cases[] = {
        {"japanese.sjis.txt", TextEncoding::CodePage932, cp932},
        {"japanese.utf8.txt", TextEncoding::Utf8, cp932},
        {"japanese.euc-jp.txt", TextEncoding::EucJp, cp932},
        {"japanese.iso-2022-jp-3.txt", TextEncoding::Iso2022Jp, cp932},
        {"japanese.iso-2022-jp.txt", TextEncoding::Iso2022Jp, Cp932WithoutLastLine()},
    };
    for (const Case& c : cases) {
        std::string bytes = Sample(c.name);
        EXPECT_EQ(DetectTextEncoding(bytes), c.encoding) << c.name;
        // The quick look that the viewer takes first sees an escape, or bytes beyond ASCII.
        EXPECT_EQ(DetectTextEncoding(bytes, TextCheck::MarksOnly),
                  c.encoding == TextEncoding::Iso2022Jp ? TextEncoding::Iso2022Jp : TextEncoding::Utf8)
            << c.name;
        EXPECT_EQ(Cp932ToUtf8(DecodeTextFile(bytes)), Cp932ToUtf8(c.text)) << c.name;
    }
}

TEST(JapaneseEncodings, CharactersLandOnTheCodesCodePage932ShowsThemBy)
{
    // Row 1 cell 33 (the wave dash "～", 0x8160) and row 1 cell 61 (the minus "－", 0x817C) are
    // the characters whose Unicode names the host's EUC-JP and code page 932 converters disagree on.
    EXPECT_EQ(EucJpToCp932("\xA1\xC1\xA1\xDD"), "～－");
    EXPECT_EQ(Iso2022JpToCp932("\x1B$B!A!]\x1B(B"), "～－");
    // The first and last cells of the first and last rows, over both halves of the lead bytes.
    EXPECT_EQ(EucJpToCp932("\xA1\xA1\xA1\xFE\xDE\xA1\xDE\xFE\xDF\xA1\xFE\xFE"),
              "\x81\x40\x81\x9E\x9F\x9F\x9F\xFC\xE0\x40\xEF\xFC");
    EXPECT_EQ(EucJpToCp932("\x8E\xB1\x8E\xDF"), "ｱﾟ") << "half-width katakana";
    // JIS X 0212 has characters that code page 932 lacks; they come back as themselves.
    EXPECT_EQ(Cp932ToUtf8(EucJpToCp932("\x8F\xB0\xA1")), "\xE4\xB8\x82") << "U+4E02 of JIS X 0212";
}

TEST(JapaneseEncodings, Iso2022JpSwitchesItsSetsAsItsEscapesSay)
{
    EXPECT_EQ(Iso2022JpToCp932("a\x1B$@F|K\\\x1B(Jb\x1B(I1\x1B(Bc"), "a日本bｱc") << "JIS C 6226, Roman, katakana";
    EXPECT_EQ(Iso2022JpToCp932("\x1B$BF|\r\nK\\\x1B(B"), "日\r\n本") << "line ends mean themselves";
    EXPECT_EQ(Iso2022JpToCp932("\x0E" "123\x0F" "123"), "ｱｲｳ123") << "shift out and in";
    EXPECT_EQ(Iso2022JpToCp932("\x1B[1mbold\x1B[0m"), "\x1B[1mbold\x1B[0m") << "other escapes stay";
    EXPECT_EQ(Iso2022JpToCp932("\x1B$BF|K"), "日" + Replacement) << "a character cut by the end";
    EXPECT_EQ(Iso2022JpToCp932("\x1B$BF\x1B(Bx"), Replacement + "x") << "a character cut by an escape";
    EXPECT_EQ(Iso2022JpToCp932("\x1B(I\x7E\xB1"), Replacement + Replacement) << "no such kana, no 8-bit byte";
    EXPECT_EQ(Iso2022JpToCp932("\x1B$"), "\x1B$") << "an escape cut by the end";
}

TEST(JapaneseEncodings, TextsWithoutAJapaneseEscapeStayAsTheyAre)
{
    for (const std::string text : {"plain ASCII\r\n", "\x1B[31mred\x1B[0m terminal colours", "ESC$B spelt out", "\x1B$",
                                   "\x1B(B\x1B(J only back to Roman", ""}) {
        EXPECT_EQ(DetectTextEncoding(text), TextEncoding::CodePage932) << text;
        EXPECT_EQ(DecodeTextFile(text), text);
    }
}

TEST(JapaneseEncodings, CutAndDamagedTextsShowWhatDecodes)
{
    const std::string cp932 = Sample("japanese.sjis.txt");
    const std::string cutEuc = Sample("cut.euc-jp.txt");
    EXPECT_EQ(DetectTextEncoding(cutEuc), TextEncoding::EucJp);
    EXPECT_EQ(DecodeTextFile(cutEuc), cp932.substr(0, cp932.size() - 2) + Replacement);

    const std::string cutJis = Sample("cut.iso-2022-jp.txt");
    const std::string fourLines = Cp932WithoutLastLine();
    EXPECT_EQ(DetectTextEncoding(cutJis), TextEncoding::Iso2022Jp);
    EXPECT_EQ(DecodeTextFile(cutJis), fourLines.substr(0, fourLines.size() - 3) + Replacement) << "\"。\\n\" is cut";

    const std::string damaged = DecodeTextFile(Sample("damaged.euc-jp.txt"));
    EXPECT_EQ(DetectTextEncoding(Sample("damaged.euc-jp.txt")), TextEncoding::EucJp);
    EXPECT_NE(damaged.find(Replacement), std::string::npos);
    EXPECT_EQ(damaged.substr(damaged.size() - 40), cp932.substr(cp932.size() - 40)) << "the rest reads on";
}

TEST(JapaneseEncodings, EveryCutOfEverySampleDecodesAndKeepsItsEncoding)
{
    for (const char* name : {"japanese.euc-jp.txt", "japanese.iso-2022-jp.txt", "japanese.iso-2022-jp-3.txt", "japanese.sjis.txt"}) {
        const std::string whole = Sample(name);
        const TextEncoding encoding = DetectTextEncoding(whole);
        for (size_t size = 0; size <= whole.size(); ++size) {
            std::string cut = whole.substr(0, size);
            std::string text = DecodeTextFile(cut);
            Cp932ToUtf8(text);
            // Past the first line's first characters, a cut text is still read as the whole was.
            if (size >= 24) {
                EXPECT_EQ(DetectTextEncoding(cut), encoding) << name << " cut at " << size;
            }
        }
    }
}

TEST(JapaneseEncodings, EveryByteStringDecodesWithoutHarm)
{
    std::mt19937 random(932);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 64, '\0');
        for (char& byte : bytes)
            byte = static_cast<char>(round % 2 ? 0xA0 + random() % 0x60 : random() % 256);
        Cp932ToUtf8(EucJpToCp932(bytes));
        Cp932ToUtf8(Iso2022JpToCp932(bytes));
        Cp932ToUtf8(DecodeTextFile(bytes));
    }
}

// Code page 932 texts whose bytes EUC-JP reads as well: half-width katakana, and the second level
// of kanji (lead bytes 0xE0-0xEA) with trail bytes of 0xA1 and above.
TEST(JapaneseEncodingsNearMisses, HalfWidthKatakanaAloneStaysCodePage932)
{
    const std::string words[] = {"ｶﾀｶﾅ ﾃﾞｽ", "ﾌｧｲﾙ ﾌｫﾙﾀﾞ", "ｱｲｳｴｵ", "､･､･"};
    for (const std::string& word : words)
        EXPECT_EQ(DecodeTextFile(Repeated(word + "\r\n", 20)), Repeated(word + "\r\n", 20)) << word;
    // Every pair of half-width katakana, repeated, whatever EUC-JP character the pair would be.
    for (int first = 0xA1; first <= 0xDF; ++first)
        for (int second = 0xA1; second <= 0xDF; ++second) {
            std::string text = Repeated(std::string{static_cast<char>(first), static_cast<char>(second)}, 30);
            // Pairs such as 0xC2 0xA1 are UTF-8 too, and were read as that before EUC-JP was known.
            if (IsValidUtf8(text))
                continue;
            ASSERT_EQ(DetectTextEncoding(text), TextEncoding::CodePage932) << std::hex << first << " " << second;
        }
}

TEST(JapaneseEncodingsNearMisses, MixedKatakanaAndKanjiOfTheSecondLevelStayCodePage932)
{
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        while (text.size() < 120) {
            switch (random() % 3) {
            case 0: text += static_cast<char>(0xA1 + random() % 0x3F); break;
            case 1:
                text += static_cast<char>(0xE0 + random() % 0x0B);
                text += static_cast<char>(0xA1 + random() % 0x5C);
                break;
            default: text += static_cast<char>(' ' + random() % 0x5F); break;
            }
        }
        ASSERT_EQ(DetectTextEncoding(text), TextEncoding::CodePage932) << Cp932ToUtf8(text);
        ASSERT_EQ(DecodeTextFile(text), text);
    }
}

TEST(JapaneseEncodingsNearMisses, CodePage932TextWithKanaIsNeverLookedAtTwice)
{
    // Hiragana and the first level of kanji use lead bytes EUC-JP has no use for.
    const std::string text = Repeated("ひらがなと漢字のテキスト。", 100);
    EXPECT_EQ(DetectTextEncoding(text), TextEncoding::CodePage932);
    EXPECT_FALSE(LooksLikeEucJp(text));
    // A text that starts with EUC-JP's look but goes on in code page 932 is code page 932.
    const std::string mixed = Repeated("ｱｲ", 50) + text;
    EXPECT_EQ(DetectTextEncoding(mixed), TextEncoding::CodePage932);
}
