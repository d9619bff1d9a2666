// The key file reader under the desktop files it serves: desktop entries, association lists,
// icon theme indexes and settings files.

#include "formats/KeyFile.h"

#include <gtest/gtest.h>

using formats::KeyFile;
using formats::SplitKeyFileList;

TEST(KeyFile, ReadsGroupsEntriesAndEscapes)
{
    KeyFile file = KeyFile::Parse("# comment\n[A]\r\n Key = a\\sb\\\\c\\;d \n\n[B b]\nKey[ja]=x\nEmpty=\n");
    EXPECT_TRUE(file.WellFormed()) << file.Fault();
    ASSERT_EQ(file.Groups().size(), 2u);
    EXPECT_EQ(file.Value("A", "Key"), "a b\\c\\;d") << "\\; stays for the list splitter";
    EXPECT_EQ(file.Value("B b", "Key[ja]"), "x");
    EXPECT_EQ(file.Value("B b", "Empty"), "");
    EXPECT_FALSE(file.Value("B b", "Key"));
    EXPECT_FALSE(file.Value("C", "Key"));
}

TEST(KeyFile, FaultyLinesAreLeftOutAndMakeTheFileMalformed)
{
    KeyFile file = KeyFile::Parse("Early=1\n[A]\nno equals sign\n=no key\n[B\nKey=in no group\n[C]\nKey=c\n");
    EXPECT_FALSE(file.WellFormed());
    EXPECT_EQ(file.Fault(), "line 1: an entry outside a group") << "the first fault, with its line";
    EXPECT_TRUE(file.FindGroup("A"));
    EXPECT_FALSE(file.Value("A", "Key"));
    EXPECT_EQ(file.Value("C", "Key"), "c");
}

// A group or key may not stand twice; the values are still read, the group's entries joined and a
// key's last entry counting.
TEST(KeyFile, ARepeatedGroupOrKeyIsAFaultAndTheLastValueCounts)
{
    KeyFile keys = KeyFile::Parse("[A]\nKey=first\nOther=o\nKey=second\n");
    EXPECT_EQ(keys.Fault(), "line 4: a key written twice in its group");
    EXPECT_EQ(keys.Value("A", "Key"), "second");

    KeyFile groups = KeyFile::Parse("[A]\nKey=a\n[B]\nKey=b\n[A]\nMore=m\n");
    EXPECT_EQ(groups.Fault(), "line 5: a group written twice");
    ASSERT_EQ(groups.Groups().size(), 2u);
    EXPECT_EQ(groups.Value("A", "Key"), "a");
    EXPECT_EQ(groups.Value("A", "More"), "m");

    EXPECT_TRUE(KeyFile::Parse("[A]\nKey=a\n[B]\nKey=b\n").WellFormed()) << "one key in two groups";
}

TEST(KeyFile, ListsSplitAtSemicolonsButNotEscapedOnes)
{
    EXPECT_EQ(SplitKeyFileList("a.desktop;b\\;c.desktop;;d;"),
              (std::vector<std::string>{"a.desktop", "b;c.desktop", "d"}));
    EXPECT_TRUE(SplitKeyFileList("").empty());
}
