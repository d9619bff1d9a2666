#include "formats/Dib.h"
#include "formats/Png.h"

#include <array>
#include <bit>

namespace formats::dib {

namespace {

// One colour channel of a direct-colour pixel: where its bits are and how to widen them to 8.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t maximum = 0;

    explicit Channel(uint32_t channelMask) : mask(channelMask)
    {
        if (mask == 0)
            return;
        shift = std::countr_zero(mask);
        maximum = mask >> shift;
    }
    bool Contiguous() const { return (maximum & (maximum + 1)) == 0; }
    uint32_t Value(uint32_t pixel) const
    {
        uint32_t value = (pixel & mask) >> shift;
        return uint32_t((uint64_t(value) * 255 + maximum / 2) / maximum);
    }
};

struct ChannelSet {
    Channel red, green, blue, alpha;
    bool withAlpha = false;
};

Result<ChannelSet> MakeChannels(const Header& header, AlphaUse alphaUse)
{
    uint32_t masks[4] = {};
    if (header.compression == Compression::Bitfields) {
        for (int i = 0; i < 4; ++i)
            masks[i] = header.masks[i];
    } else if (header.bitCount == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;  // 5-5-5; the top bit is unused
    } else {
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
        if (alphaUse == AlphaUse::Use)
            masks[3] = 0xFF000000;
    }
    uint64_t pixelMask = header.bitCount == 16 ? 0xFFFF : 0xFFFFFFFF;
    uint32_t seen = 0;
    for (int i = 0; i < 4; ++i) {
        if (masks[i] == 0 && i < 3)
            return Fail("a colour channel mask is empty");
        if ((masks[i] & seen) != 0 || masks[i] > pixelMask || !Channel(masks[i]).Contiguous())
            return Fail("the channel masks overlap, leave the pixel or are not contiguous");
        seen |= masks[i];
    }
    ChannelSet set{Channel(masks[0]), Channel(masks[1]), Channel(masks[2]), Channel(masks[3])};
    set.withAlpha = masks[3] != 0;
    return set;
}

uint32_t ComposePixel(const ChannelSet& channels, uint32_t value)
{
    uint32_t alpha = channels.withAlpha ? channels.alpha.Value(value) : 255;
    return (alpha << 24) | (channels.red.Value(value) << 16) | (channels.green.Value(value) << 8) |
           channels.blue.Value(value);
}

// Indexes 0-255 to colours; an index past the colour table maps to a marker that cannot occur in
// a real entry (those are opaque), so that one check after the row finds it.
constexpr uint32_t BadIndex = 0x00BADBAD;

std::array<uint32_t, 256> IndexTable(const std::vector<uint32_t>& palette)
{
    std::array<uint32_t, 256> table;
    table.fill(BadIndex);
    for (size_t i = 0; i < palette.size() && i < table.size(); ++i)
        table[i] = palette[i];
    return table;
}

bool DecodeIndexedRow(const uint8_t* source, uint32_t* target, int64_t width, int bitCount,
                      const std::array<uint32_t, 256>& table)
{
    bool good = true;
    int perByte = 8 / bitCount;
    uint32_t valueMask = (1u << bitCount) - 1;
    for (int64_t x = 0; x < width; ++x) {
        uint8_t byte = source[x / perByte];
        int shift = 8 - bitCount * int(x % perByte + 1);  // leftmost pixel in the high bits
        uint32_t colour = table[(byte >> shift) & valueMask];
        good &= colour != BadIndex;
        target[x] = colour;
    }
    return good;
}

void Decode24Row(const uint8_t* source, uint32_t* target, int64_t width)
{
    for (int64_t x = 0; x < width; ++x, source += 3)  // blue, green, red
        target[x] = 0xFF000000u | (uint32_t(source[2]) << 16) | (uint32_t(source[1]) << 8) | source[0];
}

void DecodeMaskedRow(const uint8_t* source, uint32_t* target, int64_t width, int bitCount, const ChannelSet& channels)
{
    for (int64_t x = 0; x < width; ++x) {
        uint32_t value = bitCount == 16 ? uint32_t(source[0]) | uint32_t(source[1]) << 8
                                        : uint32_t(source[0]) | uint32_t(source[1]) << 8 |
                                              uint32_t(source[2]) << 16 | uint32_t(source[3]) << 24;
        source += bitCount / 8;
        target[x] = ComposePixel(channels, value);
    }
}

bool AlphaAllZero(const Image& image)
{
    for (uint32_t pixel : image.pixels)
        if (pixel >> 24)
            return false;
    return true;
}

Result<Image> DecodeRows(const Header& header, const std::vector<uint32_t>& palette, ByteView pixels,
                         AlphaUse alphaUse, bool* hasAlpha)
{
    int bitCount = header.bitCount;
    uint64_t stride = RowStride(header.width, bitCount);
    // The last row may come without its padding.
    uint64_t lastRow = (uint64_t(header.width) * uint64_t(bitCount) + 7) / 8;
    if (pixels.size() < stride * uint64_t(header.height - 1) + lastRow)
        return Fail("the pixel data is truncated");

    ChannelSet channels{Channel(0), Channel(0), Channel(0), Channel(0)};
    if (bitCount == 16 || bitCount == 32) {
        auto made = MakeChannels(header, alphaUse);
        if (!made)
            return made.TakeFailure();
        channels = *made;
    }
    std::array<uint32_t, 256> table{};
    if (bitCount <= 8)
        table = IndexTable(palette);

    Image image;
    image.width = int(header.width);
    image.height = int(header.height);
    image.pixels.resize(size_t(header.width * header.height));
    bool indexesGood = true;
    for (int64_t row = 0; row < header.height; ++row) {
        const uint8_t* source = pixels.data() + row * stride;
        int64_t y = header.topDown ? row : header.height - 1 - row;
        uint32_t* target = image.pixels.data() + y * header.width;
        if (bitCount <= 8)
            indexesGood &= DecodeIndexedRow(source, target, header.width, bitCount, table);
        else if (bitCount == 24)
            Decode24Row(source, target, header.width);
        else
            DecodeMaskedRow(source, target, header.width, bitCount, channels);
    }
    if (!indexesGood)
        return Fail("a pixel's colour index is beyond the colour table");
    bool alpha = channels.withAlpha && !AlphaAllZero(image);
    if (channels.withAlpha && !alpha)
        for (uint32_t& pixel : image.pixels)
            pixel |= 0xFF000000u;
    if (hasAlpha)
        *hasAlpha = alpha;
    return image;
}

}  // namespace

Result<Image> DecodePixels(const Header& header, const std::vector<uint32_t>& palette, ByteView pixels,
                           AlphaUse alphaUse, bool* hasAlpha)
{
    if (hasAlpha)
        *hasAlpha = false;
    switch (header.compression) {
    case Compression::Rgb:
    case Compression::Bitfields:
        break;
    case Compression::Rle8:
    case Compression::Rle4:
        if (!ImageSizeAllowed(header.width, header.height))
            return Fail("the bitmap is too large");
        return DecodeRle(header, palette, pixels);
    case Compression::Png: {
        auto image = DecodePng(pixels);
        if (image && hasAlpha)
            *hasAlpha = true;
        return image;
    }
    case Compression::Jpeg:
        return Fail("JPEG-compressed bitmaps are not supported");
    case Compression::Huffman1D:
        return Fail("Huffman-compressed bitmaps are not supported");
    case Compression::Rle24:
        return Fail("RLE24-compressed bitmaps are not supported");
    }
    if (!ImageSizeAllowed(header.width, header.height))
        return Fail("the bitmap is too large");
    return DecodeRows(header, palette, pixels, alphaUse, hasAlpha);
}

}  // namespace formats::dib
