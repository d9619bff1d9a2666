#include "formats/Dib.h"

#include <string>

namespace formats::dib {

namespace {

constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t V2HeaderSize = 52;   // BITMAPV2INFOHEADER: 40 bytes and the red, green, blue masks
constexpr uint32_t V3HeaderSize = 56;   // BITMAPV3INFOHEADER: the alpha mask too
constexpr uint32_t V4HeaderSize = 108;
constexpr uint32_t V5HeaderSize = 124;

// The header sizes this decoder knows. OS/2 2.x headers may be cut anywhere from 16 to 64 bytes;
// 40 is read as the Windows header, which has the same fields.
Result<HeaderKind> KindOfSize(uint32_t size)
{
    switch (size) {
    case CoreHeaderSize:
        return HeaderKind::Core;
    case InfoHeaderSize:
    case V2HeaderSize:
    case V3HeaderSize:
    case V4HeaderSize:
    case V5HeaderSize:
        return HeaderKind::Windows;
    default:
        if (size >= 16 && size <= 64 && size % 4 == 0)
            return HeaderKind::Os2V2;
        return Fail("unknown bitmap header size " + std::to_string(size));
    }
}

Result<Compression> CompressionOf(uint32_t value, HeaderKind kind)
{
    // OS/2 2.x gave the numbers 3 and 4 to other methods than Windows did.
    bool os2 = kind == HeaderKind::Os2V2;
    switch (value) {
    case 0:
        return Compression::Rgb;
    case 1:
        return Compression::Rle8;
    case 2:
        return Compression::Rle4;
    case 3:
        return os2 ? Compression::Huffman1D : Compression::Bitfields;
    case 4:
        return os2 ? Compression::Rle24 : Compression::Jpeg;
    case 5:
        return Compression::Png;
    case 6:
        return Compression::Bitfields;  // BI_ALPHABITFIELDS: masks for alpha too
    default:
        return Fail("unknown compression " + std::to_string(value));
    }
}

Result<bool> CheckBitCount(const Header& header)
{
    switch (header.compression) {
    case Compression::Rle8:
        if (header.bitCount != 8)
            return Fail("RLE8 needs 8 bits per pixel");
        break;
    case Compression::Rle4:
        if (header.bitCount != 4)
            return Fail("RLE4 needs 4 bits per pixel");
        break;
    case Compression::Bitfields:
        if (header.bitCount != 16 && header.bitCount != 32)
            return Fail("channel masks need 16 or 32 bits per pixel");
        break;
    case Compression::Jpeg:
    case Compression::Png:
        return true;  // the embedded file says
    default:
        break;
    }
    switch (header.bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    case 64:
        return Fail("64 bits per pixel are not supported");
    default:
        return Fail("invalid bit count " + std::to_string(header.bitCount));
    }
}

// The BITMAPCOREHEADER of OS/2 1.x.
Result<Header> ReadCoreHeader(ByteView dib)
{
    Header header;
    FieldReader field(dib, 4);
    header.kind = HeaderKind::Core;
    header.size = CoreHeaderSize;
    header.width = field.U16();     // bcWidth
    header.height = field.U16();    // bcHeight: rows, always bottom-up
    uint16_t planes = field.U16();  // bcPlanes: 1
    header.bitCount = field.U16();  // bcBitCount: 1, 4, 8 or 24
    if (field.Overrun())
        return Fail("the bitmap header is truncated");
    if (planes != 1)
        return Fail("the bitmap has " + std::to_string(planes) + " planes");
    if (header.width == 0 || header.height == 0)
        return Fail("the bitmap has no pixels");
    if (auto valid = CheckBitCount(header); !valid)
        return valid.TakeFailure();
    header.paletteOffset = CoreHeaderSize;
    header.paletteEntrySize = 3;  // RGBTRIPLE: blue, green, red
    return header;
}

}  // namespace

Result<Header> ReadHeader(ByteView dib)
{
    FieldReader sizeField(dib);
    uint32_t size = sizeField.U32();  // biSize: bytes of this header, which tells its generation
    if (sizeField.Overrun())
        return Fail("the bitmap header is truncated");
    auto kind = KindOfSize(size);
    if (!kind)
        return kind.TakeFailure();
    if (!Contains(dib, 0, size))
        return Fail("the bitmap header is truncated");
    if (*kind == HeaderKind::Core)
        return ReadCoreHeader(dib);

    // Fields that a short OS/2 2.x header leaves out read as zero.
    Header header;
    header.kind = *kind;
    header.size = size;
    FieldReader field(Tail(dib, 0, size), 4);
    int32_t width = field.I32();         // biWidth
    int32_t height = field.I32();        // biHeight: negative for a top-down bitmap
    uint16_t planes = field.U16();       // biPlanes: 1
    header.bitCount = field.U16();       // biBitCount: 0 (JPEG, PNG), 1, 2, 4, 8, 16, 24, 32
    uint32_t compression = field.U32();  // biCompression: BI_RGB 0, BI_RLE8 1, BI_RLE4 2, ...
    header.sizeImage = field.U32();      // biSizeImage: bytes of pixel data; 0 allowed for BI_RGB
    field.Skip(8);                       // biXPelsPerMeter, biYPelsPerMeter: resolution, unused
    header.colorsUsed = field.U32();     // biClrUsed: colour table entries, 0 for the maximum
    field.Skip(4);                       // biClrImportant: unused
    if (header.kind == HeaderKind::Windows && size >= V2HeaderSize) {
        header.masks[0] = field.U32();  // bV4RedMask
        header.masks[1] = field.U32();  // bV4GreenMask
        header.masks[2] = field.U32();  // bV4BlueMask
        if (size >= V3HeaderSize)
            header.masks[3] = field.U32();  // bV4AlphaMask
        // The V4 and V5 colour spaces, gamma, rendering intent and profile are not applied.
    }

    if (planes != 1)
        return Fail("the bitmap has " + std::to_string(planes) + " planes");
    if (width <= 0)
        return Fail("the bitmap width " + std::to_string(width) + " is not positive");
    if (height == 0)
        return Fail("the bitmap height is zero");
    header.width = width;
    header.topDown = height < 0;
    header.height = height < 0 ? -int64_t(height) : int64_t(height);
    auto method = CompressionOf(compression, header.kind);
    if (!method)
        return method.TakeFailure();
    header.compression = *method;
    if (auto valid = CheckBitCount(header); !valid)
        return valid.TakeFailure();
    if (header.topDown && (header.compression == Compression::Rle4 || header.compression == Compression::Rle8))
        return Fail("a run-length encoded bitmap cannot be top-down");

    header.paletteOffset = size;
    if (header.compression == Compression::Bitfields) {
        header.hasMasks = true;
        if (size == InfoHeaderSize) {
            // A 40-byte header is followed by three masks, or four for BI_ALPHABITFIELDS.
            int count = compression == 6 ? 4 : 3;
            FieldReader masks(dib, size);
            for (int i = 0; i < count; ++i)
                header.masks[i] = masks.U32();
            if (masks.Overrun())
                return Fail("the channel masks are truncated");
            header.paletteOffset = size + 4u * count;
        } else if (size < V2HeaderSize) {
            return Fail("channel masks without room for them");
        }
    }
    return header;
}

uint64_t NominalPaletteBytes(const Header& header)
{
    uint64_t entries = header.colorsUsed;
    if (header.bitCount <= 8 && (entries == 0 || header.kind == HeaderKind::Core))
        entries = uint64_t(1) << header.bitCount;
    if (header.compression == Compression::Jpeg || header.compression == Compression::Png)
        entries = header.colorsUsed;
    return entries * uint64_t(header.paletteEntrySize);
}

Result<std::vector<uint32_t>> ReadPalette(ByteView dib, const Header& header, uint64_t pixelOffset)
{
    uint64_t bytes = NominalPaletteBytes(header);
    if (!Contains(dib, header.paletteOffset, bytes))
        return Fail("the colour table is larger than the file");
    if (pixelOffset > header.paletteOffset && pixelOffset < header.paletteOffset + bytes)
        bytes = pixelOffset - header.paletteOffset;
    std::vector<uint32_t> palette;
    if (header.bitCount > 8 || header.compression == Compression::Jpeg || header.compression == Compression::Png)
        return palette;  // a table beside direct colour only advises the display; not needed
    uint64_t count = bytes / uint64_t(header.paletteEntrySize);
    uint64_t usable = uint64_t(1) << header.bitCount;
    palette.reserve(size_t(count < usable ? count : usable));
    FieldReader field(dib, header.paletteOffset);
    for (uint64_t i = 0; i < count && i < usable; ++i) {
        uint32_t blue = field.U8();   // rgbBlue
        uint32_t green = field.U8();  // rgbGreen
        uint32_t red = field.U8();    // rgbRed
        if (header.paletteEntrySize == 4)
            field.U8();  // rgbReserved: 0, not alpha
        palette.push_back(0xFF000000u | (red << 16) | (green << 8) | blue);
    }
    if (palette.empty())
        return Fail("the bitmap has no colour table");
    return palette;
}

uint64_t RowStride(int64_t width, int bitCount)
{
    return (uint64_t(width) * uint64_t(bitCount) + 31) / 32 * 4;
}

}  // namespace formats::dib
