#include "formats/Dib.h"

namespace formats::dib {

namespace {

// Escape codes: a zero count followed by one of these.
constexpr uint8_t EndOfLine = 0;
constexpr uint8_t EndOfBitmap = 1;
constexpr uint8_t Delta = 2;  // followed by a right and an up offset

// Where the next pixel goes, counted from the bottom row as the data runs.
//
// A run may go on into the padding of the row, the pixels that round a stored row up to 32 bits:
// ImageMagick encodes the padded row. Those pixels are dropped. A run further out, or a move out
// of the bitmap, is damage.
class RleCanvas {
public:
    RleCanvas(Image& image, const std::vector<uint32_t>& palette, int bitCount)
        : m_image(image), m_palette(palette),
          m_paddedWidth(int64_t(RowStride(image.width, bitCount) * 8 / uint64_t(bitCount)))
    {
    }

    // Writes one pixel of the given colour index and moves right.
    bool Put(uint32_t index)
    {
        if (index >= m_palette.size())
            return false;
        if (m_x < m_image.width)
            m_image.pixels[size_t(m_image.height - 1 - m_y) * m_image.width + m_x] = m_palette[index];
        ++m_x;
        return true;
    }
    bool Fits(int count) const { return m_x + count <= m_paddedWidth && m_y < m_image.height; }
    void NextLine()
    {
        m_x = 0;
        ++m_y;
    }
    bool Move(int right, int up)
    {
        m_x += right;
        m_y += up;
        return m_x <= m_paddedWidth && m_y <= m_image.height;
    }

private:
    Image& m_image;
    const std::vector<uint32_t>& m_palette;
    int64_t m_paddedWidth;
    int64_t m_x = 0;
    int64_t m_y = 0;
};

}  // namespace

Result<Image> DecodeRle(const Header& header, const std::vector<uint32_t>& palette, ByteView data)
{
    bool fourBit = header.compression == Compression::Rle4;
    Image image;
    image.width = int(header.width);
    image.height = int(header.height);
    // Pixels the data never reaches (skipped by a delta, or after data that ends early) stay
    // transparent, as other programs show them.
    image.pixels.assign(size_t(header.width * header.height), 0);
    RleCanvas canvas(image, palette, header.bitCount);
    const Failure outside = Fail("the run-length data runs outside the bitmap");
    const Failure badIndex = Fail("a pixel's colour index is beyond the colour table");

    size_t at = 0;
    while (at + 1 < data.size()) {
        uint8_t count = data[at];
        uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            // An encoded run: `count` pixels of one index (RLE8) or of two alternating ones (RLE4).
            if (!canvas.Fits(count))
                return outside;
            for (int i = 0; i < count; ++i) {
                uint32_t index = fourBit ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                if (!canvas.Put(index))
                    return badIndex;
            }
            continue;
        }
        if (value == EndOfLine) {
            canvas.NextLine();
        } else if (value == EndOfBitmap) {
            return image;
        } else if (value == Delta) {
            if (at + 1 >= data.size())
                break;
            if (!canvas.Move(data[at], data[at + 1]))
                return outside;
            at += 2;
        } else {
            // An absolute run of `value` indexes, padded to a whole 16-bit word.
            size_t bytes = fourBit ? (value + 1) / 2 : value;
            if (at + bytes > data.size())
                break;
            if (!canvas.Fits(value))
                return outside;
            for (int i = 0; i < value; ++i) {
                uint8_t byte = data[at + (fourBit ? size_t(i / 2) : size_t(i))];
                uint32_t index = fourBit ? (i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte;
                if (!canvas.Put(index))
                    return badIndex;
            }
            at += bytes + (bytes % 2);
        }
    }
    // Data that ends without its end-of-bitmap mark: what came so far is the picture.
    return image;
}

}  // namespace formats::dib
