#pragma once

// Windows and OS/2 bitmap files (.bmp): every header generation, 1 to 32 bits per pixel,
// RLE4 and RLE8, channel masks, top-down rows; and writing 24- and 32-bit files.

#include "formats/Bytes.h"
#include "formats/Image.h"
#include "formats/Result.h"

#include <cstdint>
#include <vector>

namespace formats {

// Decodes a .bmp file. The file header's size field and the info header's image size are not
// trusted (writers get them wrong); the pixel data must be all there.
Result<Image> DecodeBmp(ByteView file);

// Decodes the bitmap of an icon or cursor image: an info header whose height counts two bitmaps,
// the colour bitmap and below it the AND mask that marks the transparent pixels. A 32-bit image
// with alpha uses its alpha instead.
Result<Image> DecodeIconDib(ByteView dib);

// What an icon image's header says of it, without decoding it.
struct DibSummary {
    int width = 0;
    int height = 0;  // of the image, not counting the mask
    int bitCount = 0;
};
Result<DibSummary> ReadIconDibSummary(ByteView dib);

enum class BmpDepth { Bits24 = 24, Bits32 = 32 };

// A bottom-up BITMAPINFOHEADER file without a colour table, as every program reads it. With 32
// bits the fourth byte holds the alpha, which readers of a BI_RGB bitmap ignore. Empty for an
// image without pixels.
std::vector<uint8_t> EncodeBmp(const Image& image, BmpDepth depth);

}  // namespace formats
