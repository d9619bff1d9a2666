// Directory search, path resolution and whole-file operations over a real temporary folder.

#include "platform/CodePage.h"
#include "platform/DriveMap.h"
#include "platform/Files.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace platform;

namespace {

class TempDrive : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(root.empty());
        drives.Map('C', root);
        drives.Map('Z', "/");
    }

    std::string Host(const std::string& relative) const { return root + "/" + relative; }
    void Write(const std::string& relative, const std::string& content) const
    {
        std::ofstream(Host(relative), std::ios::binary) << content;
    }
    void Folder(const std::string& relative) const { ASSERT_EQ(mkdir(Host(relative).c_str(), 0755), 0); }

    // name -> attributes of every entry a search finds, in the order found.
    std::vector<std::pair<std::string, unsigned>> Search(const std::string& pattern, unsigned mask = faAnyFile) const
    {
        std::vector<std::pair<std::string, unsigned>> found;
        DirectorySearch search(drives, pattern, mask);
        FoundFile entry;
        while (search.Next(entry))
            found.emplace_back(entry.name, entry.attributes);
        return found;
    }

    TempTree tree{"files"};
    const std::string root = tree.Root();
    DriveMap drives;
};

std::vector<std::string> Names(const std::vector<std::pair<std::string, unsigned>>& found)
{
    std::vector<std::string> names;
    for (const auto& [name, attributes] : found)
        names.push_back(name);
    return names;
}

}  // namespace

TEST(Wildcards, FollowTheRulesOfThatSystem)
{
    EXPECT_TRUE(MatchesPattern("README", "*.*")) << "*.* also finds names without a dot";
    EXPECT_TRUE(MatchesPattern("photo.BMP", "*.bmp"));
    EXPECT_FALSE(MatchesPattern("photo.bmpx", "*.bmp"));
    EXPECT_FALSE(MatchesPattern("bmp", "*.bmp"));
    EXPECT_TRUE(MatchesPattern("a.tar.gz", "*.gz"));
    EXPECT_TRUE(MatchesPattern("note.txt", "NOTE.???"));
    EXPECT_FALSE(MatchesPattern("note.tx", "note.???"));
    EXPECT_TRUE(MatchesPattern("README", "README.*"));
    EXPECT_TRUE(MatchesPattern("表示.txt", "??.txt")) << "a question mark stands for a whole double-byte character";
    EXPECT_FALSE(MatchesPattern("表示.txt", "表?示.txt"));
    EXPECT_TRUE(MatchesPattern("ｱ.TXT", "ｱ.txt"));
    EXPECT_FALSE(MatchesPattern("a", ""));
}

TEST(DosTime, PacksDateAndTimeAndClampsEarlyYears)
{
    EXPECT_EQ(PackDosTime({2026, 12, 7, 22, 3, 58}), (uint32_t((46 << 9) | (12 << 5) | 7) << 16) | ((22 << 11) | (3 << 5) | 29));
    EXPECT_EQ(PackDosTime({1970, 1, 1, 0, 0, 0}), PackDosTime({1980, 1, 1, 0, 0, 0}));
}

TEST_F(TempDrive, SearchReportsDotsFirstThenEntriesWithTheirAttributes)
{
    Write("NOTE.TXT", "0123456789");
    Write(".profile", "");
    Folder("sub");
    Folder(".hidden");
    ASSERT_EQ(mkdir(Host("sub/inner").c_str(), 0755), 0);

    auto found = Search("C:\\sub\\*.*");
    EXPECT_EQ(Names(found), (std::vector<std::string>{".", "..", "inner"}));
    EXPECT_EQ(found[0].second, unsigned(faDirectory));

    std::map<std::string, unsigned> rootEntries;
    for (const auto& [name, attributes] : Search("C:\\*.*"))
        rootEntries[name] = attributes;
    EXPECT_FALSE(rootEntries.contains(".")) << "a drive's root has no dot entries";
    EXPECT_EQ(rootEntries["NOTE.TXT"], unsigned(faArchive));
    EXPECT_EQ(rootEntries[".profile"], unsigned(faArchive | faHidden));
    EXPECT_EQ(rootEntries["sub"], unsigned(faDirectory));
    EXPECT_EQ(rootEntries[".hidden"], unsigned(faDirectory | faHidden));

    auto plain = Names(Search("C:\\*.*", faArchive | faReadOnly));
    std::sort(plain.begin(), plain.end());
    EXPECT_EQ(plain, (std::vector<std::string>{"NOTE.TXT"})) << "the mask leaves out hidden entries and folders";
}

