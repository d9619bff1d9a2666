// The parameters of the WMF records, read into drawing records. Most lie in reverse order of the
// call's arguments: a rectangle as bottom, right, top, left; a point as y, x.

#include "formats/WmfReader.h"

namespace formats::wmf {

namespace {

std::vector<Point> ReadPoints(Fields& field, uint32_t count)
{
    std::vector<Point> points;
    points.reserve(count);
    for (uint32_t i = 0; i < count && !field.Overrun(); ++i)
        points.push_back(field.PointS());
    return points;
}

// The region object: a header, then scans of rows, each with pairs of left and right edges.
Result<std::vector<Rect>> ReadRegion(Fields& field)
{
    field.I16();                        // nextInChain
    field.I16();                        // ObjectType: 6
    field.I32();                        // ObjectCount
    field.I16();                        // RegionSize
    int32_t scanCount = field.U16();    // ScanCount
    field.I16();                        // MaxScan
    field.Skip(8);                      // BoundingRectangle
    std::vector<Rect> rects;
    for (int32_t scan = 0; scan < scanCount && !field.Overrun(); ++scan) {
        uint32_t count = field.U16();   // Count: edges of this scan
        int32_t top = field.I16();      // Top
        int32_t bottom = field.I16();   // Bottom
        for (uint32_t i = 0; i < count / 2 && !field.Overrun(); ++i) {
            int32_t left = field.I16();
            int32_t right = field.I16();
            rects.push_back({left, top, right, bottom});
        }
        field.U16();                    // Count2: the same count again
    }
    if (field.Overrun())
        return Fail("the region is truncated");
    return rects;
}


}  // namespace

Operation WmfReader::DecodeObject(uint16_t function, Fields& field, ByteView parameters)
{
    // The object takes its slot even when its record is damaged, so that later slots stay right.
    uint32_t slot = TakeSlot();
    auto damaged = [&] { return Operation(CreateOther{slot}); };
    switch (function) {
    case MetaCreatePenIndirect: {
        CreatePen pen;
        pen.slot = slot;
        pen.style = field.U16();          // PenStyle
        pen.width = field.PointS().x;     // Width: x holds it, y is unused
        pen.color = field.U32();          // ColorRef
        return field.Overrun() ? damaged() : Operation(pen);
    }
    case MetaCreateBrushIndirect: {
        CreateBrush brush;
        brush.slot = slot;
        brush.style = field.U16();        // BrushStyle
        brush.color = field.U32();        // ColorRef
        brush.hatch = field.U16();        // BrushHatch
        if (brush.style == BsPattern || brush.style == BsDibPattern || brush.style == BsDibPatternPt)
            brush.style = BsSolid;        // a pattern needs a bitmap this record cannot hold
        return field.Overrun() ? damaged() : Operation(brush);
    }
    case MetaCreateFontIndirect: {
        CreateFont font;
        font.slot = slot;
        LogFont& logFont = font.font;
        logFont.height = field.I16();
        logFont.width = field.I16();
        logFont.escapement = field.I16();
        logFont.orientation = field.I16();
        logFont.weight = field.I16();
        logFont.italic = field.U8() != 0;
        logFont.underline = field.U8() != 0;
        logFont.strikeOut = field.U8() != 0;
        logFont.charSet = field.U8();
        field.Skip(3);                    // OutPrecision, ClipPrecision, Quality
        logFont.pitchAndFamily = field.U8();
        if (field.Overrun())
            return damaged();
        // FaceName: up to 32 bytes in the font's character set, ended by a zero when shorter.
        ByteView face = Tail(parameters, field.Offset(), 32);
        for (uint8_t byte : face) {
            if (byte == 0)
                break;
            logFont.face.bytes.push_back(char(byte));
        }
        return font;
    }
    case MetaCreateRegion: {
        auto rects = ReadRegion(field);
        if (!rects)
            return damaged();
        if (slot < m_regions.size())
            m_regions[slot] = *rects;
        return CreateRegion{slot, std::move(*rects)};
    }
    case MetaDibCreatePatternBrush: {
        CreateBrush brush;
        brush.slot = slot;
        uint32_t style = field.U16();     // Style: BS_PATTERN or BS_DIBPATTERNPT
        uint32_t usage = field.U16();     // ColorUsage
        auto dib = DecodeDib(PackedDib(Tail(parameters, field.Offset()), style == BsPattern ? 0 : usage), m_budget);
        if (field.Overrun() || !dib)
            return damaged();
        brush.style = BsDibPattern;
        brush.pattern = std::move(dib->image);
        return brush;
    }
    case MetaCreatePatternBrush: {
        // A 16-bit bitmap header, 18 reserved bytes, then the pattern's bits.
        ByteView bitmap = parameters;
        if (bitmap.size() < 32)
            return damaged();
        std::vector<uint8_t> joined(bitmap.begin(), bitmap.begin() + 10);
        joined.insert(joined.end(), bitmap.begin() + 32, bitmap.end());
        auto image = DecodeBitmap16(ByteView(joined), m_budget);
        if (!image)
            return damaged();
        CreateBrush brush;
        brush.slot = slot;
        brush.style = BsPattern;
        brush.monochrome = bitmap[9] == 1;
        brush.pattern = std::move(*image);
        return brush;
    }
    default:
        return CreateOther{slot};
    }
}

Operation WmfReader::DecodeRegionUse(uint16_t function, Fields& field)
{
    uint32_t region = field.U16();
    const std::vector<Rect>* rects = region < m_regions.size() && m_slotUsed[region] ? &m_regions[region] : nullptr;
    if (function == MetaSelectClipRegion) {
        ClipRegion clip;
        clip.none = rects == nullptr;
        if (rects)
            clip.rects = *rects;
        return clip;
    }
    RegionDraw draw;
    draw.op = function == MetaFillRegion    ? RegionOp::Fill
              : function == MetaFrameRegion ? RegionOp::Frame
              : function == MetaPaintRegion ? RegionOp::Paint
                                            : RegionOp::Invert;
    if (function == MetaFillRegion || function == MetaFrameRegion)
        draw.brushSlot = field.U16();
    if (function == MetaFrameRegion) {
        int32_t height = field.I16();
        draw.frameSize = {field.I16(), height};
    }
    if (!rects)
        return Skip("the region is not there");
    draw.rects = *rects;
    return draw;
}

Operation WmfReader::DecodeDrawing(uint16_t function, Fields& field, ByteView parameters)
{
    Operation operation;
    auto shape = [&](ShapeKind kind) {
        Shape result;
        result.kind = kind;
        if (kind == ShapeKind::RoundRect) {
            int32_t height = field.I16();
            result.corner = {field.I16(), height};
        }
        if (kind == ShapeKind::Arc || kind == ShapeKind::Pie || kind == ShapeKind::Chord) {
            result.end = ReversedPoint(field);
            result.start = ReversedPoint(field);
        }
        result.box = ReversedRect(field);
        return result;
    };
    switch (function) {
    case MetaLineTo: operation = LineTo{ReversedPoint(field)}; break;
    case MetaMoveTo: operation = MoveTo{ReversedPoint(field)}; break;
    case MetaRectangle: operation = shape(ShapeKind::Rectangle); break;
    case MetaRoundRect: operation = shape(ShapeKind::RoundRect); break;
    case MetaEllipse: operation = shape(ShapeKind::Ellipse); break;
    case MetaArc: operation = shape(ShapeKind::Arc); break;
    case MetaPie: operation = shape(ShapeKind::Pie); break;
    case MetaChord: operation = shape(ShapeKind::Chord); break;
    case MetaSetPixel: {
        ColorRef color = field.U32();
        operation = SetPixel{ReversedPoint(field), color};
        break;
    }
    case MetaPolygon:
    case MetaPolyline: {
        uint32_t count = uint16_t(field.I16());
        Poly poly{function == MetaPolygon ? PolyKind::Polygon : PolyKind::Polyline, ReadPoints(field, count)};
        operation = std::move(poly);
        break;
    }
    case MetaPolyPolygon: {
        uint32_t polygons = field.U16();
        if (!Contains(parameters, 2, uint64_t(polygons) * 2))
            return TooShort();
        std::vector<uint32_t> counts;
        for (uint32_t i = 0; i < polygons; ++i)
            counts.push_back(field.U16());
        PolyPoly poly;
        for (uint32_t count : counts) {
            if (!Contains(parameters, field.Offset(), uint64_t(count) * 4))
                return TooShort();
            poly.parts.push_back(ReadPoints(field, count));
        }
        operation = std::move(poly);
        break;
    }
    default:
        return Skip("unknown record");
    }
    return field.Overrun() ? TooShort() : operation;
}

Operation WmfReader::DecodeText(uint16_t function, Fields& field, ByteView parameters)
{
    TextOut text;
    uint32_t length;
    if (function == MetaTextOut) {
        length = field.U16();                         // StringLength
        uint64_t padded = (uint64_t(length) + 1) & ~uint64_t(1);
        if (!Contains(parameters, 2, padded))
            return TooShort();
        ByteView bytes = Tail(parameters, 2, length);
        text.text.bytes.assign(bytes.begin(), bytes.end());
        field.Skip(padded);
        text.reference = ReversedPoint(field);        // YStart, XStart
        return field.Overrun() ? TooShort() : Operation(std::move(text));
    }
    text.reference = ReversedPoint(field);            // Y, X
    length = uint16_t(field.I16());                   // StringLength
    text.options = field.U16();                       // fwOpts
    if (text.options & (EtoOpaque | EtoClipped)) {
        text.hasRect = true;
        text.rect = field.RectS();                    // Rectangle: left, top, right, bottom
    }
    if (field.Overrun() || !Contains(parameters, field.Offset(), length))
        return TooShort();
    ByteView bytes = Tail(parameters, field.Offset(), length);
    text.text.bytes.assign(bytes.begin(), bytes.end());
    field.Skip((uint64_t(length) + 1) & ~uint64_t(1));
    // Dx: one advance a byte, when the record has room for them.
    if (Contains(parameters, field.Offset(), uint64_t(length) * 2)) {
        text.advances.reserve(length);
        for (uint32_t i = 0; i < length; ++i)
            text.advances.push_back(field.I16());
    }
    return text;
}

Operation WmfReader::DecodeBlt(uint16_t function, Fields& field, ByteView parameters, bool withBitmap)
{
    BitBlt blt;
    int32_t srcX = 0, srcY = 0, srcW = 0, srcH = 0, width = 0, height = 0;
    uint32_t usage = 0, scans = 0, startScan = 0;
    if (function == MetaSetDibToDev) {
        usage = field.U16();                          // ColorUsage
        scans = field.U16();                          // ScanCount
        startScan = field.U16();                      // StartScan
        srcY = field.I16(), srcX = field.I16();       // yDib, xDib
        height = field.I16(), width = field.I16();
        srcW = width, srcH = height;
        withBitmap = true;
    } else {
        blt.rop = field.U32();                        // RasterOperation
        if (function == MetaStretchDib)
            usage = field.U16();                      // ColorUsage
        bool stretch = function == MetaStretchBlt || function == MetaDibStretchBlt || function == MetaStretchDib;
        if (stretch)
            srcH = field.I16(), srcW = field.I16();   // SrcHeight, SrcWidth
        if (function != MetaPatBlt)
            srcY = field.I16(), srcX = field.I16();    // YSrc, XSrc
        if (!withBitmap && function != MetaPatBlt && function != MetaStretchDib)
            field.I16();                              // Reserved
        height = field.I16(), width = field.I16();    // Height, Width of the destination
        if (!stretch)
            srcW = width, srcH = height;
        if (function == MetaPatBlt || function == MetaStretchDib)
            withBitmap = function == MetaStretchDib;
    }
    Point dest = ReversedPoint(field);                // YDest, XDest
    if (field.Overrun())
        return TooShort();
    blt.dest = {dest.x, dest.y, dest.x + width, dest.y + height};
    blt.source = {srcX, srcY, srcX + srcW, srcY + srcH};
    if (!withBitmap)
        return blt;

    ByteView bitmap = Tail(parameters, field.Offset());
    if (function == MetaBitBlt || function == MetaStretchBlt) {
        auto image = DecodeBitmap16(bitmap, m_budget);
        if (!image)
            return Skip(image.Error());
        blt.image = std::move(*image);
    } else {
        DibSource source = PackedDib(bitmap, usage);
        if (function == MetaSetDibToDev)
            source.rows = scans;
        auto dib = DecodeDib(source, m_budget);
        if (!dib)
            return Skip(dib.Error());
        bool bottomOrigin = function == MetaStretchDib || function == MetaSetDibToDev;
        if (bottomOrigin)
            blt.source = SourceRect(srcX, srcY, srcW, srcH, *dib, int32_t(startScan));
        blt.image = std::move(dib->image);
    }
    blt.hasImage = true;
    return blt;
}

// A plain WMF gives no size; it is taken from the window the records set up before they draw,
// or else from the extent of what they draw, one logical unit a pixel.
}  // namespace formats::wmf
