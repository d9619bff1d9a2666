// The EMF records that carry variable parts at offsets: texts, bitmaps, pattern brushes,
// regions and gradients. Offsets count from the record's start, and each part is checked to lie
// inside the record.

#include "formats/EmfRecords.h"

namespace formats {

namespace {

using namespace meta;

constexpr uint64_t RecordHead = 8;
constexpr uint64_t BoundsSize = 16;
constexpr uint32_t EtoNoRect = 0x100;       // SmallTextOut: no clipping rectangle follows
constexpr uint32_t EtoSmallChars = 0x200;   // SmallTextOut: one byte a character
constexpr uint64_t RegionHeaderSize = 32;

// The bitmap of a transfer or brush: its info header and bits, each at an offset of the record.
// A transfer without a bitmap (a pattern fill) has both sizes zero.
struct BitmapPlace {
    uint32_t infoOffset = 0, infoSize = 0, bitsOffset = 0, bitsSize = 0;

    void Read(Fields& field)
    {
        infoOffset = field.U32(), infoSize = field.U32(), bitsOffset = field.U32(), bitsSize = field.U32();
    }
    bool Present() const { return infoSize != 0; }
    bool Inside(ByteView record) const
    {
        return Contains(record, infoOffset, infoSize) && Contains(record, bitsOffset, bitsSize);
    }
    DibSource Source(ByteView record, uint32_t usage) const
    {
        return DibSource{Tail(record, infoOffset, infoSize), Tail(record, bitsOffset, bitsSize), usage, 0};
    }
};

void ReadAdvances(ByteView record, uint32_t offset, uint32_t count, bool pairs, std::vector<int32_t>& advances)
{
    uint64_t step = pairs ? 8 : 4;
    if (offset == 0 || !Contains(record, offset, uint64_t(count) * step))
        return;
    Fields field(record, offset);
    advances.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        advances.push_back(field.I32());
        if (pairs)
            field.I32();   // the vertical advance of ETO_PDY, not used
    }
}

void ReadCharacters(ByteView bytes, bool wide, Text& text)
{
    text.wide = wide;
    if (!wide) {
        text.bytes.assign(bytes.begin(), bytes.end());
        return;
    }
    text.units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.units.push_back(char16_t(bytes[i] | bytes[i + 1] << 8));
}

Operation ReadSmallText(ByteView record)
{
    Fields field(record, RecordHead);
    TextOut text;
    text.reference = field.PointL();               // x, y
    uint32_t count = field.U32();                  // cChars
    text.options = field.U32();                    // fuOptions
    field.Skip(12);                                // iGraphicsMode, exScale, eyScale
    if (!(text.options & EtoNoRect)) {
        text.hasRect = true;
        text.rect = field.RectL();                 // rclClip
    }
    bool wide = !(text.options & EtoSmallChars);
    uint64_t bytes = uint64_t(count) * (wide ? 2 : 1);
    if (field.Overrun() || !Contains(record, field.Offset(), bytes))
        return TooShort();
    ReadCharacters(Tail(record, field.Offset(), bytes), wide, text.text);
    text.options &= ~(EtoNoRect | EtoSmallChars);
    if (text.options & EtoGlyphIndex)
        return Skip("the text is given as glyph numbers of a font");
    return text;
}

Result<std::vector<Rect>> ReadRegionData(ByteView record, uint64_t offset, uint32_t size)
{
    if (size < RegionHeaderSize || !Contains(record, offset, size))
        return Fail("the region is outside its record");
    Fields field(record, offset);
    field.U32();                                   // dwSize: 32
    field.U32();                                   // iType: RDH_RECTANGLES
    uint32_t count = field.U32();                  // nCount
    field.U32();                                   // nRgnSize
    field.RectL();                                 // rcBound
    if (uint64_t(count) * 16 > size - RegionHeaderSize)
        return Fail("the region has more rectangles than room");
    std::vector<Rect> rects;
    rects.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        rects.push_back(field.RectL());
    return rects;
}

}  // namespace

