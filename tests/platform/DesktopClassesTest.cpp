// HKEY_CLASSES_ROOT made of a desktop's associations: a fake desktop in a temporary folder, found
// through the XDG variables, and the desktop of this machine.

#include "platform/DesktopClasses.h"

#include "tests/TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

using platform::DesktopClasses;
using platform::DriveMap;
using platform::XdgDirs;

namespace {

const char* const Variables[] = {"HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
                                 "XDG_CURRENT_DESKTOP"};

// Sets the XDG variables for one test and gives the old ones back after it.
class Environment {
public:
    explicit Environment(const std::map<std::string, std::string>& values)
    {
        for (const char* name : Variables) {
            const char* old = std::getenv(name);
            if (old)
                m_saved[name] = old;
            unsetenv(name);
        }
        for (const auto& [name, value] : values)
            setenv(name.c_str(), value.c_str(), 1);
    }
    ~Environment()
    {
        for (const char* name : Variables) {
            auto it = m_saved.find(name);
            if (it == m_saved.end())
                unsetenv(name);
            else
                setenv(name, it->second.c_str(), 1);
        }
    }

private:
    std::map<std::string, std::string> m_saved;
};

std::string Entry(const std::string& mimeTypes, const std::string& extra = "")
{
    return "[Desktop Entry]\nType=Application\nName=App\nExec=app %f\nMimeType=" + mimeTypes + "\n" + extra;
}

// A desktop with a user data folder (home/.local/share), a system one (usr/share), a user
// configuration folder (config) and the current desktop "Orvane:GNOME".
class FakeDesktop : public testing::Test {
protected:
    void SetUp() override
    {
        const TempTree& t = tree;
        t.Write("usr/share/mime/globs2",
                "# weight:type:glob[:flags]\n"
                "80:application/x-orvane-doc:*.odoc\n"
                "50:text/plain:*.txt\n"
                "40:text/x-readme:*.txt\n"
                "50:text/x-c++src:*.C:cs\n"
                "50:text/x-csrc:*.c\n"
                "50:text/x-log:*.log\n"
                "50:image/png:*.png\n"
                "50:application/x-lonely:*.lonely\n"
                "50:application/x-system-doc:*.udoc\n"
                "50:text/x-readme:README*\n"
                "broken line\n");
        t.Write("usr/share/mime/subclasses", "text/x-csrc text/plain\ntext/x-c++src text/x-csrc\n");
        t.Write("usr/share/mime/aliases", "application/x-orvane-legacy application/x-orvane-doc\n");
        t.Write("usr/share/mime/generic-icons", "application/x-orvane-doc:x-office-document\n");
        t.Write("home/.local/share/mime/globs2", "50:application/x-user-doc:*.udoc\n");

        t.Write("usr/share/icons/hicolor/index.theme",
                "[Icon Theme]\nName=Hicolor\nDirectories=24x24/mimetypes,48x48/mimetypes,scalable/mimetypes,"
                "48x48@2/mimetypes\n\n"
                "[24x24/mimetypes]\nSize=24\nType=Threshold\n\n"
                "[48x48/mimetypes]\nSize=48\nType=Fixed\n\n"
                "[scalable/mimetypes]\nSize=128\nMinSize=8\nMaxSize=512\nType=Scalable\n\n"
                "[48x48@2/mimetypes]\nSize=48\nScale=2\nType=Fixed\n");
        t.Write("usr/share/icons/hicolor/48x48/mimetypes/text-plain.png", "png");
        t.Write("usr/share/icons/hicolor/24x24/mimetypes/text-plain.png", "png");
        t.Write("usr/share/icons/hicolor/scalable/mimetypes/text-plain.svg", "svg");
        t.Write("usr/share/icons/hicolor/48x48@2/mimetypes/text-x-generic.png", "png");
        t.Write("usr/share/icons/hicolor/48x48/mimetypes/text-x-generic.png", "png");
        t.Write("usr/share/icons/hicolor/scalable/mimetypes/x-office-document.svg", "svg");

        t.Write("usr/share/applications/editor.desktop", Entry("text/plain;"));
        t.Write("usr/share/applications/viewer.desktop", Entry("text/plain;image/png;"));
        t.Write("usr/share/applications/orvane-doc.desktop", Entry("application/x-orvane-legacy;"));
        t.Write("usr/share/applications/broken.desktop", Entry("image/png;", "this line is no entry\n"));
        t.Write("usr/share/applications/notes.desktop", Entry("text/x-log;", "TryExec=/nonexistent/notes\n"));
        t.Write("usr/share/applications/kde/writer.desktop", Entry("text/x-csrc;"));
        t.Write("home/.local/share/applications/kde-writer.desktop", Entry("text/x-csrc;", "Hidden=true\n"));
        t.Write("usr/share/applications/mimeapps.list",
                "[Default Applications]\n"
                "text/plain=editor.desktop;\n"
                "text/x-csrc=kde-writer.desktop;\n"
                "image/png=broken.desktop;viewer.desktop;\n"
                "[Added Associations]\n"
                "text/x-log=viewer.desktop;\n");
        t.Write("config/mimeapps.list",
                "[Default Applications]\n"
                "text/plain=missing.desktop;viewer.desktop;\n"
                "[Added Associations]\n"
                "text/x-log=notes.desktop;editor.desktop;\n"
                "[Removed Associations]\n"
                "image/png=viewer.desktop;\n");
        t.Write("config/gnome-mimeapps.list", "[Default Applications]\ntext/x-csrc=viewer.desktop;\n");
        t.Write("config/orvane-mimeapps.list", "[Default Applications]\ntext/x-csrc=editor.desktop;\n");

        drives.Map('D', tree.Root());
    }

