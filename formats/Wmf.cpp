// Windows metafiles of 16-bit Windows (WMF): the optional placeable header, the metafile header,
// and records of 16-bit words whose parameters mostly lie in reverse order of the call's
// arguments.

#include "formats/MetafileParts.h"

#include <algorithm>
#include <limits>

namespace formats {

namespace {

using namespace meta;

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr uint64_t PlaceableSize = 22;
constexpr uint64_t HeaderSize = 18;
constexpr uint64_t RecordHeaderSize = 6;   // size in words (32 bits) and function (16 bits)
// Windows kept the object table in a 16-bit segment; no real file comes near this.
constexpr size_t MaxSlots = 65535;

enum Function : uint16_t {
    MetaEof = 0x0000,
    MetaSaveDc = 0x001E,
    MetaRealizePalette = 0x0035,
    MetaSetPalEntries = 0x0037,
    MetaCreatePalette = 0x00F7,
    MetaSetBkMode = 0x0102,
    MetaSetMapMode = 0x0103,
    MetaSetRop2 = 0x0104,
    MetaSetRelAbs = 0x0105,
    MetaSetPolyFillMode = 0x0106,
    MetaSetStretchBltMode = 0x0107,
    MetaSetTextCharExtra = 0x0108,
    MetaRestoreDc = 0x0127,
    MetaInvertRegion = 0x012A,
    MetaPaintRegion = 0x012B,
    MetaSelectClipRegion = 0x012C,
    MetaSelectObject = 0x012D,
    MetaSetTextAlign = 0x012E,
    MetaResizePalette = 0x0139,
    MetaDibCreatePatternBrush = 0x0142,
    MetaSetLayout = 0x0149,
    MetaDeleteObject = 0x01F0,
    MetaCreatePatternBrush = 0x01F9,
    MetaSetBkColor = 0x0201,
    MetaSetTextColor = 0x0209,
    MetaSetTextJustification = 0x020A,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaSetViewportOrg = 0x020D,
    MetaSetViewportExt = 0x020E,
    MetaOffsetWindowOrg = 0x020F,
    MetaOffsetViewportOrg = 0x0211,
    MetaLineTo = 0x0213,
    MetaMoveTo = 0x0214,
    MetaOffsetClipRgn = 0x0220,
    MetaFillRegion = 0x0228,
    MetaSetMapperFlags = 0x0231,
    MetaSelectPalette = 0x0234,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateFontIndirect = 0x02FB,
    MetaCreateBrushIndirect = 0x02FC,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaScaleWindowExt = 0x0410,
    MetaScaleViewportExt = 0x0412,
    MetaExcludeClipRect = 0x0415,
    MetaIntersectClipRect = 0x0416,
    MetaEllipse = 0x0418,
    MetaFloodFill = 0x0419,
    MetaRectangle = 0x041B,
    MetaSetPixel = 0x041F,
    MetaFrameRegion = 0x0429,
    MetaAnimatePalette = 0x0436,
    MetaTextOut = 0x0521,
    MetaPolyPolygon = 0x0538,
    MetaExtFloodFill = 0x0548,
    MetaRoundRect = 0x061C,
    MetaPatBlt = 0x061D,
    MetaEscape = 0x0626,
    MetaCreateRegion = 0x06FF,
    MetaArc = 0x0817,
    MetaPie = 0x081A,
    MetaChord = 0x0830,
    MetaBitBlt = 0x0922,
    MetaDibBitBlt = 0x0940,
    MetaExtTextOut = 0x0A32,
    MetaStretchBlt = 0x0B23,
    MetaDibStretchBlt = 0x0B41,
    MetaSetDibToDev = 0x0D33,
    MetaStretchDib = 0x0F43,
};

class WmfReader {
public:
    explicit WmfReader(ByteView data) : m_data(data) {}

    Result<Metafile> Read();

private:
    Result<uint64_t> ReadHeaders();
    void ReadRecords(uint64_t offset);
    Operation Decode(uint16_t function, ByteView parameters, bool withBitmap);
    Operation DecodeObject(uint16_t function, Fields& field, ByteView parameters);
    Operation DecodeDrawing(uint16_t function, Fields& field, ByteView parameters);
    Operation DecodeText(uint16_t function, Fields& field, ByteView parameters);
    Operation DecodeBlt(uint16_t function, Fields& field, ByteView parameters, bool withBitmap);
    Operation DecodeRegionUse(uint16_t function, Fields& field);
    uint32_t TakeSlot();
    void NoteBounds(const Operation& operation);
    void SetPlainBounds();

