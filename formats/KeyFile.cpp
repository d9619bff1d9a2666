#include "formats/KeyFile.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace formats {

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string Unescape(std::string_view value)
{
    std::string text;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (char next = value[++i]) {
        case 's': text += ' '; break;
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case 'r': text += '\r'; break;
        case '\\': text += '\\'; break;
        default: text += '\\'; text += next; break;   // "\;" stays for the list splitter
        }
    }
    return text;
}

}  // namespace

std::optional<std::string> KeyFileGroup::Value(std::string_view key) const
{
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->first == key)
            return Unescape(it->second);
    return std::nullopt;
}

KeyFile KeyFile::Parse(std::string_view text)
{
    KeyFile file;
    size_t group = SIZE_MAX;   // index of the group being read; none before the first
    std::vector<std::unordered_set<std::string_view>> keysOf;   // the keys each group has had
    int lineNumber = 0;
    auto fault = [&](const char* what) {
        if (file.m_fault.empty())
            file.m_fault = "line " + std::to_string(lineNumber) + ": " + what;
    };
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']' || line.size() < 3) {
                fault("a group without its closing \"]\"");
                group = SIZE_MAX;
                continue;
            }
            std::string_view name = line.substr(1, line.size() - 2);
            auto same = [&](const KeyFileGroup& known) { return known.name == name; };
            group = size_t(std::find_if(file.m_groups.begin(), file.m_groups.end(), same) - file.m_groups.begin());
            if (group == file.m_groups.size()) {
                file.m_groups.push_back(KeyFileGroup{std::string(name), {}});
                keysOf.emplace_back();
            } else {
                fault("a group written twice");
            }
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos || Trim(line.substr(0, equals)).empty()) {
            fault("neither a group, an entry nor a comment");
            continue;
        }
        if (group == SIZE_MAX) {
            fault("an entry outside a group");
            continue;
        }
        std::string_view key = Trim(line.substr(0, equals));
        std::string_view value = Trim(line.substr(equals + 1));
        if (!keysOf[group].emplace(key).second)
            fault("a key written twice in its group");
        file.m_groups[group].entries.emplace_back(std::string(key), std::string(value));
    }
    return file;
}

const KeyFileGroup* KeyFile::FindGroup(std::string_view name) const
{
    for (const KeyFileGroup& group : m_groups)
        if (group.name == name)
            return &group;
    return nullptr;
}

std::optional<std::string> KeyFile::Value(std::string_view group, std::string_view key) const
{
    const KeyFileGroup* found = FindGroup(group);
    return found ? found->Value(key) : std::nullopt;
}

std::vector<std::string> SplitKeyFileList(std::string_view value)
{
    std::vector<std::string> items;
    std::string item;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';') {
            item += ';';
            ++i;
        } else if (value[i] == ';') {
            if (!item.empty())
                items.push_back(std::move(item));
            item.clear();
        } else {
            item += value[i];
        }
    }
    if (!item.empty())
        items.push_back(std::move(item));
    return items;
}

}  // namespace formats
