// Folders and files whose names end in a double-byte character with the second byte 0x5C ("\")
// or 0x7C ("|"), through the whole program: the start folder and the cache folder in it, the
// listing and the folder tree, the captions and the display of each kind, the launch, the
// capture, the capture shown again and the trim.

#include "tests/app/HeadlessRun.h"
#include "tests/TrailByteCharacters.h"

#include "formats/Bmp.h"
#include "platform/ClassesRoot.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

using namespace orvane;
using namespace tk;
using orvane_test::Shown;

namespace {

void WriteHostFile(const std::string& hostPath, const std::string& content)
{
    std::ofstream(hostPath, std::ios::binary) << content;
}

std::string ReadHostFile(const std::string& hostPath)
{
    std::ifstream file(hostPath, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

bool HostFileExists(const std::string& hostPath)
{
    struct stat status {};
    return stat(hostPath.c_str(), &status) == 0;
}

std::string SmallBitmap()
{
    std::vector<uint8_t> bytes = formats::EncodeBmp(formats::Image{7, 5, std::vector<uint32_t>(35, 0xFF00FF00)},
                                                    formats::BmpDepth::Bits24);
    return std::string(bytes.begin(), bytes.end());
}

// A program that writes the argument it receives beside itself, and the file types that start it
// for text files and spreadsheets.
void WriteLauncher(const std::string& root)
{
    mkdir((root + "/bin").c_str(), 0755);
    WriteHostFile(root + "/bin/args.sh", "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/args.txt\"\n");
    chmod((root + "/bin/args.sh").c_str(), 0755);
    WriteHostFile(root + "/types.reg",
                  "REGEDIT4\r\n\r\n"
                  "[HKEY_CLASSES_ROOT\\.txt]\r\n@=\"txtfile\"\r\n"
                  "[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]\r\n@=\"C:\\\\bin\\\\args.sh %1\"\r\n"
                  "[HKEY_CLASSES_ROOT\\.xls]\r\n@=\"Excel.Sheet\"\r\n"
                  "[HKEY_CLASSES_ROOT\\Excel.Sheet\\shell\\open\\command]\r\n@=\"C:\\\\bin\\\\args.sh %1\"\r\n");
}

const TListItem* SelectRow(TImageForm& form, const std::string& caption)
{
    for (int i = 0; i < form.ListView1->Items().Count(); ++i) {
        if (form.ListView1->Items()[i].Caption() == caption) {
            form.ListView1->InputSelect(i);
            return &form.ListView1->Items()[i];
        }
    }
    return nullptr;
}

bool ShowRow(TImageForm& form, const std::string& caption)
{
    if (!SelectRow(form, caption))
        return false;
    form.ListView1->InputClick();
    return true;
}

}  // namespace

TEST(JapaneseNames, AFolderNamedByATrailByteCharacterWorksEverywhere)
{
    TemporaryDrive drive;
    WriteLauncher(drive.Root());
    mkdir((drive.Root() + "/work").c_str(), 0755);
    const std::string bitmap = SmallBitmap();

    for (const std::string& c : orvane_test::HostNameCharacters()) {
        const std::string hostName = platform::Cp932ToUtf8(c);
        const std::string hostFolder = drive.Root() + "/work/" + hostName;
        const std::string folder = "C:\\work\\" + c;
        SCOPED_TRACE(Shown(folder));
        mkdir(hostFolder.c_str(), 0755);
        mkdir((hostFolder + "/" + hostName).c_str(), 0755);
        WriteHostFile(hostFolder + "/a" + hostName + ".txt", "text of " + c);
        WriteHostFile(hostFolder + "/b" + hostName + ".bmp", bitmap);
        WriteHostFile(hostFolder + "/c" + hostName + ".htm", "<p>page</p>");
        WriteHostFile(hostFolder + "/d" + hostName + ".xls", "sheet");
        WriteHostFile(hostFolder + "/e" + hostName + ".dll", "library");
        WriteHostFile(hostFolder + "/f" + hostName + ".rtf", "{\\rtf1\\ansi rich}");

        HeadlessRun run(drive.drives, folder);
        TImageForm& form = run.Form();
        std::string error;
        run.host.SetFileTypes(platform::ClassesRoot::FromRegistryFile(drive.Root() + "/types.reg", error));
        run.host.Programs().SetIdleBound(3000);

        // The start folder holds the settings and the cache folder.
        EXPECT_EQ(form.CPath->Caption(), folder);
        EXPECT_EQ(form.CashDir->Caption(), folder + "\\View");
        EXPECT_TRUE(HostFileExists(hostFolder + "/View")) << "the cache folder is made in the start folder";
        EXPECT_EQ(form.Caption(), "Orvane - " + folder);

        // The listing and the folder tree.
        EXPECT_EQ(run.process.ListedCount, 7) << "six files and the subfolder; the cache folder comes after";
        EXPECT_NE(SelectRow(form, "a" + c + ".txt"), nullptr);
        EXPECT_EQ(form.DirectoryListBox1->Directory(), folder);
        const std::vector<TFolderItem>& tree = form.DirectoryListBox1->Items();
        ASSERT_GE(tree.size(), 4u);
        EXPECT_EQ(tree[2].caption, c);
        EXPECT_EQ(tree[2].path, folder);
        EXPECT_EQ(tree.back().caption, c) << "the subfolder of the same name";
        EXPECT_EQ(tree.back().path, folder + "\\" + c);

        // The display of each kind, with the captions and the path the launcher uses.
        ASSERT_TRUE(ShowRow(form, "a" + c + ".txt"));
        EXPECT_EQ(run.process.CurrentPath, folder + "\\a" + c + ".txt");
        EXPECT_EQ(form.Caption(), "Orvane - " + folder + "\\a" + c + ".txt");
        EXPECT_EQ(run.process.view->Caption(), "Orvane - a" + c + ".txt");
        EXPECT_EQ(form.URichEdit->Lines()[0], "text of " + c);
        EXPECT_TRUE(run.dialogs.boxes.empty()) << run.dialogs.boxes.front().text;

        ASSERT_TRUE(ShowRow(form, "b" + c + ".bmp"));
        EXPECT_EQ(form.UImage->Picture().Width(), 7);
        EXPECT_TRUE(form.UImage->Visible());

        ASSERT_TRUE(ShowRow(form, "c" + c + ".htm"));
        EXPECT_EQ(form.U_HTML->URL(), "file:///" + folder + "\\c" + c + ".htm");

        ASSERT_TRUE(ShowRow(form, "e" + c + ".dll"));
        EXPECT_EQ(form.ULabel->Caption(), "システムファイルです!");

        ASSERT_TRUE(ShowRow(form, "f" + c + ".rtf"));
        EXPECT_EQ(form.URichEdit->Lines()[0], "rich");
        EXPECT_TRUE(run.dialogs.boxes.empty()) << run.dialogs.boxes.front().text;

        // The launch hands the started program the file's host path.
        ASSERT_TRUE(ShowRow(form, "a" + c + ".txt"));
        form.ListView1->InputDblClick();
        EXPECT_EQ(ReadHostFile(drive.Root() + "/bin/args.txt"), hostFolder + "/a" + hostName + ".txt");

        // The capture is stored under the document's own name and shown when it is selected.
        ASSERT_TRUE(ShowRow(form, "d" + c + ".xls"));
        EXPECT_TRUE(form.ULabel->Visible()) << "no capture yet";
        form.ListView1->InputDblClick();
        EXPECT_EQ(ReadHostFile(drive.Root() + "/bin/args.txt"), hostFolder + "/d" + hostName + ".xls");
        EXPECT_EQ(run.process.CaptureFileName, folder + "\\View\\C#!work!" + c + "!d" + c + ".xls.bmp");
        ASSERT_TRUE(form.Timer2->Enabled());
        static_cast<platform::FakeScreen&>(run.host.Screen()).SetForeground(30, 20);
        run.clock.Advance(10000);
        const std::string picture = hostFolder + "/View/C#!work!" + hostName + "!d" + hostName + ".xls.bmp";
        EXPECT_TRUE(HostFileExists(picture));
        ASSERT_TRUE(ShowRow(form, "d" + c + ".xls"));
        EXPECT_EQ(form.UImage->Picture().Width(), 30);
        EXPECT_FALSE(form.ULabel->Visible());

        // The trim finds and deletes that picture.
        form.CashSize->SetCaption("0");
        form.TrimCache();
        EXPECT_FALSE(HostFileExists(picture));

        // A folder row of that name is entered.
        ASSERT_NE(SelectRow(form, c), nullptr);
        form.ListView1->InputDblClick();
        EXPECT_EQ(form.DirectoryListBox1->Directory(), folder + "\\" + c);
        EXPECT_EQ(form.Caption(), "Orvane - " + folder + "\\" + c);
        EXPECT_EQ(run.process.ListedCount, 0);
        form.Close();
    }
}

TEST(JapaneseNames, DocumentsWhoseNamesDifferOnlyInSuchACharacterKeepTheirOwnCaptures)
{
    TemporaryDrive drive;
    WriteLauncher(drive.Root());
    mkdir((drive.Root() + "/work").c_str(), 0755);
    WriteHostFile(drive.Root() + "/work/\xE3\x82\xBD.xls", "so");      // ソ
    WriteHostFile(drive.Root() + "/work/\xE8\xA1\xA8.xls", "table");   // 表
    HeadlessRun run(drive.drives, "C:\\work");
    TImageForm& form = run.Form();
    std::string error;
    run.host.SetFileTypes(platform::ClassesRoot::FromRegistryFile(drive.Root() + "/types.reg", error));
    auto& screen = static_cast<platform::FakeScreen&>(run.host.Screen());

    ASSERT_TRUE(ShowRow(form, "ソ.xls"));
    form.ListView1->InputDblClick();
    screen.SetForeground(40, 10);
    run.clock.Advance(10000);
    ASSERT_TRUE(ShowRow(form, "表.xls"));
    EXPECT_FALSE(form.UImage->Visible()) << "the other document's capture is not this one's";
    form.ListView1->InputDblClick();
    screen.SetForeground(50, 10);
    run.clock.Advance(10000);

    ASSERT_TRUE(ShowRow(form, "ソ.xls"));
    EXPECT_EQ(form.UImage->Picture().Width(), 40);
    ASSERT_TRUE(ShowRow(form, "表.xls"));
    EXPECT_EQ(form.UImage->Picture().Width(), 50);
    EXPECT_TRUE(HostFileExists(drive.Root() + "/work/View/C#!work!\xE3\x82\xBD.xls.bmp"));
}
