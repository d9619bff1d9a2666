// One read of a folder shared by the folder tree, the listing and the look-ups of names without
// regard to case, and dropped when the folder changes.

#include "platform/CodePage.h"
#include "platform/DriveMap.h"
#include "platform/Files.h"
#include "platform/FolderReading.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

using namespace platform;

// Every entry read from a folder and every look at an entry by name, counted on their way to the
// system: the program's code is linked into this test, so its calls come here first.
namespace {
uint64_t g_entriesRead = 0;
// A big folder's entries are looked at by two threads.
std::atomic<uint64_t> g_entryLooks = 0;
}  // namespace

extern "C" dirent* readdir(DIR* directory)
{
    static auto real = reinterpret_cast<dirent* (*)(DIR*)>(dlsym(RTLD_NEXT, "readdir"));
    dirent* entry = real(directory);
    g_entriesRead += entry != nullptr;
    return entry;
}

extern "C" int fstatat(int folderFd, const char* path, struct stat* info, int flags)
{
    static auto real = reinterpret_cast<int (*)(int, const char*, struct stat*, int)>(dlsym(RTLD_NEXT, "fstatat"));
    g_entryLooks += path[0] != '\0';  // an empty path is a look at the folder itself
    return real(folderFd, path, info, flags);
}

namespace {

class FolderReadings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(tree.Root().empty());
        drives.Map('C', tree.Root());
        ForgetFolderReadings();
    }

    // Makes `count` files named file0.txt ... in the folder.
    void Fill(const std::string& folder, int count) const
    {
        for (int i = 0; i < count; ++i)
            tree.Write(folder + "/file" + std::to_string(i) + ".txt", "");
    }

    // Waits until the folder's last change lies far enough back that a reading of it is kept,
    // as it is for any folder not changed in the last moments.
    bool WaitUntilKept(const std::string& folder) const
    {
        int fd = open(tree.Path(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        bool kept = false;
        for (int attempt = 0; fd >= 0 && !kept && attempt < 400; ++attempt) {
            ReadFolder(fd);
            const uint64_t before = g_entriesRead;
            ReadFolder(fd);
            kept = g_entriesRead == before;
            if (!kept)
                usleep(10000);
        }
        if (fd >= 0)
            close(fd);
        return kept;
    }

    TempTree tree{"readings"};
    DriveMap drives;
};

}  // namespace

// A file missing in a large folder was found by reading the whole folder on every look-up; a
// program start asks for several (its settings files, its cache folder, icons named by type).
TEST_F(FolderReadings, MissesOfTheCaseBlindLookUpReadTheUnchangedFolderOnce)
{
    tree.Folder("big");
    Fill("big", 3000);
    tree.Write("big/Report.TXT", "r");
    ASSERT_TRUE(WaitUntilKept(""));
    ASSERT_TRUE(WaitUntilKept("big"));

    const uint64_t before = g_entriesRead;
    for (const char* missing : {"C:\\big\\TavoCust.cnf", "C:\\big\\TavoCust2.cnf", "C:\\big\\View", "C:\\BIG\\nothing"})
        EXPECT_EQ(ResolveHostPath(drives, missing), tree.Path("big/") + (std::string(missing).substr(7)))
            << "a missing name is kept as given";
    EXPECT_EQ(ResolveHostPath(drives, "C:\\big\\report.txt"), tree.Path("big/Report.TXT"));
    EXPECT_EQ(ResolveHostPath(drives, "C:\\big\\FILE2999.TXT"), tree.Path("big/file2999.txt"));
    EXPECT_EQ(g_entriesRead - before, 0u) << "the kept reading answers every look-up";
}

TEST_F(FolderReadings, AChangedFolderIsReadAgainSoNewRemovedAndRenamedNamesAreSeen)
{
    tree.Folder("docs");
    Fill("docs", 50);
    tree.Write("docs/Old.TXT", "o");
    ASSERT_TRUE(WaitUntilKept("docs"));
    EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\new.txt"), tree.Path("docs/new.txt"));

    tree.Write("docs/New.TXT", "n");
    EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\new.txt"), tree.Path("docs/New.TXT")) << "a name made since";
    ASSERT_EQ(std::rename(tree.Path("docs/Old.TXT").c_str(), tree.Path("docs/OLDER.txt").c_str()), 0);
    EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\old.txt"), tree.Path("docs/old.txt")) << "a name renamed away";
    EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\older.TXT"), tree.Path("docs/OLDER.txt")) << "a name renamed to";
    ASSERT_EQ(unlink(tree.Path("docs/New.TXT").c_str()), 0);
    EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\new.txt"), tree.Path("docs/new.txt")) << "a name removed";

    // A change in the very moment after a read carries the same time as the folder's last one
    // could: such a reading is not kept, and each look-up reads the folder afresh.
    for (int round = 0; round < 20; ++round) {
        const std::string name = "Quick" + std::to_string(round) + ".TXT";
        const std::string dosName = dos::AsciiLower(name);
        EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\" + dosName), tree.Path("docs/" + dosName));
        tree.Write("docs/" + name, "q");
        EXPECT_EQ(ResolveHostPath(drives, "C:\\docs\\" + dosName), tree.Path("docs/" + name)) << "round " << round;
    }
}

