// The icon theme a desktop keeps in its own settings store. The tests run with GSettings' key file
// backend in a configuration folder of their own, set before GSettings is first used, so the
// store's values are written as that backend's file.

#include "platform/DesktopSettings.h"
#include "platform/IconTheme.h"
#include "tests/TempTree.h"

#include <gtest/gtest.h>


#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace platform;

namespace {
// A configuration folder of the process's own, made once, before GSettings reads the variables,
// and removed when the process ends.
const std::string& ConfigHome()
{
    static const TempTree tree("desktop-settings");
    static const std::string folder = [] {
        if (tree.Root().empty())
            return std::string("/tmp");
        setenv("XDG_CONFIG_HOME", tree.Root().c_str(), 1);
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        return tree.Root();
    }();
    return folder;
}

// The configuration folder, with GSettings' key file in it holding `lines` (none: no file).
XdgDirs Desktop(const std::string& desktop, const std::string& lines)
{
    XdgDirs dirs;
    dirs.configHome = ConfigHome();
    dirs.desktops = {desktop};
    std::string folder = dirs.configHome + "/glib-2.0/settings";
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder + "/keyfile");
    if (!lines.empty())
        std::ofstream(folder + "/keyfile") << lines;
    return dirs;
}
}  // namespace

TEST(DesktopSettings, GnomeKeepsItsIconThemeInItsSettingsStore)
{
    XdgDirs dirs = Desktop("gnome", "[org/gnome/desktop/interface]\nicon-theme='Papirus'\n");
    EXPECT_EQ(DesktopStoreIconTheme(dirs), "Papirus");
    std::filesystem::create_directories(dirs.configHome + "/gtk-3.0");
    std::ofstream(dirs.configHome + "/gtk-3.0/settings.ini") << "[Settings]\ngtk-icon-theme-name=breeze\n";
    EXPECT_EQ(CurrentIconThemeName(dirs), "Papirus") << "the desktop's own store comes before the files";
}

TEST(DesktopSettings, GnomeWithoutAChoiceHasItsDefaultTheme)
{
    EXPECT_EQ(DesktopStoreIconTheme(Desktop("gnome", "")), "Adwaita");
}

TEST(DesktopSettings, XfceKeepsItInItsXsettingsChannel)
{
    XdgDirs dirs = Desktop("xfce", "");
    std::string folder = dirs.configHome + "/xfce4/xfconf/xfce-perchannel-xml";
    std::filesystem::create_directories(folder);
    std::ofstream(folder + "/xsettings.xml")
        << "<?xml version=\"1.0\"?>\n<channel name=\"xsettings\" version=\"1.0\">\n"
           "  <property name=\"Net\" type=\"empty\">\n"
           "    <property name=\"ThemeName\" type=\"string\" value=\"Greybird\"/>\n"
           "    <property name=\"IconThemeName\" type=\"string\" value=\"elementary-xfce-dark\"/>\n"
           "  </property>\n</channel>\n";
    EXPECT_EQ(DesktopStoreIconTheme(dirs), "elementary-xfce-dark");
}

TEST(DesktopSettings, OtherDesktopsHaveNoStoreOfTheirOwn)
{
    EXPECT_EQ(DesktopStoreIconTheme(Desktop("kde", "")), std::nullopt);
    EXPECT_EQ(DesktopStoreIconTheme(XdgDirs{}), std::nullopt);
}