    DesktopClasses Classes()
    {
        Environment environment({{"HOME", tree.Path("home")},
                                 {"XDG_DATA_DIRS", "relative/ignored:" + tree.Path("usr/share") + "/"},
                                 {"XDG_CONFIG_HOME", tree.Path("config")},
                                 {"XDG_CONFIG_DIRS", tree.Path("etc/xdg")},
                                 {"XDG_CURRENT_DESKTOP", "Orvane:GNOME"}});
        return DesktopClasses(XdgDirs::FromEnvironment(), drives);
    }

    TempTree tree;
    DriveMap drives;
};

std::string DefaultOf(const platform::IClassesRoot& classes, std::string_view path)
{
    if (!classes.KeyExists(path))
        return "<no key>";
    return classes.DefaultValue(path).value_or("<no default>");
}

// What the program starts for a command: the command up to the first blank after its last "."
// (the last "." at the second character or later).
std::string LaunchedProgram(const std::string& command)
{
    size_t dot = command.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return "";
    size_t blank = command.find(' ', dot);
    return command.substr(0, blank == std::string::npos ? command.size() : blank);
}

}  // namespace

TEST_F(FakeDesktop, ExtensionKeysNameTheTypeTheirGlobGives)
{
    DesktopClasses classes = Classes();
    EXPECT_EQ(DefaultOf(classes, ".txt"), "text/plain") << "weight 50 wins over 40";
    EXPECT_EQ(DefaultOf(classes, ".TXT"), "text/plain");
    EXPECT_EQ(DefaultOf(classes, ".odoc"), "application/x-orvane-doc");
    EXPECT_EQ(DefaultOf(classes, ".C"), "text/x-c++src") << "the case-sensitive glob *.C";
    EXPECT_EQ(DefaultOf(classes, ".c"), "text/x-csrc");
    EXPECT_EQ(DefaultOf(classes, ".udoc"), "application/x-user-doc") << "the user's database first";
    EXPECT_EQ(DefaultOf(classes, ".nothing"), "<no key>");
    EXPECT_EQ(DefaultOf(classes, "."), "<no key>");
    EXPECT_EQ(DefaultOf(classes, ".txt\\DefaultIcon"), "<no key>") << "icons hang on the type's key";
    EXPECT_EQ(DefaultOf(classes, ".txt\\shell\\open\\command"), "<no key>");
}

TEST_F(FakeDesktop, TypeKeysExistForTheDatabasesTypes)
{
    DesktopClasses classes = Classes();
    EXPECT_EQ(DefaultOf(classes, "text/plain"), "text/plain");
    EXPECT_EQ(DefaultOf(classes, "TEXT/Plain"), "text/plain");
    EXPECT_EQ(DefaultOf(classes, "application/x-orvane-legacy"), "application/x-orvane-doc") << "an alias";
    EXPECT_EQ(DefaultOf(classes, "text/x-unknown"), "<no key>");
    EXPECT_EQ(DefaultOf(classes, "txtfile"), "<no key>");
    EXPECT_EQ(DefaultOf(classes, "text/plain\\shell\\print\\command"), "<no key>");
    EXPECT_TRUE(classes.HasMimeDatabase());
}