TEST_F(FolderReadings, OfNamesThatDifferInCaseTheFirstInByteOrderIsFound)
{
    tree.Folder("twins");
    for (const char* name : {"note.TXT", "NOTE.txt", "Note.Txt"})
        tree.Write(std::string("twins/") + name, name);
    EXPECT_EQ(ResolveHostPath(drives, "C:\\twins\\NOTE.TXT"), tree.Path("twins/NOTE.txt"));
    EXPECT_EQ(ReadWholeFile(drives, "C:\\twins\\note.TXT"), "note.TXT") << "an exact name is itself";
}

// Names that are not plain ASCII are looked up by their DOS names: Japanese ones, ones the code page
// lacks and ones holding a backslash, which their DOS names escape.
TEST_F(FolderReadings, NamesBeyondAsciiAreFoundByTheirDosNamesWithoutRegardToCase)
{
    tree.Folder("jp");
    Fill("jp", 200);
    const std::vector<std::string> hostNames = {"\xE8\xA1\xA8\xE7\xA4\xBA.Txt", "Caf\xC3\xA9.Txt", "Back\\Slash.Txt",
                                                "\xEF\xBD\xB1.Txt"};
    for (const std::string& name : hostNames)
        tree.Write("jp/" + name, name);
    ASSERT_TRUE(WaitUntilKept("jp"));
    for (const std::string& name : hostNames) {
        const std::string dosName = dos::AsciiUpper(HostNameToCp932(name));
        EXPECT_EQ(ResolveHostPath(drives, "C:\\jp\\" + dosName), tree.Path("jp/" + name)) << name;
    }
    EXPECT_EQ(ResolveHostPath(drives, "C:\\jp\\表示.TXT"), tree.Path("jp/\xE8\xA1\xA8\xE7\xA4\xBA.Txt"));
    EXPECT_EQ(ResolveHostPath(drives, "C:\\jp\\ｱ.txt"), tree.Path("jp/\xEF\xBD\xB1.Txt"));
}

// The desktop's type names ("image/bmp") stood where a path was read, and each read the whole
// listed folder; no DOS name holds a "/", so no entry can match one.
TEST_F(FolderReadings, APartHoldingASlashIsNeverLookedForInTheFolder)
{
    tree.Folder("work");
    Fill("work", 20);
    const uint64_t before = g_entriesRead;
    EXPECT_EQ(ResolveHostPath(drives, "C:\\work\\application/winhlp"), tree.Path("work/application/winhlp"));
    EXPECT_EQ(ResolveHostPath(drives, "C:\\work\\image/bmp"), tree.Path("work/image/bmp"));
    EXPECT_EQ(g_entriesRead, before);
}

// The folder tree read the folder and looked at each entry, then the listing did the same.
TEST_F(FolderReadings, TheTreeAndTheListingShareOneReadAndTheTreeLooksOnlyAtLinks)
{
    tree.Folder("start");
    Fill("start", 30);
    for (const char* folder : {"start/Zeta", "start/alpha", "start/.hidden", "start/target"})
        tree.Folder(folder);
    ASSERT_EQ(symlink(tree.Path("start/target").c_str(), tree.Path("start/link").c_str()), 0);
    ASSERT_EQ(symlink(tree.Path("start/nowhere").c_str(), tree.Path("start/broken").c_str()), 0);
    ASSERT_EQ(symlink(tree.Path("start/file0.txt").c_str(), tree.Path("start/tofile").c_str()), 0);
    ASSERT_TRUE(WaitUntilKept("start"));
    ForgetFolderReadings();

    const uint64_t readBefore = g_entriesRead;
    const uint64_t looksBefore = g_entryLooks;
    EXPECT_EQ(SubFolderNames(drives, "C:\\start"), (std::vector<std::string>{"Zeta", "alpha", "link", "target"}))
        << "hidden folders, files and links to anything but a folder are left out";
    EXPECT_EQ(g_entryLooks - looksBefore, 3u) << "the three links alone are looked at";
    const uint64_t treeLooks = g_entryLooks;
    int listed = 0;
    DirectorySearch search(drives, "C:\\start\\*.*", faAnyFile);
    for (FoundFile entry; search.Next(entry);)
        ++listed;
    EXPECT_EQ(listed, 2 + 30 + 4 + 3) << "the dots, the files, the folders and the links";
    EXPECT_EQ(g_entryLooks - treeLooks, uint64_t(listed) + 1) << "each entry once, the broken link twice";
    EXPECT_EQ(g_entriesRead - readBefore, 2u + 30 + 4 + 3) << "the folder is read once";

    EXPECT_TRUE(SubFolderNames(drives, "C:\\missing").empty());
    EXPECT_TRUE(SubFolderNames(drives, "Q:\\").empty());
}

