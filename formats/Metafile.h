#pragma once

// Windows metafiles: WMF (plain, or behind the placeable header that gives its size) and EMF.
// The reader checks the headers and every record against the bytes it has, and turns both
// formats into one list of drawing records with 32-bit logical coordinates, the calls of the
// graphics device interface they were recorded from. A player then only has to carry them out.
//
// A damaged file fails when its headers are unusable; records after the first one whose size
// does not fit are lost, and a record whose content contradicts its own size is kept as Skipped,
// so that a damaged file still gives what could be read.

#include "formats/Bytes.h"
#include "formats/Image.h"
#include "formats/Result.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace formats {

namespace meta {

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

// Edges as the file gives them; right and bottom may be smaller than left and top.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// A colour as the files store it (COLORREF): 0x00BBGGRR.
using ColorRef = uint32_t;

// The affine transform of EMF's world space: x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy.
struct Transform {
    float m11 = 1, m12 = 0, m21 = 0, m22 = 1, dx = 0, dy = 0;
};

// A text: bytes in the character set of the font selected when it is drawn (WMF, and EMF's
// ANSI records), or UTF-16 (EMF). The distances hold one advance per byte or per code unit.
struct Text {
    bool wide = false;
    std::string bytes;
    std::u16string units;
};

struct LogFont {
    int32_t height = 0;       // < 0: the character height; > 0: the cell height; 0: a default size
    int32_t width = 0;        // average character width; 0: as the face has it
    int32_t escapement = 0;   // angle of the base line, in tenths of a degree counter-clockwise
    int32_t orientation = 0;
    int32_t weight = 0;       // 400 normal, 700 bold; 0 the default
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charSet = 0;      // 0 ANSI, 1 default, 2 symbol, 128 Shift-JIS, ...
    uint8_t pitchAndFamily = 0;
    Text face;
};

// Pen styles (the low bits of the style) and their flags.
enum PenStyle : uint32_t {
    PsSolid = 0,
    PsDash = 1,
    PsDot = 2,
    PsDashDot = 3,
    PsDashDotDot = 4,
    PsNull = 5,
    PsInsideFrame = 6,
    PsUserStyle = 7,
    PsAlternate = 8,
    PsStyleMask = 0xF,
    PsEndCapMask = 0xF00,   // round 0, square 0x100, flat 0x200
    PsJoinMask = 0xF000,    // round 0, bevel 0x1000, miter 0x2000
    PsGeometric = 0x10000,
};

enum BrushStyle : uint32_t {
    BsSolid = 0,
    BsNull = 1,
    BsHatched = 2,
    BsPattern = 3,
    BsDibPattern = 5,
    BsDibPatternPt = 6,
};

// Objects are made into a slot of the object table, selected by slot, and freed. EMF files name
// the slot; for WMF the reader works out the slot Windows gave (the lowest free one).
struct CreatePen {
    uint32_t slot = 0;
    uint32_t style = 0;
    int32_t width = 0;         // in logical units; 0 a line of one pixel
    ColorRef color = 0;
    std::vector<uint32_t> dashes;   // PS_USERSTYLE: dash and gap lengths
};

struct CreateBrush {
    uint32_t slot = 0;
    uint32_t style = BsSolid;
    ColorRef color = 0;
    uint32_t hatch = 0;        // HS_HORIZONTAL 0 ... HS_DIAGCROSS 5
    Image pattern;             // BsPattern and BsDibPattern
    bool monochrome = false;   // a pattern of two colours: text colour for 0 bits, background for 1
};

struct CreateFont {
    uint32_t slot = 0;
    LogFont font;
};

// A region, as the rectangles that make it up, in logical units.
struct CreateRegion {
    uint32_t slot = 0;
    std::vector<Rect> rects;
};

// An object this player does not draw with (a palette, a colour space), or one whose record is
// damaged: it still takes its slot.
struct CreateOther {
    uint32_t slot = 0;
};

// Slot numbers with this bit name the stock objects of EMF (WHITE_BRUSH 0 ... DC_PEN 19).
constexpr uint32_t StockObject = 0x80000000u;

struct SelectObject {
    uint32_t slot = 0;
};

struct DeleteObject {
    uint32_t slot = 0;
};

// The device context's attributes.
enum class Attribute {
    MapMode,        // MM_TEXT 1 ... MM_ANISOTROPIC 8
    BkMode,         // TRANSPARENT 1, OPAQUE 2
    PolyFillMode,   // ALTERNATE 1, WINDING 2
    Rop2,           // R2_COPYPEN 13 ...
    TextAlign,      // TA_* flags
    ArcDirection,   // AD_COUNTERCLOCKWISE 1, AD_CLOCKWISE 2
    BkColor,
    TextColor,
    MiterLimit,
    StretchBltMode, // BLACKONWHITE 1, WHITEONBLACK 2, COLORONCOLOR 3, HALFTONE 4
};

struct SetAttribute {
    Attribute attribute = Attribute::MapMode;
    uint32_t value = 0;
};

enum class Mapping {
    WindowOrg,
    WindowExt,
    ViewportOrg,
    ViewportExt,
    OffsetWindowOrg,
    OffsetViewportOrg,
};

struct SetMapping {
    Mapping which = Mapping::WindowOrg;
    Point value;
};

struct ScaleExtent {
    bool viewport = false;
    int32_t xNum = 1, xDenom = 1, yNum = 1, yDenom = 1;
};

// EMF's world transform: set, or combined (MWT_IDENTITY 1, MWT_LEFTMULTIPLY 2, MWT_RIGHTMULTIPLY 3,
// MWT_SET 4).
struct WorldTransform {
    Transform transform;
    uint32_t mode = 4;
};

struct SaveDC {};

// A negative number counts back from the last save; a positive one names a save.
struct RestoreDC {
    int32_t which = -1;
};

struct MoveTo {
    Point to;
};

struct LineTo {
    Point to;
};

enum class PolyKind {
    Polyline,
    Polygon,
    PolylineTo,    // starts at the current position and leaves it at the last point
    PolyBezier,
    PolyBezierTo,
};

struct Poly {
    PolyKind kind = PolyKind::Polyline;
    std::vector<Point> points;
};

// Several polygons filled as one, or several polylines.
struct PolyPoly {
    bool polygons = true;
    std::vector<std::vector<Point>> parts;
};

enum class ShapeKind { Rectangle, RoundRect, Ellipse, Arc, ArcTo, Chord, Pie };

// A shape in a box: a rectangle, a round rectangle (corner = the ellipse of its corners), an
// ellipse, or the part of the box's ellipse from the ray to `start` to the ray to `end`.
struct Shape {
    ShapeKind kind = ShapeKind::Rectangle;
    Rect box;
    Point corner;
    Point start;
    Point end;
};

struct AngleArc {
    Point center;
    uint32_t radius = 0;
    float startAngle = 0;   // degrees
    float sweepAngle = 0;
};

struct SetPixel {
    Point at;
    ColorRef color = 0;
};

// ETO_* options of a text.
enum TextOption : uint32_t {
    EtoOpaque = 0x2,
    EtoClipped = 0x4,
    EtoGlyphIndex = 0x10,
    EtoPdy = 0x2000,
};

struct TextOut {
    Point reference;
    uint32_t options = 0;
    bool hasRect = false;
    Rect rect;                      // the clipping or opaque rectangle
    Text text;
    std::vector<int32_t> advances;  // one per byte or code unit; empty when the font's own are used
};

// Every transfer of pixels: the DIB records (StretchDIBits, SetDIBitsToDevice), BitBlt and
// StretchBlt with or without a source bitmap, PatBlt, AlphaBlend and TransparentBlt.
struct BitBlt {
    Rect dest;              // left, top, right, bottom in logical units
    Rect source;            // in pixels of `image`, from its top row
    uint32_t rop = 0x00CC0020;
    bool hasImage = false;
    Image image;
    bool alphaBlend = false;
    uint8_t constantAlpha = 255;
    bool sourceAlpha = false;      // AC_SRC_ALPHA: the image's own alpha counts
    bool transparentColor = false;
    ColorRef transparent = 0;      // TransparentBlt: pixels of this colour are not drawn
};

enum class RegionOp { Fill, Frame, Paint, Invert };

// A region filled with a brush, framed with it, painted with the selected brush or inverted.
struct RegionDraw {
    RegionOp op = RegionOp::Fill;
    std::vector<Rect> rects;
    bool deviceUnits = false;   // EMF regions are in device units, WMF ones in logical units
    uint32_t brushSlot = 0;
    Point frameSize;
};

// Clipping. RGN_AND 1, RGN_OR 2, RGN_XOR 3, RGN_DIFF 4, RGN_COPY 5.
struct ClipRect {
    bool exclude = false;
    Rect rect;
};

struct ClipRegion {
    uint32_t mode = 5;
    bool none = false;              // RGN_COPY without a region: no clipping
    bool deviceUnits = false;
    std::vector<Rect> rects;
};

struct OffsetClip {
    Point offset;
};

enum class PathOp { Begin, End, Close, Fill, Stroke, StrokeAndFill, Abort, Flatten, Widen, SelectClip };

struct PathRecord {
    PathOp op = PathOp::Begin;
    uint32_t mode = 5;   // for SelectClip
};

// GradientFill: rectangles filled from one vertex colour to another, or triangles.
struct Gradient {
    struct Vertex {
        Point at;
        uint16_t red = 0, green = 0, blue = 0, alpha = 0;
    };
    uint32_t mode = 0;   // GRADIENT_FILL_RECT_H 0, _RECT_V 1, _TRIANGLE 2
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indexes;   // two per rectangle, three per triangle
};

// A record that changes nothing this player draws: palettes, colour management, comments.
struct Ignored {};

// A record that is not drawn: unknown, not supported, or damaged.
struct Skipped {
    std::string reason;
};

struct EndOfFile {};

using Operation = std::variant<Ignored, Skipped, EndOfFile, CreatePen, CreateBrush, CreateFont, CreateRegion,
                               CreateOther, SelectObject, DeleteObject, SetAttribute, SetMapping, ScaleExtent,
                               WorldTransform, SaveDC, RestoreDC, MoveTo, LineTo, Poly, PolyPoly, Shape, AngleArc,
                               SetPixel, TextOut, BitBlt, RegionDraw, ClipRect, ClipRegion, OffsetClip, PathRecord,
                               Gradient>;

struct Record {
    uint32_t type = 0;   // the file's record type (EMR_* or META_*)
    Operation operation;
};

}  // namespace meta

