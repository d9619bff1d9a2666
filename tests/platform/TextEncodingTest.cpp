// Plain text files: which encoding a file is in, and its decoding into code page 932. Literals
// here are code page 932; UTF-8 and UTF-16 inputs are spelt as bytes.

#include "platform/CodePage.h"
#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {
// "日本" in UTF-8, UTF-16LE and UTF-16BE.
const std::string NihonUtf8 = "\xE6\x97\xA5\xE6\x9C\xAC";
const std::string NihonLE = std::string("\xE5\x65\x2C\x67", 4);
const std::string NihonBE = std::string("\x65\xE5\x67\x2C", 4);

std::string Utf16LE(const std::u16string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}
}  // namespace

TEST(TextEncodingDetection, ByteOrderMarksNameTheEncoding)
{
    EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF" "abc"), TextEncoding::Utf8WithMark);
    EXPECT_EQ(DetectTextEncoding("\xFF\xFE" + NihonLE), TextEncoding::Utf16LE);
    EXPECT_EQ(DetectTextEncoding("\xFE\xFF" + NihonBE), TextEncoding::Utf16BE);
}

TEST(TextEncodingDetection, ValidUtf8WithNonAsciiIsUtf8AndEverythingElseCodePage932)
{
    EXPECT_EQ(DetectTextEncoding(std::string(100, 'a') + NihonUtf8), TextEncoding::Utf8);
    EXPECT_EQ(DetectTextEncoding("plain ASCII\r\n"), TextEncoding::CodePage932) << "ASCII is the same in both";
    EXPECT_EQ(DetectTextEncoding(""), TextEncoding::CodePage932);
    EXPECT_EQ(DetectTextEncoding("表示 ｱｲｳ"), TextEncoding::CodePage932);
    EXPECT_EQ(DetectTextEncoding("caf\xE9"), TextEncoding::CodePage932);
    EXPECT_EQ(DetectTextEncoding(NihonUtf8 + "\x82\xA0"), TextEncoding::CodePage932)
        << "one bad sequence anywhere is enough";
}

TEST(TextEncodingDetection, MalformedUtf8IsRefused)
{
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80 \xC3\xA9 \xEF\xBF\xBF"));
    for (const char* bad : {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
                            "\xE3\x81", "\x80", "\xE3\x81\x41"})
        EXPECT_FALSE(IsValidUtf8(std::string("ok ") + bad)) << bad;
}

TEST(TextDecoding, EachEncodingEndsInCodePage932)
{
    EXPECT_EQ(DecodeTextFile("表示\r\nｱ"), "表示\r\nｱ");
    EXPECT_EQ(DecodeTextFile("x" + NihonUtf8), "x日本");
    EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + NihonUtf8), "日本") << "the mark is left out";
    EXPECT_EQ(DecodeTextFile("\xFF\xFE" + NihonLE + std::string("\x0A\x00", 2)), "日本\n");
    EXPECT_EQ(DecodeTextFile("\xFE\xFF" + NihonBE), "日本");
}

TEST(TextDecoding, CharactersTheCodePageLacksComeBackAsThemselves)
{
    std::string decoded = DecodeTextFile("caf\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(Cp932ToUtf8(decoded), "caf\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(Cp932ToUtf8(DecodeTextFile(Utf16LE(u"\U0001F600 \u00E9"))), "\xF0\x9F\x98\x80 \xC3\xA9");
}

TEST(TextDecoding, BrokenUtf16GivesReplacementCharacters)
{
    EXPECT_EQ(Cp932ToUtf8(DecodeTextFile(Utf16LE(u"a\xD800" "b"))), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Cp932ToUtf8(DecodeTextFile(Utf16LE(u"\xDC00"))), "\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf8(DecodeTextFile(Utf16LE(u"a") + "x")), "a\xEF\xBF\xBD") << "an odd byte at the end";
}

TEST(TextDecoding, LargeUtf16KeepsPairsThatStraddleItsSlices)
{
    std::u16string text;
    for (int i = 0; i < 300000; ++i)
        text += i % 1000 == 999 ? u"\U0001F600" : u"x";
    std::string utf8 = Cp932ToUtf8(DecodeTextFile(Utf16LE(text)));
    size_t faces = 0;
    for (size_t at = utf8.find("\xF0\x9F\x98\x80"); at != std::string::npos; at = utf8.find("\xF0\x9F\x98\x80", at + 1))
        ++faces;
    EXPECT_EQ(faces, 300u);
    EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(TextDecoding, ATextThatStopsBeingUtf8FarIntoItIsCodePage932Whole)
{
    std::string utf8Start;
    while (utf8Start.size() < 200000)
        utf8Start += "\xE8\xA1\xA8 text ";  // "table" in UTF-8
    const std::string mixed = utf8Start + "\x95\x5C";  // "table" in code page 932
    EXPECT_EQ(DecodeTextFile(mixed), mixed) << "the bytes stay as they are";
    // Cut after a character's first byte beyond the first 64 KiB.
    const std::string cut = utf8Start.substr(0, utf8Start.find('\xE8', 65536) + 1);
    EXPECT_EQ(DecodeTextFile(utf8Start).substr(0, 2), "\x95\x5C");
    EXPECT_EQ(DecodeTextFile(cut + "x"), cut + "x") << "a cut character is no UTF-8";
}