TEST_F(TempDrive, SizesAreSixtyFourBitAndTimesLocalAtTwoSeconds)
{
    Write("small.bin", "0123456789");
    int fd = open(Host("huge.bin").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 5LL << 30), 0) << "a sparse file of 5 GiB";
    close(fd);
    struct timespec times[2] = {{0, 0}, {0, 0}};
    struct tm moment {};
    moment.tm_year = 2001 - 1900;
    moment.tm_mon = 2;
    moment.tm_mday = 4;
    moment.tm_hour = 5;
    moment.tm_min = 6;
    moment.tm_sec = 7;
    moment.tm_isdst = -1;
    times[0].tv_sec = times[1].tv_sec = mktime(&moment);
    utimensat(AT_FDCWD, Host("small.bin").c_str(), times, 0);

    std::map<std::string, FoundFile> entries;
    DirectorySearch search(drives, "C:\\*.bin", faAnyFile);
    for (FoundFile entry; search.Next(entry);)
        entries[entry.name] = entry;
    EXPECT_EQ(entries["huge.bin"].size, 5ULL << 30);
    EXPECT_EQ(entries["small.bin"].size, 10u);
    EXPECT_EQ(entries["small.bin"].time, (LocalTime{2001, 3, 4, 5, 6, 6}));
    EXPECT_EQ(entries["small.bin"].dosTime, PackDosTime({2001, 3, 4, 5, 6, 6}));
}

TEST_F(TempDrive, LinksAreFollowedAndABrokenOneIsAFile)
{
    Folder("target");
    ASSERT_EQ(symlink(Host("target").c_str(), Host("link").c_str()), 0);
    ASSERT_EQ(symlink(Host("nowhere").c_str(), Host("broken").c_str()), 0);
    std::map<std::string, unsigned> entries;
    for (const auto& [name, attributes] : Search("C:\\*.*"))
        entries[name] = attributes;
    EXPECT_EQ(entries["link"], unsigned(faDirectory));
    EXPECT_EQ(entries["broken"], unsigned(faArchive));
}

TEST_F(TempDrive, ReadOnlyMarksWhatTheUserMayNotWrite)
{
    if (getuid() == 0)
        GTEST_SKIP() << "root may write everything, so nothing reads as read-only";
    Write("locked.txt", "x");
    chmod(Host("locked.txt").c_str(), 0444);
    auto found = Search("C:\\locked.txt");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].second, unsigned(faArchive | faReadOnly));
}

TEST_F(TempDrive, NamesAreFoundWithoutRegardToCaseAndInJapanese)
{
    Folder("Docs");
    Write("Docs/Report.TXT", "r");
    Write("Docs/\xE8\xA1\xA8\xE7\xA4\xBA.txt", "jp");
    Write("Docs/caf\xC3\xA9", "e");
    EXPECT_EQ(ResolveHostPath(drives, "C:\\DOCS\\report.txt"), Host("Docs/Report.TXT"));
    EXPECT_EQ(ResolveHostPath(drives, "c:\\docs\\..\\Docs\\.\\Report.TXT"), Host("Docs/Report.TXT"));
    EXPECT_EQ(ReadWholeFile(drives, "C:\\Docs\\表示.TXT"), "jp");
    EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\missing\\x"), Host("Docs/missing/x"));

    auto names = Names(Search("C:\\docs\\*.*", faArchive));
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 3u);
    std::string accented = HostNameToCp932("caf\xC3\xA9");
    EXPECT_EQ(ReadWholeFile(drives, "C:\\Docs\\" + accented), "e") << "a name the code page lacks still opens";
}

