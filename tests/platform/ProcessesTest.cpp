// Starting programs: command lines taken apart as that system did.

#include "platform/CommandLine.h"

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
