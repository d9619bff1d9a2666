// Code page 932: literals compiled into the program, the converter, and DOS paths over the drive
// map.

#include "platform/CodePage.h"
#include "platform/DriveMap.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {
std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char byte : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[byte >> 4];
        out += digits[byte & 15];
    }
    return out;
}
}  // namespace

// The program's texts are written in UTF-8 and compiled to code page 932. Characters whose second
// byte is a backslash or a bar are the ones that break naive code.
TEST(Literals, CompileToTheirCodePage932Bytes)
{
    EXPECT_EQ(Hex("表示"), "95 5C 8E A6");
    EXPECT_EQ(Hex("ソ"), "83 5C");
    EXPECT_EQ(Hex("能"), "94 5C");
    EXPECT_EQ(Hex(" －"), "20 81 7C");
    EXPECT_EQ(Hex("ﾌｧｲﾙ ﾌｫﾙﾀﾞ"), "CC A7 B2 D9 20 CC AB D9 C0 DE");
    EXPECT_EQ(Hex("ＭＳ Ｐゴシック"), "82 6C 82 72 20 82 6F 83 53 83 56 83 62 83 4E");
    EXPECT_EQ(Hex("画像取込中は青くなります。"),
              "89 E6 91 9C 8E E6 8D 9E 92 86 82 CD 90 C2 82 AD 82 C8 82 E8 82 DC 82 B7 81 42");
}

TEST(Converter, RoundTripsJapaneseTextIncludingTrailBackslashes)
{
    std::string cp932 = "情報ﾊﾞｰを表示させたり、消したりできます。";
    std::string utf8 = Cp932ToUtf8(cp932);
    EXPECT_EQ(utf8, "\xE6\x83\x85\xE5\xA0\xB1\xEF\xBE\x8A\xEF\xBE\x9E\xEF\xBD\xB0\xE3\x82\x92\xE8\xA1\xA8\xE7\xA4\xBA"
                    "\xE3\x81\x95\xE3\x81\x9B\xE3\x81\x9F\xE3\x82\x8A\xE3\x80\x81\xE6\xB6\x88\xE3\x81\x97\xE3\x81\x9F"
                    "\xE3\x82\x8A\xE3\x81\xA7\xE3\x81\x8D\xE3\x81\xBE\xE3\x81\x99\xE3\x80\x82");
    EXPECT_EQ(Utf8ToCp932(utf8), cp932);
    EXPECT_EQ(Cp932ToUtf8("C:\\work"), "C:\\work") << "ASCII, backslash included, passes unchanged";
}

TEST(Converter, NamesCodePage932LacksComeBackUnchanged)
{
    const std::string names[] = {
        "caf\xC3\xA9.txt",                  // e with acute
        "\xE2\x88\x92minus",               // U+2212, which the code page would turn into U+FF0D
        "\xF0\x9F\x98\x80 smile.png",     // outside the basic plane
        "\xEE\x80\x80private",             // U+E000, the code page's own user-defined area
        "bad\xFF\xFE" "bytes\xC3",          // not UTF-8 at all
        "\xED\xA0\x80surrogate",           // an encoded surrogate, not valid UTF-8 either
    };
    for (const std::string& name : names) {
        std::string dos = Utf8ToCp932(name);
        EXPECT_EQ(Cp932ToUtf8(dos), name) << Hex(name) << " went through as " << Hex(dos);
        for (size_t i = 0; i < dos.size(); i = dos::NextCharacter(dos, i))
            EXPECT_NE(dos[i], '?');
    }
    EXPECT_EQ(Utf8ToCp932("caf\xC3\xA9").substr(0, 3), "caf");
    EXPECT_EQ(Utf8ToCp932("x\xC3\xA9").size(), 1u + 4u) << "one unit takes two escapes of two bytes";
}

TEST(Converter, ABackslashInAHostNameIsEscapedSoItCannotSplitAPath)
{
    std::string dos = HostNameToCp932("a\\b");
    EXPECT_EQ(dos.find('\\'), std::string::npos) << Hex(dos);
    EXPECT_EQ(Cp932ToUtf8(dos), "a\\b");
    EXPECT_EQ(Utf8ToCp932("a\\b"), "a\\b") << "other texts keep their backslashes";
}

