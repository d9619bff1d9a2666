// The OK step's writer of TavoCust.cnf and its agreement with the reader, on a real folder.

#include "platform/Files.h"
#include "settings/SettingsText.h"
#include "tests/TempTree.h"
#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

using namespace orvane;

namespace {

class SettingsFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(root.empty());
        mkdir((root + "/work").c_str(), 0755);
        drives.Map('C', root);
        getcwd(previous, sizeof previous);
    }
    void TearDown() override
    {
        chdir(previous);
    }

    std::vector<std::string> FileLines(const std::string& name)
    {
        auto content = platform::ReadWholeFile(drives, "C:\\work\\" + name);
        std::vector<std::string> lines;
        if (!content)
            return lines;
        EXPECT_EQ(content->substr(content->size() - 2), "\r\n") << "every line, the last too, ends with CR LF";
        for (const SettingsLine& line : SplitSettingsLines(*content))
            lines.push_back(line.value);
        return lines;
    }

    static TSettingsValues DialogValues()
    {
        TSettingsValues values;
        values.waitTime = "15";
        values.capH = "300";
        values.capW = "200";
        int choices[7] = {1, 1, 1, 2, 1, 0, 2};
        std::copy(std::begin(choices), std::end(choices), values.choices);
        values.menuBar = true;
        values.infoBar = false;
        values.capNames = {{"状態", "拡張子"}, {"設定済", "XLS"}, {"ﾕｰｻﾞｰ済", "DOC"}, {"", ""}, {"ﾕｰｻﾞｰ済", "表示"}};
        values.textNames = {{"状態", "拡張子"}, {"設定済", "TXT"}};
        values.cashDir = "C:\\表示\\ｷｬｯｼｭ";
        values.cashSize = "25";
        values.capWMax = 1024;
        values.capHMax = 768;
        values.cPath = "C:\\work";
        return values;
    }

    TempTree tree{"settings"};
    const std::string root = tree.Root();
    platform::DriveMap drives;
    char previous[4096] = {};
};

}  // namespace

TEST_F(SettingsFiles, TheOkStepWritesEveryLineInOrderAndStoresTheValues)
{
    HeadlessRun run(drives, "C:\\work");
    ASSERT_TRUE(run.Form().StoreSettings(DialogValues()));
    EXPECT_EQ(FileLines("TavoCust.cnf"),
              (std::vector<std::string>{"15", "300", "200", "1", "1", "1", "2", "1", "0", "2", "1", "0", "DOC", "表示",
                                        "@CAP", "@TXT", "C:\\表示\\ｷｬｯｼｭ", "25"}))
        << "empty rows are left out and the preset row is never written";
    EXPECT_EQ(run.Form().WaitTime->Caption(), "15");
    EXPECT_EQ(run.Form().InfoBar->Caption(), "0");
    EXPECT_EQ(run.Form().SeFile->Caption(), "2");
    EXPECT_EQ(run.Form().CapNames->Cell(1, 4), "表示");
    EXPECT_EQ(run.Form().CapNames->Cell(1, 3), "") << "the empty dialog row is stored as it is";
    EXPECT_EQ(run.Form().CashDir->Caption(), "C:\\表示\\ｷｬｯｼｭ");
}

TEST_F(SettingsFiles, WhatTheWriterWritesTheNextStartReadsBack)
{
    {
        HeadlessRun first(drives, "C:\\work");
        ASSERT_TRUE(first.Form().StoreSettings(DialogValues()));
    }
    HeadlessRun second(drives, "C:\\work");
    TImageForm& form = second.Form();
    EXPECT_EQ(form.WaitTime->Caption(), "15");
    EXPECT_EQ(form.CapH->Caption(), "300");
    EXPECT_EQ(form.CapW->Caption(), "200");
    EXPECT_EQ(form.ViewSet->Caption(), "0");
    EXPECT_EQ(form.CapNames->Cell(1, 2), "DOC");
    EXPECT_EQ(form.CapNames->Cell(1, 3), "表示") << "the reader packs the rows the writer skipped";
    EXPECT_EQ(form.TextNames->Cell(1, 2), "");
    EXPECT_EQ(form.CashDir->Caption(), "C:\\表示\\ｷｬｯｼｭ") << "a double-byte character whose second byte is a backslash survives";
    EXPECT_EQ(form.CashSize->Caption(), "25");
}

TEST_F(SettingsFiles, CaptureSizesAreClampedBetweenTenAndTheDesktop)
{
    HeadlessRun run(drives, "C:\\work");
    TSettingsValues values = DialogValues();
    values.capW = "wide";
    values.capH = "99999";
    ASSERT_TRUE(run.Form().StoreSettings(values));
    EXPECT_EQ(run.Form().CapW->Caption(), "10");
    EXPECT_EQ(run.Form().CapH->Caption(), "768");
    values.waitTime = "  +42s";
    ASSERT_TRUE(run.Form().StoreSettings(values));
    EXPECT_EQ(run.Form().WaitTime->Caption(), "42");
}

TEST_F(SettingsFiles, AFileThatCannotBeWrittenStoresNothingAndKeepsTheOldFile)
{
    HeadlessRun run(drives, "C:\\work");
    ASSERT_TRUE(run.Form().StoreSettings(DialogValues()));
    TSettingsValues values = DialogValues();
    values.waitTime = "99";
    values.cPath = "C:\\no\\such\\folder";
    EXPECT_FALSE(run.Form().StoreSettings(values));
    EXPECT_EQ(run.Form().WaitTime->Caption(), "15");
    EXPECT_EQ(FileLines("TavoCust.cnf").front(), "15");
}

TEST_F(SettingsFiles, StartMakesTheCacheFolderAndCloseWritesThePositions)
{
    {
        HeadlessRun run(drives, "C:\\work");
        struct stat info;
        EXPECT_EQ(stat((root + "/work/View").c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        run.process.view->SetBounds(-20, 700, 300, 200);
        run.Form().Close();
    }
    EXPECT_EQ(FileLines("TavoCust2.cnf"),
              (std::vector<std::string>{"204", "211", "602", "359", "700", "-20", "300", "200"}));
}

// A file that ends early holds what it has, and a list ends at its marker or at the file's end.
TEST(SettingsLines, AFileEndingEarlyHoldsWhatItHas)
{
    const std::string twelve = "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n";

    StoredSettingsLines shortFile = ReadSettingsLines("0\r\n1\r\n@CAP\r\n");
    EXPECT_EQ(shortFile.settings, (std::vector<std::string>{"0", "1", "@CAP"})) << "a marker among the settings is a setting";
    EXPECT_TRUE(shortFile.capNames.empty());

    StoredSettingsLines inList = ReadSettingsLines(twelve + "XLS\r\n\r\nDOC");
    EXPECT_EQ(inList.settings.size(), StoredSettingsLines::SettingCount);
    EXPECT_EQ(inList.capNames, (std::vector<std::string>{"XLS", "", "DOC"})) << "an empty row is a row";
    EXPECT_TRUE(inList.textNames.empty());
    EXPECT_TRUE(inList.cacheLines.empty());

    StoredSettingsLines whole = ReadSettingsLines(twelve + "@CAP\r\nLOG\r\n@TXT\r\nC:\\x\r\n1638\r\nmore\r\n");
    EXPECT_TRUE(whole.capNames.empty());
    EXPECT_EQ(whole.textNames, (std::vector<std::string>{"LOG"}));
    EXPECT_EQ(whole.cacheLines, (std::vector<std::string>{"C:\\x", "1638"})) << "lines after the cache size are not read";
}
