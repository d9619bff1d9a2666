// Windows metafiles of 16-bit Windows (WMF): the optional placeable header, the metafile header,
// and records of 16-bit words whose parameters mostly lie in reverse order of the call's
// arguments.

#include "formats/WmfReader.h"

#include <algorithm>

namespace formats {

namespace wmf {

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

}  // namespace wmf

using namespace wmf;

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