Operation DecodeEmfText(uint32_t type, ByteView record)
{
    if (type == EmrSmallTextOut)
        return ReadSmallText(record);
    Fields field(record, RecordHead + BoundsSize);
    field.Skip(12);                                // iGraphicsMode, exScale, eyScale
    TextOut text;
    text.reference = field.PointL();               // emrtext.ptlReference
    uint32_t count = field.U32();                  // nChars
    uint32_t stringOffset = field.U32();           // offString
    text.options = field.U32();                    // fOptions
    text.rect = field.RectL();                     // rcl
    uint32_t advancesOffset = field.U32();         // offDx
    if (field.Overrun())
        return TooShort();
    text.hasRect = (text.options & (EtoOpaque | EtoClipped)) != 0;
    bool wide = type == EmrExtTextOutW;
    uint64_t bytes = uint64_t(count) * (wide ? 2 : 1);
    if (count != 0 && !Contains(record, stringOffset, bytes))
        return Skip("the string lies outside its record");
    ReadCharacters(Tail(record, stringOffset, bytes), wide, text.text);
    ReadAdvances(record, advancesOffset, count, (text.options & EtoPdy) != 0, text.advances);
    if (text.options & EtoGlyphIndex)
        return Skip("the text is given as glyph numbers of a font");
    return text;
}

Operation DecodeEmfBitmap(uint32_t type, ByteView record, PixelBudget& budget)
{
    Fields field(record, RecordHead + BoundsSize);
    BitBlt blt;
    BitmapPlace place;
    int32_t x = field.I32(), y = field.I32();      // xDest, yDest
    int32_t srcX = 0, srcY = 0, srcW = 0, srcH = 0, width = 0, height = 0;
    uint32_t usage = 0, startScan = 0, scans = 0;
    bool bottomOrigin = false;
    if (type == EmrStretchDiBits || type == EmrSetDiBitsToDevice) {
        srcX = field.I32(), srcY = field.I32();    // xSrc, ySrc
        srcW = field.I32(), srcH = field.I32();    // cxSrc, cySrc
        place.Read(field);                         // offBmiSrc, cbBmiSrc, offBitsSrc, cbBitsSrc
        usage = field.U32();                       // iUsageSrc
        if (type == EmrStretchDiBits) {
            blt.rop = field.U32();                 // dwRop
            width = field.I32(), height = field.I32();   // cxDest, cyDest
        } else {
            startScan = field.U32();               // iStartScan
            scans = field.U32();                   // cScans
            width = srcW, height = srcH;
        }
        bottomOrigin = true;
    } else {
        width = field.I32(), height = field.I32(); // cxDest, cyDest
        uint32_t rop = field.U32();                // dwRop; BLENDFUNCTION or the transparent colour
        srcX = field.I32(), srcY = field.I32();    // xSrc, ySrc
        field.Skip(24);                            // xformSrc: the source's own transform, not used
        field.U32();                               // crBkColorSrc
        usage = field.U32();                       // iUsageSrc
        place.Read(field);
        srcW = width, srcH = height;
        if (type != EmrBitBlt)
            srcW = field.I32(), srcH = field.I32();   // cxSrc, cySrc
        if (type == EmrAlphaBlend) {
            blt.alphaBlend = true;
            blt.constantAlpha = uint8_t(rop >> 16);   // SourceConstantAlpha
            blt.sourceAlpha = ((rop >> 24) & 1) != 0;  // AlphaFormat: AC_SRC_ALPHA
            blt.rop = 0x00CC0020;
        } else if (type == EmrTransparentBlt) {
            blt.transparentColor = true;
            blt.transparent = rop;
            blt.rop = 0x00CC0020;
        } else {
            blt.rop = rop;
        }
    }
    if (field.Overrun())
        return TooShort();
    blt.dest = {x, y, int32_t(int64_t(x) + width), int32_t(int64_t(y) + height)};
    blt.source = {srcX, srcY, int32_t(int64_t(srcX) + srcW), int32_t(int64_t(srcY) + srcH)};
    if (!place.Present()) {
        if (type != EmrBitBlt && type != EmrStretchBlt)
            return Skip("the transfer has no bitmap");
        return blt;   // a pattern fill through the raster operation
    }
    if (!place.Inside(record))
        return Skip("the bitmap lies outside its record");
    DibSource source = place.Source(record, usage);
    if (type == EmrSetDiBitsToDevice)
        source.rows = scans;
    source.premultipliedAlpha = blt.alphaBlend && blt.sourceAlpha;
    auto dib = DecodeDib(source, budget);
    if (!dib)
        return Skip(dib.Error());
    if (bottomOrigin)
        blt.source = SourceRect(srcX, srcY, srcW, srcH, *dib, int32_t(startScan));
    blt.hasImage = true;
    blt.image = std::move(dib->image);
    return blt;
}

