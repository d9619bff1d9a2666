#include "probe/ScriptReader.h"

#include <gtest/gtest.h>

#include <sstream>

using probe::ScriptReader;
using probe::SplitWords;
using Words = std::vector<std::string>;

TEST(SplitWords, BlanksSeparateWords)
{
    EXPECT_EQ(SplitWords("  get\tImageForm.Caption   ").words, (Words{"get", "ImageForm.Caption"}));
    EXPECT_EQ(SplitWords("keyup X Enter\r").words, (Words{"keyup", "X", "Enter"}));
}

TEST(SplitWords, QuotesHoldBlanksAndJoinWithPlainParts)
{
    EXPECT_EQ(SplitWords("type Edit1 \"a  b\"").words, (Words{"type", "Edit1", "a  b"}));
    EXPECT_EQ(SplitWords("a\"b c\"d e").words, (Words{"ab cd", "e"}));
    EXPECT_EQ(SplitWords("type Edit1 \"\"").words, (Words{"type", "Edit1", ""}));
}

TEST(SplitWords, EscapesInsideQuotes)
{
    EXPECT_EQ(SplitWords(R"("say \"hi\"")").words, Words{"say \"hi\""});
    EXPECT_EQ(SplitWords(R"("C:\\")").words, Words{"C:\\"});
    // Other backslashes stay, so that DOS paths need no doubling.
    EXPECT_EQ(SplitWords(R"("C:\My Documents\a.txt")").words, Words{R"(C:\My Documents\a.txt)"});
    // Outside quotes a backslash is an ordinary character.
    EXPECT_EQ(SplitWords(R"(cwd C:\work\)").words, (Words{"cwd", R"(C:\work\)"}));
}

TEST(SplitWords, UnterminatedQuoteIsAnError)
{
    auto line = SplitWords("get \"a b", 7);
    EXPECT_TRUE(line.words.empty());
    EXPECT_EQ(line.error, "unterminated quote");
    EXPECT_EQ(line.number, 7);
    // An escaped quote does not end the word.
    EXPECT_EQ(SplitWords(R"(get "a\")").error, "unterminated quote");
}

TEST(ScriptReader, SkipsCommentsAndBlankLinesAndCountsEveryLine)
{
    std::istringstream script("# heading\n\n   \n  # indented comment\nstart\r\nselect ListView1 #3\n");
    ScriptReader reader(script);
    auto first = reader.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->number, 5);
    EXPECT_EQ(first->words, Words{"start"});
    auto second = reader.Next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->number, 6);
    EXPECT_EQ(second->words, (Words{"select", "ListView1", "#3"}));
    EXPECT_FALSE(reader.Next());
}

TEST(ScriptReader, LastLineWithoutLineEnd)
{
    std::istringstream script("start\nclose");
    ScriptReader reader(script);
    reader.Next();
    auto last = reader.Next();
    ASSERT_TRUE(last);
    EXPECT_EQ(last->words, Words{"close"});
    EXPECT_EQ(last->number, 2);
}