    ByteView m_data;
    Metafile m_metafile;
    std::vector<bool> m_slotUsed;
    // The regions made into slots, for the records that name them.
    std::vector<std::vector<Rect>> m_regions;
    PixelBudget m_budget;
    // For a plain WMF: the first window the records set, and the extent of what they draw.
    bool m_haveWindowOrg = false, m_haveWindowExt = false;
    Point m_windowOrg, m_windowExt;
    uint32_t m_mapMode = 1;
    int64_t m_minX = INT64_MAX, m_minY = INT64_MAX, m_maxX = INT64_MIN, m_maxY = INT64_MIN;
};

Rect ReversedRect(Fields& field)
{
    Rect rect;
    rect.bottom = field.I16(), rect.right = field.I16(), rect.top = field.I16(), rect.left = field.I16();
    return rect;
}

Point ReversedPoint(Fields& field)
{
    int32_t y = field.I16();
    return {field.I16(), y};
}

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

uint32_t WmfReader::TakeSlot()
{
    auto free = std::find(m_slotUsed.begin(), m_slotUsed.end(), false);
    size_t slot = size_t(free - m_slotUsed.begin());
    if (free == m_slotUsed.end()) {
        if (m_slotUsed.size() >= MaxSlots)
            return uint32_t(MaxSlots);   // beyond the table: selecting it does nothing
        m_slotUsed.push_back(false);
        m_regions.emplace_back();
    }
    m_slotUsed[slot] = true;
    m_regions[slot].clear();
    return uint32_t(slot);
}

Result<uint64_t> WmfReader::ReadHeaders()
{
    MetafileHeader& header = m_metafile.header;
    uint64_t offset = 0;
    Fields placeable(m_data);
    if (placeable.U32() == PlaceableKey) {
        Fields field(m_data, 4);
        field.U16();                                 // HWmf: 0
        Rect box = field.RectS();                    // BoundingBox: left, top, right, bottom
        uint16_t inch = field.U16();                 // Inch: logical units per inch
        field.U32();                                 // Reserved
        uint16_t checksum = field.U16();             // Checksum: XOR of the ten words before it
        if (field.Overrun())
            return Fail("the placeable header is truncated");
        uint16_t sum = 0;
        for (uint64_t i = 0; i < 20; i += 2)
            sum ^= uint16_t(m_data[i] | m_data[i + 1] << 8);
        if (sum != checksum)
            return Fail("the placeable header's checksum is wrong");
        if (inch == 0)
            return Fail("the placeable header gives no units per inch");
        if (box.right == box.left || box.bottom == box.top)
            return Fail("the placeable header's box is empty");
        header.kind = MetafileKind::PlaceableWmf;
        header.unitsPerInch = inch;
        header.left = std::min(box.left, box.right);
        header.top = std::min(box.top, box.bottom);
        header.width = std::abs(box.right - box.left);
        header.height = std::abs(box.bottom - box.top);
        SetPixelSize(header, inch);
        offset = PlaceableSize;
    } else {
        header.kind = MetafileKind::Wmf;
    }

    Fields field(m_data, offset);
    uint16_t type = field.U16();          // Type: 1 in memory, 2 on disk
    uint16_t headerWords = field.U16();   // HeaderSize: 9 words
    uint16_t version = field.U16();       // Version: 0x0100 or 0x0300
    field.U32();                          // Size: of the whole metafile in words; often wrong
    header.declaredObjects = field.U16(); // NumberOfObjects: slots of the object table
    field.U32();                          // MaxRecord: words of the largest record
    field.U16();                          // NumberOfMembers: 0
    if (field.Overrun())
        return Fail("the metafile header is truncated");
    if ((type != 1 && type != 2) || headerWords != HeaderSize / 2)
        return Fail("not a Windows metafile");
    if (version != 0x0100 && version != 0x0300)
        return Fail("unknown metafile version " + std::to_string(version));
    m_slotUsed.assign(std::min<size_t>(header.declaredObjects, MaxSlots), false);
    m_regions.resize(m_slotUsed.size());
    return offset + HeaderSize;
}

void WmfReader::ReadRecords(uint64_t offset)
{
    std::vector<Record>& records = m_metafile.records;
    while (true) {
        Fields field(m_data, offset);
        uint64_t words = field.U32();       // RecordSize: in 16-bit words, with this header
        uint16_t function = field.U16();    // RecordFunction: its low byte names the call
        if (field.Overrun()) {
            m_metafile.truncated = true;
            m_metafile.truncation = "the records end without an end record";
            return;
        }
        uint64_t bytes = words * 2;
        if (bytes < RecordHeaderSize || !Contains(m_data, offset, bytes)) {
            m_metafile.truncated = true;
            m_metafile.truncation = "a record's size does not fit the file";
            return;
        }
        // The bitmap transfers have a form without a bitmap, whose size the high byte of the
        // function gives in words (with the record header).
        bool withBitmap = words != uint64_t(function >> 8) + 3;
        ByteView parameters = Tail(m_data, offset + RecordHeaderSize, bytes - RecordHeaderSize);
        Operation operation = Decode(function, parameters, withBitmap);
        if (m_metafile.header.kind == MetafileKind::Wmf)
            NoteBounds(operation);
        records.push_back(Record{function, std::move(operation)});
        offset += bytes;
        if (function == MetaEof)
            return;
    }
}

Operation WmfReader::Decode(uint16_t function, ByteView parameters, bool withBitmap)
{
    Fields field(parameters);
    Operation operation;
    auto attribute = [&](Attribute which, uint32_t value) { return SetAttribute{which, value}; };
    switch (function) {
    case MetaEof: return EndOfFile{};
    case MetaSaveDc: return SaveDC{};
    case MetaRestoreDc: operation = RestoreDC{field.I16()}; break;
    case MetaSetBkMode: operation = attribute(Attribute::BkMode, field.U16()); break;
    case MetaSetMapMode: operation = attribute(Attribute::MapMode, field.U16()); break;
    case MetaSetRop2: operation = attribute(Attribute::Rop2, field.U16()); break;
    case MetaSetPolyFillMode: operation = attribute(Attribute::PolyFillMode, field.U16()); break;
    case MetaSetStretchBltMode: operation = attribute(Attribute::StretchBltMode, field.U16()); break;
    case MetaSetTextAlign: operation = attribute(Attribute::TextAlign, field.U16()); break;
    case MetaSetBkColor: operation = attribute(Attribute::BkColor, field.U32()); break;
    case MetaSetTextColor: operation = attribute(Attribute::TextColor, field.U32()); break;
    case MetaSetWindowOrg: operation = SetMapping{Mapping::WindowOrg, ReversedPoint(field)}; break;
    case MetaSetWindowExt: operation = SetMapping{Mapping::WindowExt, ReversedPoint(field)}; break;
    case MetaSetViewportOrg: operation = SetMapping{Mapping::ViewportOrg, ReversedPoint(field)}; break;
    case MetaSetViewportExt: operation = SetMapping{Mapping::ViewportExt, ReversedPoint(field)}; break;
    case MetaOffsetWindowOrg: operation = SetMapping{Mapping::OffsetWindowOrg, ReversedPoint(field)}; break;
    case MetaOffsetViewportOrg: operation = SetMapping{Mapping::OffsetViewportOrg, ReversedPoint(field)}; break;
    case MetaScaleWindowExt:
    case MetaScaleViewportExt: {
        ScaleExtent scale;
        scale.viewport = function == MetaScaleViewportExt;
        scale.yDenom = field.I16(), scale.yNum = field.I16(), scale.xDenom = field.I16(), scale.xNum = field.I16();
        operation = scale;
        break;
    }
    case MetaExcludeClipRect: operation = ClipRect{true, ReversedRect(field)}; break;
    case MetaIntersectClipRect: operation = ClipRect{false, ReversedRect(field)}; break;
    case MetaOffsetClipRgn: operation = OffsetClip{ReversedPoint(field)}; break;
    case MetaSelectObject: {
        uint32_t slot = field.U16();
        operation = SelectObject{slot};
        break;
    }
    case MetaDeleteObject: {
        uint32_t slot = field.U16();
        if (slot < m_slotUsed.size()) {
            m_slotUsed[slot] = false;
            m_regions[slot].clear();
        }
        operation = DeleteObject{slot};
        break;
    }
    case MetaCreatePalette:
    case MetaCreatePatternBrush:
    case MetaCreatePenIndirect:
    case MetaCreateFontIndirect:
    case MetaCreateBrushIndirect:
    case MetaCreateRegion:
    case MetaDibCreatePatternBrush:
        return DecodeObject(function, field, parameters);
    case MetaSelectClipRegion:
    case MetaFillRegion:
    case MetaFrameRegion:
    case MetaInvertRegion:
    case MetaPaintRegion:
        operation = DecodeRegionUse(function, field);
        break;
    case MetaTextOut:
    case MetaExtTextOut:
        return DecodeText(function, field, parameters);
    case MetaBitBlt:
    case MetaStretchBlt:
    case MetaDibBitBlt:
    case MetaDibStretchBlt:
    case MetaStretchDib:
    case MetaSetDibToDev:
    case MetaPatBlt:
        return DecodeBlt(function, field, parameters, withBitmap);
    case MetaRealizePalette:
    case MetaSetPalEntries:
    case MetaSetRelAbs:
    case MetaSetTextCharExtra:
    case MetaResizePalette:
    case MetaSetLayout:
    case MetaSetTextJustification:
    case MetaSetMapperFlags:
    case MetaSelectPalette:
    case MetaAnimatePalette:
    case MetaEscape:
        return Ignored{};
    case MetaFloodFill:
    case MetaExtFloodFill:
        return Skip("flood fills are not drawn");
    default:
        return DecodeDrawing(function, field, parameters);
    }
    return field.Overrun() ? TooShort() : operation;
}

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
void WmfReader::NoteBounds(const Operation& operation)
{
    auto note = [&](Point point) {
        m_minX = std::min<int64_t>(m_minX, point.x), m_maxX = std::max<int64_t>(m_maxX, point.x);
        m_minY = std::min<int64_t>(m_minY, point.y), m_maxY = std::max<int64_t>(m_maxY, point.y);
    };
    if (auto* mapping = std::get_if<SetMapping>(&operation)) {
        if (mapping->which == Mapping::WindowOrg && !m_haveWindowOrg)
            m_haveWindowOrg = true, m_windowOrg = mapping->value;
        if (mapping->which == Mapping::WindowExt && !m_haveWindowExt)
            m_haveWindowExt = true, m_windowExt = mapping->value;
    } else if (auto* attribute = std::get_if<SetAttribute>(&operation)) {
        if (attribute->attribute == Attribute::MapMode)
            m_mapMode = attribute->value;
    } else if (auto* poly = std::get_if<Poly>(&operation)) {
        for (Point point : poly->points)
            note(point);
    } else if (auto* polys = std::get_if<PolyPoly>(&operation)) {
        for (const auto& part : polys->parts)
            for (Point point : part)
                note(point);
    } else if (auto* shape = std::get_if<Shape>(&operation)) {
        note({shape->box.left, shape->box.top});
        note({shape->box.right, shape->box.bottom});
    } else if (auto* line = std::get_if<LineTo>(&operation)) {
        note(line->to);
    } else if (auto* blt = std::get_if<BitBlt>(&operation)) {
        note({blt->dest.left, blt->dest.top});
        note({blt->dest.right, blt->dest.bottom});
    } else if (auto* text = std::get_if<TextOut>(&operation)) {
        note(text->reference);
    }
}

void WmfReader::SetPlainBounds()
{
    MetafileHeader& header = m_metafile.header;
    if (m_haveWindowExt && m_windowExt.x != 0 && m_windowExt.y != 0) {
        header.left = m_haveWindowOrg ? m_windowOrg.x : 0;
        header.top = m_haveWindowOrg ? m_windowOrg.y : 0;
        header.width = m_windowExt.x;
        header.height = m_windowExt.y;
        // A negative extent turns its axis over: the picture lies on the other side of the origin.
        if (header.width < 0)
            header.left += header.width, header.width = -header.width;
        if (header.height < 0)
            header.top += header.height, header.height = -header.height;
    } else if (m_minX <= m_maxX && m_minY <= m_maxY) {
        header.left = double(m_minX), header.top = double(m_minY);
        header.width = double(std::max<int64_t>(m_maxX - m_minX, 1));
        header.height = double(std::max<int64_t>(m_maxY - m_minY, 1));
    } else {
        header.width = header.height = 1;
    }
    SetPixelSize(header, 96);
}

Result<Metafile> WmfReader::Read()
{
    auto start = ReadHeaders();
    if (!start)
        return start.TakeFailure();
    ReadRecords(*start);
    if (m_metafile.header.kind == MetafileKind::Wmf)
        SetPlainBounds();
    return std::move(m_metafile);
}

bool LooksLikeWmf(ByteView data)
{
    Fields field(data);
    uint32_t key = field.U32();
    if (key == PlaceableKey)
        return true;
    Fields header(data);
    uint16_t type = header.U16();
    uint16_t words = header.U16();
    return !header.Overrun() && (type == 1 || type == 2) && words == HeaderSize / 2;
}

Result<Metafile> ReadWmf(ByteView data)
{
    return WmfReader(data).Read();
}

}  // namespace formats
