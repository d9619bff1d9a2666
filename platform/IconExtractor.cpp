#include "platform/IconExtractor.h"

#include "formats/Executable.h"
#include "formats/Icon.h"
#include "formats/Png.h"
#include "platform/CodePage.h"
#include "platform/DrawnIcons.h"
#include "platform/Host.h"
#include "platform/HostFiles.h"
#include "platform/MappedFile.h"
#include "platform/SvgImage.h"

namespace platform {

namespace {

// Images are chosen for a display of this many bits.
constexpr int DisplayDepth = 32;

// The icons of the system icon library the program uses, with the theme icons that stand for them.
struct SystemLibraryEntry {
    int number;
    SystemIcon drawn;
    const char* themeName;
};
constexpr SystemLibraryEntry SystemLibrary[] = {
    {0, SystemIcon::Document, "text-x-generic"},
    {2, SystemIcon::Application, "application-x-executable"},
    {3, SystemIcon::Folder, "folder"},
};

bool EndsWithIgnoringCase(const std::string& text, const std::string& ending)
{
    return text.size() >= ending.size() && dos::SameIgnoringAsciiCase(text.substr(text.size() - ending.size()), ending);
}

IconPixels ToPixels(formats::Image&& image)
{
    return IconPixels{image.width, image.height, std::move(image.pixels)};
}

std::optional<IconPixels> FromDirectory(const formats::Result<formats::IconDirectory>& directory, int size)
{
    if (!directory)
        return std::nullopt;
    auto image = formats::DecodeBestIconImage(*directory, size, DisplayDepth);
    if (!image)
        return std::nullopt;
    return ToPixels(std::move(*image));
}

std::optional<IconPixels> ReadImageFile(const std::string& hostPath, int size)
{
    std::string content = ReadHostFile(hostPath).value_or(std::string());
    if (content.empty())
        return std::nullopt;
    if (formats::IsPng(formats::AsBytes(content))) {
        auto image = formats::DecodePng(formats::AsBytes(content));
        return image ? std::optional(ToPixels(std::move(*image))) : std::nullopt;
    }
    return RenderSvg(content, size);
}

bool IsIconFile(formats::ByteView bytes)
{
    // ICONDIR: reserved 0, then type 1 (icon) or 2 (cursor).
    return bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && (bytes[2] == 1 || bytes[2] == 2) && bytes[3] == 0;
}

}  // namespace

// No DOS name holds a "/", and this program's paths do not separate folders with it. Where a
// file type names no icon, its class name stands in the icon's place, and the desktop's class
// names are its types ("image/bmp", "application/winhlp"): such a text is no file to look for in
// the listed folder, which could be one of many thousand entries.
bool CanNameFile(const std::string& dosPath)
{
    return !dosPath.empty() && dosPath.find('/') == std::string::npos;
}

bool IsSystemIconLibrary(const std::string& dosPath, const std::string& systemFolder)
{
    return dos::SameIgnoringAsciiCase(dosPath, systemFolder + "\\shell32.dll");
}

std::optional<IconPixels> IconExtractor::ExtractIcon(const std::string& dosPath, int number, int size)
{
    if (IsSystemIconLibrary(dosPath, m_host.GetSystemDirectory()))
        return SystemLibraryIcon(number, size);
    if (!CanNameFile(dosPath))
        return std::nullopt;
    auto file = MappedFile::Open(m_host.Drives(), dosPath);
    if (!file)
        return std::nullopt;
    formats::ByteView bytes = file->Bytes();
    if (formats::IsExecutable(bytes))
        return FromDirectory(formats::ReadIconGroup(bytes, number), size);
    // Icon, cursor and image files hold one icon.
    if (number != 0)
        return std::nullopt;
    if (IsIconFile(bytes))
        return FromDirectory(formats::ReadIconFile(bytes), size);
    if (formats::IsPng(bytes)) {
        auto image = formats::DecodePng(bytes);
        return image ? std::optional(ToPixels(std::move(*image))) : std::nullopt;
    }
    if (EndsWithIgnoringCase(dosPath, ".svg") || EndsWithIgnoringCase(dosPath, ".svgz"))
        return RenderSvg(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), size);
    return std::nullopt;
}

std::optional<IconPixels> IconExtractor::SystemLibraryIcon(int number, int size)
{
    for (const SystemLibraryEntry& entry : SystemLibrary) {
        if (entry.number != number)
            continue;
        std::string path = m_theme.FindIcon(entry.themeName, size);
        if (!path.empty())
            if (auto icon = ReadImageFile(path, size))
                return icon;
        return DrawSystemIcon(entry.drawn, size);
    }
    return std::nullopt;
}

}  // namespace platform
