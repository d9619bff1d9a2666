// orvane-render: writes what the picture loader or the icon extraction makes of a file as a PNG,
// or how the HTML control lays out a page, for looking at results and comparing them with other
// programs.
//
//   orvane-render FILE OUT.png
//   orvane-render --icon PATH,NUMBER [--size PIXELS] OUT.png
//   orvane-render --html FILE [--width PIXELS] OUT.png
//   orvane-render --text FILE [--width PIXELS] OUT.png      (text or rich text, as a rich edit reads it)
//
// FILE and PATH are host paths or DOS paths (C: is the home folder, Z: the root). A PATH of just
// "shell32.dll" names the system icon library. Metafiles are drawn by the Qt back end's player,
// pages by the HTML control's page reader at a fixed width (640 pixels unless given); both run on
// Qt's offscreen platform unless another is asked for. This file includes Qt, so it is compiled
// without the code page conversion and stays ASCII.

#include "host/HostTextFiles.h"
#include "formats/Png.h"
#include "graphics/Graphics.h"
#include "graphics/PictureFormats.h"
#include "platform/CodePage.h"
#include "dos/DosPath.h"
#include "platform/CurrentFolder.h"
#include "platform/Host.h"
#include "platform/IconExtractor.h"
#include "qt/Convert.h"
#include "qt/HtmlPage.h"
#include "qt/MetafileRenderer.h"
#include "qt/PictureDecoder.h"
#include "qt/RichTextDocument.h"
#include "toolkit/Exception.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTextDocument>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: orvane-render FILE [--width PIXELS] OUT.png\n"
                 "       orvane-render --icon PATH,NUMBER [--size PIXELS] OUT.png\n"
                 "       orvane-render --html FILE [--width PIXELS] OUT.png\n"
                 "       orvane-render --text FILE [--width PIXELS] OUT.png\n");
    return 2;
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "orvane-render: %s\n", message.c_str());
    return 1;
}

