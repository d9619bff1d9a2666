// The disk cache of captured pictures: which files are the program's own, and the trim that keeps
// them within the limit while every other file in the folder stays the user's.

#include "capture/CaptureNames.h"
#include "dos/DosPath.h"
#include "app/CustDialog.h"
#include "app/SerchDialog.h"
#include "tests/TrailByteCharacters.h"
#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

#include <string>
#include <vector>

using namespace orvane;

namespace {

bool HostFileExists(const std::string& hostPath)
{
    struct stat info;
    return stat(hostPath.c_str(), &info) == 0;
}

// A file of that many bytes (sparse) last written in the given year.
void MakeFile(const std::string& hostPath, off_t size, int year)
{
    FILE* file = fopen(hostPath.c_str(), "wb");
    ASSERT_NE(file, nullptr) << hostPath;
    fclose(file);
    ASSERT_EQ(truncate(hostPath.c_str(), size), 0);
    struct tm moment = {};
    moment.tm_year = year - 1900;
    moment.tm_mday = 1;
    const time_t when = mktime(&moment);
    struct utimbuf times = {when, when};
    ASSERT_EQ(utime(hostPath.c_str(), &times), 0);
}

class Cache : public ::testing::Test {
protected:
    Cache() : run((mkdir((drive.Root() + "/work").c_str(), 0755), drive.drives), "C:\\work") {}

    std::string Host(const std::string& relative) const { return drive.Root() + "/" + relative; }

    TemporaryDrive drive;
    HeadlessRun run;
};

}  // namespace

TEST(CaptureNames, TheNamesTheCaptureGivesAreItsOwnAndNoOthers)
{
    for (const char* name : {"C#!work!a.xls.bmp", "c#!a.xls.BMP", "Z#!x.Bmp", "C#!work!ｷｬｯｼｭ!表.xls.bmp"})
        EXPECT_TRUE(IsCaptureFileName(name)) << name;
    for (const char* name : {"a.bmp", "photo.BMP", "C#.bmp", "C#!.bmp", "C!#a.bmp", "1#!a.bmp", "#!a.bmp",
                             "C#!a.bmp.txt", "C#!a.bm", "C#!a", "", "表#!a.bmp", "C#!a.bmp~"})
        EXPECT_FALSE(IsCaptureFileName(name)) << name;
}

// Every path the capture may flatten, a folder or file ending in a character whose second byte
// looks like a separator included, gives a name the trim takes for the capture's own.
TEST(CaptureNames, EveryFlattenedDocumentPathIsRecognised)
{
    for (const std::string& c : orvane_test::TrailByteCharacters()) {
        for (const std::string& path : {"C:\\" + c + ".xls", "D:\\work\\" + c + "\\" + c + ".xls", "C:\\a" + c + "\\b.doc"}) {
            const std::string name = dos::FlattenPath(path) + ".bmp";
            EXPECT_TRUE(IsCaptureFileName(name)) << platform::Cp932ToUtf8(name);
        }
    }
}

// The cache folder chosen to be a folder of the user's own pictures: the trim deletes the oldest
// captures until the limit holds and never touches the user's pictures, however old or large.
TEST_F(Cache, TheTrimDeletesOnlyCapturesInAFolderOfTheUsersPictures)
{
    run.Form().CashDir->SetCaption("C:\\work\\Pictures");
    mkdir(Host("work/Pictures").c_str(), 0755);
    MakeFile(Host("work/Pictures/holiday.bmp"), 30 << 20, 1998);
    MakeFile(Host("work/Pictures/scan.BMP"), 2 << 20, 1999);
    MakeFile(Host("work/Pictures/C#.bmp"), 1 << 20, 1997);
    MakeFile(Host("work/Pictures/C#!work!old.xls.bmp"), 600000, 2001);
    MakeFile(Host("work/Pictures/C#!work!mid.xls.bmp"), 600000, 2002);
    MakeFile(Host("work/Pictures/C#!work!new.xls.bmp"), 400000, 2003);
    run.Form().CashSize->SetCaption("1");
    run.Form().TrimCache();
    EXPECT_TRUE(HostFileExists(Host("work/Pictures/holiday.bmp")));
    EXPECT_TRUE(HostFileExists(Host("work/Pictures/scan.BMP")));
    EXPECT_TRUE(HostFileExists(Host("work/Pictures/C#.bmp")));
    EXPECT_FALSE(HostFileExists(Host("work/Pictures/C#!work!old.xls.bmp")));
    EXPECT_TRUE(HostFileExists(Host("work/Pictures/C#!work!mid.xls.bmp"))) << "1000000 bytes fit the limit";
    EXPECT_TRUE(HostFileExists(Host("work/Pictures/C#!work!new.xls.bmp")));

    run.Form().CashSize->SetCaption("0");
    run.Form().TrimCache();
    EXPECT_FALSE(HostFileExists(Host("work/Pictures/C#!work!new.xls.bmp"))) << "a limit of 0 empties the cache";
    EXPECT_TRUE(HostFileExists(Host("work/Pictures/holiday.bmp")));
}