// A folder is listed in the byte order of its host names, the same on every file system: names
// that share their first eight or sixteen bytes, shorter ones and ones beyond ASCII included.
TEST_F(FolderReadings, NamesComeInTheByteOrderOfTheirHostNames)
{
    tree.Folder("order");
    std::vector<std::string> names = {"b", "a", "abcdefgh", "abcdefghi", "abcdefgha", "abcdefg", "abcdefgh\xC3\xA9",
                                      "Z", "A", "\xC3\xA9", "\xE8\xA1\xA8", "abcdefgh0", "abcdefgh ", "~", "a b",
                                      "abcdefghijklmnop", "abcdefghijklmnopq", "abcdefghijklmno",
                                      "abcdefghijklmnop\xC3\xA9", "abcdefghijklmnoq", "abcdefghijklmnop0"};
    for (int i = 0; i < 300; ++i)
        names.push_back("entry" + std::to_string(i * 37 % 1000) + ".t" + std::to_string(i % 7));
    for (const std::string& name : names)
        tree.Write("order/" + name, "");
    std::sort(names.begin(), names.end());
    std::vector<std::string> listed;
    DirectorySearch search(drives, "C:\\order\\*.*", faAnyFile);
    EXPECT_EQ(search.FolderSize(), 0u) << "not read yet";
    for (FoundFile entry; search.Next(entry);)
        if (entry.name != "." && entry.name != "..")
            listed.push_back(Cp932ToUtf8(entry.name));
    EXPECT_EQ(listed, names);
    EXPECT_EQ(search.FolderSize(), names.size());
    DirectorySearch some(drives, "C:\\order\\entry1*.*", faAnyFile);
    FoundFile first;
    ASSERT_TRUE(some.Next(first));
    EXPECT_EQ(some.FolderSize(), names.size()) << "the folder's size, before the pattern chooses";
}

// A folder is listed with the sizes and times its files have now, however long its names have
// been kept: only names are kept, since writing a file does not change its folder.
TEST_F(FolderReadings, AKeptReadingListsTheSizesFilesHaveNow)
{
    tree.Folder("grow");
    tree.Write("grow/log.txt", "1");
    ASSERT_TRUE(WaitUntilKept("grow"));
    auto sizeOf = [&] {
        DirectorySearch search(drives, "C:\\grow\\log.txt", faAnyFile);
        FoundFile entry;
        return search.Next(entry) ? entry.size : uint64_t(999);
    };
    EXPECT_EQ(sizeOf(), 1u);
    tree.Write("grow/log.txt", "12345");
    EXPECT_EQ(sizeOf(), 5u);
}

// A big folder's entries are looked at from both ends at once, by the listing and by a second
// thread: every entry still comes once, in order, with its own size and kind, and a search left
// half-way ends at once.
TEST_F(FolderReadings, ABigFolderListsEveryEntryRightWhileASecondThreadLooksAhead)
{
    constexpr int Count = 6000;
    tree.Folder("big");
    std::vector<std::string> names;
    for (int i = 0; i < Count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "f%05d", i);
        names.push_back(name);
        if (i % 500 == 0)
            tree.Folder(std::string("big/") + name);
        else
            tree.Write(std::string("big/") + name, std::string(i % 7, 'x'));
    }
    ASSERT_EQ(symlink(tree.Path("big/nowhere").c_str(), tree.Path("big/f99999").c_str()), 0);
    names.push_back("f99999");

    const uint64_t looksBefore = g_entryLooks;
    std::vector<std::string> listed;
    DirectorySearch search(drives, "C:\\big\\*.*", faAnyFile);
    for (FoundFile entry; search.Next(entry);) {
        if (entry.name == "." || entry.name == "..")
            continue;
        const int i = int(listed.size());
        listed.push_back(entry.name);
        if (i == Count) {
            EXPECT_EQ(entry.attributes & faDirectory, 0u) << "a broken link lists as a file";
            EXPECT_EQ(entry.size, 0u);
        } else if (i % 500 == 0) {
            EXPECT_NE(entry.attributes & faDirectory, 0u) << entry.name;
        } else {
            EXPECT_EQ(entry.attributes & faDirectory, 0u) << entry.name;
            EXPECT_EQ(entry.size, uint64_t(i % 7)) << entry.name;
        }
    }
    EXPECT_EQ(listed, names);
    EXPECT_LT(g_entryLooks - looksBefore, uint64_t(Count) + 200) << "about one look per entry";

    for (int stopAfter : {0, 1, 10, 3000}) {
        DirectorySearch part(drives, "C:\\big\\*.*", faAnyFile);
        FoundFile entry;
        for (int k = 0; k < stopAfter && part.Next(entry); ++k) {
        }
    }
}
