#include "formats/MetafileParts.h"

#include "formats/Dib.h"

#include <algorithm>
#include <cmath>

namespace formats::meta {

namespace {

constexpr uint32_t DibPaletteColors = 1;

// No picture is made larger than this; bigger ones are scaled down to fit.
constexpr double MaxPictureSide = 8192;
constexpr double MaxPicturePixels = double(1 << 24);

void Unpremultiply(Image& image)
{
    for (uint32_t& pixel : image.pixels) {
        uint32_t alpha = pixel >> 24;
        if (alpha == 0 || alpha == 255)
            continue;
        auto channel = [&](int shift) { return std::min<uint32_t>(255, ((pixel >> shift) & 0xFF) * 255 / alpha); };
        pixel = alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
    }
}

}  // namespace

bool PixelBudget::Take(const Image& image)
{
    int64_t pixels = int64_t(image.width) * int64_t(image.height);
    if (pixels > m_left)
        return false;
    m_left -= pixels;
    return true;
}

Result<DecodedDib> DecodeDib(const DibSource& source, PixelBudget& budget)
{
    if (source.usage == DibPaletteColors)
        return Fail("the bitmap's colours index a palette");
    auto header = dib::ReadHeader(source.info);
    if (!header)
        return header.TakeFailure();
    dib::Header rows = *header;
    bool runLength = rows.compression == dib::Compression::Rle4 || rows.compression == dib::Compression::Rle8;
    if (source.rows != 0 && source.rows < rows.height && !runLength)
        rows.height = source.rows;
    if (!ImageSizeAllowed(rows.width, rows.height))
        return Fail("the bitmap is too large");
    auto palette = dib::ReadPalette(source.info, rows, 0);
    if (!palette)
        return palette.TakeFailure();
    auto alphaUse = source.premultipliedAlpha ? dib::AlphaUse::Use : dib::AlphaUse::Ignore;
    auto image = dib::DecodePixels(rows, *palette, source.bits, alphaUse);
    if (!image)
        return image.TakeFailure();
    if (source.premultipliedAlpha)
        Unpremultiply(*image);
    if (!budget.Take(*image))
        return Fail("the metafile's bitmaps are too large together");
    return DecodedDib{std::move(*image), rows.topDown};
}

DibSource PackedDib(ByteView dib, uint32_t usage)
{
    DibSource source;
    source.info = dib;
    source.usage = usage;
    auto header = dib::ReadHeader(dib);
    if (header) {
        uint64_t colourTable = usage == DibPaletteColors ? 0 : dib::NominalPaletteBytes(*header);
        source.bits = Tail(dib, header->paletteOffset + colourTable);
    }
    return source;
}

Result<Image> DecodeBitmap16(ByteView bitmap, PixelBudget& budget)
{
    Fields field(bitmap);
    field.I16();                     // Type: 0
    int32_t width = field.I16();     // Width in pixels
    int32_t height = field.I16();    // Height in rows
    int32_t widthBytes = field.I16();  // WidthBytes: bytes of one row
    uint8_t planes = field.U8();     // Planes: 1
    uint8_t bitsPixel = field.U8();  // BitsPixel
    field.U32();                     // Bits: a pointer when it was in memory; meaningless here
    if (field.Overrun())
        return Fail("the bitmap header is truncated");
    if (planes != 1 || (bitsPixel != 1 && bitsPixel != 8 && bitsPixel != 24 && bitsPixel != 32))
        return Fail("a device bitmap of " + std::to_string(bitsPixel) + " bits a pixel");
    if (!ImageSizeAllowed(width, height) || widthBytes <= 0 ||
        uint64_t(widthBytes) * 8 < uint64_t(width) * bitsPixel)
        return Fail("the bitmap's size is not valid");
    ByteView bits = Tail(bitmap, field.Offset());
    if (bits.size() < uint64_t(widthBytes) * uint64_t(height))
        return Fail("the bitmap's bits are truncated");
    Image image{width, height, std::vector<uint32_t>(size_t(width) * size_t(height))};
    if (!budget.Take(image))
        return Fail("the metafile's bitmaps are too large together");
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bits.data() + size_t(y) * size_t(widthBytes);
        uint32_t* out = image.pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x) {
            if (bitsPixel == 1) {
                out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u;
            } else if (bitsPixel == 8) {
                uint32_t grey = row[x];
                out[x] = 0xFF000000u | grey << 16 | grey << 8 | grey;
            } else {
                const uint8_t* pixel = row + size_t(x) * (bitsPixel / 8);
                out[x] = 0xFF000000u | uint32_t(pixel[2]) << 16 | uint32_t(pixel[1]) << 8 | pixel[0];
            }
        }
    }
    return image;
}

Rect SourceRect(int32_t x, int32_t y, int32_t width, int32_t height, const DecodedDib& dib, int32_t firstRow)
{
    int64_t top = dib.topDown ? int64_t(y) - firstRow : int64_t(firstRow) + dib.image.height - y - height;
    Rect rect;
    rect.left = x;
    rect.top = int32_t(std::clamp<int64_t>(top, INT32_MIN / 2, INT32_MAX / 2));
    rect.right = int32_t(std::clamp<int64_t>(int64_t(x) + width, INT32_MIN / 2, INT32_MAX / 2));
    rect.bottom = int32_t(std::clamp<int64_t>(int64_t(rect.top) + height, INT32_MIN / 2, INT32_MAX / 2));
    return rect;
}

void SetPixelSize(MetafileHeader& header, double unitsPerInch)
{
    double width = header.width * 96.0 / unitsPerInch;
    double height = header.height * 96.0 / unitsPerInch;
    double scale = 1;
    if (width > MaxPictureSide || height > MaxPictureSide)
        scale = MaxPictureSide / std::max(width, height);
    if (width * height * scale * scale > MaxPicturePixels)
        scale = std::sqrt(MaxPicturePixels / (width * height));
    header.pixelWidth = std::max(1, int(std::lround(width * scale)));
    header.pixelHeight = std::max(1, int(std::lround(height * scale)));
}

}  // namespace formats::meta