// A command-line path as a DOS path (code page 932).
std::optional<std::string> ToDos(const platform::Host& host, const std::string& path)
{
    if (dos::HasDriveLetter(path))
        return platform::Utf8ToCp932(path);
    std::string absolute = path;
    if (path.empty() || path[0] != '/') {
        absolute = platform::CurrentHostFolder() + "/" + path;
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

// A PDF page is drawn `width` pixels wide, as in a pane that wide; pictures keep their size.
int RenderPicture(platform::Host& host, const std::string& path, const std::string& out, int width)
{
    auto dos = ToDos(host, path);
    if (!dos)
        return Fail("no drive holds " + path);
    qtui::MetafileRenderer renderer;
    qtui::PictureDecoder decoder;
    graphics::PictureFormats loader(host.Drives(), &renderer, &decoder);
    try {
        auto graphic = loader.LoadPicture(*dos, width);
        if (!WritePng(out, graphic->Width(), graphic->Height(), graphic->Pixels()))
            return Fail("cannot write " + out);
        std::printf("%dx%d", graphic->Width(), graphic->Height());
        if (auto* metafile = dynamic_cast<tk::TMetafile*>(graphic.get())) {
            const formats::Metafile& records = metafile->Records();
            std::printf(" %zu records, %zu skipped", records.records.size(), formats::SkippedRecords(records));
            if (records.truncated)
                std::printf(", cut short: %s", records.truncation.c_str());
        }
        std::printf("\n");
        return 0;
    } catch (const tk::Exception& error) {
        return Fail(platform::Cp932ToUtf8(error.Message()));
    }
}

int RenderIcon(platform::Host& host, const std::string& iconArgument, int size, const std::string& out)
{
    size_t comma = iconArgument.rfind(',');
    if (comma == std::string::npos)
        return Usage();
    std::string path = iconArgument.substr(0, comma);
    int number = std::atoi(iconArgument.substr(comma + 1).c_str());
    std::optional<std::string> dos =
        path == "shell32.dll" ? host.GetSystemDirectory() + "\\shell32.dll" : ToDos(host, path);
    if (!dos)
        return Fail("no drive holds " + path);
    platform::IconExtractor icons(host, platform::IconTheme::Desktop());
    auto icon = icons.ExtractIcon(*dos, number, size);
    if (!icon)
        return Fail("no icon " + std::to_string(number) + " in " + platform::Cp932ToUtf8(*dos));
    if (!WritePng(out, icon->width, icon->height, icon->pixels))
        return Fail("cannot write " + out);
    std::printf("%dx%d\n", icon->width, icon->height);
    return 0;
}

// The page laid out at the width, as tall as it comes out (up to a limit), on white.
int RenderHtml(platform::Host& host, const std::string& path, int width, const std::string& out)
{
    constexpr int MaxHeight = 16384;
    std::optional<std::string> hostPath = path;
    if (dos::HasDriveLetter(path) && !(hostPath = host.Drives().ToHost(platform::Utf8ToCp932(path))))
        return Fail("no drive holds " + path);
    qtui::HtmlPage page;
    bool loaded = page.Load(QString::fromStdString(*hostPath));
    page.setTextWidth(width);
    int height = std::clamp(int(std::ceil(page.size().height())), 1, MaxHeight);
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.drawContents(&painter, QRectF(0, 0, width, height));
    painter.end();
    if (!image.save(QString::fromStdString(out), "PNG"))
        return Fail("cannot write " + out);
    std::printf("%dx%d%s\n", width, height, loaded ? "" : " (the page cannot be read: notice shown)");
    return loaded ? 0 : 1;
}

// A text or rich text file as a rich edit reads it, laid out at the width on white.
int RenderText(platform::Host& host, const std::string& path, int width, const std::string& out)
{
    constexpr int MaxHeight = 16384;
    std::optional<std::string> dos = ToDos(host, path);
    if (!dos)
        return Fail("no drive holds " + path);
    orvane::HostTextFiles files(host);
    tk::TRichContent content;
    try {
        content = files.ReadTextFile(*dos, tk::TTextFormat::RichOrPlain);
    } catch (const tk::Exception& error) {
        return Fail(platform::Cp932ToUtf8(error.Message()));
    }
    QTextDocument document;
    tk::TFont defaults;
    defaults.SetPixelHeight(12);
    if (content.document) {
        qtui::FillDocument(document, *content.document, defaults);
    } else {
        QStringList lines;
        for (int i = 0; content.lines && i < content.lines->Count(); ++i)
            lines << QString::fromStdString(platform::Cp932ToUtf8(content.lines->Line(i)));
        document.setDefaultFont(qtui::ToQFont(defaults));
        document.setPlainText(lines.join(QLatin1Char('\n')));
    }
    document.setTextWidth(width);
    int height = std::clamp(int(std::ceil(document.size().height())), 1, MaxHeight);
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    document.drawContents(&painter, QRectF(0, 0, width, height));
    painter.end();
    if (!image.save(QString::fromStdString(out), "PNG"))
        return Fail("cannot write " + out);
    std::printf("%dx%d%s\n", width, height, content.document ? " rich text" : " plain text");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication qtApplication(qtArgc, argv);
    platform::Host host(platform::DriveMap::Default());
    if ((arguments.size() == 3 || arguments.size() == 5) && (arguments[0] == "--html" || arguments[0] == "--text")) {
        int width = 640;
        if (arguments.size() == 5) {
            if (arguments[2] != "--width" || (width = std::atoi(arguments[3].c_str())) <= 0 || width > 8192)
                return Usage();
        }
        if (arguments[0] == "--text")
            return RenderText(host, arguments[1], width, arguments.back());
        return RenderHtml(host, arguments[1], width, arguments.back());
    }
    if (arguments.size() == 2 && arguments[0].rfind("--", 0) != 0)
        return RenderPicture(host, arguments[0], arguments[1], 0);
    if (arguments.size() == 4 && arguments[0].rfind("--", 0) != 0 && arguments[1] == "--width") {
        int width = std::atoi(arguments[2].c_str());
        if (width <= 0 || width > 8192)
            return Usage();
        return RenderPicture(host, arguments[0], arguments[3], width);
    }
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
