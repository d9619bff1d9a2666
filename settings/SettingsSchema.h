#pragma once

// Every setting of the store, described once: its label's name, where TavoCust.cnf keeps it, the
// caption the label has when the window is made, what its text means and which control of the
// settings dialog shows it. The file's reader and writer, the store, the dialog's working copies
// and its hand-over to the OK step walk this table instead of naming each setting again.

#include "settings/SettingsValues.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The settings, in the order of the table.
enum class TSetting : int {
    WaitTime,
    CapH,
    CapW,
    CapGetCol,
    CapMessage,
    ETCtype,
    FileView,
    SortFile,
    ViewSet,
    SeFile,
    MenuBar,
    InfoBar,
    CashDir,
    CashSize,
    CapW_Max,
    CapH_Max,
    CPath,
    IconCount,
};

// Where TavoCust.cnf keeps a setting: on one of the lines before the two lists, on one after
// them, or nowhere (a value of the machine or of the running program, put there at start).
enum class TSettingLine { BeforeLists, AfterLists, NotStored };

// What a setting's text holds, and so what the OK step makes of the dialog's value.
enum class TSettingKind {
    Number,  // a whole number, stored in plain decimal whatever the edit held around its digits
    Size,    // a whole number kept between MinimumCaptureSize and the desktop's width or height
    Choice,  // the index of a combo box's item, one of Cust_1 ... Cust_7
    Flag,    // "1" or "0", from a check box
    Folder,  // a path kept as typed; a blank one is no folder and is never taken
    Text,    // kept as the edit holds it (the cache size: its up-down gives digits only)
    Machine, // the desktop's size, the start folder, the icon count: never stored
};

// The dialog's control of the same name as the setting.
enum class TSettingControl { None, Edit, ComboBox, CheckBox };

struct TSettingField {
    TSetting setting;
    // The store's label; the dialog's control of the same name and its working copy "D" + name.
    const char* name;
    TSettingLine line;
    // The label's caption when the window is made, before the start values and the file.
    const char* formValue;
    TSettingKind kind;
    TSettingControl control;
    // Where the dialog's value is in what it hands to the OK step: an edit's text, a check box's
    // state, the number of a choice (0 for Cust_1), a size's upper bound.
    std::string TSettingsValues::*text = nullptr;
    bool TSettingsValues::*flag = nullptr;
    int choice = -1;
    int TSettingsValues::*bound = nullptr;
};

// The smallest capture size the OK step lets through.
constexpr int MinimumCaptureSize = 10;

// The table's rows in the order of TSetting, whose values index it. The rows kept before the
// lists and those after them are written and read in the table's order.
inline constexpr std::array<TSettingField, 18> SettingsSchema = [] {
    using V = TSettingsValues;
    using L = TSettingLine;
    using K = TSettingKind;
    using C = TSettingControl;
    return std::array<TSettingField, 18>{{
        {TSetting::WaitTime, "WaitTime", L::BeforeLists, "10", K::Number, C::Edit, &V::waitTime},
        {TSetting::CapH, "CapH", L::BeforeLists, "480", K::Size, C::Edit, &V::capH, nullptr, -1, &V::capHMax},
        {TSetting::CapW, "CapW", L::BeforeLists, "600", K::Size, C::Edit, &V::capW, nullptr, -1, &V::capWMax},
        {TSetting::CapGetCol, "CapGetCol", L::BeforeLists, "0", K::Choice, C::ComboBox, nullptr, nullptr, 0},
        {TSetting::CapMessage, "CapMessage", L::BeforeLists, "0", K::Choice, C::ComboBox, nullptr, nullptr, 1},
        {TSetting::ETCtype, "ETCtype", L::BeforeLists, "0", K::Choice, C::ComboBox, nullptr, nullptr, 2},
        {TSetting::FileView, "FileView", L::BeforeLists, "1", K::Choice, C::ComboBox, nullptr, nullptr, 3},
        {TSetting::SortFile, "SortFile", L::BeforeLists, "0", K::Choice, C::ComboBox, nullptr, nullptr, 4},
        {TSetting::ViewSet, "ViewSet", L::BeforeLists, "1", K::Choice, C::ComboBox, nullptr, nullptr, 5},
        {TSetting::SeFile, "SeFile", L::BeforeLists, "0", K::Choice, C::ComboBox, nullptr, nullptr, 6},
        {TSetting::MenuBar, "MenuBar", L::BeforeLists, "1", K::Flag, C::CheckBox, nullptr, &V::menuBar},
        {TSetting::InfoBar, "InfoBar", L::BeforeLists, "1", K::Flag, C::CheckBox, nullptr, &V::infoBar},
        {TSetting::CashDir, "CashDir", L::AfterLists, "C:\\", K::Folder, C::Edit, &V::cashDir},
        {TSetting::CashSize, "CashSize", L::AfterLists, "10", K::Text, C::Edit, &V::cashSize},
        {TSetting::CapW_Max, "CapW_Max", L::NotStored, "600", K::Machine, C::None},
        {TSetting::CapH_Max, "CapH_Max", L::NotStored, "480", K::Machine, C::None},
        {TSetting::CPath, "CPath", L::NotStored, "CPath", K::Machine, C::None},
        {TSetting::IconCount, "IconCount", L::NotStored, "0", K::Machine, C::None},
    }};
}();

constexpr bool RowsInSettingOrder()
{
    for (size_t i = 0; i < SettingsSchema.size(); ++i)
        if (static_cast<size_t>(SettingsSchema[i].setting) != i)
            return false;
    return true;
}
static_assert(RowsInSettingOrder());

constexpr size_t SettingCount = SettingsSchema.size();

constexpr const TSettingField& FieldOf(TSetting setting)
{
    return SettingsSchema[static_cast<size_t>(setting)];
}

// How many lines of TavoCust.cnf stand before its lists and after them.
constexpr size_t LineCount(TSettingLine line)
{
    size_t count = 0;
    for (const TSettingField& field : SettingsSchema)
        count += field.line == line;
    return count;
}

// The field of the label of that name; null for a label that holds no setting.
const TSettingField* FindSetting(std::string_view name);

// The capture and text lists: the grids' header, the preset row's state and a user row's state.
extern const char* const ListStateHeader;
extern const char* const ListExtensionHeader;
extern const char* const PresetEntryState;
extern const char* const UserEntryState;

// The two settings files in the start folder, and the path of one of them.
extern const char* const SettingsFileName;
extern const char* const WindowPositionsFileName;
std::string SettingsFilePath(std::string_view startFolder, std::string_view fileName);

}  // namespace orvane
