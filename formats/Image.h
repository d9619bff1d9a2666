#pragma once

// A decoded picture: rows from the top, each pixel 0xAARRGGBB with straight (not premultiplied)
// alpha.

#include <cstdint>
#include <vector>

namespace formats {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// No decoder makes an image larger than this, whatever a header claims: a lying header must not
// allocate gigabytes. 8192 x 8192 pixels take 256 MB; a scan of a large page still fits.
constexpr int64_t MaxImagePixels = int64_t(1) << 26;
constexpr int64_t MaxImageSide = int64_t(1) << 16;

inline bool ImageSizeAllowed(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= MaxImageSide && height <= MaxImageSide &&
           width * height <= MaxImagePixels;
}

}  // namespace formats
