// Started from the desktop's menu, the program keeps its settings and its cache in the user's
// XDG folders and lists the home folder; started in a folder, it keeps them in that folder.

#include "platform/DesktopStart.h"
#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using namespace orvane;

namespace {

const char* const Variables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};

// A temporary drive C: with a home folder, XDG folders and a start folder, and the variables of
// the environment pointed there for the test.
class DesktopStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(drive.Root().empty());
        for (const char* name : Variables) {
            const char* value = std::getenv(name);
            m_saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
        for (const char* folder : {"/home", "/work"})
            std::filesystem::create_directories(drive.Root() + folder);
        setenv("HOME", (drive.Root() + "/home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (drive.Root() + "/config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (drive.Root() + "/cache").c_str(), 1);
    }
    void TearDown() override
    {
        for (size_t i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i])
                setenv(Variables[i], m_saved[i]->c_str(), 1);
            else
                unsetenv(Variables[i]);
        }
    }

    static void FromMenu(platform::Host& host)
    {
        EXPECT_TRUE(platform::StartFromDesktop(host, platform::XdgDirs::FromEnvironment()));
    }

    // The names at the top of a folder, sorted.
    std::vector<std::string> Entries(const std::string& folder)
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(drive.Root() + folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    bool IsFile(const std::string& path) { return std::filesystem::is_regular_file(drive.Root() + path); }
    bool IsFolder(const std::string& path) { return std::filesystem::is_directory(drive.Root() + path); }

    TemporaryDrive drive;

private:
    std::vector<std::optional<std::string>> m_saved;
};

}  // namespace

TEST_F(DesktopStart, FromTheMenuTheSettingsAndTheCacheGoToTheXdgFoldersAndTheHomeIsListed)
{
    {
        HeadlessRun run(drive.drives, "C:\\work", FromMenu);
        TImageForm& form = run.Form();
        EXPECT_EQ(form.CPath->Caption(), "C:\\config\\orvane");
        EXPECT_EQ(form.CashDir->Caption(), "C:\\cache\\orvane\\View");
        EXPECT_EQ(form.DirectoryListBox1->Directory(), "C:\\home");
        EXPECT_EQ(form.Caption(), "Orvane - C:\\home");
        EXPECT_TRUE(IsFolder("/cache/orvane/View")) << "the cache folder is made at the first show";
        struct stat info {};
        ASSERT_EQ(stat((drive.Root() + "/config/orvane").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u) << "the settings folder is the user's own";
        run.process.view->SetBounds(30, 400, 300, 200);
        form.Close();
    }
    EXPECT_TRUE(IsFile("/config/orvane/TavoCust2.cnf"));
    EXPECT_EQ(Entries("/home"), std::vector<std::string>{}) << "nothing is written into the home folder";
    EXPECT_EQ(Entries("/work"), std::vector<std::string>{}) << "nor into the folder the launcher left";

    // The next start reads the file it wrote.
    HeadlessRun again(drive.drives, "C:\\work", FromMenu);
    EXPECT_EQ(again.process.view->Left(), 30);
    EXPECT_EQ(again.process.view->Top(), 400);
}

TEST_F(DesktopStart, WithoutXdgVariablesTheHomeHoldsOnlyTheUsualHiddenFolders)
{
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_CACHE_HOME");
    {
        HeadlessRun run(drive.drives, "C:\\work", FromMenu);
        EXPECT_EQ(run.Form().CPath->Caption(), "C:\\home\\.config\\orvane");
        EXPECT_EQ(run.Form().CashDir->Caption(), "C:\\home\\.cache\\orvane\\View");
        run.Form().Close();
    }
    EXPECT_EQ(Entries("/home"), (std::vector<std::string>{".cache", ".config"}));
    EXPECT_TRUE(IsFile("/home/.config/orvane/TavoCust2.cnf"));
    EXPECT_TRUE(IsFolder("/home/.cache/orvane/View"));
}

TEST_F(DesktopStart, InAFolderTheStartFolderKeepsEverythingWhateverTheEnvironmentSays)
{
    {
        HeadlessRun run(drive.drives, "C:\\work");
        EXPECT_EQ(run.Form().CPath->Caption(), "C:\\work");
        EXPECT_EQ(run.Form().CashDir->Caption(), "C:\\work\\View");
        EXPECT_EQ(run.Form().DirectoryListBox1->Directory(), "C:\\work");
        run.Form().Close();
    }
    EXPECT_EQ(Entries("/work"), (std::vector<std::string>{"TavoCust2.cnf", "View"}));
    EXPECT_FALSE(IsFolder("/config")) << "the XDG folders are left alone";
    EXPECT_FALSE(IsFolder("/cache"));
}

TEST_F(DesktopStart, NoHomeFolderOrAnUnusableFolderKeepsTheProgramOffTheStartFolder)
{
    // Without a home there is nothing to list first: the start folder keeps its rule.
    unsetenv("HOME");
    {
        HeadlessRun run(drive.drives, "C:\\work", [](platform::Host& host) {
            EXPECT_FALSE(platform::StartFromDesktop(host, platform::XdgDirs::FromEnvironment()));
        });
        EXPECT_EQ(run.Form().CPath->Caption(), "C:\\work");
    }
    // A file where the settings folder belongs: the settings cannot be kept, but they are not
    // spilled into the home folder either.
    setenv("HOME", (drive.Root() + "/home").c_str(), 1);
    std::filesystem::create_directories(drive.Root() + "/config");
    { std::ofstream(drive.Root() + "/config/orvane") << "in the way"; }
    HeadlessRun run(drive.drives, "C:\\work", FromMenu);
    EXPECT_EQ(run.Form().CPath->Caption(), "C:\\config\\orvane");
    run.Form().Close();
    EXPECT_EQ(Entries("/home"), std::vector<std::string>{});
}

TEST(DesktopStartOption, OnlyTheExactOptionAfterTheProgramNameCounts)
{
    const char* menu[] = {"orvane", "--desktop"};
    const char* named[] = {"--desktop"};
    const char* other[] = {"orvane", "--desktop=1", "-desktop", "desktop"};
    const char* withFiles[] = {"orvane", "/tmp/a file", "--desktop"};
    EXPECT_TRUE(platform::AsksForDesktopStart(2, menu));
    EXPECT_FALSE(platform::AsksForDesktopStart(1, named)) << "the program's own name is no option";
    EXPECT_FALSE(platform::AsksForDesktopStart(4, other));
    EXPECT_TRUE(platform::AsksForDesktopStart(3, withFiles));
    EXPECT_FALSE(platform::AsksForDesktopStart(0, nullptr));
}
