#include "settings/SettingsSchema.h"

#include "dos/DosPath.h"

namespace orvane {

const char* const ListStateHeader = "状態";
const char* const ListExtensionHeader = "拡張子";
const char* const PresetEntryState = "設定済";
const char* const UserEntryState = "ﾕｰｻﾞｰ済";

const char* const SettingsFileName = "TavoCust.cnf";
const char* const WindowPositionsFileName = "TavoCust2.cnf";

const TSettingField* FindSetting(std::string_view name)
{
    for (const TSettingField& field : SettingsSchema)
        if (name == field.name)
            return &field;
    return nullptr;
}

// A start folder that is a drive's root gives two backslashes in a row, which the drives accept.
std::string SettingsFilePath(std::string_view startFolder, std::string_view fileName)
{
    return dos::AppendToFolder(startFolder, fileName);
}

}  // namespace orvane
