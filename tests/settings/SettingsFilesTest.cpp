// The OK step's writer of TavoCust.cnf and its agreement with the reader, on a real folder.

#include "platform/Files.h"
#include "settings/SettingsText.h"
#include "tests/TempTree.h"
#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <random>
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

namespace {

// What a run holds of the settings the file keeps: the twelve values, the extensions of each
// list's user rows in order (empty rows are no entries), the cache folder and its size.
std::vector<std::string> HeldSettings(TImageForm& form)
{
    std::vector<std::string> held;
    for (tk::TLabel* label : {form.WaitTime, form.CapH, form.CapW, form.CapGetCol, form.CapMessage, form.ETCtype,
                              form.FileView, form.SortFile, form.ViewSet, form.SeFile, form.MenuBar, form.InfoBar})
        held.push_back(label->Caption());
    for (tk::TStringGrid* list : {form.CapNames, form.TextNames}) {
        held.push_back("list");
        for (int row = 2; row < std::max(list->RowCount(), list->StoredRowCount()); ++row)
            if (!list->Cell(1, row).empty())
                held.push_back(list->Cell(1, row));
    }
    held.push_back(form.CashDir->Caption());
    held.push_back(form.CashSize->Caption());
    return held;
}

}  // namespace

// Any state the dialog can hand to the OK step, line breaks, list markers, blanks and double-byte
// characters among its texts, is stored so that the next start reads back exactly what was
// stored: no value can shift the lines of the file.
TEST_F(SettingsFiles, AnyDialogStateWrittenReadsBackAsItWasStored)
{
    const std::vector<std::string> texts = {"", " ", "DOC", "@CAP", "@TXT", "@cap", "@txt", "a\nb", "\r\n", "x\r",
                                            "\ncd", "表", "ｷｬｯｼｭ", "C:\\表\\", "10", "-3", "@CAP\nX", "\x81\x40",
                                            std::string(300, 'L'), "ab\r\ncd"};
    std::mt19937 random(20261208);
    auto pick = [&] { return texts[random() % texts.size()]; };
    for (int round = 0; round < 60; ++round) {
        TSettingsValues values = DialogValues();
        values.waitTime = pick();
        values.capH = pick();
        values.capW = pick();
        for (int& choice : values.choices)
            choice = int(random() % 12) - 2;
        values.menuBar = random() % 2;
        values.infoBar = random() % 2;
        for (auto* list : {&values.capNames, &values.textNames}) {
            list->resize(2);
            for (int rows = int(random() % 7); rows > 0; --rows)
                list->push_back({pick(), pick()});
        }
        values.cashDir = pick();
        values.cashSize = pick();

        // The dialog shows every entry the store holds, so the first run starts from no file:
        // rows it read could otherwise stand in its store beside the random ones.
        unlink((root + "/work/TavoCust.cnf").c_str());
        std::vector<std::string> stored;
        {
            HeadlessRun first(drives, "C:\\work");
            ASSERT_TRUE(first.Form().StoreSettings(values)) << "round " << round;
            stored = HeldSettings(first.Form());
        }
        HeadlessRun second(drives, "C:\\work");
        ASSERT_EQ(HeldSettings(second.Form()), stored) << "round " << round;
        for (const std::string& value : stored)
            EXPECT_EQ(value.find_first_of("\r\n"), std::string::npos) << "round " << round;
    }
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
