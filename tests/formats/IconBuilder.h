#pragma once

// Icon and cursor files built byte by byte, for cases no sample file covers exactly.

#include <cstdint>
#include <vector>

namespace samples {

class ByteWriter {
public:
    void U8(uint32_t value) { bytes.push_back(uint8_t(value)); }
    void U16(uint32_t value) { U8(value), U8(value >> 8); }
    void U32(uint32_t value) { U16(value), U16(value >> 16); }
    void Append(const std::vector<uint8_t>& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
    std::vector<uint8_t> bytes;
};

// The BITMAPINFOHEADER of an icon image: its height counts the colour bitmap and the mask.
inline void IconInfoHeader(ByteWriter& out, int width, int height, int bitCount)
{
    out.U32(40), out.U32(uint32_t(width)), out.U32(uint32_t(height * 2)), out.U16(1), out.U16(uint32_t(bitCount));
    for (int i = 0; i < 6; ++i)
        out.U32(0);
}

// A 32-bit icon image: pixels 0xAARRGGBB from the top row, and the AND mask (true: transparent).
inline std::vector<uint8_t> IconDib32(int width, int height, const std::vector<uint32_t>& pixels,
                                      const std::vector<bool>& mask)
{
    ByteWriter out;
    IconInfoHeader(out, width, height, 32);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            out.U32(pixels[size_t(y * width + x)]);
    int stride = (width + 31) / 32 * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(stride), 0);
        for (int x = 0; x < width; ++x)
            if (mask[size_t(y * width + x)])
                row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        out.Append(row);
    }
    return out.bytes;
}

struct BuiltImage {
    std::vector<uint8_t> data;
    int width = 0;   // as the directory states it
    int height = 0;
    int hotSpotX = 0;
    int hotSpotY = 0;
};

// An .ico (type 1) or .cur (type 2) file holding the images.
inline std::vector<uint8_t> IconFile(int type, const std::vector<BuiltImage>& images)
{
    ByteWriter out;
    out.U16(0), out.U16(uint32_t(type)), out.U16(uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (const BuiltImage& image : images) {
        out.U8(uint32_t(image.width & 0xFF)), out.U8(uint32_t(image.height & 0xFF)), out.U8(0), out.U8(0);
        out.U16(type == 2 ? uint32_t(image.hotSpotX) : 1);
        out.U16(type == 2 ? uint32_t(image.hotSpotY) : 32);
        out.U32(uint32_t(image.data.size())), out.U32(offset);
        offset += uint32_t(image.data.size());
    }
    for (const BuiltImage& image : images)
        out.Append(image.data);
    return out.bytes;
}

}  // namespace samples
