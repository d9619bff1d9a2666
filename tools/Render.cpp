// orvane-render: writes what the picture loader or the icon extraction makes of a file as a PNG,
// for looking at results and comparing them with other programs.
//
//   orvane-render FILE OUT.png
//   orvane-render --icon PATH,NUMBER [--size PIXELS] OUT.png
//
// FILE and PATH are host paths or DOS paths (C: is the home folder, Z: the root). A PATH of just
// "shell32.dll" names the system icon library.

#include "formats/Png.h"
#include "graphics/Graphics.h"
#include "graphics/PictureFormats.h"
#include "platform/CodePage.h"
#include "platform/Host.h"
#include "platform/IconExtractor.h"
#include "toolkit/Exception.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: orvane-render FILE OUT.png\n"
                 "       orvane-render --icon PATH,NUMBER [--size PIXELS] OUT.png\n");
    return 2;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "orvane-render: %s\n", message.c_str());
    return 1;
}

bool IsDosPath(const std::string& path)
{
    return path.size() >= 2 && path[1] == ':';
}

// A command-line path as a DOS path (code page 932).
std::optional<std::string> ToDos(const platform::Host& host, const std::string& path)
{
    if (IsDosPath(path))
        return platform::Utf8ToCp932(path);
    std::string absolute = path;
    if (path.empty() || path[0] != '/') {
        std::vector<char> folder(4096);
        if (!getcwd(folder.data(), folder.size()))
            return std::nullopt;
        absolute = std::string(folder.data()) + "/" + path;
    }
    return host.Drives().ToDos(absolute);
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels)
{
    auto png = formats::EncodePng(formats::Image{width, height, pixels});
    if (!png)
        return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(png->data(), 1, png->size(), file) == png->size();
    return std::fclose(file) == 0 && written;
}

int RenderPicture(platform::Host& host, const std::string& path, const std::string& out)
{
    auto dos = ToDos(host, path);
    if (!dos)
        return Fail("no drive holds " + path);
    graphics::PictureFormats loader(host.Drives());
    try {
        auto graphic = loader.LoadPicture(*dos);
        if (!WritePng(out, graphic->Width(), graphic->Height(), graphic->Pixels()))
            return Fail("cannot write " + out);
        std::printf("%dx%d\n", graphic->Width(), graphic->Height());
        return 0;
    } catch (const tk::Exception& error) {
        return Fail(platform::Cp932ToUtf8(error.Message()));
    }
}

int RenderIcon(platform::Host& host, const std::string& specification, int size, const std::string& out)
{
    size_t comma = specification.rfind(',');
    if (comma == std::string::npos)
        return Usage();
    std::string path = specification.substr(0, comma);
    int number = std::atoi(specification.substr(comma + 1).c_str());
    std::optional<std::string> dos =
        path == "shell32.dll" ? host.GetSystemDirectory() + "\\shell32.dll" : ToDos(host, path);
    if (!dos)
        return Fail("no drive holds " + path);
    platform::IconExtractor icons(host, platform::SystemIconTheme::Desktop());
    auto icon = icons.ExtractIcon(*dos, number, size);
    if (!icon)
        return Fail("no icon " + std::to_string(number) + " in " + platform::Cp932ToUtf8(*dos));
    if (!WritePng(out, icon->width, icon->height, icon->pixels))
        return Fail("cannot write " + out);
    std::printf("%dx%d\n", icon->width, icon->height);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    platform::Host host(platform::DriveMap::Default());
    if (arguments.size() == 2 && arguments[0].rfind("--", 0) != 0)
        return RenderPicture(host, arguments[0], arguments[1]);
    if ((arguments.size() == 3 || arguments.size() == 5) && arguments[0] == "--icon") {
        int size = 32;
        if (arguments.size() == 5) {
            if (arguments[2] != "--size" || (size = std::atoi(arguments[3].c_str())) <= 0)
                return Usage();
        }
        return RenderIcon(host, arguments[1], size, arguments.back());
    }
    return Usage();
}
