#include "platform/IconTheme.h"

#include "formats/KeyFile.h"
#include "platform/DesktopSettings.h"
#include "platform/HostFiles.h"

#include <climits>
#include <cstdlib>

namespace platform {

namespace {

constexpr int MaxInheritance = 8;

int Number(const std::optional<std::string>& text, int fallback)
{
    if (!text || text->empty() || text->size() > 6)
        return fallback;
    char* end = nullptr;
    long value = std::strtol(text->c_str(), &end, 10);
    return *end == '\0' ? int(value) : fallback;
}

std::vector<std::string> SplitCommas(const std::string& list)
{
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            items.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

std::optional<std::string> SettingOf(const std::string& file, const char* group, const char* key)
{
    std::optional<std::string> text = ReadHostFile(file, 1u << 20);
    if (!text)
        return std::nullopt;
    std::optional<std::string> value = formats::KeyFile::Parse(*text).Value(group, key);
    return value && !value->empty() ? value : std::nullopt;
}

}  // namespace

int IconTheme::Directory::Distance(int wanted) const
{
    switch (kind) {
    case Kind::Fixed:
        return std::abs(size - wanted);
    case Kind::Scalable:
        return wanted < minSize ? minSize - wanted : wanted > maxSize ? wanted - maxSize : 0;
    case Kind::Threshold:
        break;
    }
    return wanted < size - threshold ? minSize - wanted : wanted > size + threshold ? wanted - maxSize : 0;
}

IconTheme::IconTheme(std::vector<std::string> baseFolders, const std::vector<std::string>& themeNames)
    : m_baseFolders(std::move(baseFolders))
{
    for (const std::string& name : themeNames)
        AddToChain(name, 0);
    AddToChain("hicolor", 0);
}

std::vector<std::string> IconTheme::BaseFolders(const XdgDirs& dirs)
{
    std::vector<std::string> folders;
    if (!dirs.home.empty())
        folders.push_back(dirs.home + "/.icons");
    for (const std::string& folder : dirs.DataFolders("icons"))
        folders.push_back(folder);
    for (const std::string& folder : dirs.DataFolders("pixmaps"))
        folders.push_back(folder);
    return folders;
}

std::optional<std::string> CurrentIconThemeName(const XdgDirs& dirs)
{
    if (std::optional<std::string> name = DesktopStoreIconTheme(dirs))
        return name;
    std::vector<std::string> configFolders{dirs.configHome};
    configFolders.insert(configFolders.end(), dirs.configDirs.begin(), dirs.configDirs.end());
    for (const std::string& folder : configFolders)
        for (const char* gtk : {"gtk-4.0", "gtk-3.0"})
            if (auto name = SettingOf(folder + "/" + gtk + "/settings.ini", "Settings", "gtk-icon-theme-name"))
                return name;
    if (auto name = SettingOf(dirs.configHome + "/kdeglobals", "Icons", "Theme"))
        return name;
    return SettingOf("/etc/gtk-3.0/settings.ini", "Settings", "gtk-icon-theme-name");
}

std::vector<std::string> IconTheme::ThemeNames(const XdgDirs& dirs)
{
    std::vector<std::string> names;
    if (std::optional<std::string> chosen = CurrentIconThemeName(dirs))
        names.push_back(*chosen);
    // Without a setting, the distribution's default theme, which GTK falls back to as well.
    names.push_back("Adwaita");
    return names;
}

IconTheme IconTheme::Desktop()
{
    XdgDirs dirs = XdgDirs::FromEnvironment();
    return IconTheme(BaseFolders(dirs), ThemeNames(dirs));
}

std::string IconTheme::FindIcon(const std::string& name, int size) const
{
    return Find({name}, size).value_or(std::string());
}

std::string IconTheme::ThemeName() const
{
    std::vector<std::string> chain = Chain();
    return chain.empty() ? std::string() : chain.front();
}

std::unique_ptr<IconTheme::Theme> IconTheme::ReadTheme(const std::string& name) const
{
    for (const std::string& base : m_baseFolders) {
        std::optional<std::string> text = ReadHostFile(base + "/" + name + "/index.theme", 4u << 20);
        if (!text)
            continue;
        formats::KeyFile index = formats::KeyFile::Parse(*text);
        auto theme = std::make_unique<Theme>();
        theme->name = name;
        theme->parents = SplitCommas(index.Value("Icon Theme", "Inherits").value_or(""));
        for (const std::string& sub : SplitCommas(index.Value("Icon Theme", "Directories").value_or(""))) {
            // Folders of images drawn at twice their size and more are for other screens.
            const formats::KeyFileGroup* group = index.FindGroup(sub);
            if (!group || Number(group->Value("Scale"), 1) != 1)
                continue;
            Directory directory;
            directory.size = Number(group->Value("Size"), 0);
            if (directory.size <= 0)
                continue;
            std::string kind = group->Value("Type").value_or("Threshold");
            directory.kind = kind == "Fixed"      ? Directory::Kind::Fixed
                             : kind == "Scalable" ? Directory::Kind::Scalable
                                                  : Directory::Kind::Threshold;
            directory.minSize = Number(group->Value("MinSize"), directory.size);
            directory.maxSize = Number(group->Value("MaxSize"), directory.size);
            directory.threshold = Number(group->Value("Threshold"), 2);
            theme->directories.emplace_back(sub, directory);
        }
        return theme;
    }
    return nullptr;
}

void IconTheme::AddToChain(const std::string& name, int depth)
{
    if (name.empty() || name.find('/') != std::string::npos || depth > MaxInheritance)
        return;
    for (const auto& known : m_chain)
        if (known->name == name)
            return;
    std::unique_ptr<Theme> theme = ReadTheme(name);
    if (!theme)
        return;
    std::vector<std::string> parents = theme->parents;
    m_chain.push_back(std::move(theme));
    for (const std::string& parent : parents)
        if (parent != "hicolor")
            AddToChain(parent, depth + 1);
}

std::vector<std::string> IconTheme::Chain() const
{
    std::vector<std::string> names;
    for (const auto& theme : m_chain)
        names.push_back(theme->name);
    return names;
}

void IconTheme::List(Theme& theme) const
{
    theme.listed = true;
    for (size_t i = 0; i < theme.directories.size(); ++i) {
        for (const std::string& base : m_baseFolders) {
            std::string folder = base + "/" + theme.name + "/" + theme.directories[i].first;
            for (const HostEntry& entry : ListHostFolder(folder)) {
                bool png = entry.name.ends_with(".png");
                if (entry.folder || (!png && !entry.name.ends_with(".svg")))
                    continue;
                std::string icon = entry.name.substr(0, entry.name.size() - 4);
                theme.images[icon].push_back({i, png, folder + "/" + entry.name});
            }
        }
    }
}

std::optional<std::string> IconTheme::FindIn(Theme& theme, const std::string& name, int size) const
{
    if (!theme.listed)
        List(theme);
    auto it = theme.images.find(name);
    if (it == theme.images.end())
        return std::nullopt;
    const Image* best = nullptr;
    int bestDistance = INT_MAX;
    for (const Image& image : it->second) {
        int distance = theme.directories[image.directory].second.Distance(size);
        // The nearest size first, as the icon theme rules say (a scalable image that covers the
        // size is exact); of equally near ones a PNG before an SVG image, then the first found.
        bool better = !best || distance < bestDistance || (distance == bestDistance && image.png && !best->png);
        if (better) {
            best = &image;
            bestDistance = distance;
        }
    }
    return best->path;
}

std::optional<std::string> IconTheme::Find(const std::vector<std::string>& names, int size) const
{
    for (const auto& theme : m_chain)
        for (const std::string& name : names)
            if (auto path = FindIn(*theme, name, size))
                return path;
    for (const std::string& name : names)
        for (const std::string& base : m_baseFolders)
            for (const char* extension : {".png", ".svg"})
                if (IsHostFile(base + "/" + name + extension))
                    return base + "/" + name + extension;
    return std::nullopt;
}

}  // namespace platform
