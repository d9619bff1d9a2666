// DOS paths over code page 932: separators and a name's parts are found by character, so a
// double-byte character whose second byte is 0x5C or 0x7C never splits or loses a name.

#include "platform/CodePage.h"
#include "platform/DosPath.h"
#include "platform/DosText.h"
#include "tests/TrailByteCharacters.h"

#include <gtest/gtest.h>

#include <set>

using namespace platform;
using orvane_test::Shown;
using orvane_test::TrailByteCharacters;

namespace {
// A Lao letter the code page lacks: its escape in the user-defined area ends in 0x5C.
const std::string LaoDo = Utf8ToCp932("\xE0\xBA\x94");  // U+0E94
}  // namespace

TEST(TrailByteTable, HoldsEveryCharacterEndingInABackslashOrBarByte)
{
    std::vector<std::string> characters = TrailByteCharacters();
    EXPECT_EQ(characters.size(), 84u);
    for (const char* known : {"表", "ソ", "能", "十", "予", "申", "貼", "構", "暴", "ポ"})
        EXPECT_NE(std::find(characters.begin(), characters.end(), known), characters.end()) << Shown(known);
    ASSERT_EQ(LaoDo.back(), '\\') << "an escaped host character can end in 0x5C too";
}

TEST(DosPath, AFolderEndingInATrailByteCharacterKeepsItsNameInEveryRule)
{
    std::vector<std::string> characters = TrailByteCharacters();
    characters.push_back(LaoDo);
    for (const std::string& c : characters) {
        const std::string folder = "C:\\work\\" + c;
        SCOPED_TRACE(Shown(folder));
        EXPECT_FALSE(EndsWithSeparator(folder));
        EXPECT_EQ(WithoutTrailingSeparator(folder), folder);
        EXPECT_EQ(LastSeparator(folder), 7u);
        EXPECT_EQ(JoinPath(folder, "a.txt"), folder + "\\a.txt");
        EXPECT_EQ(JoinPath(folder + "\\", "a.txt"), folder + "\\a.txt");
        const std::string file = folder + "\\a" + c + ".txt";
        auto [parent, name] = SplitLast(file);
        EXPECT_EQ(parent, folder + "\\");
        EXPECT_EQ(name, "a" + c + ".txt");
        EXPECT_EQ(PathParts(folder + "\\" + c), (std::vector<std::string>{"C:", "work", c, c}));
        EXPECT_EQ(FlattenPath(folder + "\\" + c + ".xls"), "C#!work!" + c + "!" + c + ".xls");
    }
}

TEST(DosPath, SeparatorsRootsAndDrives)
{
    EXPECT_TRUE(EndsWithSeparator("C:\\"));
    EXPECT_EQ(WithoutTrailingSeparator("C:\\"), "C:");
    EXPECT_EQ(WithoutTrailingSeparator("C:\\work\\\\"), "C:\\work\\") << "one separator only";
    EXPECT_EQ(JoinPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(JoinPath("", "a"), "a");
    EXPECT_EQ(AppendToFolder("C:\\", "a"), "C:\\\\a") << "a stored folder always takes a separator";
    EXPECT_EQ(AppendToFolder("C:\\work", "a"), "C:\\work\\a");
    EXPECT_EQ(SplitLast("C:a.txt").first, "C:");
    EXPECT_EQ(SplitLast("a.txt").second, "a.txt");
    EXPECT_EQ(PathParts("\\\\a\\\\b\\"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(HasDriveLetter("z:"));
    EXPECT_FALSE(HasDriveLetter("1:\\"));
    EXPECT_FALSE(HasDriveLetter("C"));
    EXPECT_EQ(LastSeparator("abc"), std::string_view::npos);
}

TEST(DosPath, FlatteningGivesDifferentPathsDifferentNamesAndKeepsPlainPathsAsTheyWere)
{
    EXPECT_EQ(FlattenPath("D:\\DOCS\\SHEET.XLS"), "D#!DOCS!SHEET.XLS");
    EXPECT_EQ(FlattenPath("C:\\a b\\c:d"), "C#!a b!c#d");
    std::set<std::string> names;
    std::vector<std::string> characters = TrailByteCharacters();
    for (const std::string& c : characters) {
        std::string flat = FlattenPath("C:\\work\\" + c + ".xls");
        EXPECT_TRUE(names.insert(flat).second) << Shown(c) << " shares its picture with another document";
        EXPECT_EQ(Cp932ToUtf8(flat).find("\xEF\xBF\xBD"), std::string::npos) << Shown(c) << " is lost on disk";
    }
}

TEST(DosPath, TheExtensionDotIsTheLastDotAfterTheFirstCharacter)
{
    EXPECT_EQ(ExtensionDot("a.b.txt"), 3u);
    EXPECT_EQ(ExtensionDot(".profile"), std::string_view::npos);
    EXPECT_EQ(ExtensionDot("README"), std::string_view::npos);
    EXPECT_EQ(ExtensionDot("name."), 4u);
    EXPECT_EQ(ExtensionDot("表.txt"), 2u);
}

TEST(DosText, LettersFoldButNeverTheSecondByteOfACharacter)
{
    // "ャ" is 0x83 0x62 ("b" as its second byte), "イ" is 0x83 0x42 ("B").
    EXPECT_EQ(AsciiUpper("aャb.txt"), "AャB.TXT");
    EXPECT_EQ(AsciiLower("Aイ.TXT"), "aイ.txt");
    EXPECT_TRUE(SameIgnoringAsciiCase("readme.Txt", "README.tXT"));
    EXPECT_FALSE(SameIgnoringAsciiCase("ャ", "イ"));
    EXPECT_FALSE(SameIgnoringAsciiCase("a", "ab"));
    EXPECT_EQ(NextCharacter("\x83", 0), 1u) << "a lead byte at the end stands alone";
    EXPECT_EQ(NextCharacter("\x83.", 0), 1u) << "a dot cannot end a character";
    EXPECT_EQ(NextCharacter("表", 0), 2u);
}
