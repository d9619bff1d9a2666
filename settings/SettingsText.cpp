#include "settings/SettingsText.h"

#include "dos/DosText.h"

#include <utility>

namespace orvane {

std::vector<SettingsLine> SplitSettingsLines(std::string_view content)
{
    std::vector<SettingsLine> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t feed = content.find('\n', start);
        if (feed == std::string_view::npos) {
            lines.push_back({std::string(content.substr(start)), false});
            break;
        }
        size_t end = feed > start && content[feed - 1] == '\r' ? feed - 1 : feed;
        lines.push_back({std::string(content.substr(start, end - start)), true});
        start = feed + 1;
    }
    return lines;
}

bool IsListMarker(std::string_view entry)
{
    return entry == CaptureListMarker || entry == TextListMarker;
}

StoredSettingsLines ReadSettingsLines(std::string_view content)
{
    StoredSettingsLines stored;
    SettingsReader reader(content);
    const SettingsLine* line = nullptr;
    while (stored.settings.size() < StoredSettingsLines::SettingCount) {
        if (!(line = reader.Next()))
            return stored;
        stored.settings.push_back(line->value);
    }
    // A list ends at its marker; a file that ends first ends the list there.
    for (auto [list, marker] : {std::pair{&stored.capNames, CaptureListMarker}, std::pair{&stored.textNames, TextListMarker}})
        while ((line = reader.Next()) && line->value != marker)
            list->push_back(line->value);
    while (stored.cacheLines.size() < StoredSettingsLines::CacheLineCount && (line = reader.Next()))
        stored.cacheLines.push_back(line->value);
    return stored;
}

std::string JoinSettingsLines(const std::vector<std::string>& values)
{
    std::string content;
    for (const std::string& value : values) {
        content += value;
        content += "\r\n";
    }
    return content;
}

std::string AsSettingsLine(std::string_view value)
{
    return std::string(dos::FirstLine(value));
}

bool IsWrittenEntry(std::string_view entry)
{
    return !entry.empty() && !IsListMarker(entry) && dos::FirstLine(entry).size() == entry.size();
}

std::string WriteSettingsLines(const StoredSettingsLines& values)
{
    std::vector<std::string> lines;
    for (const std::string& setting : values.settings)
        lines.push_back(AsSettingsLine(setting));
    for (auto [list, marker] : {std::pair{&values.capNames, CaptureListMarker}, std::pair{&values.textNames, TextListMarker}}) {
        for (const std::string& entry : *list)
            if (IsWrittenEntry(AsSettingsLine(entry)))
                lines.push_back(AsSettingsLine(entry));
        lines.emplace_back(marker);
    }
    for (const std::string& line : values.cacheLines)
        lines.push_back(AsSettingsLine(line));
    return JoinSettingsLines(lines);
}

}  // namespace orvane
