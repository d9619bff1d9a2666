// Starting programs: command lines taken apart as that system did, and .desktop entries.

#include "platform/CommandLine.h"
#include "platform/DesktopEntry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {
std::string Joined(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& word : words)
        out += "[" + word + "]";
    return out;
}
}  // namespace

// ---- Command lines -------------------------------------------------------------------------

TEST(CommandLine, SplitsByTheQuoteAndBackslashRulesOfThatSystem)
{
    struct Case {
        const char* line;
        const char* words;
    } cases[] = {
        {"a.exe b c", "[a.exe][b][c]"},
        {"  a.exe \t b   c  ", "[a.exe][b][c]"},
        {"\"C:\\Program Files\\a.exe\" x", "[C:\\Program Files\\a.exe][x]"},
        // The program name ends at its closing quote, backslash or not, and the next word may
        // follow at once.
        {"\"C:\\dir\\\" x", "[C:\\dir\\][x]"},
        {"\"C:\\a\"b c", "[C:\\a][b][c]"},
        {"p \"a b\" c", "[p][a b][c]"},
        {"p a\\b \"c\\d\" e\\\\", "[p][a\\b][c\\d][e\\\\]"},
        {"p a\\\\\"b c\"", "[p][a\\b c]"},
        {"p a\\\\\\\"b", "[p][a\\\"b]"},
        {"p a\\\"b", "[p][a\"b]"},
        {"p \\\\\\\\\"x y\"", "[p][\\\\x y]"},
        {"p \"\" x", "[p][][x]"},
        {"p \"\"", "[p][]"},
        {"p \"a\"\"b\"", "[p][a\"b]"},
        {"p \"a b", "[p][a b]"},
        // The second byte of "表" is 0x5C: no backslash, so the quote after it groups.
        {"p C:\\表\"a b\"", "[p][C:\\表a b]"},
        {"C:\\ソフト\\a.exe x", "[C:\\ソフト\\a.exe][x]"},
        {"", ""},
        {"   ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Joined(SplitCommandLine(c.line)), c.words) << "command line: " << c.line;
}

TEST(CommandLine, AnUnquotedProgramNameMayEndAtAnyBlankAsCreateProcessTriesThem)
{
    std::vector<ProgramSplit> splits = ProgramSplits("C:\\Program Files\\a.exe  x ");
    ASSERT_EQ(splits.size(), 3u);
    EXPECT_EQ(splits[0].program, "C:\\Program");
    EXPECT_EQ(splits[0].rest, "Files\\a.exe  x ");
    EXPECT_EQ(splits[1].program, "C:\\Program Files\\a.exe");
    EXPECT_EQ(splits[1].rest, "x ");
    EXPECT_EQ(splits[2].program, "C:\\Program Files\\a.exe  x");
    EXPECT_EQ(splits[2].rest, "");

    splits = ProgramSplits("\"C:\\Program Files\\a.exe\"   C:\\My Docs\\a b.txt");
    ASSERT_EQ(splits.size(), 1u);
    EXPECT_EQ(splits[0].rest, "C:\\My Docs\\a b.txt");
}

// ---- Desktop entries -----------------------------------------------------------------------

TEST(DesktopEntry, ReadsItsOwnGroupOnly)
{
    auto entry = ParseDesktopEntry("# comment\n[Desktop Entry]\r\nName = Viewer\nName[ja]=ビューア\n"
                                   "Exec=view\\s%f\nIcon=view\n[Desktop Action New]\nExec=other\n",
                                   "/apps/view.desktop");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->exec, "view %f");
    EXPECT_EQ(entry->name, "Viewer");
    EXPECT_EQ(entry->icon, "view");
    EXPECT_EQ(entry->location, "/apps/view.desktop");

    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nName=No program\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nType=Link\nExec=x\nURL=http://x/\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("[Other]\nExec=x\n", "x"));
    EXPECT_FALSE(ParseDesktopEntry("", "x"));
}

TEST(DesktopEntry, ExpandsFieldCodesAndQuoting)
{
    struct Case {
        const char* exec;
        std::vector<std::string> files;
        const char* argv;
    } cases[] = {
        {"app %f", {"/a b.txt"}, "[app][/a b.txt]"},
        {"app %f", {}, "[app]"},
        {"app --file=%f", {"/x"}, "[app][--file=/x]"},
        {"app %F", {"/a", "/b c"}, "[app][/a][/b c]"},
        {"app %U", {"/a b", "/\xE8\xA1\xA8"}, "[app][file:///a%20b][file:///%E8%A1%A8]"},
        {"app %u", {"http://host/x y"}, "[app][http://host/x y]"},
        {"app %i %c %k", {}, "[app][--icon][view][Viewer][/apps/view.desktop]"},
        {"app 100%% %d %D %n %N %v %m", {}, "[app][100%]"},
        // The value's escapes are undone before the quoting is read: \\\\ in the file is one
        // backslash within quotes, \\$ a dollar sign.
        {"\"/opt/my app/run\" \"a \\\"b\\\"\" \"c \\\\ d\" \\$HOME 'e f'", {},
         "[/opt/my app/run][a \"b\"][c \\ d][$HOME][e f]"},
        {"\"/opt/run %f", {"/x"}, ""},
        {"%f", {}, ""},
    };
    for (const Case& c : cases) {
        std::string text = std::string("[Desktop Entry]\nName=Viewer\nIcon=view\nExec=") + c.exec + "\n";
        auto entry = ParseDesktopEntry(text, "/apps/view.desktop");
        ASSERT_TRUE(entry) << c.exec;
        EXPECT_EQ(Joined(ExpandExec(*entry, c.files)), c.argv) << "Exec=" << c.exec;
    }
}
