#pragma once

// What the WMF and EMF readers share: the bitmaps their records carry, the picture's size, and
// the reading of one record's fields. Internal to formats/.

#include "formats/Metafile.h"

#include <bit>

namespace formats::meta {

// Bytes the decoded bitmaps of one metafile may take together, so that a file of many large
// bitmap records cannot exhaust memory; records beyond it are skipped.
constexpr int64_t MaxMetafilePixels = MaxImagePixels;

// A DIB as metafile records hold it: the info header with its colour table, and the bits,
// which EMF records place apart. `rows`, when not zero, limits the rows that are present
// (SetDIBitsToDevice may carry only some scan lines).
struct DibSource {
    ByteView info;
    ByteView bits;
    uint32_t usage = 0;   // DIB_RGB_COLORS 0, DIB_PAL_COLORS 1
    uint32_t rows = 0;
    // AlphaBlend's 32-bit bitmaps carry alpha, with the colours multiplied by it.
    bool premultipliedAlpha = false;
};

struct DecodedDib {
    Image image;
    bool topDown = false;
};

class PixelBudget {
public:
    bool Take(const Image& image);

private:
    int64_t m_left = MaxMetafilePixels;
};

Result<DecodedDib> DecodeDib(const DibSource& source, PixelBudget& budget);

// A packed DIB (header, colour table and bits in a row), as WMF records and pattern brushes
// hold it.
DibSource PackedDib(ByteView dib, uint32_t usage);

// The 16-bit device-dependent bitmap of old WMF records: `bits` follow its 10-byte header, rows
// from the top, `widthBytes` a row. One bit a pixel is the common case; 8, 24 and 32 bits are
// read as they lie.
Result<Image> DecodeBitmap16(ByteView bitmap, PixelBudget& budget);

// A source rectangle counted from the image's top row. DIB records count it from the bottom row
// of a bottom-up bitmap; `firstRow` is the bottom row the bits start at (SetDIBitsToDevice).
Rect SourceRect(int32_t x, int32_t y, int32_t width, int32_t height, const DecodedDib& dib, int32_t firstRow = 0);

// Fills in the picture's size in pixels from its rectangle: at `unitsPerInch` for a WMF, in the
// rectangle's own units (reference device pixels) for an EMF. A picture too large to hold in
// memory is made smaller, keeping its proportions.
void SetPixelSize(MetafileHeader& header, double unitsPerInch);

// Fields of one record, little-endian, bounds-checked like FieldReader.
class Fields : public FieldReader {
public:
    using FieldReader::FieldReader;

    Point PointL() { int32_t x = I32(); return {x, I32()}; }
    Point PointS() { int32_t x = I16(); return {x, I16()}; }
    Rect RectL()
    {
        Rect rect;
        rect.left = I32(), rect.top = I32(), rect.right = I32(), rect.bottom = I32();
        return rect;
    }
    Rect RectS()
    {
        Rect rect;
        rect.left = I16(), rect.top = I16(), rect.right = I16(), rect.bottom = I16();
        return rect;
    }
    float F32() { return std::bit_cast<float>(U32()); }
};

inline Operation Skip(std::string reason)
{
    return Skipped{std::move(reason)};
}

inline Operation TooShort()
{
    return Skipped{"the record is shorter than its fields"};
}

}  // namespace formats::meta

namespace formats {

bool LooksLikeWmf(ByteView data);
bool LooksLikeEmf(ByteView data);
Result<Metafile> ReadWmf(ByteView data);
Result<Metafile> ReadEmf(ByteView data);

}  // namespace formats
