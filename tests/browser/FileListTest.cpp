// The file list on its own: given bare components and the host, without the main window, it
// lists, orders, relists and starts applications, and tells the rest of the program only through
// its services.

#include "browser/FileList.h"
#include "browser/FileRows.h"
#include "host/HostFolders.h"
#include "platform/ClassesRoot.h"
#include "platform/Host.h"
#include "tests/app/HeadlessRun.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace orvane;
using namespace tk;

namespace {

class FileList : public ::testing::Test {
protected:
    FileList() : host(drive.drives), form(&application)
    {
        mkdir((drive.Root() + "/work").c_str(), 0755);
        mkdir((drive.Root() + "/work/sub").c_str(), 0755);
        mkdir((drive.Root() + "/bin").c_str(), 0755);
        Write("work/b.txt", "bb");
        Write("work/a.zzz", "a");
        Write("bin/open.sh", "#!/bin/sh\nexit 0\n");
        chmod((drive.Root() + "/bin/open.sh").c_str(), 0755);
        Write("types.reg", "REGEDIT4\r\n\r\n"
                           "[HKEY_CLASSES_ROOT\\.txt]\r\n@=\"txtfile\"\r\n"
                           "[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]\r\n@=\"C:\\\\bin\\\\open.sh %1\"\r\n");
        std::string error;
        host.SetFileTypes(platform::ClassesRoot::FromRegistryFile(drive.Root() + "/types.reg", error));
        host.SetCurrentDirectory("C:\\work");
        application.SetDialogs(&dialogs);
        application.SetFolders(&folders);

        auto* list = new TListView(&form);
        auto* staging = new TListView(&form);
        tree = new TDirectoryListBox(&form);
        std::vector<TImageList*> lists;
        for (int i = 0; i < 4; ++i)
            lists.push_back(new TImageList(&form));
        auto* iconCount = new TLabel(&form);
        auto* iconCache = new TStringGrid(&form);
        iconCache->SetColCount(2);
        std::vector<TImage*> checks;
        for (int i = 0; i < 9; ++i)
            checks.push_back(new TImage(&form));
        std::vector<TButton*> buttons;
        for (int i = 0; i < 4; ++i)
            buttons.push_back(new TButton(&form));
        std::vector<TPanel*> menus;
        for (int i = 0; i < 3; ++i)
            menus.push_back(new TPanel(&form));
        for (TImage* check : checks)
            check->Hide();
        checks[0]->Show();  // by name
        checks[4]->Show();  // ascending
        checks[6]->Show();  // report
        this->list = list;
        files = std::make_unique<TFileList>(
            TFileList::Parts{*list, *staging, *tree, *lists[0], *lists[1], *lists[2], *lists[3], *iconCount, *iconCache},
            TFileList::Choices{*checks[0], *checks[1], *checks[2], *checks[3], *buttons[0], *buttons[1], *buttons[2],
                               *buttons[3], *checks[4], *checks[5], *checks[6], *checks[7], *checks[8], *menus[0],
                               *menus[1], *menus[2]},
            TFileList::State{listed, key, direction, separator},
            TFileList::Services{
                .host = host,
                .icons = icons,
                .listing = [this] { heard.push_back("listing"); },
                .closeMenus = [this] { heard.push_back("close menus"); },
                .launching = [this] { heard.push_back("launching"); },
                .started = [this](const std::string& extension) { heard.push_back("started " + extension); },
                .messageBox = [this](const std::string& text, const std::string&,
                                     unsigned) { heard.push_back("message " + text); },
            });
        files->BuildFixedIcons();
    }

    void Write(const std::string& relative, const std::string& content)
    {
        std::ofstream(drive.Root() + "/" + relative, std::ios::binary) << content;
    }
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < list->Items().Count(); ++i)
            names.push_back(list->Items()[i].Caption());
        return names;
    }
    void Select(const std::string& name)
    {
        for (int i = 0; i < list->Items().Count(); ++i)
            if (list->Items()[i].Caption() == name)
                list->SetItemIndex(i);
    }

    TemporaryDrive drive;
    platform::Host host;
    HostFolders folders{host};
    RecordingDialogs dialogs;
    TApplication application;
    TForm form;
    platform::IIcons* icons = nullptr;
    int listed = 0;
    TSortKey key = TSortKey::Name;
    TSortDirection direction = TSortDirection::Ascending;
    char separator = '/';
    TListView* list = nullptr;
    TDirectoryListBox* tree = nullptr;
    std::unique_ptr<TFileList> files;
    std::vector<std::string> heard;
};

}  // namespace

TEST_F(FileList, ListsOrdersAndRelistsThroughItsOwnComponents)
{
    files->ListFolder();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"sub", "a.zzz", "b.txt"}));
    EXPECT_EQ(listed, 3);
    // The listing sorts by the marked key as the menu's choice does, which closes the menus.
    EXPECT_EQ(heard, (std::vector<std::string>{"listing", "close menus"}));
    EXPECT_EQ(list->ViewStyle(), TViewStyle::vsReport);

    files->SortBySize();
    EXPECT_EQ(key, TSortKey::Size);
    files->SortDescending();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"sub", "b.txt", "a.zzz"}));
    EXPECT_EQ(heard.back(), "close menus");

    // Another program adds a file: the selected row stays selected after the new listing.
    Select("a.zzz");
    Write("work/c.txt", "ccc");
    files->ListAgain();
    EXPECT_EQ(Rows(), (std::vector<std::string>{"sub", "c.txt", "b.txt", "a.zzz"}));
    ASSERT_NE(list->Selected(), nullptr);
    EXPECT_EQ(list->Selected()->Caption(), "a.zzz");
}

TEST_F(FileList, AStartIsToldBeforeAndAfterAndAFailureIsReported)
{
    files->ListFolder();
    heard.clear();
    Select("b.txt");
    files->LaunchSelected();
    EXPECT_EQ(heard, (std::vector<std::string>{"launching", "started TXT"}));

    // No application for the type: the user is told, and nothing counts as started.
    heard.clear();
    Select("a.zzz");
    files->LaunchSelected();
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0], "launching");
    EXPECT_EQ(heard[1].rfind("message ", 0), 0u);

    // A folder without an application is entered instead.
    heard.clear();
    Select("sub");
    files->LaunchSelected();
    EXPECT_EQ(tree->Directory(), "C:\\work\\sub");
    EXPECT_EQ(heard, std::vector<std::string>{"launching"});
}
