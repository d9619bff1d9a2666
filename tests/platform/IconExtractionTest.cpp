// Icon extraction in the manner of ExtractIconA: executables, icon, cursor and image files, the
// system icon library from the icon theme or drawn, and the null results.

#include "formats/Bmp.h"
#include "formats/Png.h"
#include "graphics/Graphics.h"
#include "platform/DrawnIcons.h"
#include "platform/Host.h"
#include "platform/IconExtractor.h"
#include "tests/formats/IconBuilder.h"
#include "tests/SpecialFiles.h"
#include "tests/TempTree.h"
#include "tests/formats/Samples.h"

#include <gtest/gtest.h>

#include <unistd.h>

using platform::IconExtractor;
using platform::IconPixels;
using platform::IconTheme;

namespace {

constexpr uint32_t Red = 0xFFFF0000;
constexpr uint32_t Blue = 0xFF0000FF;

const char* const SquareSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'><rect width='16' height='16' fill='#0000ff'/></svg>";

void WritePng(const std::filesystem::path& path, int side, uint32_t colour)
{
    formats::Image image{side, side, std::vector<uint32_t>(size_t(side * side), colour)};
    std::filesystem::create_directories(path.parent_path());
    samples::WriteFile(path, *formats::EncodePng(image));
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    samples::WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string Describe(const std::optional<IconPixels>& icon)
{
    if (!icon)
        return "none";
    return std::to_string(icon->width) + "x" + std::to_string(icon->height) + " " + samples::Hex(icon->pixels[0]);
}

// Drive C: on a folder of sample files, and a theme folder with a theme "Test" (a 16-pixel PNG and
// a scalable SVG folder icon) and a theme "Child" that inherits it.
class IconExtractionTest : public ::testing::Test {
protected:
    IconExtractionTest() : m_folder("icons"), m_host(Drives())
    {
        std::filesystem::path data = samples::DataDir();
        std::filesystem::copy_file(data / "pe" / "icons32.dll", m_folder / "Icons32.dll");
        std::filesystem::copy_file(data / "pe" / "icons64.dll", m_folder / "icons64.dll");
        std::filesystem::copy_file(data / "gdk-pixbuf" / "squares.ico", m_folder / "squares.ico");
        auto library = samples::ReadFile(data / "pe" / "icons32.dll");
        library.resize(library.size() / 2);
        samples::WriteFile(m_folder / "cut.dll", library);
        samples::WriteFile(m_folder / "arrow.cur",
                           samples::IconFile(2, {{samples::IconDib32(2, 2, {Red, Red, Red, Red}, {0, 0, 0, 0}), 2, 2, 1, 1}}));
        WritePng(m_folder / "logo.png", 48, Red);
        WriteText(m_folder / "logo.svg", SquareSvg);
        WriteText(m_folder / "notes.txt", "MZ? no, just text");
        WriteText(m_folder / "empty.exe", "");
        WriteText(m_folder / "empty.svg", "");
        samples::WriteFile(m_folder / "picture.bmp", formats::EncodeBmp(formats::Image{1, 1, {Red}}, formats::BmpDepth::Bits24));

        std::filesystem::path themes = m_folder / "themes";
        WriteText(themes / "Test" / "index.theme",
                  "[Icon Theme]\nName=Test\nDirectories=16x16/places,32x32/places,scalable/places\n\n"
                  "[16x16/places]\nSize=16\nType=Fixed\n\n[32x32/places]\nSize=32\nType=Fixed\n\n"
                  "[scalable/places]\nSize=64\nMinSize=8\nMaxSize=512\nType=Scalable\n");
        WritePng(themes / "Test" / "16x16" / "places" / "folder.png", 16, Red);
        WriteText(themes / "Test" / "scalable" / "places" / "folder.svg", SquareSvg);
        WriteText(themes / "Child" / "index.theme", "[Icon Theme]\nName=Child\nInherits=Test\nDirectories=\n");
    }

    platform::DriveMap Drives()
    {
        platform::DriveMap drives;
        drives.Map('C', m_folder.Root());
        drives.Map('Z', "/");
        return drives;
    }

    IconExtractor Extractor(const std::string& theme)
    {
        return IconExtractor(m_host, IconTheme({(m_folder / "themes").string()}, {theme}));
    }

    std::string SystemLibrary() { return m_host.GetSystemDirectory() + "\\SHELL32.DLL"; }

    TempTree m_folder;
    platform::Host m_host;
};

}  // namespace

TEST_F(IconExtractionTest, ExecutablesGiveTheirGroupsByPositionAndIdentifier)
{
    IconExtractor icons = Extractor("Test");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\ICONS32.DLL", 0)), "32x32 " + samples::Hex(Blue));
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\icons32.dll", 0, 16)), "16x16 " + samples::Hex(Blue));
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\icons64.dll", -101)), "32x32 " + samples::Hex(Red));
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\icons64.dll", 3)), "none") << "out of range";
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\icons64.dll", -102)), "none") << "no such identifier";
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\cut.dll", 0)), "none") << "damaged";
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\missing.exe", 0)), "none");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\empty.exe", 0)), "none");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\", 0)), "none") << "a folder";

    // A name without a drive is found in the current folder, as the listing extracts it.
    std::string before = m_host.GetCurrentDirectory();
    ASSERT_TRUE(m_host.SetCurrentDirectory("C:\\"));
    EXPECT_EQ(Describe(icons.ExtractIcon("icons64.dll", 2)), "32x32 " + samples::Hex(Red));
    m_host.SetCurrentDirectory(before);
}

