#include "formats/Bmp.h"

#include "formats/Dib.h"

namespace formats {

namespace {

constexpr uint32_t FileHeaderSize = 14;

struct FileHeader {
    uint16_t type = 0;      // bfType: "BM"
    uint32_t size = 0;      // bfSize: the file's length; often wrong, not used
    uint32_t offBits = 0;   // bfOffBits: where the pixel data starts, from the file's start
};

Result<FileHeader> ReadFileHeader(ByteView file)
{
    FieldReader field(file);
    FileHeader header;
    header.type = field.U16();
    header.size = field.U32();
    field.Skip(4);  // bfReserved1, bfReserved2
    header.offBits = field.U32();
    if (field.Overrun() || header.type != 0x4D42)
        return Fail("not a bitmap file");
    return header;
}

// The pixel data's place: bfOffBits when it points past the headers into the file; a few writers
// leave it zero or wrong, and then the data follows the colour table.
uint64_t PixelOffset(const FileHeader& fileHeader, const dib::Header& header, ByteView file)
{
    uint64_t paletteStart = FileHeaderSize + header.paletteOffset;
    if (fileHeader.offBits >= paletteStart && fileHeader.offBits < file.size())
        return fileHeader.offBits;
    return paletteStart + dib::NominalPaletteBytes(header);
}

// Applies the AND mask (1 bit a pixel, rows padded to 32 bits, bottom-up): a set bit makes the
// pixel transparent. A pixel both masked and coloured would invert the screen beneath it, which
// an image cannot hold; it is shown black, as it appears on a white window.
void ApplyAndMask(Image& image, ByteView mask)
{
    uint64_t stride = dib::RowStride(image.width, 1);
    for (int row = 0; row < image.height; ++row) {
        if (!Contains(mask, row * stride, stride))
            return;  // a missing mask leaves the rest opaque
        const uint8_t* bits = mask.data() + row * stride;
        uint32_t* pixels = image.pixels.data() + size_t(image.height - 1 - row) * image.width;
        for (int x = 0; x < image.width; ++x) {
            if (!(bits[x / 8] & (0x80 >> (x % 8))))
                continue;
            pixels[x] = (pixels[x] & 0xFFFFFF) == 0 ? 0 : 0xFF000000u;
        }
    }
}

}  // namespace

Result<Image> DecodeBmp(ByteView file)
{
    auto fileHeader = ReadFileHeader(file);
    if (!fileHeader)
        return fileHeader.TakeFailure();
    ByteView dibBytes = Tail(file, FileHeaderSize);
    auto header = dib::ReadHeader(dibBytes);
    if (!header)
        return header.TakeFailure();
    uint64_t pixelOffset = PixelOffset(*fileHeader, *header, file);
    if (pixelOffset >= file.size())
        return Fail("the pixel data is missing");
    auto palette = dib::ReadPalette(dibBytes, *header, pixelOffset - FileHeaderSize);
    if (!palette)
        return palette.TakeFailure();
    return dib::DecodePixels(*header, *palette, Tail(file, pixelOffset), dib::AlphaUse::Ignore);
}

Result<DibSummary> ReadIconDibSummary(ByteView dib)
{
    auto header = dib::ReadHeader(dib);
    if (!header)
        return header.TakeFailure();
    DibSummary summary;
    summary.width = int(header->width);
    summary.height = int(header->height / 2);
    summary.bitCount = header->bitCount;
    if (summary.height <= 0)
        return Fail("the icon image has no rows");
    return summary;
}

Result<Image> DecodeIconDib(ByteView dibBytes)
{
    auto header = dib::ReadHeader(dibBytes);
    if (!header)
        return header.TakeFailure();
    if (header->compression == dib::Compression::Png)
        return Fail("a PNG icon image inside a bitmap header");
    // The height counts the colour bitmap and the mask; icons are stored bottom-up.
    dib::Header colour = *header;
    colour.height = header->height / 2;
    colour.topDown = false;
    if (colour.height <= 0)
        return Fail("the icon image has no rows");
    auto palette = dib::ReadPalette(dibBytes, colour, 0);
    if (!palette)
        return palette.TakeFailure();
    uint64_t pixelOffset = colour.paletteOffset + dib::NominalPaletteBytes(colour);
    ByteView pixels = Tail(dibBytes, pixelOffset);
    bool hasAlpha = false;
    auto image = dib::DecodePixels(colour, *palette, pixels, dib::AlphaUse::Use, &hasAlpha);
    if (!image)
        return image;
    if (!hasAlpha) {
        bool runLength = colour.compression == dib::Compression::Rle4 || colour.compression == dib::Compression::Rle8;
        uint64_t colourBytes = runLength ? colour.sizeImage
                                         : dib::RowStride(colour.width, colour.bitCount) * uint64_t(colour.height);
        ApplyAndMask(*image, Tail(pixels, colourBytes));
    }
    return image;
}

}  // namespace formats
