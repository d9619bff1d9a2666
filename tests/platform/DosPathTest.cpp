// DOS paths over code page 932: separators and a name's parts are found by character, so a
// double-byte character whose second byte is 0x5C or 0x7C never splits or loses a name.

#include "platform/CodePage.h"
#include "dos/DosPath.h"
#include "dos/DosText.h"
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
        EXPECT_FALSE(dos::EndsWithSeparator(folder));
        EXPECT_EQ(dos::WithoutTrailingSeparator(folder), folder);
        EXPECT_EQ(dos::LastSeparator(folder), 7u);
        EXPECT_EQ(dos::JoinPath(folder, "a.txt"), folder + "\\a.txt");
        EXPECT_EQ(dos::JoinPath(folder + "\\", "a.txt"), folder + "\\a.txt");
        const std::string file = folder + "\\a" + c + ".txt";
        auto [parent, name] = dos::SplitLast(file);
        EXPECT_EQ(parent, folder + "\\");
        EXPECT_EQ(name, "a" + c + ".txt");
        EXPECT_EQ(dos::PathParts(folder + "\\" + c), (std::vector<std::string>{"C:", "work", c, c}));
        EXPECT_EQ(dos::FlattenPath(folder + "\\" + c + ".xls"), "C#!work!" + c + "!" + c + ".xls");
    }
}

TEST(DosPath, SeparatorsRootsAndDrives)
{
    EXPECT_TRUE(dos::EndsWithSeparator("C:\\"));
    EXPECT_EQ(dos::WithoutTrailingSeparator("C:\\"), "C:");
    EXPECT_EQ(dos::WithoutTrailingSeparator("C:\\work\\\\"), "C:\\work\\") << "one separator only";
    EXPECT_EQ(dos::JoinPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(dos::JoinPath("", "a"), "a");
    EXPECT_EQ(dos::AppendToFolder("C:\\", "a"), "C:\\\\a") << "a stored folder always takes a separator";
    EXPECT_EQ(dos::AppendToFolder("C:\\work", "a"), "C:\\work\\a");
    EXPECT_EQ(dos::SplitLast("C:a.txt").first, "C:");
    EXPECT_EQ(dos::SplitLast("a.txt").second, "a.txt");
    EXPECT_EQ(dos::PathParts("\\\\a\\\\b\\"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(dos::HasDriveLetter("z:"));
    EXPECT_FALSE(dos::HasDriveLetter("1:\\"));
    EXPECT_FALSE(dos::HasDriveLetter("C"));
    EXPECT_EQ(dos::LastSeparator("abc"), std::string_view::npos);
}

TEST(DosPath, FlatteningGivesDifferentPathsDifferentNamesAndKeepsPlainPathsAsTheyWere)
{
    EXPECT_EQ(dos::FlattenPath("D:\\DOCS\\SHEET.XLS"), "D#!DOCS!SHEET.XLS");
    EXPECT_EQ(dos::FlattenPath("C:\\a b\\c:d"), "C#!a b!c#d");
    std::set<std::string> names;
    std::vector<std::string> characters = TrailByteCharacters();
    for (const std::string& c : characters) {
        std::string flat = dos::FlattenPath("C:\\work\\" + c + ".xls");
        EXPECT_TRUE(names.insert(flat).second) << Shown(c) << " shares its picture with another document";
        EXPECT_EQ(Cp932ToUtf8(flat).find("\xEF\xBF\xBD"), std::string::npos) << Shown(c) << " is lost on disk";
    }
}

TEST(DosPath, TheExtensionDotIsTheLastDotAfterTheFirstCharacter)
{
    EXPECT_EQ(dos::ExtensionDot("a.b.txt"), 3u);
    EXPECT_EQ(dos::ExtensionDot(".profile"), std::string_view::npos);
    EXPECT_EQ(dos::ExtensionDot("README"), std::string_view::npos);
    EXPECT_EQ(dos::ExtensionDot("name."), 4u);
    EXPECT_EQ(dos::ExtensionDot("表.txt"), 2u);
}

TEST(DosText, LettersFoldButNeverTheSecondByteOfACharacter)
{
    // "ャ" is 0x83 0x62 ("b" as its second byte), "イ" is 0x83 0x42 ("B").
    EXPECT_EQ(dos::AsciiUpper("aャb.txt"), "AャB.TXT");
    EXPECT_EQ(dos::AsciiLower("Aイ.TXT"), "aイ.txt");
    EXPECT_TRUE(dos::SameIgnoringAsciiCase("readme.Txt", "README.tXT"));
    EXPECT_FALSE(dos::SameIgnoringAsciiCase("ャ", "イ"));
    EXPECT_FALSE(dos::SameIgnoringAsciiCase("a", "ab"));
    EXPECT_EQ(dos::NextCharacter("\x83", 0), 1u) << "a lead byte at the end stands alone";
    EXPECT_EQ(dos::NextCharacter("\x83.", 0), 1u) << "a dot cannot end a character";
    EXPECT_EQ(dos::NextCharacter("表", 0), 2u);
}
