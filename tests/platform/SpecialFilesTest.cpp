// Named pipes, sockets and devices, and links to them: every reader of the platform refuses them
// at once instead of waiting for a writer or reading without end, the directory search marks them
// from the one stat it makes, and what is read of a regular file ends at its size when opened.

#include "platform/DriveMap.h"
#include "platform/Files.h"
#include "platform/HostFiles.h"
#include "platform/MappedFile.h"
#include "platform/RegularFile.h"
#include "tests/SpecialFiles.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

using namespace platform;
using special::Prompt;

namespace {

class SpecialFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(tree.Root().empty());
        drives.Map('C', tree.Root());
        ASSERT_TRUE(special::MakePipe(tree.Path("fifo.txt")));
        ASSERT_TRUE(special::MakeLink(tree.Path("fifo.txt"), tree.Path("pipe.ico")));
        ASSERT_TRUE(special::MakeLink("/dev/zero", tree.Path("zero.txt")));
        haveSocket = special::MakeSocket(tree.Path("socket.bmp"));
        tree.Write("plain.txt", "plain");
        tree.Folder("folder.txt");
    }

    // The names that are no files to read, with what each is.
    std::map<std::string, std::string> Specials() const
    {
        std::map<std::string, std::string> names = {
            {"fifo.txt", "a named pipe"}, {"pipe.ico", "a link to a named pipe"}, {"zero.txt", "a link to /dev/zero"}};
        if (haveSocket)
            names["socket.bmp"] = "a socket";
        return names;
    }

    TempTree tree{"special"};
    DriveMap drives;
    bool haveSocket = false;
};

}  // namespace

// The readers through which the program reads the user's and the desktop's files: the content of a
// shown file or a settings file, a mapped picture or program, a file of the desktop's databases.
TEST_F(SpecialFiles, EveryReaderRefusesThemAtOnceAndStillReadsARegularFile)
{
    const std::map<std::string, std::function<bool(const std::string&)>> readers = {
        {"ReadWholeFile", [&](const std::string& name) { return ReadWholeFile(drives, "C:\\" + name).has_value(); }},
        {"MappedFile::Open",
         [&](const std::string& name) { return MappedFile::Open(drives, "C:\\" + name).has_value(); }},
        {"ReadHostFile", [&](const std::string& name) { return ReadHostFile(tree.Path(name)).has_value(); }},
        {"RegularFile::Open", [&](const std::string& name) { return RegularFile::Open(tree.Path(name)).has_value(); }},
    };
    special::PipeRelease release({tree.Path("fifo.txt")});
    for (const auto& [reader, reads] : readers) {
        for (const auto& [name, what] : Specials()) {
            bool read = true;
            auto took = special::TimeOf([&] { read = reads(name); });
            EXPECT_FALSE(read) << reader << " read " << what;
            EXPECT_LT(took, Prompt) << reader << " waited on " << what;
        }
        EXPECT_FALSE(reads("folder.txt")) << reader << " read a folder";
        EXPECT_TRUE(reads("plain.txt")) << reader << " refused a regular file";
    }
}

TEST_F(SpecialFiles, TheOpeningSaysWhyAFileIsRefused)
{
    FileRefusal refusal = FileRefusal::Unreadable;
    for (const auto& [name, what] : Specials()) {
        EXPECT_FALSE(RegularFile::Open(tree.Path(name), &refusal)) << what;
        EXPECT_EQ(refusal, FileRefusal::NotAFile) << what;
    }
    EXPECT_FALSE(RegularFile::Open(tree.Path("folder.txt"), &refusal));
    EXPECT_EQ(refusal, FileRefusal::Folder);
    EXPECT_FALSE(RegularFile::Open(tree.Path("gone.txt"), &refusal));
    EXPECT_EQ(refusal, FileRefusal::Missing);
}

TEST_F(SpecialFiles, TheSearchMarksThemAndTheLinksToThemButNoFileFolderOrBrokenLink)
{
    ASSERT_TRUE(special::MakeLink(tree.Path("plain.txt"), tree.Path("link.txt")));
    ASSERT_TRUE(special::MakeLink(tree.Path("gone"), tree.Path("broken.txt")));
    std::map<std::string, FoundFile> found;
    DirectorySearch search(drives, "C:\\*.*", faAnyFile);
    for (FoundFile entry; search.Next(entry);)
        found[entry.name] = entry;
    for (const auto& [name, what] : Specials()) {
        ASSERT_TRUE(found.count(name)) << what;
        EXPECT_TRUE(found[name].special) << what;
        EXPECT_EQ(found[name].attributes, unsigned(faArchive)) << what << " still lists as a file";
        auto exact = FindExact(drives, "C:\\" + name);
        ASSERT_TRUE(exact) << what;
        EXPECT_TRUE(exact->special) << what << ", found by its path";
    }
    for (const char* name : {"plain.txt", "link.txt", "broken.txt", "folder.txt"}) {
        ASSERT_TRUE(found.count(name)) << name;
        EXPECT_FALSE(found[name].special) << name;
    }
    EXPECT_EQ(found["broken.txt"].attributes, unsigned(faArchive)) << "a broken link stays a file";
}

TEST_F(SpecialFiles, WhatIsReadEndsAtTheSizeTheFileHadWhenOpened)
{
    tree.Write("growing.log", "0123456789");
    auto file = RegularFile::Open(tree.Path("growing.log"));
    ASSERT_TRUE(file);
    std::ofstream(tree.Path("growing.log"), std::ios::binary | std::ios::app) << std::string(100000, 'x');
    EXPECT_EQ(file->Size(), 10u);
    EXPECT_EQ(file->ReadAll(), "0123456789") << "the file grew after it was opened";
    EXPECT_EQ(file->ReadHead(4), "0123");
    EXPECT_EQ(file->ReadHead(50), "0123456789");

    ASSERT_EQ(truncate(tree.Path("growing.log").c_str(), 4), 0);
    EXPECT_EQ(file->ReadAll(), "0123") << "the file shrank after it was opened";

    EXPECT_EQ(file->ReadAll(3), std::nullopt) << "larger than the limit";
    EXPECT_EQ(ReadHostFile(tree.Path("plain.txt"), 4), std::nullopt) << "larger than the limit";
    EXPECT_EQ(ReadHostFile(tree.Path("plain.txt"), 5), "plain");
}