// Plain ASCII goes over as it stands, every byte of it (a backslash of a host name apart); one
// byte beyond it anywhere in a text takes the whole text through the conversion.
TEST(Converter, AsciiGoesOverAsItIsAndOneByteBeyondItIsConverted)
{
    // Single bytes below 0x80, each a character of its own in UTF-8 and in code page 932 alike.
    std::string ascii;
    for (int byte = 1; byte < 0x80; ++byte)
        if (byte != '\\')
            ascii += char(byte);
    EXPECT_EQ(HostNameToCp932(ascii), ascii);
    EXPECT_EQ(Utf8ToCp932(ascii + "\\"), ascii + "\\");
    EXPECT_EQ(HostNameToCp932(std::string(300, 'x')), std::string(300, 'x')) << "a long name too";
    for (const std::string& tail : {std::string("\xC3\xA9"), std::string("\x80"), std::string("\\")}) {
        const std::string name = std::string(20, 'n') + tail;
        EXPECT_NE(HostNameToCp932(name), name) << Hex(name);
        EXPECT_EQ(Cp932ToUtf8(HostNameToCp932(name)), name) << Hex(name);
    }
}

TEST(Converter, DamagedCodePageTextBecomesReplacementCharacters)
{
    EXPECT_EQ(Cp932ToUtf8(std::string("a\x81", 2)), "a\xEF\xBF\xBD") << "a lone lead byte at the end";
    EXPECT_EQ(Cp932ToUtf8(std::string("\x81\x20", 2)), "\xEF\xBF\xBD ") << "a lead byte before a space";
    EXPECT_EQ(Cp932ToUtf8(std::string("\xF0\x40z", 3)), "\xEF\xBF\xBDz") << "half an escaped unit";
    EXPECT_EQ(Cp932ToUtf8(""), "");
}

TEST(DriveMap, HostPathsShowOnTheDriveWithTheLongestRoot)
{
    DriveMap map;
    map.Map('Z', "/");
    map.Map('c', "/home/user/");
    EXPECT_EQ(map.ToDos("/home/user/docs/a.txt"), "C:\\docs\\a.txt");
    EXPECT_EQ(map.ToDos("/home/user"), "C:\\") << "a drive root keeps its backslash";
    EXPECT_EQ(map.ToDos("/home/username"), "Z:\\home\\username") << "a root matches whole folder names only";
    EXPECT_EQ(map.ToDos("/"), "Z:\\");
    std::string odd = *map.ToDos("/home/user/a\\b/c");
    EXPECT_EQ(map.ToHost(odd), "/home/user/a\\b/c") << "a backslash inside a host name survives the way there and back";
    map.Clear();
    map.Map('D', "/data");
    EXPECT_EQ(map.ToDos("/etc"), std::nullopt);
}

TEST(DriveMap, DosPathsBecomeHostPathsKeepingTrailBackslashBytes)
{
    DriveMap map;
    map.Map('C', "/tmp/c");
    map.Map('Z', "/");
    EXPECT_EQ(map.ToHost("C:\\work"), "/tmp/c/work");
    EXPECT_EQ(map.ToHost("c:\\"), "/tmp/c");
    EXPECT_EQ(map.ToHost("C:"), "/tmp/c");
    EXPECT_EQ(map.ToHost("Z:\\usr\\share"), "/usr/share");
    EXPECT_EQ(map.ToHost("C:\\表示\\ソフト"), "/tmp/c/\xE8\xA1\xA8\xE7\xA4\xBA/\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88")
        << "the second byte of a double-byte character is not a separator";
    EXPECT_EQ(map.ToHost("Q:\\x"), std::nullopt);
    EXPECT_EQ(map.ToHost("work"), std::nullopt);
}

TEST(DriveMap, RemovableMediaTakeTheFreeLettersFromD)
{
    DriveMap map;
    map.Map('C', "/home/user");
    map.Map('E', "/srv");
    map.Map('Z', "/");
    map.MapRemovable({"/media/user/STICK", "/media/user/CARD", "/mnt/disk"});
    EXPECT_EQ(map.ToDos("/media/user/STICK/photo.bmp"), "D:\\photo.bmp");
    EXPECT_EQ(map.ToDos("/media/user/CARD"), "F:\\") << "E: is taken";
    EXPECT_EQ(map.ToDos("/mnt/disk/a"), "G:\\a");
    std::vector<std::string> many(30, "/media/x");
    map.MapRemovable(many);
    EXPECT_EQ(map.ToDos("/"), "Z:\\") << "the letters run out before Z:";
}