// A type name ("image/bmp") where a file type's class names no icon is no file, though the
// current folder hold one at that place.
TEST_F(IconExtractionTest, ATextWithASlashOrNothingNamesNoFile)
{
    IconExtractor icons = Extractor("Test");
    std::filesystem::create_directories(m_folder / "image");
    std::filesystem::copy_file(m_folder / "Icons32.dll", m_folder / "image" / "bmp");
    std::string before = m_host.GetCurrentDirectory();
    ASSERT_TRUE(m_host.SetCurrentDirectory("C:\\"));
    EXPECT_EQ(Describe(icons.ExtractIcon("image/bmp", 0)), "none");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\image/bmp", 0)), "none");
    EXPECT_EQ(Describe(icons.ExtractIcon("", 0)), "none");
    EXPECT_EQ(Describe(icons.ExtractIcon("image\\bmp", 0)), "32x32 " + samples::Hex(Blue)) << "the same file by its path";
    m_host.SetCurrentDirectory(before);
}

TEST_F(IconExtractionTest, IconCursorAndImageFilesHoldIconZeroOnly)
{
    IconExtractor icons = Extractor("Test");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\squares.ico", 0)).substr(0, 7), "100x100");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\squares.ico", 1)), "none");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\arrow.cur", 0)), "2x2 " + samples::Hex(Red));
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\logo.png", 0)), "48x48 " + samples::Hex(Red));
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\logo.svg", 0)), "32x32 " + samples::Hex(Blue)) << "rendered at the size";
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\logo.svg", 0, 16)), "16x16 " + samples::Hex(Blue));
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\picture.bmp", 0)), "none") << "a bitmap is no icon";
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\notes.txt", 0)), "none");
    EXPECT_EQ(Describe(icons.ExtractIcon("C:\\empty.svg", 0)), "none");
    EXPECT_EQ(graphics::MakeIcon(icons.ExtractIcon("C:\\notes.txt", 0)), nullptr);
    EXPECT_EQ(graphics::MakeIcon(icons.ExtractIcon("C:\\logo.png", 0))->Width(), 48);
}

TEST_F(IconExtractionTest, TheSystemLibraryTakesTheThemesIconsNearestTheSize)
{
    IconExtractor icons = Extractor("Child");
    EXPECT_EQ(Describe(icons.ExtractIcon(SystemLibrary(), 3, 16)), "16x16 " + samples::Hex(Red)) << "the fixed PNG";
    EXPECT_EQ(Describe(icons.ExtractIcon(SystemLibrary(), 3, 32)), "32x32 " + samples::Hex(Blue))
        << "the scalable SVG, rendered";
    std::string lower = m_host.GetSystemDirectory() + "\\shell32.dll";
    EXPECT_EQ(Describe(icons.ExtractIcon(lower, 3, 16)), "16x16 " + samples::Hex(Red));
    // The theme has no document or application icon: they are drawn.
    IconPixels document = platform::DrawSystemIcon(platform::SystemIcon::Document, 32);
    EXPECT_EQ(icons.ExtractIcon(SystemLibrary(), 0)->pixels, document.pixels);
    EXPECT_EQ(Describe(icons.ExtractIcon(SystemLibrary(), 1)), "none") << "the library serves 0, 2 and 3 only";
    EXPECT_EQ(Describe(icons.ExtractIcon(SystemLibrary(), 4)), "none");
}