// A path written as its file is named is taken as it stands, without a look at each of its parts;
// one through "." or ".." is left to the resolution, which follows them as text.
TEST_F(TempDrive, APathAsWrittenIsTheHostPathOfItsPartsWithoutDotsFollowed)
{
    Folder("Docs");
    Write("Docs/Report.TXT", "r");
    EXPECT_EQ(ExactHostPath(drives, "C:\\Docs\\Report.TXT"), Host("Docs/Report.TXT"));
    EXPECT_EQ(ExactHostPath(drives, "C:\\docs\\report.txt"), Host("docs/report.txt")) << "as written, found or not";
    EXPECT_EQ(ExactHostPath(drives, "C:\\Docs\\表示.txt"), Host("Docs/\xE8\xA1\xA8\xE7\xA4\xBA.txt"));
    EXPECT_FALSE(ExactHostPath(drives, "C:\\Docs\\..\\Docs\\Report.TXT").has_value());
    EXPECT_FALSE(ExactHostPath(drives, "C:\\.\\Docs").has_value());
    EXPECT_FALSE(ExactHostPath(drives, "Q:\\x").has_value());
    EXPECT_EQ(ResolveHostPath(drives, "C:\\Docs\\..\\docs\\REPORT.txt"), Host("Docs/Report.TXT"));
}

