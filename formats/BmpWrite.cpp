#include "formats/Bmp.h"

namespace formats {

namespace {

class Writer {
public:
    explicit Writer(size_t size) { m_bytes.reserve(size); }
    void U8(uint32_t value) { m_bytes.push_back(uint8_t(value)); }
    void U16(uint32_t value)
    {
        U8(value);
        U8(value >> 8);
    }
    void U32(uint32_t value)
    {
        U16(value);
        U16(value >> 16);
    }
    std::vector<uint8_t>& Bytes() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

}  // namespace

std::vector<uint8_t> EncodeBmp(const Image& image, BmpDepth depth)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height))
        return {};
    int bitCount = int(depth);
    uint32_t stride = (uint32_t(image.width) * uint32_t(bitCount) + 31) / 32 * 4;
    uint32_t pixelBytes = stride * uint32_t(image.height);
    uint32_t offBits = 14 + 40;
    Writer out(offBits + pixelBytes);

    // BITMAPFILEHEADER
    out.U16(0x4D42);               // bfType: "BM"
    out.U32(offBits + pixelBytes); // bfSize: the whole file
    out.U32(0);                    // bfReserved1, bfReserved2
    out.U32(offBits);              // bfOffBits: the pixels follow the headers
    // BITMAPINFOHEADER
    out.U32(40);                   // biSize
    out.U32(uint32_t(image.width));  // biWidth
    out.U32(uint32_t(image.height)); // biHeight: positive, bottom-up
    out.U16(1);                    // biPlanes
    out.U16(uint32_t(bitCount));   // biBitCount
    out.U32(0);                    // biCompression: BI_RGB
    out.U32(pixelBytes);           // biSizeImage
    out.U32(3780);                 // biXPelsPerMeter: 96 dots per inch
    out.U32(3780);                 // biYPelsPerMeter
    out.U32(0);                    // biClrUsed
    out.U32(0);                    // biClrImportant

    for (int row = image.height - 1; row >= 0; --row) {
        const uint32_t* pixels = image.pixels.data() + size_t(row) * image.width;
        for (int x = 0; x < image.width; ++x) {
            out.U8(pixels[x]);        // blue
            out.U8(pixels[x] >> 8);   // green
            out.U8(pixels[x] >> 16);  // red
            if (bitCount == 32)
                out.U8(pixels[x] >> 24);
        }
        for (uint32_t pad = uint32_t(image.width) * uint32_t(bitCount) / 8; pad < stride; ++pad)
            out.U8(0);
    }
    return std::move(out.Bytes());
}

}  // namespace formats
