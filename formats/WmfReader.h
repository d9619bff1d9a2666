#pragma once

// The WMF reader's parts, shared by Wmf.cpp (headers, the record loop, object slots, the size of
// a plain WMF) and WmfRecords.cpp (the records' parameters). Internal to formats/.

#include "formats/MetafileParts.h"

#include <vector>

namespace formats::wmf {

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

// A rectangle as bottom, right, top, left; a point as y, x.
inline Rect ReversedRect(Fields& field)
{
    Rect rect;
    rect.bottom = field.I16(), rect.right = field.I16(), rect.top = field.I16(), rect.left = field.I16();
    return rect;
}

inline Point ReversedPoint(Fields& field)
{
    int32_t y = field.I16();
    return {field.I16(), y};
}

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

}  // namespace formats::wmf