enum class MetafileKind { Wmf, PlaceableWmf, Emf };

struct MetafileHeader {
    MetafileKind kind = MetafileKind::Emf;
    // The picture's rectangle in the units its records start in: logical units for a WMF
    // (the placeable header's box, or what the records set), device pixels of the reference
    // device for an EMF (its frame).
    double left = 0, top = 0, width = 0, height = 0;
    // The picture's size at 96 pixels per inch, or in the reference device's pixels for an EMF.
    int pixelWidth = 0;
    int pixelHeight = 0;
    // WMF: logical units per inch (placeable header), 0 for a plain WMF.
    int unitsPerInch = 0;
    // EMF: the frame in 0.01 mm, and the reference device in pixels and millimetres.
    meta::Rect frame;
    meta::Point devicePixels;
    meta::Point deviceMillimeters;
    uint32_t declaredRecords = 0;
    uint32_t declaredObjects = 0;
};

struct Metafile {
    MetafileHeader header;
    std::vector<meta::Record> records;
    // The records stopped before their end record: the file is cut short or a record's size
    // is wrong. What came before is kept.
    bool truncated = false;
    std::string truncation;   // why, when truncated
};

// Reads a WMF (placeable or plain) or EMF file, whatever its name says.
Result<Metafile> ReadMetafile(ByteView data);

// The number of records that are not drawn (Skipped).
size_t SkippedRecords(const Metafile& metafile);

}  // namespace formats
