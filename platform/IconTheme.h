#pragma once

// Icon files of the desktop's icon themes, looked up as the freedesktop icon theme rules say:
// the chosen theme, the themes it inherits, then hicolor, then loose files in the base folders.
// Each theme's folders are listed once, at its first lookup.

#include "platform/XdgDirs.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

// The icon theme the desktop's settings name: the current desktop's own settings store (GNOME's
// and its kin's GSettings, Xfce's xfconf), then GTK's settings.ini (4, then 3) in the
// configuration folders, KDE's kdeglobals, the system's GTK settings; none when none does.
std::optional<std::string> CurrentIconThemeName(const XdgDirs& dirs);

class IconTheme {
public:
    // Themes searched in the given order, each followed by the themes it inherits; hicolor last.
    // Themes without an index file in any base folder are left out.
    IconTheme(std::vector<std::string> baseFolders, const std::vector<std::string>& themeNames);

    // ~/.icons, then "icons" of each data folder, then "pixmaps" of each data folder.
    static std::vector<std::string> BaseFolders(const XdgDirs& dirs);
    // The theme the desktop's settings name (CurrentIconThemeName), then Adwaita, Debian's default
    // theme and the one GTK falls back to.
    static std::vector<std::string> ThemeNames(const XdgDirs& dirs);

    // The file of the first of `names` that a theme has, searching theme by theme: the image of
    // the nearest size (a scalable one covering the size is exact), a PNG before an SVG image of
    // the same nearness. None when no theme has any of the names.
    std::optional<std::string> Find(const std::vector<std::string>& names, int size) const;

    // The themes searched, in order.
    std::vector<std::string> Chain() const;

    // The desktop's: the icon folders of its data folders and the theme its settings name.
    static IconTheme Desktop();
    // The file of one icon, as Find; empty when no theme has it.
    std::string FindIcon(const std::string& name, int size) const;
    // The first theme searched.
    std::string ThemeName() const;

private:
    struct Directory {
        enum class Kind { Fixed, Scalable, Threshold };
        Kind kind = Kind::Threshold;
        int size = 0, minSize = 0, maxSize = 0, threshold = 2;
        int Distance(int wanted) const;
    };
    struct Image {
        size_t directory = 0;
        bool png = false;
        std::string path;
    };
    struct Theme {
        std::string name;
        std::vector<std::string> parents;
        std::vector<std::pair<std::string, Directory>> directories;   // in the order of the index
        bool listed = false;
        std::unordered_map<std::string, std::vector<Image>> images;    // by icon name
    };

    std::unique_ptr<Theme> ReadTheme(const std::string& name) const;
    void AddToChain(const std::string& name, int depth);
    void List(Theme& theme) const;
    std::optional<std::string> FindIn(Theme& theme, const std::string& name, int size) const;

    std::vector<std::string> m_baseFolders;
    std::vector<std::unique_ptr<Theme>> m_chain;   // listed lazily, hence mutable contents
};

}  // namespace platform
