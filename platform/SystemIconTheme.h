#pragma once

// The desktop's icon theme, looked up by icon name as the freedesktop Icon Theme specification
// says: the nearest size in the current theme, then in the themes it inherits, then in hicolor
// (and Adwaita, which most desktops install).

#include <map>
#include <string>
#include <vector>

namespace platform {

class SystemIconTheme {
public:
    // `baseFolders` hold the theme folders (for example /usr/share/icons); `themeName` is the
    // current theme.
    SystemIconTheme(std::vector<std::string> baseFolders, std::string themeName);
    // The desktop's: the folders of the XDG data directories, and the theme its settings name.
    static SystemIconTheme Desktop();

    const std::string& ThemeName() const { return m_themeName; }
    // The host path of the named icon's image (PNG or SVG) nearest `size` pixels; empty when no
    // theme has it.
    std::string FindIcon(const std::string& name, int size) const;

private:
    enum class SizeType { Fixed, Scalable, Threshold };
    struct Directory {
        std::string path;
        int size = 0;
        int minSize = 0;
        int maxSize = 0;
        int threshold = 2;
        SizeType type = SizeType::Threshold;
        bool Matches(int wanted) const;
        int Distance(int wanted) const;
    };
    struct Theme {
        std::vector<Directory> directories;
        std::vector<std::string> parents;
        bool exists = false;
    };

    const Theme& LoadTheme(const std::string& name) const;
    std::vector<std::string> SearchOrder() const;
    std::string FindInTheme(const std::string& themeName, const Theme& theme, const std::string& icon, int size) const;

    std::vector<std::string> m_baseFolders;
    std::string m_themeName;
    mutable std::map<std::string, Theme> m_themes;
};

// The icon theme the desktop's settings name: GTK's settings.ini (3 and 4), KDE's kdeglobals, the
// system GTK settings; "default" (the distribution's choice) when none does.
std::string CurrentSystemIconThemeName(const std::string& configHome);

}  // namespace platform
