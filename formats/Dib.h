#pragma once

// The device-independent bitmap inside .bmp files and icon images: the info header in its five
// generations, the colour table, and the pixel rows in every encoding files in the wild use.
// Shared by the BMP and icon decoders; callers outside formats/ use Bmp.h and Icon.h.

#include "formats/Bytes.h"
#include "formats/Image.h"
#include "formats/Result.h"

#include <cstdint>
#include <vector>

namespace formats::dib {

enum class Compression {
    Rgb,        // uncompressed, palette indexes or direct colour
    Rle8,       // run-length encoded 8-bit indexes
    Rle4,       // run-length encoded 4-bit indexes
    Bitfields,  // direct colour with channel masks
    Jpeg,       // a JPEG file as the pixel data
    Png,        // a PNG file as the pixel data
    Huffman1D,  // OS/2 2.x: fax-style monochrome
    Rle24,      // OS/2 2.x: run-length encoded 24-bit colour
};

enum class HeaderKind {
    Core,     // BITMAPCOREHEADER (OS/2 1.x, 12 bytes): 16-bit sizes, 3-byte colour table entries
    Os2V2,    // OS/2 2.x BITMAPINFOHEADER2 (16 to 64 bytes): fields past its length are zero
    Windows,  // BITMAPINFOHEADER (40) and its later forms V2 (52), V3 (56), V4 (108), V5 (124)
};

struct Header {
    HeaderKind kind = HeaderKind::Windows;
    uint32_t size = 0;            // bytes of the info header
    int64_t width = 0;
    int64_t height = 0;           // rows, without the sign that marks a top-down bitmap
    bool topDown = false;
    uint16_t bitCount = 0;
    Compression compression = Compression::Rgb;
    uint32_t sizeImage = 0;       // bytes of pixel data as the header claims them (often 0 or wrong)
    uint32_t colorsUsed = 0;      // colour table entries; 0 means as many as the bit count allows
    uint32_t masks[4] = {};       // red, green, blue, alpha channel masks (when given)
    bool hasMasks = false;
    uint64_t paletteOffset = 0;   // where the colour table starts: after the header and any masks
    int paletteEntrySize = 4;     // bytes per colour table entry
};

// Reads the info header at the start of `dib`, with the masks that follow a 40-byte header.
Result<Header> ReadHeader(ByteView dib);

// The colour table entries the header announces (none for direct colour), as opaque 0xFFRRGGBB.
// `pixelOffset`, when not zero, is where the pixel data starts; a table that would run into it
// is shorter than announced, as some writers make it.
Result<std::vector<uint32_t>> ReadPalette(ByteView dib, const Header& header, uint64_t pixelOffset);

// Bytes the colour table takes by the header's own count.
uint64_t NominalPaletteBytes(const Header& header);

// Bytes of one stored row: the pixels rounded up to whole 32-bit words.
uint64_t RowStride(int64_t width, int bitCount);

// Whether a 32-bit direct-colour bitmap without masks carries alpha in its fourth byte. A .bmp
// file does not (that byte is unused); an icon image does.
enum class AlphaUse { Ignore, Use };

// Decodes the pixel data that follows the colour table. `hasAlpha`, when given, tells whether
// the pixels carry a meaningful alpha channel: one was stored, and not every pixel's alpha is
// zero (writers that leave the channel empty mean an opaque image, and get one).
Result<Image> DecodePixels(const Header& header, const std::vector<uint32_t>& palette, ByteView pixels,
                           AlphaUse alphaUse, bool* hasAlpha = nullptr);

// Run-length encoded pixel data (RLE8 or RLE4). Pixels the data skips stay transparent.
Result<Image> DecodeRle(const Header& header, const std::vector<uint32_t>& palette, ByteView data);

}  // namespace formats::dib