TEST_F(FakeDesktop, DefaultIconIsTheThemeFileNearestTo32PixelsOnItsDrive)
{
    DesktopClasses classes = Classes();
    EXPECT_EQ(DefaultOf(classes, "text/plain\\DefaultIcon"),
              "D:\\usr\\share\\icons\\hicolor\\scalable\\mimetypes\\text-plain.svg,0")
        << "a scalable image covers 32 pixels exactly, nearer than the 24 and 48 pixel ones";
    EXPECT_EQ(DefaultOf(classes, "text/x-csrc\\defaulticon"), "D:\\usr\\share\\icons\\hicolor\\48x48\\mimetypes\\text-x-generic.png,0")
        << "the media's generic icon, not the one drawn for twice the scale";
    EXPECT_EQ(DefaultOf(classes, "application/x-orvane-doc\\DefaultIcon"),
              "D:\\usr\\share\\icons\\hicolor\\scalable\\mimetypes\\x-office-document.svg,0")
        << "the database's generic icon, an SVG image when there is no PNG";
    EXPECT_EQ(DefaultOf(classes, "application/x-lonely\\DefaultIcon"), "<no key>");
}

TEST_F(FakeDesktop, TheDefaultApplicationFollowsTheAssociationListsInOrder)
{
    DesktopClasses classes = Classes();
    EXPECT_EQ(DefaultOf(classes, "text/plain\\shell\\open\\command"), "\"D:\\usr\\share\\applications\\viewer.desktop\" %1")
        << "the user's list before the distribution's; a missing entry is passed over";
    EXPECT_EQ(DefaultOf(classes, "text/x-csrc\\shell\\open\\command"), "\"D:\\usr\\share\\applications\\editor.desktop\" %1")
        << "the first desktop's list first; editor opens text/plain, of which C source is a kind";
    EXPECT_EQ(DefaultOf(classes, "text/x-log\\shell\\open\\command"), "\"D:\\usr\\share\\applications\\editor.desktop\" %1")
        << "the user's added associations first; notes.desktop lacks its TryExec program";
    EXPECT_EQ(DefaultOf(classes, "application/x-orvane-doc\\shell\\open\\command"),
              "\"D:\\usr\\share\\applications\\orvane-doc.desktop\" %1")
        << "an entry naming the type by its alias";
    EXPECT_EQ(DefaultOf(classes, "text/x-c++src\\shell\\open\\command"), "\"D:\\usr\\share\\applications\\editor.desktop\" %1")
        << "through its parent, C source";
    EXPECT_TRUE(classes.KeyExists("text/plain\\shell"));
    EXPECT_TRUE(classes.KeyExists("text/plain\\Shell\\Open"));
}

// The user picks another default application, installs one or removes one while the program
// runs: the next start of a file follows, without a restart; and nothing changed, the answer is
// the same one.
TEST_F(FakeDesktop, TheDefaultApplicationFollowsChangesOfTheListsAndEntriesWhileItRuns)
{
    DesktopClasses classes = Classes();
    const std::string key = "text/plain\\shell\\open\\command";
    const std::string viewer = "\"D:\\usr\\share\\applications\\viewer.desktop\" %1";
    const std::string editor = "\"D:\\usr\\share\\applications\\editor.desktop\" %1";
    const std::string fresh = "\"D:\\home\\.local\\share\\applications\\fresh.desktop\" %1";
    EXPECT_EQ(DefaultOf(classes, key), viewer);
    EXPECT_EQ(DefaultOf(classes, key), viewer) << "asked again, unchanged";

    tree.Write("config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop;\n");
    EXPECT_EQ(DefaultOf(classes, key), editor) << "the user's list rewritten";

    tree.Write("config/mimeapps.list", "[Default Applications]\ntext/plain=fresh.desktop;editor.desktop;\n");
    EXPECT_EQ(DefaultOf(classes, key), editor) << "a default not installed yet is passed over";
    tree.Write("home/.local/share/applications/fresh.desktop", Entry("text/plain;"));
    EXPECT_EQ(DefaultOf(classes, key), fresh) << "installed in the user's applications folder";
    std::remove(tree.Path("home/.local/share/applications/fresh.desktop").c_str());
    EXPECT_EQ(DefaultOf(classes, key), editor) << "removed again";

    // A list that was not there: the first desktop's own, before the user's general one.
    tree.Write("config/orvane-mimeapps.list", "[Default Applications]\ntext/plain=viewer.desktop;\n");
    EXPECT_EQ(DefaultOf(classes, key), viewer) << "a desktop's list that appeared";
    std::remove(tree.Path("config/mimeapps.list").c_str());
    std::remove(tree.Path("config/orvane-mimeapps.list").c_str());
    EXPECT_EQ(DefaultOf(classes, key), editor) << "the user's lists gone, the distribution's list says editor";
    tree.Write("usr/share/applications/editor.desktop", Entry("text/plain;", "Hidden=true\n"));
    EXPECT_EQ(DefaultOf(classes, key), viewer) << "an entry edited to be hidden";
}