TEST_F(TempDrive, ReplacingAFileIsAtomicAndKeepsItsPermissions)
{
    Write("settings.cnf", "old\r\n");
    chmod(Host("settings.cnf").c_str(), 0640);
    std::ifstream reader(Host("settings.cnf"), std::ios::binary);
    ASSERT_TRUE(ReplaceFile(drives, "C:\\settings.cnf", "new\r\n"));
    std::string held((std::istreambuf_iterator<char>(reader)), std::istreambuf_iterator<char>());
    EXPECT_EQ(held, "old\r\n") << "a reader that held the old file still reads it whole";
    EXPECT_EQ(ReadWholeFile(drives, "C:\\settings.cnf"), "new\r\n");
    struct stat info;
    stat(Host("settings.cnf").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    auto leftovers = Names(Search("C:\\settings.cnf.*"));
    EXPECT_TRUE(leftovers.empty()) << "no temporary file stays behind";

    std::string reason;
    EXPECT_FALSE(ReplaceFile(drives, "C:\\no\\such\\folder\\x.cnf", "x", &reason));
    EXPECT_EQ(reason, "そのようなファイルやディレクトリはありません") << "the system's reason, in Japanese";
    EXPECT_FALSE(ReplaceFile(drives, "Q:\\x.cnf", "x", &reason));
    EXPECT_EQ(reason, "このパスを含むドライブがありません");
    mkdir(Host("locked").c_str(), 0555);
    if (access(Host("locked").c_str(), W_OK) == 0)
        return;  // the superuser writes anywhere
    EXPECT_FALSE(ReplaceFile(drives, "C:\\locked\\x.cnf", "x", &reason));
    EXPECT_EQ(reason, "許可がありません");
}

// Settings kept in a dotfiles folder through a link: the link stays, the file it names (through
// a chain of links, relative or absolute) gets the new content, written beside it in its own
// folder; a link to a file not yet there makes that file.
TEST_F(TempDrive, ReplacingALinkReplacesTheFileItNamesAndKeepsTheLink)
{
    Folder("dotfiles");
    Write("dotfiles/TavoCust.cnf", "old\r\n");
    chmod(Host("dotfiles/TavoCust.cnf").c_str(), 0600);
    ASSERT_EQ(symlink("dotfiles/TavoCust.cnf", Host("middle.cnf").c_str()), 0);
    ASSERT_EQ(symlink(Host("middle.cnf").c_str(), Host("settings.cnf").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(drives, "C:\\settings.cnf", "new\r\n"));
    struct stat info;
    ASSERT_EQ(lstat(Host("settings.cnf").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link keeps standing";
    ASSERT_EQ(lstat(Host("middle.cnf").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadWholeFile(drives, "C:\\dotfiles\\TavoCust.cnf"), "new\r\n");
    stat(Host("dotfiles/TavoCust.cnf").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_TRUE(Names(Search("C:\\settings.cnf.*")).empty());
    EXPECT_TRUE(Names(Search("C:\\dotfiles\\*.~*")).empty()) << "no temporary file stays beside the target";

    ASSERT_EQ(symlink("dotfiles/new.cnf", Host("dangling.cnf").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(drives, "C:\\dangling.cnf", "made\r\n"));
    EXPECT_EQ(ReadWholeFile(drives, "C:\\dotfiles\\new.cnf"), "made\r\n");

    ASSERT_EQ(symlink("loop2.cnf", Host("loop1.cnf").c_str()), 0);
    ASSERT_EQ(symlink("loop1.cnf", Host("loop2.cnf").c_str()), 0);
    std::string reason;
    EXPECT_FALSE(ReplaceFile(drives, "C:\\loop1.cnf", "x", &reason));
    EXPECT_EQ(reason, "シンボリックリンクの階層が多すぎます");
}

// A file marked read-only is not replaced behind the user's back (its folder would allow the
// rename): the write fails with the system's reason, and the file keeps its content.
TEST_F(TempDrive, AReadOnlyFileIsNotReplaced)
{
    Write("settings.cnf", "old\r\n");
    chmod(Host("settings.cnf").c_str(), 0444);
    std::string reason;
    EXPECT_FALSE(ReplaceFile(drives, "C:\\settings.cnf", "new\r\n", &reason));
    EXPECT_EQ(reason, "許可がありません");
    EXPECT_EQ(ReadWholeFile(drives, "C:\\settings.cnf"), "old\r\n");
    EXPECT_TRUE(Names(Search("C:\\settings.cnf.*")).empty());
}

// The current folder removed under the process: its nearest parent that exists stands in, so a
// folder list or chooser that starts there never gets an empty folder.
TEST_F(TempDrive, ARemovedCurrentFolderGivesItsNearestParentThatExists)
{
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    Folder("a");
    Folder("a/b");
    Folder("a/b/c");
    ASSERT_EQ(chdir(Host("a/b/c").c_str()), 0);
    rmdir(Host("a/b/c").c_str());
    rmdir(Host("a/b").c_str());
    const std::string current = CurrentHostFolder();
    EXPECT_EQ(chdir(previous), 0);
    EXPECT_EQ(current, Host("a"));
}

TEST_F(TempDrive, FoldersAreMadeOneLevelAtATimeAndFilesDeletedButNotFolders)
{
    EXPECT_TRUE(CreateDirectory(drives, "C:\\View"));
    EXPECT_FALSE(CreateDirectory(drives, "C:\\View")) << "an existing entry";
    EXPECT_FALSE(CreateDirectory(drives, "C:\\a\\b")) << "a missing parent";
    ASSERT_TRUE(FindExact(drives, "C:\\view").has_value());
    EXPECT_EQ(FindExact(drives, "C:\\view")->attributes, unsigned(faDirectory));
    EXPECT_FALSE(FindExact(drives, "C:\\").has_value()) << "a drive root is not found by name";
    EXPECT_FALSE(FindExact(drives, "C:\\nothing").has_value());

    Write("View/a.bmp", "1234");
    EXPECT_FALSE(DeleteFile(drives, "C:\\View"));
    EXPECT_TRUE(DeleteFile(drives, "C:\\View\\A.BMP"));
    EXPECT_FALSE(FindExact(drives, "C:\\View\\a.bmp").has_value());
    EXPECT_FALSE(ReadWholeFile(drives, "C:\\View").has_value()) << "a folder is not read as a file";
}

TEST_F(TempDrive, ASearchOfAMissingFolderFindsNothing)
{
    EXPECT_TRUE(Search("C:\\missing\\*.*").empty());
    EXPECT_TRUE(Search("Q:\\*.*").empty());
    EXPECT_TRUE(Search("C:\\").empty());
}