Operation DecodeEmfDibBrush(uint32_t type, ByteView record, PixelBudget& budget)
{
    Fields field(record, RecordHead);
    CreateBrush brush;
    brush.slot = field.U32();                      // ihBrush
    uint32_t usage = field.U32();                  // iUsage
    BitmapPlace place;
    place.Read(field);
    if (field.Overrun())
        return TooShort();
    auto dib = place.Inside(record) ? DecodeDib(place.Source(record, usage), budget)
                                    : Result<DecodedDib>(Fail("the pattern lies outside its record"));
    if (!dib)
        return CreateOther{brush.slot};            // the slot is taken, with nothing to paint
    brush.style = BsDibPattern;
    brush.monochrome = type == EmrCreateMonoBrush;
    brush.pattern = std::move(dib->image);
    return brush;
}

Operation DecodeEmfRegion(uint32_t type, ByteView record)
{
    Fields field(record, RecordHead);
    if (type == EmrExtSelectClipRgn) {
        ClipRegion clip;
        clip.deviceUnits = true;
        uint32_t size = field.U32();               // cbRgnData
        clip.mode = field.U32();                   // iMode
        if (field.Overrun())
            return TooShort();
        if (size == 0) {
            clip.none = clip.mode == 5;            // RGN_COPY without a region: no clipping
            return clip.none ? Operation(clip) : Skip("a clipping region is missing");
        }
        auto rects = ReadRegionData(record, field.Offset(), size);
        if (!rects)
            return Skip(rects.Error());
        clip.rects = std::move(*rects);
        return clip;
    }
    field.Skip(BoundsSize);
    RegionDraw draw;
    draw.deviceUnits = true;
    draw.op = type == EmrFillRgn ? RegionOp::Fill
              : type == EmrFrameRgn ? RegionOp::Frame
              : type == EmrPaintRgn ? RegionOp::Paint
                                    : RegionOp::Invert;
    uint32_t size = field.U32();                   // cbRgnData
    if (type == EmrFillRgn || type == EmrFrameRgn)
        draw.brushSlot = field.U32();              // ihBrush
    if (type == EmrFrameRgn)
        draw.frameSize = field.PointL();           // szlStroke
    if (field.Overrun())
        return TooShort();
    auto rects = ReadRegionData(record, field.Offset(), size);
    if (!rects)
        return Skip(rects.Error());
    draw.rects = std::move(*rects);
    return draw;
}

Operation DecodeEmfGradient(ByteView record)
{
    Fields field(record, RecordHead + BoundsSize);
    Gradient gradient;
    uint32_t vertices = field.U32();               // nVer
    uint32_t shapes = field.U32();                 // nTri: rectangles or triangles
    gradient.mode = field.U32();                   // ulMode
    if (field.Overrun() || gradient.mode > 2)
        return TooShort();
    uint32_t perShape = gradient.mode == 2 ? 3 : 2;
    if (!Contains(record, field.Offset(), uint64_t(vertices) * 16 + uint64_t(shapes) * perShape * 4))
        return TooShort();
    gradient.vertices.reserve(vertices);
    for (uint32_t i = 0; i < vertices; ++i) {
        Gradient::Vertex vertex;
        vertex.at = field.PointL();
        vertex.red = field.U16(), vertex.green = field.U16(), vertex.blue = field.U16(), vertex.alpha = field.U16();
        gradient.vertices.push_back(vertex);
    }
    gradient.indexes.reserve(size_t(shapes) * perShape);
    for (uint64_t i = 0; i < uint64_t(shapes) * perShape; ++i) {
        uint32_t index = field.U32();
        if (index >= vertices)
            return Skip("a gradient names a vertex it does not have");
        gradient.indexes.push_back(index);
    }
    return gradient;
}

}  // namespace formats
