#include "probe/ProcessValues.h"

#include "app/Process.h"

#include <string>

namespace probe {

tk::TPropertyList DescribeProcess(const orvane::Process& process)
{
    using tk::TPropertyValue;
    tk::TPropertyList list;
    list.Add("CurrentPath", TPropertyValue::Text(process.CurrentPath));
    list.Add("CaptureFileName", TPropertyValue::Text(process.CaptureFileName));
    list.Add("PictureShown", TPropertyValue::Integer(process.PictureShown));
    list.Add("MenuMode", TPropertyValue::Integer(process.MenuMode));
    list.Add("HoveredMenu", TPropertyValue::Integer(process.HoveredMenu));
    list.Add("SortKey", TPropertyValue::Integer(static_cast<int>(process.SortKey)));
    list.Add("SortDirection", TPropertyValue::Integer(static_cast<int>(process.SortDirection)));
    list.Add("ListedCount", TPropertyValue::Integer(process.ListedCount));
    const int cust[] = {process.Cust_1, process.Cust_2, process.Cust_3, process.Cust_4,
                        process.Cust_5, process.Cust_6, process.Cust_7};
    for (int i = 0; i < 7; ++i)
        list.Add("Cust_" + std::to_string(i + 1), TPropertyValue::Integer(cust[i]));
    list.Add("DateSeparator", TPropertyValue::Text(std::string(1, process.DateSeparator)));
    const std::pair<const char*, int> flags[] = {
        {"CenterDoor", process.DragFlag.CenterDoor}, {"RightDoor", process.DragFlag.RightDoor},
        {"DownDoor", process.DragFlag.DownDoor},     {"UpDoor", process.DragFlag.UpDoor},
        {"InfoButton", process.DragFlag.InfoButton}, {"DirButton", process.DragFlag.DirButton},
    };
    for (const auto& [door, flag] : flags)
        list.Add(std::string("DragFlag.") + door, TPropertyValue::Integer(flag));
    return list;
}

bool IsPendingProcessValue(std::string_view)
{
    return false;
}

}  // namespace probe
