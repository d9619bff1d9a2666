// The settings schema against the store, the file and the dialog: every row is read from its own
// line, keeps its start value when the file ends before that line, and passes through the dialog
// and back into the file unchanged.

#include "common/Numbers.h"
#include "platform/Files.h"
#include "app/CustDialog.h"
#include "settings/SettingsSchema.h"
#include "settings/SettingsStore.h"
#include "settings/SettingsText.h"
#include "tests/TempTree.h"
#include "tests/app/HeadlessRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace orvane;

namespace {

// A value each kind of setting holds as it is through the dialog and the OK step, different from
// its start value and, but for the two flags, from every other setting's, so that a setting read
// from another setting's line shows.
std::string DistinctValue(const TSettingField& field)
{
    const int row = static_cast<int>(field.setting);
    switch (field.kind) {
    case TSettingKind::Number:
        return NumberToStr(30 + row);
    case TSettingKind::Size:
        return NumberToStr(300 + row);
    case TSettingKind::Choice:
        // Past every box's items: the dialog keeps such an index until the user chooses.
        return NumberToStr(10 + row);
    case TSettingKind::Flag:
        return "0";
    case TSettingKind::Folder:
        return "C:\\work\\表" + NumberToStr(row);
    case TSettingKind::Text:
        return NumberToStr(50 + row);
    case TSettingKind::Machine:
        break;
    }
    return "";
}

// TavoCust.cnf holding DistinctValue of every stored row, one user entry in each list.
std::vector<std::string> DistinctFile()
{
    StoredSettingsLines file;
    for (const TSettingField& field : SettingsSchema) {
        if (field.line == TSettingLine::BeforeLists)
            file.settings.push_back(DistinctValue(field));
        if (field.line == TSettingLine::AfterLists)
            file.cacheLines.push_back(DistinctValue(field));
    }
    file.capNames = {"DOC"};
    file.textNames = {"LOG"};
    std::vector<std::string> lines;
    for (const SettingsLine& line : SplitSettingsLines(WriteSettingsLines(file)))
        lines.push_back(line.value);
    return lines;
}

class SettingsSchemaFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(root.empty());
        mkdir((root + "/work").c_str(), 0755);
        drives.Map('C', root);
        getcwd(previous, sizeof previous);
    }
    void TearDown() override { chdir(previous); }

    void WriteSettingsFile(const std::vector<std::string>& lines)
    {
        ASSERT_TRUE(platform::ReplaceFile(drives, "C:\\work\\TavoCust.cnf", JoinSettingsLines(lines)));
    }
    std::vector<std::string> SettingsFileLines()
    {
        std::vector<std::string> lines;
        if (auto content = platform::ReadWholeFile(drives, "C:\\work\\TavoCust.cnf"))
            for (const SettingsLine& line : SplitSettingsLines(*content))
                lines.push_back(line.value);
        return lines;
    }
    // Every setting's text after a start in the work folder.
    std::map<std::string, std::string> Started()
    {
        HeadlessRun run(drives, "C:\\work");
        std::map<std::string, std::string> held;
        for (const TSettingField& field : SettingsSchema)
            held[field.name] = run.Form().Settings().Text(field.setting);
        return held;
    }

    TempTree tree{"schema"};
    const std::string root = tree.Root();
    platform::DriveMap drives;
    char previous[4096] = {};
};

}  // namespace

