#pragma once

// Icons of files, in the manner of ExtractIconA: from executables and libraries (32- and 64-bit
// PE, 16-bit NE), icon and cursor files, and icon theme images; and from the system icon library
// ("shell32.dll" in the system folder), whose document, application and folder icons come from
// the desktop's icon theme.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct IconPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, straight alpha, rows from the top
};

class IIcons {
public:
    virtual ~IIcons() = default;
    // Icon `number` of the file at a DOS path (code page 932, relative to the current folder when
    // not absolute): from 0 up the position among the file's icons, below 0 minus an executable's
    // icon resource identifier; an icon, cursor or image file has only icon 0. Of an icon's
    // images the one nearest `size` pixels is given, at its own size (the caller scales it). None
    // for a missing file, a number out of range, a file that holds no icon, or a damaged one.
    virtual std::optional<IconPixels> ExtractIcon(const std::string& dosPath, int number, int size = 32) = 0;
};

}  // namespace platform