TEST_F(IconExtractionTest, NamedPipesAndDevicesGiveNoIconAtOnce)
{
    ASSERT_TRUE(special::MakePipe(m_folder.Path("pipe.ico")));
    ASSERT_TRUE(special::MakeLink(m_folder.Path("pipe.ico"), m_folder.Path("pipe.exe")));
    ASSERT_TRUE(special::MakeLink("/dev/zero", m_folder.Path("zero.ico")));
    // A theme whose folder icon is a pipe: the system library's folder is drawn instead.
    WriteText(m_folder / "themes" / "Piped" / "index.theme",
              "[Icon Theme]\nName=Piped\nDirectories=32x32/places\n\n[32x32/places]\nSize=32\nType=Fixed\n");
    std::filesystem::create_directories(m_folder / "themes" / "Piped" / "32x32" / "places");
    ASSERT_TRUE(special::MakePipe((m_folder / "themes" / "Piped" / "32x32" / "places" / "folder.png").string()));
    special::PipeRelease release(
        {m_folder.Path("pipe.ico"), (m_folder / "themes" / "Piped" / "32x32" / "places" / "folder.png").string()});

    IconExtractor icons = Extractor("Piped");
    for (const char* path : {"C:\\pipe.ico", "C:\\pipe.exe", "C:\\zero.ico"}) {
        auto took = special::TimeOf([&] { EXPECT_EQ(Describe(icons.ExtractIcon(path, 0)), "none") << path; });
        EXPECT_LT(took, special::Prompt) << path;
    }
    IconPixels folder = platform::DrawSystemIcon(platform::SystemIcon::Folder, 32);
    auto took = special::TimeOf([&] { EXPECT_EQ(icons.ExtractIcon(SystemLibrary(), 3)->pixels, folder.pixels); });
    EXPECT_LT(took, special::Prompt) << "the theme's folder icon";
}

TEST_F(IconExtractionTest, WithoutAnyThemeTheThreeIconsAreDrawnAt16And32Pixels)
{
    IconExtractor icons = Extractor("Nowhere");
    std::vector<std::vector<uint32_t>> seen;
    for (int number : {0, 2, 3})
        for (int size : {16, 32}) {
            auto icon = icons.ExtractIcon(SystemLibrary(), number, size);
            ASSERT_TRUE(icon.has_value()) << number;
            EXPECT_EQ(icon->width, size);
            size_t opaque = std::count_if(icon->pixels.begin(), icon->pixels.end(), [](uint32_t p) { return p >> 24; });
            EXPECT_GT(opaque, icon->pixels.size() / 2) << number << " at " << size;
            EXPECT_LT(opaque, icon->pixels.size()) << "some of it transparent";
            for (const auto& other : seen)
                EXPECT_NE(other, icon->pixels);
            seen.push_back(icon->pixels);
        }
}

TEST(IconTheme, TheDesktopsThemeFindsTheThreeSystemIcons)
{
    IconTheme theme = IconTheme::Desktop();
    if (theme.FindIcon("folder", 32).empty())
        GTEST_SKIP() << "no installed icon theme has a folder icon";
    for (const char* name : {"text-x-generic", "application-x-executable", "folder"})
        for (int size : {16, 32}) {
            std::string path = theme.FindIcon(name, size);
            EXPECT_FALSE(path.empty()) << name << " at " << size << " in theme " << theme.ThemeName();
        }
    std::string folder16 = theme.FindIcon("folder", 16);
    EXPECT_NE(folder16.find("16"), std::string::npos) << folder16;
}

TEST(IconTheme, TheCurrentThemeComesFromTheDesktopsSettings)
{
    TempTree config("config");
    platform::XdgDirs dirs;
    dirs.configHome = config.Root();
    WriteText(config / "kdeglobals", "[General]\nName=x\n\n[Icons]\nTheme=breeze\n");
    EXPECT_EQ(platform::CurrentIconThemeName(dirs), "breeze");
    WriteText(config / "gtk-3.0" / "settings.ini", "[Settings]\ngtk-theme-name = Adwaita\ngtk-icon-theme-name = Papirus\n");
    EXPECT_EQ(platform::CurrentIconThemeName(dirs), "Papirus") << "GTK's settings come first";
}