TEST_F(Cache, ACacheLimitThatIsNoWholeNumberTrimsNothing)
{
    const std::string picture = Host("work/View/C#!work!a.xls.bmp");
    MakeFile(picture, 3000000, 2005);
    run.Form().CashSize->SetCaption("1MB");
    run.Form().TrimCache();
    EXPECT_TRUE(HostFileExists(picture));
    run.Form().CashSize->SetCaption("1");
    run.Form().TrimCache();
    EXPECT_FALSE(HostFileExists(picture)) << "a picture larger than the limit alone goes too";
}

// A hand-edited settings file with a blank cache folder: the start folder's "View" is used, so
// neither the creation of the folder nor the trim reaches the drive's root, where the user's
// pictures lie.
TEST(CacheFolder, ABlankCacheFolderInTheSettingsFileGivesWayToTheStartValue)
{
    for (const char* blank : {"", "   ", "\t", "\x81\x40"}) {
        TemporaryDrive drive;
        mkdir((drive.Root() + "/work").c_str(), 0755);
        MakeFile(drive.Root() + "/old.bmp", 20 << 20, 1990);
        MakeFile(drive.Root() + "/C#!old.xls.bmp", 20 << 20, 1990);
        std::string file = "10\r\n480\r\n600\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n0\r\n1\r\n1\r\n@CAP\r\n@TXT\r\n";
        file += std::string(blank) + "\r\n1\r\n";
        FILE* settings = fopen((drive.Root() + "/work/TavoCust.cnf").c_str(), "wb");
        ASSERT_NE(settings, nullptr);
        fwrite(file.data(), 1, file.size(), settings);
        fclose(settings);

        HeadlessRun run(drive.drives, "C:\\work");
        EXPECT_EQ(run.Form().CashDir->Caption(), "C:\\work\\View") << "blank: '" << blank << "'";
        EXPECT_EQ(run.Form().CashSize->Caption(), "1");
        EXPECT_TRUE(HostFileExists(drive.Root() + "/old.bmp"));
        EXPECT_TRUE(HostFileExists(drive.Root() + "/C#!old.xls.bmp")) << "the root is no cache folder";
    }
}

// The folder chooser opened after the folder the program stands in was removed: it starts in the
// nearest folder that still exists, and its OK gives that folder, never an empty one.
TEST_F(Cache, TheFolderChooserStartsInTheNearestFolderThatExists)
{
    mkdir(Host("work/gone").c_str(), 0755);
    mkdir(Host("work/gone/deeper").c_str(), 0755);
    ASSERT_TRUE(run.host.SetCurrentDirectory("C:\\work\\gone\\deeper"));
    rmdir(Host("work/gone/deeper").c_str());
    rmdir(Host("work/gone").c_str());

    auto settings = run.application.NewForm<TCust>(run.process);
    settings->CashDir->SetText("C:\\work\\View");
    auto chooser = run.application.NewForm<TSerch>(settings.get());
    EXPECT_EQ(chooser->DirectoryList->Directory(), "C:\\work");
    chooser->OK->InputClick();
    EXPECT_EQ(settings->CashDir->Text(), "C:\\work");
}
