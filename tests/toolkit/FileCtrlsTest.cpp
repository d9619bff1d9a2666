// The folder list and the drive box over a folder service that a test makes up.

#include "toolkit/Application.h"
#include "toolkit/Exception.h"
#include "toolkit/FileCtrls.h"
#include "toolkit/Form.h"
#include "toolkit/Headless.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace tk;

namespace {

class FakeFolders : public IFolders {
public:
    std::vector<char> Drives() override { return {'C', 'D'}; }
    std::string DriveLabel(char drive) override { return drive == 'C' ? "home" : "stick"; }
    std::string CurrentDirectory() override { return current; }
    bool SetCurrentDirectory(const std::string& path) override
    {
        if (!tree.contains(path))
            return false;
        driveDirectories[current[0]] = current;
        current = path;
        driveDirectories[path[0]] = path;
        return true;
    }
    std::string DriveDirectory(char drive) override
    {
        if (driveDirectories.contains(drive))
            return driveDirectories[drive];
        return current[0] == drive ? current : std::string(1, drive) + ":\\";
    }
    std::vector<std::string> SubFolders(const std::string& path) override { return tree[path]; }
    std::string HostPath(const std::string& path) override { return path; }

    std::string current = "C:\\work";
    std::map<std::string, std::vector<std::string>> tree = {
        {"C:\\", {"work"}},
        {"C:\\work", {"docs", "表示"}},
        {"C:\\work\\docs", {}},
        {"C:\\work\\表示", {}},
        {"D:\\", {"photos"}},
        {"D:\\photos", {}},
    };
    std::map<char, std::string> driveDirectories;
};

struct FolderForm {
    TApplication application;
    RecordingDialogs dialogs;
    FakeFolders folders;
    TForm* form = nullptr;
    TDirectoryListBox* list = nullptr;
    TDriveComboBox* drives = nullptr;
    std::vector<std::string> changes;

    FolderForm()
    {
        application.SetDialogs(&dialogs);
        application.SetFolders(&folders);
        form = new TForm(&application);
        list = new TDirectoryListBox(form);
        list->SetParent(form);
        drives = new TDriveComboBox(form);
        drives->SetParent(form);
        drives->SetDirList(list);
        list->OnChange = [this](TObject*) { changes.push_back(list->Directory()); };
    }
};

std::vector<std::string> Captions(const TDirectoryListBox& list)
{
    std::vector<std::string> captions;
    for (const TFolderItem& item : list.Items())
        captions.push_back(std::string(item.level, ' ') + item.caption + (item.open ? "/" : ""));
    return captions;
}

}  // namespace

TEST(DirectoryListBox, ShowsThePathFromTheRootThenTheSubfolders)
{
    FolderForm f;
    EXPECT_EQ(f.list->Directory(), "C:\\work");
    EXPECT_EQ(Captions(*f.list), (std::vector<std::string>{"C:\\/", " work/", "  docs", "  表示"}));
    EXPECT_EQ(f.list->ItemIndex(), 1);
    EXPECT_EQ(f.list->Items()[3].path, "C:\\work\\表示");
}

TEST(DirectoryListBox, OpeningAFolderEntersItAndRunsTheChangeEventOnce)
{
    FolderForm f;
    f.list->InputOpenItem(2);
    EXPECT_EQ(f.folders.current, "C:\\work\\docs");
    EXPECT_EQ(Captions(*f.list), (std::vector<std::string>{"C:\\/", " work/", "  docs/"}));
    f.list->InputDirectory("c:\\WORK\\DOCS");
    EXPECT_EQ(f.changes, (std::vector<std::string>{"C:\\work\\docs"})) << "the same folder in other case changes nothing";
    f.list->InputOpenItem(0);
    EXPECT_EQ(f.list->Directory(), "C:\\");
    EXPECT_EQ(f.changes.size(), 2u);
}

TEST(DirectoryListBox, AFolderThatCannotBeEnteredIsReportedAndNothingChanges)
{
    FolderForm f;
    f.list->InputDirectory("C:\\missing");
    EXPECT_EQ(f.list->Directory(), "C:\\work");
    EXPECT_TRUE(f.changes.empty());
    ASSERT_EQ(f.dialogs.boxes.size(), 1u);
    EXPECT_THROW(f.list->SetDirectory("C:\\missing"), EInOutError);
}

TEST(DriveComboBox, ChoosingADriveMovesTheListToThatDrivesCurrentFolder)
{
    FolderForm f;
    EXPECT_EQ(f.drives->Items(), (std::vector<std::string>{"c: home", "d: stick"}));
    EXPECT_EQ(f.drives->ItemIndex(), 0);
    f.drives->InputChoose(1);
    EXPECT_EQ(f.list->Directory(), "D:\\");
    EXPECT_EQ(Captions(*f.list), (std::vector<std::string>{"D:\\/", " photos"}));
    f.list->InputOpenItem(1);
    f.drives->InputChoose(0);
    EXPECT_EQ(f.list->Directory(), "C:\\work") << "a drive keeps the folder that was current on it";
    f.drives->InputChoose(1);
    EXPECT_EQ(f.list->Directory(), "D:\\photos");
}
