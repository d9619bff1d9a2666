// The EMF records of state, objects, lines and shapes. Every record starts with its type and size
// (8 bytes); the offsets in the comments count from the record's start.

#include "formats/EmfRecords.h"

#include <cmath>

namespace formats {

namespace {

using namespace meta;

constexpr uint64_t RecordHead = 8;
constexpr uint64_t BoundsSize = 16;   // rclBounds, which the poly records start with

bool Finite(const Transform& transform)
{
    return std::isfinite(transform.m11) && std::isfinite(transform.m12) && std::isfinite(transform.m21) &&
           std::isfinite(transform.m22) && std::isfinite(transform.dx) && std::isfinite(transform.dy);
}

Transform ReadTransform(Fields& field)
{
    Transform transform;
    transform.m11 = field.F32(), transform.m12 = field.F32(), transform.m21 = field.F32();
    transform.m22 = field.F32(), transform.dx = field.F32(), transform.dy = field.F32();
    return transform;
}

// The poly records: bounds, a count, then the points (32-bit, or 16-bit for the "16" forms).
Operation ReadPoly(PolyKind kind, ByteView record, bool small)
{
    Fields field(record, RecordHead + BoundsSize);
    uint32_t count = field.U32();                 // cptl
    uint64_t pointSize = small ? 4 : 8;
    if (field.Overrun() || !Contains(record, field.Offset(), uint64_t(count) * pointSize))
        return TooShort();
    Poly poly{kind, {}};
    poly.points.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        poly.points.push_back(small ? field.PointS() : field.PointL());
    return poly;
}

// The poly-poly records: bounds, the number of parts, the number of all points, each part's
// count, then the points.
Operation ReadPolyPoly(bool polygons, ByteView record, bool small)
{
    Fields field(record, RecordHead + BoundsSize);
    uint32_t parts = field.U32();                 // nPolys
    uint32_t total = field.U32();                 // cptl
    uint64_t pointSize = small ? 4 : 8;
    if (field.Overrun() || !Contains(record, field.Offset(), uint64_t(parts) * 4 + uint64_t(total) * pointSize))
        return TooShort();
    std::vector<uint32_t> counts(parts);
    uint64_t sum = 0;
    for (uint32_t& count : counts)
        sum += count = field.U32();
    if (sum != total)
        return Skip("the parts' point counts do not add up");
    PolyPoly poly;
    poly.polygons = polygons;
    poly.parts.reserve(parts);
    for (uint32_t count : counts) {
        std::vector<Point> points;
        points.reserve(count);
        for (uint32_t i = 0; i < count; ++i)
            points.push_back(small ? field.PointS() : field.PointL());
        poly.parts.push_back(std::move(points));
    }
    return poly;
}

Operation ReadShape(ShapeKind kind, Fields& field)
{
    Shape shape;
    shape.kind = kind;
    shape.box = field.RectL();                    // rclBox
    if (kind == ShapeKind::RoundRect)
        shape.corner = field.PointL();            // szlCorner
    if (kind == ShapeKind::Arc || kind == ShapeKind::ArcTo || kind == ShapeKind::Chord || kind == ShapeKind::Pie) {
        shape.start = field.PointL();             // ptlStart
        shape.end = field.PointL();               // ptlEnd
    }
    return shape;
}

Operation ReadExtPen(ByteView record, Fields& field)
{
    CreatePen pen;
    pen.slot = field.U32();                       // ihPen
    field.Skip(16);                               // offBmi, cbBmi, offBits, cbBits: a pattern, not used
    pen.style = field.U32();                      // elpPenStyle
    pen.width = int32_t(field.U32());             // elpWidth
    uint32_t brushStyle = field.U32();            // elpBrushStyle
    pen.color = field.U32();                      // elpColor
    field.U32();                                  // elpHatch
    uint32_t entries = field.U32();               // elpNumEntries
    if (field.Overrun())
        return TooShort();
    if ((pen.style & PsStyleMask) == PsUserStyle) {
        if (!Contains(record, field.Offset(), uint64_t(entries) * 4))
            return TooShort();
        for (uint32_t i = 0; i < entries; ++i)
            pen.dashes.push_back(field.U32());    // elpStyleEntry
    }
    if (!(pen.style & PsGeometric))
        pen.width = 0;                            // a cosmetic pen is one pixel wide
    if (brushStyle == BsNull)
        pen.style = (pen.style & ~uint32_t(PsStyleMask)) | PsNull;
    return pen;
}

Operation ReadFont(ByteView record, Fields& field)
{
    CreateFont font;
    font.slot = field.U32();                      // ihFont
    LogFont& logFont = font.font;                 // elw: a LOGFONTW at its start
    logFont.height = field.I32();
    logFont.width = field.I32();
    logFont.escapement = field.I32();
    logFont.orientation = field.I32();
    logFont.weight = field.I32();
    logFont.italic = field.U8() != 0;
    logFont.underline = field.U8() != 0;
    logFont.strikeOut = field.U8() != 0;
    logFont.charSet = field.U8();
    field.Skip(3);                                // lfOutPrecision, lfClipPrecision, lfQuality
    logFont.pitchAndFamily = field.U8();
    if (field.Overrun())
        return TooShort();
    // lfFaceName: 32 UTF-16 units, ended by a zero when shorter.
    ByteView face = Tail(record, field.Offset(), 64);
    logFont.face.wide = true;
    for (size_t i = 0; i + 1 < face.size(); i += 2) {
        char16_t unit = char16_t(face[i] | face[i + 1] << 8);
        if (unit == 0)
            break;
        logFont.face.units.push_back(unit);
    }
    return font;
}

Operation DecodeState(uint32_t type, Fields& field)
{
    auto attribute = [&](Attribute which) { return SetAttribute{which, field.U32()}; };
    switch (type) {
    case EmrSetWindowExtEx: return SetMapping{Mapping::WindowExt, field.PointL()};
    case EmrSetWindowOrgEx: return SetMapping{Mapping::WindowOrg, field.PointL()};
    case EmrSetViewportExtEx: return SetMapping{Mapping::ViewportExt, field.PointL()};
    case EmrSetViewportOrgEx: return SetMapping{Mapping::ViewportOrg, field.PointL()};
    case EmrSetMapMode: return attribute(Attribute::MapMode);
    case EmrSetBkMode: return attribute(Attribute::BkMode);
    case EmrSetPolyFillMode: return attribute(Attribute::PolyFillMode);
    case EmrSetRop2: return attribute(Attribute::Rop2);
    case EmrSetTextAlign: return attribute(Attribute::TextAlign);
    case EmrSetTextColor: return attribute(Attribute::TextColor);
    case EmrSetBkColor: return attribute(Attribute::BkColor);
    case EmrSetArcDirection: return attribute(Attribute::ArcDirection);
    case EmrSetMiterLimit: return attribute(Attribute::MiterLimit);
    case EmrSetStretchBltMode: return attribute(Attribute::StretchBltMode);
    case EmrOffsetClipRgn: return OffsetClip{field.PointL()};
    case EmrMoveToEx: return MoveTo{field.PointL()};
    case EmrLineTo: return LineTo{field.PointL()};
    case EmrExcludeClipRect: return ClipRect{true, field.RectL()};
    case EmrIntersectClipRect: return ClipRect{false, field.RectL()};
    case EmrScaleViewportExtEx:
    case EmrScaleWindowExtEx: {
        ScaleExtent scale;
        scale.viewport = type == EmrScaleViewportExtEx;
        scale.xNum = field.I32(), scale.xDenom = field.I32(), scale.yNum = field.I32(), scale.yDenom = field.I32();
        return scale;
    }
    case EmrSaveDc: return SaveDC{};
    case EmrRestoreDc: return RestoreDC{field.I32()};
    case EmrSetWorldTransform:
    case EmrModifyWorldTransform: {
        WorldTransform world;
        world.transform = ReadTransform(field);   // xform
        world.mode = type == EmrSetWorldTransform ? 4 : field.U32();   // iMode
        if (!Finite(world.transform))
            return Skip("the transform is not a number");
        return world;
    }
    case EmrSelectObject: return SelectObject{field.U32()};
    case EmrDeleteObject: return DeleteObject{field.U32()};
    case EmrSetPixelV: {
        Point at = field.PointL();
        return SetPixel{at, field.U32()};
    }
    default: return Skip("unknown record");
    }
}

Operation DecodePath(uint32_t type, Fields& field)
{
    switch (type) {
    case EmrBeginPath: return PathRecord{PathOp::Begin};
    case EmrEndPath: return PathRecord{PathOp::End};
    case EmrCloseFigure: return PathRecord{PathOp::Close};
    case EmrFillPath: return PathRecord{PathOp::Fill};
    case EmrStrokeAndFillPath: return PathRecord{PathOp::StrokeAndFill};
    case EmrStrokePath: return PathRecord{PathOp::Stroke};
    case EmrFlattenPath: return PathRecord{PathOp::Flatten};
    case EmrWidenPath: return PathRecord{PathOp::Widen};
    case EmrAbortPath: return PathRecord{PathOp::Abort};
    default: return PathRecord{PathOp::SelectClip, field.U32()};   // iMode
    }
}

Operation DecodeDrawing(uint32_t type, ByteView record, Fields& field)
{
    switch (type) {
    case EmrPolyBezier: return ReadPoly(PolyKind::PolyBezier, record, false);
    case EmrPolygon: return ReadPoly(PolyKind::Polygon, record, false);
    case EmrPolyline: return ReadPoly(PolyKind::Polyline, record, false);
    case EmrPolyBezierTo: return ReadPoly(PolyKind::PolyBezierTo, record, false);
    case EmrPolylineTo: return ReadPoly(PolyKind::PolylineTo, record, false);
    case EmrPolyBezier16: return ReadPoly(PolyKind::PolyBezier, record, true);
    case EmrPolygon16: return ReadPoly(PolyKind::Polygon, record, true);
    case EmrPolyline16: return ReadPoly(PolyKind::Polyline, record, true);
    case EmrPolyBezierTo16: return ReadPoly(PolyKind::PolyBezierTo, record, true);
    case EmrPolylineTo16: return ReadPoly(PolyKind::PolylineTo, record, true);
    case EmrPolyPolyline: return ReadPolyPoly(false, record, false);
    case EmrPolyPolygon: return ReadPolyPoly(true, record, false);
    case EmrPolyPolyline16: return ReadPolyPoly(false, record, true);
    case EmrPolyPolygon16: return ReadPolyPoly(true, record, true);
    case EmrEllipse: return ReadShape(ShapeKind::Ellipse, field);
    case EmrRectangle: return ReadShape(ShapeKind::Rectangle, field);
    case EmrRoundRect: return ReadShape(ShapeKind::RoundRect, field);
    case EmrArc: return ReadShape(ShapeKind::Arc, field);
    case EmrArcTo: return ReadShape(ShapeKind::ArcTo, field);
    case EmrChord: return ReadShape(ShapeKind::Chord, field);
    case EmrPie: return ReadShape(ShapeKind::Pie, field);
    default: {
        AngleArc arc;
        arc.center = field.PointL();              // ptlCenter
        arc.radius = field.U32();                 // nRadius
        arc.startAngle = field.F32();             // eStartAngle
        arc.sweepAngle = field.F32();             // eSweepAngle
        if (!std::isfinite(arc.startAngle) || !std::isfinite(arc.sweepAngle))
            return Skip("the angles are not numbers");
        return arc;
    }
    }
}

Operation DecodeObject(uint32_t type, ByteView record, Fields& field)
{
    switch (type) {
    case EmrCreatePen: {
        CreatePen pen;
        pen.slot = field.U32();                   // ihPen
        pen.style = field.U32();                  // lopnStyle
        pen.width = field.PointL().x;             // lopnWidth: x holds the width
        pen.color = field.U32();                  // lopnColor
        return pen;
    }
    case EmrExtCreatePen: return ReadExtPen(record, field);
    case EmrCreateBrushIndirect: {
        CreateBrush brush;
        brush.slot = field.U32();                 // ihBrush
        brush.style = field.U32();                // lbStyle
        brush.color = field.U32();                // lbColor
        brush.hatch = field.U32();                // lbHatch
        if (brush.style != BsNull && brush.style != BsHatched)
            brush.style = BsSolid;
        return brush;
    }
    case EmrExtCreateFontIndirectW: return ReadFont(record, field);
    default: return CreateOther{field.U32()};      // ihPal, ihCS
    }
}

}  // namespace

Operation DecodeEmfRecord(uint32_t type, ByteView record, PixelBudget& budget)
{
    Fields field(record, RecordHead);
    Operation operation;
    switch (type) {
    case EmrEof: return EndOfFile{};
    case EmrHeader:
    case EmrSetBrushOrgEx:
    case EmrSetMapperFlags:
    case EmrSetColorAdjustment:
    case EmrSetMetaRgn:
    case EmrSelectPalette:
    case EmrSetPaletteEntries:
    case EmrResizePalette:
    case EmrRealizePalette:
    case EmrSetIcmMode:
    case EmrSetColorSpace:
    case EmrDeleteColorSpace:
    case EmrPixelFormat:
    case EmrForceUfiMapping:
    case EmrColorCorrectPalette:
    case EmrSetIcmProfileA:
    case EmrSetIcmProfileW:
    case EmrSetLayout:
    case EmrSetLinkedUfis:
    case EmrSetTextJustification:
    case EmrColorMatchToTargetW:
        return Ignored{};
    case EmrCreatePen:
    case EmrExtCreatePen:
    case EmrCreateBrushIndirect:
    case EmrExtCreateFontIndirectW:
    case EmrCreatePalette:
    case EmrCreateColorSpace:
    case EmrCreateColorSpaceW:
        operation = DecodeObject(type, record, field);
        break;
    case EmrCreateMonoBrush:
    case EmrCreateDibPatternBrushPt:
        return DecodeEmfDibBrush(type, record, budget);
    case EmrBeginPath:
    case EmrEndPath:
    case EmrCloseFigure:
    case EmrFillPath:
    case EmrStrokeAndFillPath:
    case EmrStrokePath:
    case EmrFlattenPath:
    case EmrWidenPath:
    case EmrSelectClipPath:
    case EmrAbortPath:
        operation = DecodePath(type, field);
        break;
    case EmrPolyBezier:
    case EmrPolygon:
    case EmrPolyline:
    case EmrPolyBezierTo:
    case EmrPolylineTo:
    case EmrPolyPolyline:
    case EmrPolyPolygon:
    case EmrPolyBezier16:
    case EmrPolygon16:
    case EmrPolyline16:
    case EmrPolyBezierTo16:
    case EmrPolylineTo16:
    case EmrPolyPolyline16:
    case EmrPolyPolygon16:
    case EmrEllipse:
    case EmrRectangle:
    case EmrRoundRect:
    case EmrArc:
    case EmrArcTo:
    case EmrChord:
    case EmrPie:
    case EmrAngleArc:
        operation = DecodeDrawing(type, record, field);
        break;
    case EmrExtTextOutA:
    case EmrExtTextOutW:
    case EmrSmallTextOut:
        return DecodeEmfText(type, record);
    case EmrBitBlt:
    case EmrStretchBlt:
    case EmrSetDiBitsToDevice:
    case EmrStretchDiBits:
    case EmrAlphaBlend:
    case EmrTransparentBlt:
        return DecodeEmfBitmap(type, record, budget);
    case EmrFillRgn:
    case EmrFrameRgn:
    case EmrInvertRgn:
    case EmrPaintRgn:
    case EmrExtSelectClipRgn:
        return DecodeEmfRegion(type, record);
    case EmrGradientFill:
        return DecodeEmfGradient(record);
    case EmrMaskBlt:
    case EmrPlgBlt:
        return Skip("masked and parallelogram transfers are not drawn");
    case EmrPolyDraw:
    case EmrPolyDraw16:
        return Skip("PolyDraw is not drawn");
    case EmrExtFloodFill:
        return Skip("flood fills are not drawn");
    case EmrPolyTextOutA:
    case EmrPolyTextOutW:
        return Skip("PolyTextOut is not drawn");
    case EmrGlsRecord:
    case EmrGlsBoundedRecord:
    case EmrDrawEscape:
    case EmrExtEscape:
    case EmrNamedEscape:
        return Skip("escapes to the printer driver and OpenGL are not drawn");
    default:
        operation = DecodeState(type, field);
        break;
    }
    if (field.Overrun())
        return TooShort();
    return operation;
}

}  // namespace formats