TEST_F(FakeDesktop, RemovedMalformedAndHiddenEntriesOpenNothing)
{
    DesktopClasses classes = Classes();
    // image/png: broken.desktop has a faulty line, and the user removed viewer's association.
    EXPECT_EQ(DefaultOf(classes, "image/png\\shell\\open\\command"), "<no key>");
    EXPECT_FALSE(classes.KeyExists("image/png\\shell"));
    EXPECT_EQ(DefaultOf(classes, "application/x-lonely\\shell\\open\\command"), "<no key>");
    EXPECT_EQ(DefaultOf(classes, "image/png"), "image/png") << "the type itself is still there";

    // Without the desktops' own lists, the distribution's default for C source is kde-writer,
    // which the user's hidden entry of that id takes away: text/plain's default remains.
    tree.Write("config/orvane-mimeapps.list", "");
    tree.Write("config/gnome-mimeapps.list", "");
    tree.Write("config/mimeapps.list", "[Default Applications]\ntext/plain=editor.desktop\n");
    DesktopClasses without = Classes();
    EXPECT_EQ(DefaultOf(without, "text/x-csrc\\shell\\open\\command"), "\"D:\\usr\\share\\applications\\editor.desktop\" %1");
}

TEST_F(FakeDesktop, TheCommandStartsTheQuotedDesktopEntry)
{
    tree.Write("usr/share/applications/my app.v2.desktop", Entry("text/x-log;"));
    tree.Write("config/mimeapps.list", "[Default Applications]\ntext/x-log=my app.v2.desktop;\n");
    DesktopClasses classes = Classes();
    std::string command = DefaultOf(classes, "text/x-log\\shell\\open\\command");
    EXPECT_EQ(command, "\"D:\\usr\\share\\applications\\my app.v2.desktop\" %1");
    EXPECT_EQ(LaunchedProgram(command), "\"D:\\usr\\share\\applications\\my app.v2.desktop\"");
}

TEST_F(FakeDesktop, FilesOnNoDriveGiveNoValue)
{
    drives.Clear();
    drives.Map('C', tree.Path("home"));
    DesktopClasses classes = Classes();
    EXPECT_EQ(DefaultOf(classes, ".txt"), "text/plain");
    EXPECT_EQ(DefaultOf(classes, "text/plain\\DefaultIcon"), "<no key>");
    EXPECT_EQ(DefaultOf(classes, "text/plain\\shell\\open\\command"), "<no key>");
}

TEST(XdgDirs, EmptyOrRelativeVariablesGiveTheDefaults)
{
    Environment environment({{"HOME", "/home/someone"}, {"XDG_DATA_HOME", "data"}, {"XDG_DATA_DIRS", ""},
                             {"XDG_CURRENT_DESKTOP", "KDE::X-Cinnamon"}});
    XdgDirs dirs = XdgDirs::FromEnvironment();
    EXPECT_EQ(dirs.dataHome, "/home/someone/.local/share");
    EXPECT_EQ(dirs.dataDirs, (std::vector<std::string>{"/usr/local/share", "/usr/share"}));
    EXPECT_EQ(dirs.configHome, "/home/someone/.config");
    EXPECT_EQ(dirs.configDirs, std::vector<std::string>{"/etc/xdg"});
    EXPECT_EQ(dirs.desktops, (std::vector<std::string>{"kde", "x-cinnamon"}));
}

TEST(RealDesktop, TextFilesArePlainText)
{
    DesktopClasses classes(XdgDirs::FromEnvironment(), DriveMap::Default());
    if (!classes.HasMimeDatabase())
        GTEST_SKIP() << "this machine has no shared MIME database (package shared-mime-info)";
    EXPECT_EQ(DefaultOf(classes, ".txt"), "text/plain");
    EXPECT_EQ(DefaultOf(classes, "text/plain"), "text/plain");
    if (classes.KeyExists("text/plain\\DefaultIcon")) {
        std::string icon = *classes.DefaultValue("text/plain\\DefaultIcon");
        EXPECT_TRUE(icon.starts_with("Z:\\") && icon.ends_with(",0")) << icon;
    }
    if (classes.KeyExists("text/plain\\shell\\open\\command")) {
        std::string command = *classes.DefaultValue("text/plain\\shell\\open\\command");
        EXPECT_TRUE(LaunchedProgram(command).ends_with(".desktop\"")) << command;
    }
}
