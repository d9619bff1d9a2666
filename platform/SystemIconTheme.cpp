#include "platform/SystemIconTheme.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <set>

namespace platform {

namespace {

using IniFile = std::map<std::string, std::map<std::string, std::string>>;

std::string Trim(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string::npos)
        return "";
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(start, end - start + 1);
}

// The sections and keys of a desktop-style settings file; empty when it cannot be read.
IniFile ReadIni(const std::string& path)
{
    IniFile ini;
    std::ifstream stream(path);
    std::string line, section;
    while (std::getline(stream, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        ini[section][Trim(line.substr(0, equals))] = value;
    }
    return ini;
}

std::string Value(const IniFile& ini, const std::string& section, const std::string& key)
{
    auto group = ini.find(section);
    if (group == ini.end())
        return "";
    auto value = group->second.find(key);
    return value == group->second.end() ? "" : value->second;
}

std::vector<std::string> SplitList(const std::string& text, char separator)
{
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        std::string item = Trim(text.substr(start, end - start));
        if (!item.empty())
            items.push_back(item);
        start = end + 1;
    }
    return items;
}

int Number(const std::string& text, int otherwise)
{
    if (text.empty())
        return otherwise;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    return end && *end == '\0' && value >= 0 && value < 100000 ? int(value) : otherwise;
}

bool IsFile(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Image kinds of theme icons this program reads, in order of preference. XPM is not read.
const char* const Extensions[] = {".png", ".svg"};

}  // namespace

bool SystemIconTheme::Directory::Matches(int wanted) const
{
    switch (type) {
    case SizeType::Fixed:
        return wanted == size;
    case SizeType::Scalable:
        return wanted >= minSize && wanted <= maxSize;
    case SizeType::Threshold:
        return wanted >= size - threshold && wanted <= size + threshold;
    }
    return false;
}

int SystemIconTheme::Directory::Distance(int wanted) const
{
    int low = type == SizeType::Fixed ? size : type == SizeType::Scalable ? minSize : size - threshold;
    int high = type == SizeType::Fixed ? size : type == SizeType::Scalable ? maxSize : size + threshold;
    return wanted < low ? low - wanted : wanted > high ? wanted - high : 0;
}

SystemIconTheme::SystemIconTheme(std::vector<std::string> baseFolders, std::string themeName)
    : m_baseFolders(std::move(baseFolders)), m_themeName(std::move(themeName))
{
}

SystemIconTheme SystemIconTheme::Desktop()
{
    std::string home = Environment("HOME");
    std::string dataHome = Environment("XDG_DATA_HOME");
    if (dataHome.empty())
        dataHome = home + "/.local/share";
    std::string dataDirs = Environment("XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share:/usr/share";
    std::vector<std::string> folders = {home + "/.icons", dataHome + "/icons"};
    for (const std::string& folder : SplitList(dataDirs, ':'))
        folders.push_back(folder + "/icons");
    folders.push_back("/usr/share/pixmaps");
    std::string configHome = Environment("XDG_CONFIG_HOME");
    if (configHome.empty())
        configHome = home + "/.config";
    return SystemIconTheme(folders, CurrentSystemIconThemeName(configHome));
}

std::string CurrentSystemIconThemeName(const std::string& configHome)
{
    for (const char* file : {"/gtk-3.0/settings.ini", "/gtk-4.0/settings.ini"}) {
        std::string name = Value(ReadIni(configHome + file), "Settings", "gtk-icon-theme-name");
        if (!name.empty())
            return name;
    }
    std::string kde = Value(ReadIni(configHome + "/kdeglobals"), "Icons", "Theme");
    if (!kde.empty())
        return kde;
    std::string system = Value(ReadIni("/etc/gtk-3.0/settings.ini"), "Settings", "gtk-icon-theme-name");
    return system.empty() ? "default" : system;
}

const SystemIconTheme::Theme& SystemIconTheme::LoadTheme(const std::string& name) const
{
    auto known = m_themes.find(name);
    if (known != m_themes.end())
        return known->second;
    Theme& theme = m_themes[name];
    // The first index.theme found describes the theme; its folders may lie under every base.
    for (const std::string& base : m_baseFolders) {
        IniFile index = ReadIni(base + "/" + name + "/index.theme");
        if (index.empty())
            continue;
        theme.exists = true;
        theme.parents = SplitList(Value(index, "Icon Theme", "Inherits"), ',');
        for (const std::string& path : SplitList(Value(index, "Icon Theme", "Directories"), ',')) {
            if (Number(Value(index, path, "Scale"), 1) != 1)
                continue;
            Directory directory;
            directory.path = path;
            directory.size = Number(Value(index, path, "Size"), 0);
            directory.minSize = Number(Value(index, path, "MinSize"), directory.size);
            directory.maxSize = Number(Value(index, path, "MaxSize"), directory.size);
            directory.threshold = Number(Value(index, path, "Threshold"), 2);
            std::string type = Value(index, path, "Type");
            directory.type = type == "Fixed"      ? SizeType::Fixed
                             : type == "Scalable" ? SizeType::Scalable
                                                  : SizeType::Threshold;
            if (directory.size > 0)
                theme.directories.push_back(directory);
        }
        break;
    }
    return theme;
}

// The current theme, the themes it inherits (depth first, each once), then hicolor and Adwaita.
std::vector<std::string> SystemIconTheme::SearchOrder() const
{
    std::vector<std::string> order;
    std::set<std::string> seen;
    std::vector<std::string> pending = {m_themeName};
    while (!pending.empty() && order.size() < 64) {
        std::string name = pending.front();
        pending.erase(pending.begin());
        if (name.empty() || !seen.insert(name).second)
            continue;
        order.push_back(name);
        const Theme& theme = LoadTheme(name);
        pending.insert(pending.begin(), theme.parents.begin(), theme.parents.end());
    }
    for (const char* fallback : {"hicolor", "Adwaita"})
        if (seen.insert(fallback).second)
            order.push_back(fallback);
    return order;
}

std::string SystemIconTheme::FindInTheme(const std::string& themeName, const Theme& theme, const std::string& icon,
                                   int size) const
{
    std::string closest;
    int closestDistance = INT_MAX;
    for (const Directory& directory : theme.directories) {
        bool matches = directory.Matches(size);
        int distance = directory.Distance(size);
        if (!matches && distance >= closestDistance)
            continue;
        for (const std::string& base : m_baseFolders)
            for (const char* extension : Extensions) {
                std::string path = base + "/" + themeName + "/" + directory.path + "/" + icon + extension;
                if (!IsFile(path))
                    continue;
                if (matches)
                    return path;
                if (distance < closestDistance) {
                    closest = path;
                    closestDistance = distance;
                }
            }
    }
    return closest;
}

std::string SystemIconTheme::FindIcon(const std::string& name, int size) const
{
    for (const std::string& themeName : SearchOrder()) {
        const Theme& theme = LoadTheme(themeName);
        if (!theme.exists)
            continue;
        std::string path = FindInTheme(themeName, theme, name, size);
        if (!path.empty())
            return path;
    }
    // Icons outside any theme, straight in a base folder (/usr/share/pixmaps).
    for (const std::string& base : m_baseFolders)
        for (const char* extension : Extensions)
            if (IsFile(base + "/" + name + extension))
                return base + "/" + name + extension;
    return "";
}

}  // namespace platform
