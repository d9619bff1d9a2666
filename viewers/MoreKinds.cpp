#include "viewers/MoreKinds.h"

#include <array>
#include <string_view>

namespace orvane {

namespace {

// JPEG and GIF are not here: the HTML control has always shown them.
constexpr std::array<std::string_view, 8> Pictures = {"PNG", "WEBP", "SVG", "SVGZ", "TIFF", "TIF", "XPM", "TGA"};

// Everything GStreamer's playbin plays with the plug-ins the set-up installs.
constexpr std::array<std::string_view, 16> Media = {"MP3", "OGG", "OGA", "OPUS", "FLAC", "M4A", "AAC", "WMA",
                                                    "MP4", "M4V", "MOV", "MKV", "WEBM", "MPG", "MPEG", "WMV"};

template <size_t N>
bool InTable(const std::string& extension, const std::array<std::string_view, N>& table)
{
    for (std::string_view member : table)
        if (extension == member)
            return true;
    return false;
}

}  // namespace

TMoreKind MoreKindOf(const std::string& extension)
{
    if (InTable(extension, Pictures))
        return TMoreKind::Picture;
    if (extension == "PDF")
        return TMoreKind::Page;
    if (InTable(extension, Media))
        return TMoreKind::Media;
    return TMoreKind::None;
}

}  // namespace orvane