TEST(SettingsSchema, EveryRowHasItsPlaceInTheFileTheWindowAndTheDialog)
{
    EXPECT_EQ(StoredSettingsLines::SettingCount, 12u);
    EXPECT_EQ(StoredSettingsLines::CacheLineCount, 2u);
    std::set<int> choices;
    std::set<std::string> names;
    for (const TSettingField& field : SettingsSchema) {
        EXPECT_TRUE(names.insert(field.name).second) << field.name << " is named twice";
        EXPECT_EQ(FindSetting(field.name), &field) << field.name;
        EXPECT_EQ(field.kind == TSettingKind::Machine, field.line == TSettingLine::NotStored) << field.name;
        EXPECT_EQ(field.control == TSettingControl::None, field.line == TSettingLine::NotStored) << field.name;
        // The dialog's value of each stored setting is where the OK step looks for it.
        EXPECT_EQ(field.text != nullptr, field.control == TSettingControl::Edit) << field.name;
        EXPECT_EQ(field.flag != nullptr, field.control == TSettingControl::CheckBox) << field.name;
        EXPECT_EQ(field.bound != nullptr, field.kind == TSettingKind::Size) << field.name;
        if (field.control == TSettingControl::ComboBox)
            EXPECT_TRUE(choices.insert(field.choice).second) << field.name << " shares choice " << field.choice;
    }
    EXPECT_EQ(choices, (std::set<int>{0, 1, 2, 3, 4, 5, 6})) << "one row for each of Cust_1 ... Cust_7";

    TemporaryDrive drive;
    HeadlessRun run(drive.drives, "C:\\");
    auto dialog = run.application.NewForm<TCust>(run.process);
    for (const TSettingField& field : SettingsSchema) {
        EXPECT_NE(dynamic_cast<tk::TLabel*>(dialog->FindComponent(std::string("D") + field.name)), nullptr)
            << "the dialog has no working copy of " << field.name;
        tk::TComponent* control = dialog->FindComponent(field.name);
        if (field.control == TSettingControl::Edit)
            EXPECT_NE(dynamic_cast<tk::TEdit*>(control), nullptr) << field.name;
        if (field.control == TSettingControl::ComboBox)
            EXPECT_NE(dynamic_cast<tk::TComboBox*>(control), nullptr) << field.name;
        if (field.control == TSettingControl::CheckBox)
            EXPECT_NE(dynamic_cast<tk::TCheckBox*>(control), nullptr) << field.name;
    }
}

TEST_F(SettingsSchemaFiles, EverySettingIsReadFromItsOwnLine)
{
    WriteSettingsFile(DistinctFile());
    const std::map<std::string, std::string> held = Started();
    for (const TSettingField& field : SettingsSchema)
        if (field.line != TSettingLine::NotStored)
            EXPECT_EQ(held.at(field.name), DistinctValue(field)) << field.name;
}

// Cut after any line, the file sets what it holds; every setting on a line it no longer has keeps
// the value a start without any file gives it.
TEST_F(SettingsSchemaFiles, ASettingBeyondTheEndOfAShortFileKeepsItsStartValue)
{
    const std::map<std::string, std::string> startValues = Started();
    const std::vector<std::string> whole = DistinctFile();
    for (size_t kept = 0; kept < whole.size(); ++kept) {
        WriteSettingsFile(std::vector<std::string>(whole.begin(), whole.begin() + kept));
        const std::map<std::string, std::string> held = Started();
        size_t before = 0, after = 0;
        for (const TSettingField& field : SettingsSchema) {
            if (field.line == TSettingLine::NotStored)
                continue;
            // Where the setting's line is: before the lists in table order, after them from the end.
            const size_t line = field.line == TSettingLine::BeforeLists
                ? before++
                : whole.size() - StoredSettingsLines::CacheLineCount + after++;
            const std::string& expected = line < kept ? DistinctValue(field) : startValues.at(field.name);
            EXPECT_EQ(held.at(field.name), expected) << field.name << " with " << kept << " lines kept";
        }
    }
}

// The dialog opened on the stored values and confirmed at once writes the file it was read from:
// every setting passes through its working copy, its control and the OK step unchanged.
TEST_F(SettingsSchemaFiles, TheDialogConfirmedUnchangedWritesBackTheFileItWasReadFrom)
{
    const std::vector<std::string> whole = DistinctFile();
    WriteSettingsFile(whole);
    HeadlessRun run(drives, "C:\\work");
    auto dialog = run.application.NewForm<TCust>(run.process);
    dialog->FormShow(dialog.get());
    dialog->OkButtonClick(dialog.get());
    EXPECT_EQ(SettingsFileLines(), whole);
    EXPECT_TRUE(run.dialogs.boxes.empty()) << "no message: " << (run.dialogs.boxes.empty() ? "" : run.dialogs.boxes[0].text);
}
