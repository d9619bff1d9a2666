#include "settings/SettingsText.h"

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

std::string JoinSettingsLines(const std::vector<std::string>& values)
{
    std::string content;
    for (const std::string& value : values) {
        content += value;
        content += "\r\n";
    }
    return content;
}

}  // namespace orvane
